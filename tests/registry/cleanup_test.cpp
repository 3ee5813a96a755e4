// The final clean-up after an uninstallation, its steps and the emptiness test of the parents.
#include "SetupKeys.h"
#include "registry/CRegistryUtils.h"
#include "support/RegTestLog.h"

#include <gtest/gtest.h>

using namespace setupkeys;
using Lines = std::vector<std::wstring>;

namespace {

const std::wstring kTestKey = L"Software\\RegCountTest";

class CleanUpTest : public ::testing::Test {
protected:
    ~CleanUpTest() override { regtest::deleteTree(HKEY_CURRENT_USER, kTestKey); }

    // Everything an installation leaves, written by Setup's own operations.
    void install()
    {
        ASSERT_TRUE(utils_.SetRunValue());
        ASSERT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0.0.31", L"", L"", 0));
        ASSERT_TRUE(utils_.SetStateValue(1001));
        ASSERT_TRUE(utils_.SetInternalStateValue(0));
        ASSERT_TRUE(utils_.SetPendingRebootValue(2000));
        ASSERT_TRUE(utils_.SetPendingRebootSuppressedValue(2003));
        ASSERT_TRUE(utils_.setProgressDlgState(1001));
        ASSERT_TRUE(utils_.SetCurrDirValue(L"C:\\windows\\Installer\\x"));
        ASSERT_TRUE(utils_.SetREG_SZ(L"TolvaneVersion", L"1.0.0.31"));
        ASSERT_EQ(0, utils_.GetCurrTolvaneLanguageId());  // creates "TolvaneLanguage"
        regtest::writeNumber(HKEY_CURRENT_USER, kAppKey, L"CurrentLanguage", 1033);
    }

    // No key or value of Setup in any hive or view.
    void expectNoTrace()
    {
        std::wstring run;
        EXPECT_FALSE(regtest::keyExists(HKEY_CURRENT_USER, kBrennik));
        EXPECT_FALSE(regtest::valueExists(HKEY_CURRENT_USER, kRunOnce, runValueName()));
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            EXPECT_FALSE(regtest::valueExists(HKEY_LOCAL_MACHINE, kRunOnce, runValueName(), view));
            EXPECT_FALSE(regtest::keyExists(HKEY_LOCAL_MACHINE, kEntry, view));
            EXPECT_FALSE(regtest::keyExists(HKEY_LOCAL_MACHINE, kVellacor, view));
        }
    }

    Clean clean_;
    CRegistryUtils& utils_ = CRegistryUtils::getInstance();
};

