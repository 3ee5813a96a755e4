#include "ExecTestLog.h"

#include "log/CLog.h"
#include "support/SetupRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

namespace execlog {

namespace {

const wchar_t kLogFolder[] = L"C:\\setup-exec-test";

// Written through a rename, so that a reader in the other prefix sees the old or the new file whole.
void writeIfChanged(const std::wstring& path, const std::wstring& text)
{
    const std::string bytes = std::string("\xFF\xFE", 2) +
                              std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    if (testfiles::readBytes(path) == bytes) {
        return;
    }
    const std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId());
    testfiles::writeBytes(temporary, bytes);
    MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// app_version is what ExecuteUpgrade writes as the suite's "TolvaneVersion".
class LogEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        CreateDirectoryW(kLogFolder, nullptr);
        const std::wstring ini = L"[Settings]\r\nlog_enabled=TRUE\r\nlog_filename=" + logPath() +
                                 L"\r\napp_version=1.0.0.31\r\n";
        writeIfChanged(testfiles::binDir() + L"test_exec.ini", ini);
        ASSERT_TRUE(CLog::getInstance().isEnabled());
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new LogEnvironment);

}  // namespace

std::wstring logPath()
{
    return std::wstring(kLogFolder) + L"\\exec.log";
}

LogWatch::LogWatch() : start_(testfiles::readLines(logPath()).size()) {}

std::vector<std::wstring> LogWatch::newLines() const
{
    std::vector<std::wstring> lines = testfiles::readLines(logPath());
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(start_, lines.size())));
    return lines;
}

std::vector<std::wstring> LogWatch::messages() const
{
    std::vector<std::wstring> result;
    for (const auto& line : newLines()) {
        result.push_back(logMessageOf(line));
    }
    return result;
}

bool LogWatch::contains(const std::wstring& message) const
{
    const auto all = messages();
    return std::find(all.begin(), all.end(), message) != all.end();
}

std::vector<std::wstring> LogWatch::launched() const
{
    static const std::wstring marker = L"Creating process: ";
    std::vector<std::wstring> result;
    for (const auto& message : messages()) {
        if (message.compare(0, marker.size(), marker) == 0) {
            result.push_back(message.substr(marker.size()));
        }
    }
    return result;
}

std::vector<std::wstring> LogWatch::messagesOf(const std::wstring& function) const
{
    std::vector<std::wstring> result;
    for (const auto& line : newLines()) {
        if (logFunctionOf(line) == function) {
            result.push_back(logMessageOf(line));
        }
    }
    return result;
}

}  // namespace execlog
