#pragma once
#include <string>
#include <vector>

// The product's log, as a test program sees it. enableLog() must run before anything logs;
// the registry tests call it from a global test environment.
namespace regtest {

struct LogEntry {
    std::wstring function;
    std::wstring message;
    int line = 0;
};

// Writes "<program>.ini" beside the test program so that CLog writes to logPath(), a file in the
// Windows directory of the prefix (each prefix has its own).
void enableLog();
std::wstring logPath();

// The entries logged from the moment of construction on.
class LogTail {
public:
    LogTail();

    std::vector<LogEntry> entries() const;
    // The messages of one function ("CRegistryUtils::SetStateValue"), in order.
    std::vector<std::wstring> messages(const std::wstring& function) const;
    // All messages, in order.
    std::vector<std::wstring> messages() const;
    bool contains(const std::wstring& function, const std::wstring& message) const;

private:
    size_t start_;
};

}  // namespace regtest
