#pragma once
#include <windows.h>

#include <string>

// Where the run-once entry lives and what it is called.
namespace RunOnceEntry {

// HKEY_LOCAL_MACHINE on an NT system of major version 6 (Vista, 7, 8, 8.1),
// HKEY_CURRENT_USER on every other version.
HKEY HiveFor(const OSVERSIONINFOEXW& version);
// The hive for the running system.
HKEY Hive();

// The entry's name: the file name of `modulePath` without its extension.
std::wstring ValueNameFor(const std::wstring& modulePath);
// The entry's name for the running program ("Setup" for Setup.exe).
std::wstring ValueName();

}  // namespace RunOnceEntry
