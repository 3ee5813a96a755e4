// The constants of the setup description file, replaced with what this machine answers:
// the prefix's temporary folder, the language values of the application key, the environment.
#include "lang/ApplicationKey.h"
#include "lang/LogCapture.h"

#include "lang/Placeholders.h"
#include "setupfile/CConstantReplacer.h"
#include "setupfile/CIniReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

const wchar_t* const kFunction = L"CIniReader::replaceConstants";

// The environment variable COMMONPROGRAMFILES of this process, set for one test.
class CommonFilesVariable {
public:
    CommonFilesVariable()
    {
        wchar_t value[MAX_PATH] = {};
        if (GetEnvironmentVariableW(kName, value, MAX_PATH) > 0) {
            saved_ = value;
        }
    }
    ~CommonFilesVariable() { SetEnvironmentVariableW(kName, saved_ ? saved_->c_str() : nullptr); }
    void set(const wchar_t* value) { SetEnvironmentVariableW(kName, value); }

private:
    static constexpr const wchar_t* kName = L"COMMONPROGRAMFILES";
    std::optional<std::wstring> saved_;
};

std::wstring temporaryFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, path);
    return path;
}

const wchar_t* const kCommonFiles = L"C:\\Program Files\\Common Files";

// {T} stands for the temporary folder, {C} for the shared folder, {V} for the final value.
std::wstring resolve(std::wstring text, const std::wstring& value = L"")
{
    ReplaceAll(text, L"{T}", temporaryFolder());
    ReplaceAll(text, L"{C}", kCommonFiles);
    ReplaceAll(text, L"{V}", value);
    return text;
}

struct ConstantCase {
    const char* name;
    const wchar_t* value;
    std::optional<DWORD> cdBrowserFlag;  // "LanguageFetchedFromCDBrowser", when stored
    DWORD language;                      // "CurrentLanguage"
    const wchar_t* commonFiles;          // COMMONPROGRAMFILES, or null when it is not set
    const wchar_t* expected;
    int count;
    std::vector<const wchar_t*> log;  // the entries of replaceConstants, in order
};

void PrintTo(const ConstantCase& c, std::ostream* out) { *out << c.name; }

const ConstantCase kCases[] = {
    {"TempFolderAndFileName", L"%TEMP%\\setup.msi", {}, 0, kCommonFiles, L"{T}setup.msi", 1,
     {L"Found %", L"Temp Path: ", L"{T}", L"New String: ", L"{V}", L"strData=\"{V}\", nrOfReplacements=1"}},
    {"TempTwice", L"%TEMP%\\a.msi;%TEMP%\\b.msi", {}, 0, kCommonFiles, L"{T}a.msi;{T}b.msi", 1,
     {L"Found %", L"Temp Path: ", L"{T}", L"New String: ", L"{V}", L"strData=\"{V}\", nrOfReplacements=1"}},
    {"TempLowerCaseIsNoConstant", L"%temp%\\a.msi", {}, 0, kCommonFiles, L"%temp%\\a.msi", 0, {}},
    {"TempWithoutBackslashCountsButStays", L"%TEMP%a.msi", {}, 0, kCommonFiles, L"%TEMP%a.msi", 1,
     {L"Found %", L"Temp Path: ", L"{T}", L"New String: ", L"{V}", L"strData=\"{V}\", nrOfReplacements=1"}},
    {"LanguageFromCdBrowser", L"/qb %SETUP_AUTOLANG% /x %SETUP_AUTOLANG%", 1, 1031, kCommonFiles,
     L"/qb /L1031 /x /L1031", 1,
     {L"Found %SETUP_AUTOLANG%",
      L"Language code was retrieved from CD Browser, replacing with current language code.",
      L"strData=\"{V}\", nrOfReplacements=1"}},
    {"LanguageNotFromCdBrowserIsRemoved", L"/qb %SETUP_AUTOLANG% /x", 0, 1031, kCommonFiles, L"/qb  /x", 0,
     {L"Found %SETUP_AUTOLANG%",
      L"No language code was retrieved from CD Browser, removing %SETUP_AUTOLANG% from value."}},
    {"LanguageFlagNeverStoredIsRemoved", L"%SETUP_AUTOLANG%", {}, 1031, kCommonFiles, L"", 0,
     {L"Found %SETUP_AUTOLANG%",
      L"No language code was retrieved from CD Browser, removing %SETUP_AUTOLANG% from value."}},
    {"LanguageLowerCaseIsNoConstant", L"%setup_autolang%", 1, 1031, kCommonFiles, L"%setup_autolang%", 0, {}},
    {"SharedFolder", L"%COMMONPROGRAMFILES%\\Vellacor\\a.dll", {}, 0, kCommonFiles, L"{C}\\Vellacor\\a.dll", 1,
     {L"Found %", L"CommonProgramFiles path: ", L"{C}", L"New String: ", L"{V}",
      L"strData=\"{V}\", nrOfReplacements=1"}},
    {"SharedFolderVariableMissing", L"%COMMONPROGRAMFILES%\\a.dll", {}, 0, nullptr,
     L"%COMMONPROGRAMFILES%\\a.dll", 0,
     {L"Found %", L"ERROR: COMMONPROGRAMFILES environment variable was not found..."}},
    {"AllThreeInOrder", L"%TEMP%\\a %SETUP_AUTOLANG% %COMMONPROGRAMFILES%\\b", 1, 1033, kCommonFiles,
     L"{T}a /L1033 {C}\\b", 3,
     {L"Found %", L"Temp Path: ", L"{T}", L"New String: ", L"{T}a %SETUP_AUTOLANG% %COMMONPROGRAMFILES%\\b",
      L"Found %SETUP_AUTOLANG%",
      L"Language code was retrieved from CD Browser, replacing with current language code.", L"Found %",
      L"CommonProgramFiles path: ", L"{C}", L"New String: ", L"{V}", L"strData=\"{V}\", nrOfReplacements=3"}},
    {"NoConstant", L"msiexec /i \"a b.msi\" %PATH%", 1, 1033, kCommonFiles, L"msiexec /i \"a b.msi\" %PATH%", 0,
     {}},
};

