#include "SystemReaders.h"

#include "support/RegTestKeys.h"
#include "support/TestFiles.h"

#include <windows.h>

namespace systemreaders {

namespace {

std::wstring uninstallerPath()
{
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    // "sysnative" is the 64-bit system folder as a 32-bit program on a 64-bit Windows names it.
    return std::wstring(windows) + (regtest::runsUnderWow64() ? L"\\sysnative" : L"\\system32") +
           L"\\uninstaller.exe";
}

}  // namespace

std::vector<std::wstring> installedPrograms()
{
    testfiles::ScratchDir dir(L"list");
    const std::wstring outputPath = dir / L"list.txt";
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::wstring program = uninstallerPath();
    std::wstring commandLine = L"\"" + program + L"\" --list";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &info)) {
        WaitForSingleObject(info.hProcess, 60000);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(output);
    std::vector<std::wstring> lines;
    const std::string bytes = testfiles::readBytes(outputPath);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end;
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.emplace_back(line.begin(), line.end());  // keys and names of the tests are ASCII
        start = end + 1;
    }
    return lines;
}

bool restartWindows()
{
    return ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
}

bool waitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(100);
    }
    return true;
}

}  // namespace systemreaders
