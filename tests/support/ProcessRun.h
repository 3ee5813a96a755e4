#pragma once
#include <windows.h>

#include <string>

// Starts a program of the build (or any path) and waits for it.
class ProcessRun {
public:
    // `program` is a file name in build/bin or a full path; `arguments` follow it on the command line.
    ProcessRun(const std::wstring& program, const std::wstring& arguments);
    ~ProcessRun();
    ProcessRun(const ProcessRun&) = delete;
    ProcessRun& operator=(const ProcessRun&) = delete;

    bool started() const { return process_ != nullptr; }
    // The exit code, or WAIT_TIMEOUT (the process is then terminated).
    DWORD wait(DWORD timeoutMs = 60000);

private:
    HANDLE process_ = nullptr;
};

// Sets (or with an empty version removes) the Windows version Wine reports to one program.
void setWineVersionFor(const std::wstring& exeName, const std::wstring& version);
