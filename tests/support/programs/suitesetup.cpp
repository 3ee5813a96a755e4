// Stands in for the suite's own setup program (its version resource says ProductVersion
// "1, 0, 0, 31"). Recognises on its command line:
//   cancel         ends with 1602 (cancelled by the user) and installs nothing
//   language=N     after a successful installation, records N as the suite's language (the
//                  value "TolvaneLanguage" of the suite key), as the real suite does
//   package=PATH   installs the suite's package PATH (the rest of the line) through the system's
//                  msiexec, quietly, and ends with msiexec's exit code
// and appends "<command line>|<current directory>" (UTF-8) to the file named by ITEM_RECORD.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void record(const std::wstring& line)
{
    wchar_t path[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"ITEM_RECORD", path, MAX_PATH) == 0) {
        return;
    }
    wchar_t dir[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, dir);
    const std::wstring text = line + L"|" + dir + L"\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
    FILE* file = _wfopen(path, L"ab");
    if (file != nullptr) {
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
    }
}

DWORD install(const std::wstring& package)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring msiexec = std::wstring(system) + L"\\msiexec.exe";
    std::wstring commandLine = L"msiexec /i \"" + package + L"\" /qn";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(msiexec.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return GetLastError();
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

void recordLanguage(DWORD language)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vellacor\\Tolvane for Smartphones", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, L"TolvaneLanguage", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&language),
                       sizeof language);
        RegCloseKey(key);
    }
}

}  // namespace

int wmain()
{
    const std::wstring line = GetCommandLineW();
    record(line);
    if (line.find(L"cancel") != std::wstring::npos) {
        return ERROR_INSTALL_USEREXIT;
    }
    const size_t package = line.find(L"package=");
    if (package == std::wstring::npos) {
        return ERROR_INVALID_PARAMETER;
    }
    const DWORD code = install(line.substr(package + 8));
    const size_t language = line.find(L"language=");
    if (code == ERROR_SUCCESS && language != std::wstring::npos) {
        recordLanguage(static_cast<DWORD>(std::wcstol(line.c_str() + language + 9, nullptr, 10)));
    }
    return static_cast<int>(code);
}