class ConstantSubstitution : public appkey::FreshKey, public ::testing::WithParamInterface<ConstantCase> {
protected:
    LogCapture& log_ = LogCapture::get();
    CommonFilesVariable commonFiles_;

    void SetUp() override
    {
        appkey::FreshKey::SetUp();
        ASSERT_TRUE(log_.enabled()) << "the test program's setup file did not switch the log on";
        const ConstantCase& c = GetParam();
        if (c.cdBrowserFlag) {
            appkey::setNumber(L"LanguageFetchedFromCDBrowser", *c.cdBrowserFlag);
        }
        appkey::setNumber(L"CurrentLanguage", c.language);
        commonFiles_.set(c.commonFiles);
    }
};

TEST_P(ConstantSubstitution, ReplacesAsTheTableSays)
{
    const ConstantCase& c = GetParam();
    std::wstring value = c.value;
    const size_t mark = log_.mark();
    EXPECT_EQ(CIniReader::replaceConstants(value), c.count);
    EXPECT_EQ(value, resolve(c.expected));

    std::vector<std::wstring> expectedLog;
    for (const wchar_t* message : c.log) {
        expectedLog.push_back(resolve(message, value));
    }
    EXPECT_EQ(log_.messagesSince(mark, kFunction), expectedLog);

    // The parser applies the same to every value it reads, and to values only.
    EXPECT_EQ(CIniReader::getValue(std::wstring(L"key=") + c.value), resolve(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, ConstantSubstitution, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ConstantCase>& info) { return info.param.name; });

TEST(ConstantSubstitutionOrder, TheSharedFolderIsNotSearchedForTheTemporaryFolder)
{
    LogCapture::get();
    CommonFilesVariable commonFiles;
    commonFiles.set(L"%TEMP%\\shared");
    std::wstring value = L"%COMMONPROGRAMFILES%\\a;%TEMP%\\b";
    EXPECT_EQ(CIniReader::replaceConstants(value), 2);
    EXPECT_EQ(value, L"%TEMP%\\shared\\a;" + temporaryFolder() + L"b");
}

// ------------------------------------------------- answers the real machine does not give

class FailingMachine : public CConstantReplacer {
public:
    DWORD tempError = 0;           // GetTempPathW fails with it when not 0
    unsigned short language = 0;   // the stored language
    DWORD commonFilesError = 0;    // reading the variable fails with it when not 0

protected:
    std::optional<std::wstring> temporaryFolder(DWORD& error) override
    {
        error = tempError;
        return tempError != 0 ? std::nullopt : std::optional<std::wstring>(L"C:\\T\\");
    }
    bool languageFromCdBrowser() override { return true; }
    unsigned short currentLanguageId() override { return language; }
    std::optional<std::wstring> commonProgramFiles(DWORD& error) override
    {
        error = commonFilesError;
        return commonFilesError != 0 ? std::nullopt : std::optional<std::wstring>(L"C:\\C");
    }
};

TEST(ConstantSubstitutionFailures, UnreadableLanguageBecomesL65535)
{
    LogCapture::get();
    FailingMachine machine;
    machine.language = 0xFFFF;
    std::wstring value = L"/qb%SETUP_AUTOLANG%";
    EXPECT_EQ(machine.replace(value), 1);
    EXPECT_EQ(value, L"/qb/L65535");
}

TEST(ConstantSubstitutionFailures, UnknownTemporaryFolderLeavesTheValueAndIsLogged)
{
    LogCapture& log = LogCapture::get();
    FailingMachine machine;
    machine.tempError = ERROR_ACCESS_DENIED;
    std::wstring value = L"%TEMP%\\a %COMMONPROGRAMFILES%";
    const size_t mark = log.mark();
    EXPECT_EQ(machine.replace(value), 1);
    EXPECT_EQ(value, L"%TEMP%\\a C:\\C");
    const std::vector<std::wstring> messages = log.messagesSince(mark, kFunction);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0], L"Found %");
    EXPECT_EQ(messages[1], L"ERROR: GetTempPathW() failed, error code 5 returned. Value left unchanged.");
}

TEST(ConstantSubstitutionFailures, UnreadableSharedFolderOtherThanMissingIsLoggedAsAFailure)
{
    LogCapture& log = LogCapture::get();
    FailingMachine machine;
    machine.commonFilesError = ERROR_ACCESS_DENIED;
    std::wstring value = L"%COMMONPROGRAMFILES%\\a";
    const size_t mark = log.mark();
    EXPECT_EQ(machine.replace(value), 0);
    EXPECT_EQ(value, L"%COMMONPROGRAMFILES%\\a");
    EXPECT_EQ(log.messagesSince(mark, kFunction),
              (std::vector<std::wstring>{
                  L"Found %", L"ERROR: Getting COMMONPROGRAMFILES environment variable value operation failed..."}));
}

}  // namespace
