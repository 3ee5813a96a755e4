#pragma once
#include "support/TestFiles.h"

#include <windows.h>

#include <string>
#include <vector>

// Runs the real Setup.exe from a scratch folder, as a user or Windows would start it.
class SetupRunner {
public:
    // Copies Setup.exe and its libraries from the build into a fresh folder.
    SetupRunner();
    ~SetupRunner();
    SetupRunner(const SetupRunner&) = delete;
    SetupRunner& operator=(const SetupRunner&) = delete;

    const std::wstring& folder() const { return dir_.path(); }
    std::wstring setupPath() const { return dir_.path() + L"Setup.exe"; }
    std::wstring logPath() const { return dir_.path() + L"setup.log"; }

    // Writes Setup.ini; `body` is appended to a [Settings] section that logs to setup.log.
    void writeIni(const std::wstring& settings, const std::wstring& sections = L"");
    // The Windows version Wine reports to Setup.exe alone ("winxp", "win2k", "vista", "win7"; "" resets).
    void setWindowsVersion(const std::wstring& version);

    // Starts Setup.exe with the arguments; returns its process (owned by the runner).
    HANDLE start(const std::wstring& arguments);
    // Waits for the started process and every process it started; its exit code, or
    // WAIT_TIMEOUT when it did not end in time (it is then terminated).
    DWORD wait(DWORD timeoutMs = 120000);
    DWORD run(const std::wstring& arguments, DWORD timeoutMs = 120000)
    {
        start(arguments);
        return wait(timeoutMs);
    }

    std::vector<std::wstring> logLines() const { return testfiles::readLines(logPath()); }
    // The messages of the log (the text after the entry's header), in order.
    std::vector<std::wstring> logMessages() const;
    bool logContains(const std::wstring& message) const;

private:
    testfiles::ScratchDir dir_;
    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
};

// The message part of a log line ("" when the line is not an entry).
std::wstring logMessageOf(const std::wstring& line);
// The function-name field of a log line, without its fill.
std::wstring logFunctionOf(const std::wstring& line);
