#include "support/SetupRunner.h"

#include "support/ProcessRun.h"

#include <algorithm>

namespace {

void copyFromBuild(const std::wstring& name, const std::wstring& folder)
{
    const std::wstring source = testfiles::binDir() + name;
    if (testfiles::exists(source)) {
        testfiles::copy(source, folder + name);
    }
}

}  // namespace

SetupRunner::SetupRunner() : dir_(L"run")
{
    for (const wchar_t* name : {L"Setup.exe", L"Ombrisk.dll", L"Pictavo.dll"}) {
        copyFromBuild(name, dir_.path());
    }
    job_ = CreateJobObjectW(nullptr, nullptr);
}

SetupRunner::~SetupRunner()
{
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 1);
        }
        CloseHandle(process_);
    }
    if (job_ != nullptr) {
        CloseHandle(job_);
    }
    setWindowsVersion(L"");
}

void SetupRunner::writeIni(const std::wstring& settings, const std::wstring& sections)
{
    const std::wstring text = L"[Settings]\r\nlog_enabled=TRUE\r\nlog_filename=" + logPath() + L"\r\n" +
                              settings + L"\r\n" + sections + L"\r\n";
    testfiles::writeText(dir_.path() + L"Setup.ini", text);
}

void SetupRunner::setWindowsVersion(const std::wstring& version)
{
    setWineVersionFor(L"Setup.exe", version);
}

HANDLE SetupRunner::start(const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + setupPath() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(setupPath().c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        dir_.path().c_str(), &startup, &info)) {
        return nullptr;
    }
    if (job_ != nullptr) {
        AssignProcessToJobObject(job_, info.hProcess);
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    return process_;
}

DWORD SetupRunner::wait(DWORD timeoutMs)
{
    if (process_ == nullptr) {
        return static_cast<DWORD>(-1);
    }
    const DWORD start = GetTickCount();
    if (WaitForSingleObject(process_, timeoutMs) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        return WAIT_TIMEOUT;
    }
    // Children that Setup left running (programs not waited for) end before the test reads results.
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    while (job_ != nullptr && GetTickCount() - start < timeoutMs &&
           QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting, sizeof(accounting),
                                     nullptr) &&
           accounting.ActiveProcesses > 0) {
        Sleep(50);
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

std::wstring logMessageOf(const std::wstring& line)
{
    // "<date> <time> <function, 40 wide> (L:<n>) [pid][tid] <message>"
    const size_t marker = line.find(L" (L:");
    if (marker == std::wstring::npos) {
        return std::wstring();
    }
    const size_t ids = line.find(L"] ", marker);
    return ids == std::wstring::npos ? std::wstring() : line.substr(ids + 2);
}

std::wstring logFunctionOf(const std::wstring& line)
{
    if (line.size() < 22) {
        return std::wstring();
    }
    std::wstring name = line.substr(22, line.find(L" (L:") == std::wstring::npos ? 0 : line.find(L" (L:") - 22);
    while (!name.empty() && name.back() == L' ') {
        name.pop_back();
    }
    return name;
}

std::vector<std::wstring> SetupRunner::logMessages() const
{
    std::vector<std::wstring> messages;
    for (const auto& line : logLines()) {
        messages.push_back(logMessageOf(line));
    }
    return messages;
}

bool SetupRunner::logContains(const std::wstring& message) const
{
    const auto messages = logMessages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}
