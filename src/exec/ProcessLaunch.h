#pragma once
#include <windows.h>

#include <string>

// The rules by which an item's program is started and its exit code read.
namespace ProcessLaunch {

// The command line: the program, one space, the arguments. Nothing is quoted or escaped.
std::wstring commandLine(const std::wstring& exe, const std::wstring& args);

// The program CreateProcessW is told to start. For the Windows Installer tool ("MSIEXEC" or
// "MSIEXEC.EXE", upper case) the full path of the system's msiexec.exe, so that no file of the
// same name in the program's or the current folder is run in its place; otherwise empty (the
// first word of the command line names the program).
std::wstring applicationName(const std::wstring& upperExe);

// The result for a program that could not be started: the Windows error code of the failed start.
// Codes that the sequencer reads as something other than a failure (0, 5 = cancelled, 1641,
// 3010, -1) are reported in their HRESULT form, so that they still count as failures.
DWORD startFailureResult(DWORD error);

// 0, 3010 and 1641: success, success with restart required, success with restart started.
bool isSuccessCode(DWORD exitCode);

}  // namespace ProcessLaunch
