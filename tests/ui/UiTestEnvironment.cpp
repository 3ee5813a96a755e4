#include "ui/UiTestEnvironment.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "setupfile/CFileParser.h"
#include "support/SetupRunner.h"
#include "support/TestFiles.h"

#include <algorithm>

namespace uitest {

namespace {

const wchar_t* const kApplicationKey = L"Software\\Brennik\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";

std::wstring logPath()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"setup_test_ui.log";
}

std::wstring settingsText()
{
    return std::wstring(L"[Settings]\r\nlog_enabled=TRUE\r\nlog_append=FALSE\r\n") +
           L"log_filename=%TEMP%\\setup_test_ui.log\r\napp_name=" + kProductName + L"\r\ncompany_name=" +
           kCompanyName + L"\r\nreadme_file=" + kReadmeFile + L"\r\n";
}

// The file is only written when it differs, so that the other prefix never reads it half written.
void writeSettingsOnce(const std::wstring& path, const std::wstring& text)
{
    const std::string expected = std::string("\xFF\xFE", 2) +
                                 std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    if (testfiles::readBytes(path) != expected) {
        testfiles::writeText(path, text);
    }
}

void removeApplicationKey()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kApplicationKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, kApplicationKey);
}

}  // namespace

void prepareProcess()
{
    static const bool prepared = [] {
        writeSettingsOnce(testfiles::binDir() + L"test_ui.ini", settingsText());
        CLog::getInstance();
        CFileParser::getInstance().ParseIniFile();
        CLangUtilities& lang = CLangUtilities::getInstance();
        lang.setProductName(kProductName);
        lang.setCompanyName(kCompanyName);
        return true;
    }();
    (void)prepared;
}

void setLanguage(LANGID language)
{
    ASSERT_TRUE(CLangUtilities::getInstance().setCurrentLanguage(language, 1)) << "language " << language;
}

TestLog::TestLog() : mark_(testfiles::readLines(logPath()).size()) {}

std::vector<std::wstring> TestLog::messages(const std::wstring& function) const
{
    const std::vector<std::wstring> lines = testfiles::readLines(logPath());
    std::vector<std::wstring> found;
    for (size_t i = mark_; i < lines.size(); ++i) {
        if (function.empty() || logFunctionOf(lines[i]) == function) {
            found.push_back(logMessageOf(lines[i]));
        }
    }
    return found;
}

bool TestLog::contains(const std::wstring& message, const std::wstring& function) const
{
    const std::vector<std::wstring> found = messages(function);
    return std::find(found.begin(), found.end(), message) != found.end();
}

size_t TestLog::count(const std::wstring& prefix, const std::wstring& function) const
{
    const std::vector<std::wstring> found = messages(function);
    return static_cast<size_t>(std::count_if(found.begin(), found.end(), [&](const std::wstring& message) {
        return message.compare(0, prefix.size(), prefix) == 0;
    }));
}

void UiTest::SetUp()
{
    prepareProcess();
    ASSERT_TRUE(CLog::getInstance().isEnabled()) << "test_ui.ini did not switch the log on";
    removeApplicationKey();
    setLanguage(1033);
}

void UiTest::TearDown()
{
    removeApplicationKey();
    SetThreadLocale(locale_);
}

std::wstring screenshotDir()
{
    const std::wstring dir = testfiles::binDir() + L"..\\screenshots\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

}  // namespace uitest
