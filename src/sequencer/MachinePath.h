#pragma once
#include <string>

namespace sequencer {

// Reads the machine-wide "Path" from the Environment key as it is stored (REG_SZ or
// REG_EXPAND_SZ, references such as %SystemRoot% left unexpanded). False when the value is
// missing, of another type or cannot be read.
bool readMachinePath(std::wstring& value);

}  // namespace sequencer

class CRegistryUtils;

namespace sequencer {

// Puts sharedFolder on the machine-wide "Path": appended when absent (one ";" between), written
// back as REG_EXPAND_SZ. An unreadable value is left alone. Logs under functionName.
void addToMachinePath(CRegistryUtils& registry, const std::wstring& sharedFolder, const wchar_t* functionName);

}  // namespace sequencer
