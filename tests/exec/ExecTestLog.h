#pragma once
#include <string>
#include <vector>

// The log of the test executable. A global test environment writes test_exec.ini beside it before
// the first log call: logging on, into a file in the prefix's drive C. Both prefixes write the same
// text, so a test run in the other prefix at the same time changes nothing.
namespace execlog {

std::wstring logPath();

// The log entries written after its construction.
class LogWatch {
public:
    LogWatch();
    std::vector<std::wstring> messages() const;
    bool contains(const std::wstring& message) const;
    // The command lines of the "Creating process: " entries, in order.
    std::vector<std::wstring> launched() const;
    // The messages of one operation ("CCommandExecuter::ExecuteProcess").
    std::vector<std::wstring> messagesOf(const std::wstring& function) const;

private:
    std::vector<std::wstring> newLines() const;
    size_t start_;
};

}  // namespace execlog
