#pragma once
#include <string>

namespace sequencer {

// Removes every occurrence of flag from runValue; true when one was removed.
bool removeFlag(std::wstring& runValue, const std::wstring& flag);

// The finish flag of a sequencer state ("/fInst", "/fUnInst", "/fRep"), or null for other states.
const wchar_t* finishFlagFor(int state);

}  // namespace sequencer
