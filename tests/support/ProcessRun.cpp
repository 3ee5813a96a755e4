#include "support/ProcessRun.h"

#include "support/TestFiles.h"

ProcessRun::ProcessRun(const std::wstring& program, const std::wstring& arguments)
{
    const std::wstring path = program.find(L'\\') == std::wstring::npos ? testfiles::binDir() + program : program;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
    }
}

ProcessRun::~ProcessRun()
{
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 1);
        }
        CloseHandle(process_);
    }
}

DWORD ProcessRun::wait(DWORD timeoutMs)
{
    if (process_ == nullptr) {
        return static_cast<DWORD>(-1);
    }
    if (WaitForSingleObject(process_, timeoutMs) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        return WAIT_TIMEOUT;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void setWineVersionFor(const std::wstring& exeName, const std::wstring& version)
{
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + exeName;
    if (version.empty()) {
        RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
        return;
    }
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExW(handle, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
}
