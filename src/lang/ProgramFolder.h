#pragma once
#include "sys/ScopedHandle.h"

#include <string>

// Files that ship beside the running program. Libraries are always loaded by their full path
// there, never by bare name, so that a file of the same name in the current folder or the
// download folder is never picked up in their place.
namespace ProgramFolder {

// The folder of the running program, with a trailing backslash.
std::wstring path();

// The full path of a file in that folder; empty when the folder is unknown (never a bare name).
std::wstring fileBeside(const std::wstring& fileName);

// Loads a library from that folder (LoadLibraryExW with the given flags); null when it fails.
UniqueLibrary loadLibrary(const std::wstring& fileName, DWORD flags = 0);

}  // namespace ProgramFolder
