#include "exec/ProcessLaunch.h"

namespace ProcessLaunch {

std::wstring commandLine(const std::wstring& exe, const std::wstring& args)
{
    return exe + L" " + args;
}

std::wstring applicationName(const std::wstring& upperExe)
{
    if (upperExe != L"MSIEXEC" && upperExe != L"MSIEXEC.EXE") {
        return std::wstring();
    }
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::wstring();
    }
    std::wstring path(system, length);
    if (path.back() != L'\\') {
        path += L'\\';
    }
    return path + L"msiexec.exe";
}

DWORD startFailureResult(DWORD error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return ERROR_GEN_FAILURE;
    case ERROR_ACCESS_DENIED:
    case ERROR_SUCCESS_REBOOT_INITIATED:
    case ERROR_SUCCESS_REBOOT_REQUIRED:
        return static_cast<DWORD>(HRESULT_FROM_WIN32(error));
    default:
        return error;
    }
}

bool isSuccessCode(DWORD exitCode)
{
    return exitCode == ERROR_SUCCESS || exitCode == ERROR_SUCCESS_REBOOT_REQUIRED ||
           exitCode == ERROR_SUCCESS_REBOOT_INITIATED;
}

}  // namespace ProcessLaunch
