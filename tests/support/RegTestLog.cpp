#include "support/RegTestLog.h"

#include "log/CLog.h"
#include "support/SetupRunner.h"
#include "support/TestFiles.h"

#include <windows.h>

#include <cwchar>

namespace regtest {

namespace {

std::wstring programPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

int lineOf(const std::wstring& entry)
{
    const size_t marker = entry.find(L" (L:");
    return marker == std::wstring::npos ? 0 : static_cast<int>(std::wcstol(entry.c_str() + marker + 4, nullptr, 10));
}

}  // namespace

std::wstring logPath()
{
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::wstring program = programPath();
    program = program.substr(program.find_last_of(L"\\/") + 1);
    return std::wstring(windows) + L"\\Temp\\" + program.substr(0, program.find_last_of(L'.')) + L".log";
}

void enableLog()
{
    std::wstring ini = programPath();
    ini = ini.substr(0, ini.find_last_of(L'.')) + L".ini";
    // The same text in every prefix (C:\windows), each naming its prefix's own file.
    const std::wstring text = L"[Settings]\r\nlog_enabled=TRUE\r\nlog_append=FALSE\r\nlog_filename=" + logPath() + L"\r\n";
    const std::wstring temporary = ini + L"." + std::to_wstring(GetCurrentProcessId());
    testfiles::writeText(temporary, text);
    // Atomic replacement: a test program of the other prefix may read the file at this moment.
    MoveFileExW(temporary.c_str(), ini.c_str(), MOVEFILE_REPLACE_EXISTING);
    CLog::getInstance();
}

LogTail::LogTail() : start_(testfiles::readLines(logPath()).size()) {}

std::vector<LogEntry> LogTail::entries() const
{
    std::vector<LogEntry> result;
    const auto lines = testfiles::readLines(logPath());
    for (size_t i = start_; i < lines.size(); ++i) {
        result.push_back(LogEntry{logFunctionOf(lines[i]), logMessageOf(lines[i]), lineOf(lines[i])});
    }
    return result;
}

std::vector<std::wstring> LogTail::messages(const std::wstring& function) const
{
    std::vector<std::wstring> result;
    for (const auto& entry : entries()) {
        if (entry.function == function) {
            result.push_back(entry.message);
        }
    }
    return result;
}

std::vector<std::wstring> LogTail::messages() const
{
    std::vector<std::wstring> result;
    for (const auto& entry : entries()) {
        result.push_back(entry.message);
    }
    return result;
}

bool LogTail::contains(const std::wstring& function, const std::wstring& message) const
{
    for (const auto& entry : entries()) {
        if (entry.function == function && entry.message == message) {
            return true;
        }
    }
    return false;
}

}  // namespace regtest
