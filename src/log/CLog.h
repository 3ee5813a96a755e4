#pragma once
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>

// What decides whether and where the log is written.
struct LogSettings {
    std::wstring enabled;   // "log_enabled": "TRUE" in any case switches logging on
    std::wstring append;    // "log_append": "TRUE" in any case appends
    std::wstring fileName;  // "log_filename"
};

// The process-wide trace file. One line per write, flushed at once, in the ANSI code page.
class CLog {
public:
    static CLog& getInstance();

    // A log that discards every entry until configure() switches it on.
    CLog() = default;
    // Logging as the given settings say (tests use it directly).
    explicit CLog(const LogSettings& settings);
    virtual ~CLog();
    CLog(const CLog&) = delete;
    CLog& operator=(const CLog&) = delete;

    bool write(const std::wstring& functionName, int line, const std::wstring& message);

    bool isEnabled() const { return enabled_; }

    // The line (without its end) as it stands in the file before the ANSI conversion.
    static std::wstring formatEntry(const SYSTEMTIME& time, const std::wstring& functionName, int line,
                                    unsigned long processId, unsigned long threadId,
                                    const std::wstring& message);
    // The code page entries are converted to: the thread's on Windows 2000 and later.
    static unsigned entryCodePage();

private:
    void configure(const LogSettings& settings);
    bool writeEntry(const std::wstring& functionName, int line, const std::wstring& message);

    static CLog* instance_;
    static bool finished_;

    FILE* logFile_ = nullptr;
    bool enabled_ = false;
    std::mutex entryLock_;
};

#define SETUP_LOG(functionName, message) CLog::getInstance().write((functionName), __LINE__, (message))