TEST_F(CleanUpTest, QuerySubKeyCntCountsValuesLessOne)
{
    const std::wstring opened = L"Successfully open specified reg. key. HKEY_CURRENT_USER\\" + kTestKey;
    struct Case {
        const char* what;
        Lines values;
        bool withSubkey;
        int count;
        std::wstring result;
    };
    const Case cases[] = {
        {"two values", {L"A", L"B"}, false, 1, L"QueryKey result (subKeyCnt=1)  Found sub keys:  1) A  2) B  "},
        {"one value", {L"A"}, false, 0, L"QueryKey result (subKeyCnt=0)  (No sub keys available) 1) A  "},
        {"nothing", {}, false, 0, L"QueryKey result (subKeyCnt=0)  (No sub keys available) "},
        {"a sub-key is not counted", {L"A"}, true, 0, L"QueryKey result (subKeyCnt=0)  (No sub keys available) 1) A  "},
        {"the default value", {L"", L"B"}, false, 1, L"QueryKey result (subKeyCnt=1)  Found sub keys:  1) (Default)  2) B  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        regtest::deleteTree(HKEY_CURRENT_USER, kTestKey);
        regtest::createKey(HKEY_CURRENT_USER, kTestKey);
        for (const auto& name : c.values) {
            regtest::writeNumber(HKEY_CURRENT_USER, kTestKey, name, 1);
        }
        if (c.withSubkey) {
            regtest::createKey(HKEY_CURRENT_USER, kTestKey + L"\\Child");
        }
        regtest::LogTail log;
        EXPECT_EQ(c.count, utils_.QuerySubKeyCnt(kTestKey, HKEY_CURRENT_USER));
        EXPECT_EQ((Lines{L"subKey: " + kTestKey, opened, L"No more data is available... i.e. no more subkeys...",
                         L"Successfully closed reg key.", c.result}),
                  log.messages(L"CRegistryUtils::QuerySubKeyCnt"));
    }
    regtest::deleteTree(HKEY_CURRENT_USER, kTestKey);
    regtest::LogTail log;
    EXPECT_EQ(-1, utils_.QuerySubKeyCnt(kTestKey, HKEY_CURRENT_USER));
    EXPECT_EQ((Lines{L"subKey: " + kTestKey, L"ERROR: Failed to open reg key."}),
              log.messages(L"CRegistryUtils::QuerySubKeyCnt"));
    EXPECT_FALSE(regtest::keyExists(HKEY_CURRENT_USER, kTestKey)) << "the count creates nothing";
}

TEST_F(CleanUpTest, ValueDeletionsSucceedAlsoWhenThereIsNothingToDelete)
{
    install();
    struct Case {
        const wchar_t* function;
        bool (CRegistryUtils::*operation)();
        Lines lines;
    };
    const std::wstring app = L"HKEY_CURRENT_USER\\" + std::wstring(kAppKey);
    const Case cases[] = {
        {L"DeleteTolvaneVersion", &CRegistryUtils::DeleteTolvaneVersion,
         {L"Deleting TolvaneVersion...",
          L"Successfully deleted TolvaneVerion from registry key HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacor\\Tolvane for Smartphones\\"}},
        {L"DeleteProgressDlgState", &CRegistryUtils::DeleteProgressDlgState,
         {L"Deleting ProgressDlgState...", L"Successfully deleted ProgressDlgState from registry key " + app}},
        {L"DeletePendingRebootKeys", &CRegistryUtils::DeletePendingRebootKeys,
         {L"Deleting PendingReboot & PendingRebootSuppressed...",
          L"Successfully deleted PendingReboot & PendingRebootSuppressed from registry key " + app}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.function);
        for (int round = 0; round < 2; ++round) {
            regtest::LogTail log;
            EXPECT_TRUE((utils_.*c.operation)());
            EXPECT_EQ(c.lines, log.messages(std::wstring(L"CRegistryUtils::") + c.function));
        }
    }
    EXPECT_FALSE(regtest::valueExists(HKEY_LOCAL_MACHINE, kSuiteKey, L"TolvaneVersion"));
    EXPECT_TRUE(regtest::valueExists(HKEY_LOCAL_MACHINE, kSuiteKey, L"TolvaneLanguage"));
    EXPECT_EQ(sorted(Lines{L"State", L"InternalState", L"CurrentDirectory", L"CurrentLanguage"}),
              sorted(regtest::valueNames(HKEY_CURRENT_USER, kAppKey)));
}

TEST_F(CleanUpTest, AfterAnInstallationNoTraceRemainsAndASecondRunSucceedsToo)
{
    install();
    {
        regtest::LogTail log;
        EXPECT_TRUE(utils_.DeleteRegKeys());
        EXPECT_EQ((Lines{L"==> DeleteRegKeys()", L"DeleteRegKeys returns TRUE"}),
                  log.messages(L"CRegistryUtils::DeleteRegKeys"));
        EXPECT_EQ((Lines{L"qsCnt=0", L"Trying to delete \"Brennik Root\"...",
                         L"Successfully deleted \"Brennik root\" from registry key HKEY_CURRENT_USER\\Software\\Brennik"}),
                  log.messages(L"CRegistryUtils::DeleteBrennikRoot"));
        EXPECT_EQ((Lines{L"qsCnt=0", L"Trying to deleting VELC Tolvane root...",
                         L"Successfully deleted VELC Tolvane root from registry key "
                         L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacor\\Tolvane for Smartphones\\"}),
                  log.messages(L"CRegistryUtils::DeleteVELCTolvaneRoot"));
        EXPECT_EQ((Lines{L"qsCnt=0", L"Trying to delete VELC root",
                         L"Successfully deleted VELC root from registry key HKEY_LOCAL_MACHINE\\SOFTWARE\\Vellacor\\"}),
                  log.messages(L"CRegistryUtils::DeleteVELCRoot"));
    }
    expectNoTrace();
    regtest::LogTail log;
    EXPECT_TRUE(utils_.DeleteRegKeys()) << "its steps recreate the keys they open and remove them again";
    EXPECT_EQ(L"DeleteRegKeys returns TRUE", log.messages(L"CRegistryUtils::DeleteRegKeys").back());
    expectNoTrace();
}

TEST_F(CleanUpTest, KeysThatHoldMoreStayAndEveryStepStillRuns)
{
    install();
    regtest::writeNumber(HKEY_LOCAL_MACHINE, kSuiteKey, L"InstalledBySomethingElse", 1);
    regtest::createKey(HKEY_CURRENT_USER, std::wstring(kBrennik) + L"\\Another Product");
    regtest::LogTail log;
    EXPECT_FALSE(utils_.DeleteRegKeys());
    EXPECT_EQ((Lines{L"==> DeleteRegKeys()", L"Failed to delete VELC Tolvane root...", L"Failed to delete VELC root...",
                     L"Failed to delete Brennik root...", L"DeleteRegKeys returns FALSE"}),
              log.messages(L"CRegistryUtils::DeleteRegKeys"));
    EXPECT_EQ((Lines{L"qsCnt=1", L"VELC Tolvane root not empty"}), log.messages(L"CRegistryUtils::DeleteVELCTolvaneRoot"));
    EXPECT_EQ(L"ERROR: Failed to remove specified key!", log.messages(L"CRegistryUtils::DeleteVELCRoot").back())
        << "no values, but the suite key below it";
    EXPECT_EQ(L"ERROR: Failed to remove specified key!", log.messages(L"CRegistryUtils::DeleteBrennikRoot").back());
    // What the installation wrote is gone; what others keep stays.
    EXPECT_EQ(sorted(Lines{L"TolvaneLanguage", L"InstalledBySomethingElse"}),
              sorted(regtest::valueNames(HKEY_LOCAL_MACHINE, kSuiteKey)));
    EXPECT_FALSE(regtest::keyExists(HKEY_CURRENT_USER, kAppKey));
    EXPECT_EQ((Lines{L"Another Product"}), regtest::subkeyNames(HKEY_CURRENT_USER, kBrennik));
    EXPECT_FALSE(regtest::keyExists(HKEY_LOCAL_MACHINE, kEntry));
    std::wstring run;
    EXPECT_FALSE(utils_.GetRunValue(run));
}

TEST_F(CleanUpTest, ARootWithValuesIsNotEmptyAndAMissingOneCountsAsNotEmpty)
{
    regtest::writeNumber(HKEY_CURRENT_USER, kBrennik, L"A", 1);
    regtest::writeNumber(HKEY_CURRENT_USER, kBrennik, L"B", 1);
    regtest::LogTail log;
    EXPECT_FALSE(utils_.DeleteBrennikRoot());
    EXPECT_EQ((Lines{L"qsCnt=1", L"\"Brennik root\" not empty"}), log.messages(L"CRegistryUtils::DeleteBrennikRoot"));
    regtest::deleteTree(HKEY_CURRENT_USER, kBrennik);
    regtest::LogTail missing;
    EXPECT_FALSE(utils_.DeleteBrennikRoot());
    EXPECT_EQ((Lines{L"qsCnt=-1", L"\"Brennik root\" not empty"}), missing.messages(L"CRegistryUtils::DeleteBrennikRoot"));
    EXPECT_FALSE(regtest::keyExists(HKEY_CURRENT_USER, kBrennik)) << "Brennik's parent is opened only to delete";
    EXPECT_FALSE(utils_.DeleteVELCTolvaneRoot());
    EXPECT_TRUE(regtest::keyExists(HKEY_LOCAL_MACHINE, kVellacor)) << "the Vellacor parent is opened first";
}

}  // namespace
