#include "sequencer/RunValueFlags.h"
#include "sequencer/SequencerDecisions.h"
#include "sequencer/SequencerStates.h"
#include "sys/CLogoff.h"

#include <gtest/gtest.h>

using namespace sequencer;

TEST(ValidateExecutionTable, EveryExitCodeAndOption)
{
    struct Case {
        DWORD result;
        const wchar_t* reboot;
        bool finished;
        bool suppressed;
        Validation expected;
    };
    const Case cases[] = {
        {0, L"TRUE", true, false, Validation::Finish},
        {0, L"TRUE", true, true, Validation::Finish},
        {0, L"TRUE", false, false, Validation::RebootOrExit},
        {0, L"", false, true, Validation::StopSuppressed},
        {5, L"", false, false, Validation::Cancelled},
        {5, L"", true, true, Validation::Cancelled},
        {0xFFFFFFFFu, L"TRUE", true, false, Validation::RollBack},
        {0xFFFFFFFFu, L"", false, false, Validation::RollBack},
        {1641, L"", false, false, Validation::RebootInitiated},
        {3010, L"False", true, false, Validation::FinishRebootRequired},
        {3010, L"False", false, false, Validation::PendingRebootLater},
        {3010, L"FALSE", false, false, Validation::PendingRebootAsk},
        {3010, L"", false, false, Validation::PendingRebootAsk},
        {3010, L"", false, true, Validation::PendingRebootAsk},
        {1603, L"", true, false, Validation::FinishAfterFailure},
        {1603, L"AUTO", false, false, Validation::RebootIgnoringResult},
        {1603, L"AUTO", false, true, Validation::StopSuppressed},
        {1, L"", false, false, Validation::RebootIgnoringResult},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, decideValidation(c.result, c.reboot, c.finished, c.suppressed))
            << c.result << " " << testing::PrintToString(std::wstring(c.reboot)) << " finished=" << c.finished
            << " suppressed=" << c.suppressed;
    }
}

TEST(ValidateExecutionTable, OnlyExactTrueAndAutoClearSuppression)
{
    EXPECT_TRUE(rebootOptionClearsSuppression(L"True"));
    EXPECT_TRUE(rebootOptionClearsSuppression(L"Auto"));
    for (const wchar_t* other : {L"TRUE", L"true", L"AUTO", L"False", L""}) {
        EXPECT_FALSE(rebootOptionClearsSuppression(other)) << testing::PrintToString(std::wstring(other));
    }
    EXPECT_TRUE(rebootOptionAsksRestart(L"auto"));
    EXPECT_TRUE(rebootOptionAsksRestart(L"True"));
    EXPECT_FALSE(rebootOptionAsksRestart(L"yes"));
}

TEST(ItemPosition, FromInternalState)
{
    struct Case {
        int state;
        std::size_t count, expected;
    };
    const Case cases[] = {
        {0, 3, 0}, {1, 3, 0}, {2, 3, 1}, {3, 3, 2}, {4, 3, 3}, {99, 3, 3}, {-5, 3, 0}, {0, 0, 0}, {2, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, positionFromInternalState(c.state, c.count)) << c.state << " of " << c.count;
    }
}

TEST(SharedFolderOnPath, AppendedOnceWithOneSeparator)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* expected;  // null: unchanged
    };
    const Case cases[] = {
        {L"%SystemRoot%\\system32;%SystemRoot%", L"C:\\Shared", L"%SystemRoot%\\system32;%SystemRoot%;C:\\Shared"},
        {L"C:\\a;", L"C:\\Shared", L"C:\\a;C:\\Shared"},
        {L"", L"C:\\Shared", L"C:\\Shared"},
        {L"C:\\a;c:\\SHARED;C:\\b", L"C:\\Shared", nullptr},
        {L"C:\\a", L"", nullptr},
    };
    for (const Case& c : cases) {
        const auto result = appendSharedFolder(c.path, c.folder);
        if (c.expected) {
            ASSERT_TRUE(result.has_value()) << testing::PrintToString(std::wstring(c.path));
            EXPECT_EQ(c.expected, *result);
        } else {
            EXPECT_FALSE(result.has_value()) << testing::PrintToString(std::wstring(c.path));
        }
    }
}

TEST(BitnessSkip, ByAttributesAndSystem)
{
    EXPECT_EQ(BitnessSkip::Skip64OnX86, bitnessSkip(L"true", L"", false));
    EXPECT_EQ(BitnessSkip::None, bitnessSkip(L"TRUE", L"", true));
    EXPECT_EQ(BitnessSkip::Skip32OnX64, bitnessSkip(L"", L"True", true));
    EXPECT_EQ(BitnessSkip::None, bitnessSkip(L"", L"TRUE", false));
    EXPECT_EQ(BitnessSkip::Skip64OnX86, bitnessSkip(L"TRUE", L"TRUE", false));
    EXPECT_EQ(BitnessSkip::Skip32OnX64, bitnessSkip(L"TRUE", L"TRUE", true));
    EXPECT_EQ(BitnessSkip::None, bitnessSkip(L"yes", L"1", true));
}

TEST(LanguageArgument, SwitchAndCode)
{
    EXPECT_EQ(1033, languageFromArgument(L"-l1033"));
    EXPECT_EQ(1031, languageFromArgument(L"/L1031"));
    EXPECT_EQ(103, languageFromArgument(L"-l103"));
    EXPECT_EQ(1025, languageFromArgument(L"-l10259"));
    EXPECT_EQ(0, languageFromArgument(L"-lxyzw"));
    EXPECT_EQ(-1, languageFromArgument(L"-l-1x"));
    EXPECT_FALSE(languageFromArgument(L"-l10").has_value());
    EXPECT_FALSE(languageFromArgument(L"/repair").has_value());
    EXPECT_FALSE(languageFromArgument(L"").has_value());
}

TEST(RunValueFlags, RemoveEveryOccurrenceAndFlagPerState)
{
    std::wstring value = L"\"C:\\p\\Setup.exe\" /startup /restart_rejected /fInst /restart_rejected";
    EXPECT_TRUE(removeFlag(value, L" /restart_rejected"));
    EXPECT_EQ(L"\"C:\\p\\Setup.exe\" /startup /fInst", value);
    EXPECT_FALSE(removeFlag(value, L" /restart_rejected"));
    EXPECT_STREQ(L"/fInst", finishFlagFor(STATE_INSTALL));
    EXPECT_STREQ(L"/fUnInst", finishFlagFor(STATE_UNINSTALL));
    EXPECT_STREQ(L"/fRep", finishFlagFor(STATE_REPAIR));
    EXPECT_EQ(nullptr, finishFlagFor(0));
    EXPECT_EQ(nullptr, finishFlagFor(STATE_CHECK));
}

TEST(RestartQuestion, BoxTypeCarriesBidiState)
{
    EXPECT_EQ(0x50024u, CLogoff::questionBoxType(0));
    EXPECT_EQ(0x50024u | MB_RIGHT | MB_RTLREADING, CLogoff::questionBoxType(MB_RIGHT | MB_RTLREADING));
}
