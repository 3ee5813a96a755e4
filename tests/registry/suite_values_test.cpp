// The machine-wide environment writer and the values of the suite key.
#include "SetupKeys.h"
#include "registry/CRegistryUtils.h"
#include "support/RegTestLog.h"

#include <gtest/gtest.h>

using namespace setupkeys;
using Lines = std::vector<std::wstring>;

namespace {

const std::wstring kEnvironment = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
const std::wstring kSuiteLiteral = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacor\\Tolvane for Smartphones\\";
const std::wstring kTooLongName(16400, L'n');  // beyond the registry's 16383 characters

class SuiteValuesTest : public ::testing::Test {
protected:
    ~SuiteValuesTest() override { regtest::deleteValue(HKEY_LOCAL_MACHINE, kEnvironment, L"RegTestVar"); }

    Clean clean_;
    CRegistryUtils& utils_ = CRegistryUtils::getInstance();
};

TEST_F(SuiteValuesTest, TheEnvironmentVariableReplacesTheWholeValueAsExpandable)
{
    regtest::writeString(HKEY_LOCAL_MACHINE, kEnvironment, L"RegTestVar", L"C:\\old;C:\\older");
    const std::wstring value = L"%SystemRoot%\\system32;C:\\Program Files\\Common Files\\Vellacor";
    regtest::LogTail log;
    EXPECT_TRUE(utils_.SetEnvironmentVariableForAll(L"RegTestVar", value));
    const auto stored = regtest::readValue(HKEY_LOCAL_MACHINE, kEnvironment, L"RegTestVar");
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), stored.type);
    EXPECT_EQ(value, regtest::readString(HKEY_LOCAL_MACHINE, kEnvironment, L"RegTestVar"));
    EXPECT_EQ(value, regtest::readString(HKEY_LOCAL_MACHINE, kEnvironment, L"RegTestVar", KEY_WOW64_64KEY))
        << "SYSTEM is one key for 32-bit and 64-bit programs";
    EXPECT_EQ((Lines{L"Setting environment variable: RegTestVar=" + value,
                     L"Successfully set environment variable: " + value +
                         L" to registry key HKEY_LOCAL_MACHINE\\" + kEnvironment + L"\\RegTestVar"}),
              log.messages(L"CRegistryUtils::SetEnvironmentVariableForAll"));
}

TEST_F(SuiteValuesTest, RefusedWritesAreFailures)
{
    regtest::LogTail log;
    EXPECT_FALSE(utils_.SetEnvironmentVariableForAll(kTooLongName, L"x"));
    EXPECT_EQ(L"ERROR: Unknown exception caught!", log.messages(L"CRegistryUtils::SetEnvironmentVariableForAll").back());
    EXPECT_FALSE(utils_.SetREG_SZ(kTooLongName, L"x"));
    EXPECT_EQ((Lines{L"reg_set_value_failure exception caught"}), log.messages(L"CRegistryUtils::SetREG_SZ"));
}

TEST_F(SuiteValuesTest, TheSuiteVersionLandsInTheViewOfTheProgram)
{
    regtest::LogTail log;
    EXPECT_TRUE(utils_.SetREG_SZ(L"TolvaneVersion", L"1.0.0.31"));
    EXPECT_EQ((Lines{L"Successfully set to registry key " + kSuiteLiteral + L"TolvaneVersion, value: 1.0.0.31"}),
              log.messages(L"CRegistryUtils::SetREG_SZ"));
    EXPECT_EQ(L"1.0.0.31", regtest::readString(HKEY_LOCAL_MACHINE, kSuiteKey, L"TolvaneVersion"));
    expectInOwnViewOnly(kSuiteKey, L"TolvaneVersion", L"1.0.0.31");
}

TEST_F(SuiteValuesTest, TheSuiteLanguageIsTheLowWordAndZeroWhenNeverWritten)
{
    regtest::LogTail log;
    EXPECT_EQ(0, utils_.GetCurrTolvaneLanguageId());
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), regtest::readValue(HKEY_LOCAL_MACHINE, kSuiteKey, L"TolvaneLanguage").type);
    regtest::writeNumber(HKEY_LOCAL_MACHINE, kSuiteKey, L"TolvaneLanguage", 0x00010407);
    EXPECT_EQ(0x0407, utils_.GetCurrTolvaneLanguageId());
    EXPECT_EQ((Lines{L"Successfully get value 0 from registry key " + kSuiteLiteral + L"TolvaneLanguage",
                     L"Successfully get value 66567 from registry key " + kSuiteLiteral + L"TolvaneLanguage"}),
              log.messages(L"CRegistryUtils::GetCurrTolvaneLanguageId"));
}

TEST_F(SuiteValuesTest, AnUnopenableSuiteKeyFailsEachOperation)
{
    regtest::ReadOnlyKey locked(HKEY_LOCAL_MACHINE, kSuiteKey);
    ASSERT_TRUE(locked.locked());
    regtest::LogTail log;
    EXPECT_EQ(0xFFFF, utils_.GetCurrTolvaneLanguageId());
    EXPECT_EQ((Lines{L"Couldn't open key"}), log.messages(L"CRegistryUtils::GetCurrTolvaneLanguageId"));
    EXPECT_FALSE(utils_.SetREG_SZ(L"TolvaneVersion", L"1.0"));
    EXPECT_EQ((Lines{L"reg_open_key_failure exception caught"}), log.messages(L"CRegistryUtils::SetREG_SZ"));
    EXPECT_FALSE(utils_.DeleteTolvaneVersion());
    EXPECT_EQ(L"ERROR: Unknown exception caught!", log.messages(L"CRegistryUtils::DeleteTolvaneVersion").back());
}

}  // namespace
