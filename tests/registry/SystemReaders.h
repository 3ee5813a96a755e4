#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What Windows itself (here: Wine's own programs) reads of Setup's registry values.
namespace systemreaders {

// The lines "<key>|||<display name>" of the list of installed programs, as the system's own
// uninstaller (the 64-bit one on a 64-bit Windows) prints them with --list.
std::vector<std::wstring> installedPrograms();

// Asks Windows to restart; Wine then runs the machine's run-once entries and the pending file
// renames as at a start of Windows, without ending this program. Returns at once.
bool restartWindows();

// Polls until `done` holds; false when it did not within the time.
bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = 60000);

}  // namespace systemreaders
