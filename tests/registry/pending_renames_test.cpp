// The pending-file-rename check: control set, multi-string reader, ignore patterns.
#include "SetupKeys.h"
#include "registry/CRegistryUtils.h"
#include "registry/PendingRenameRules.h"
#include "support/RegTestLog.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace PendingRenameRules;
using Lines = std::vector<std::wstring>;

namespace {

const std::wstring kSessionManager = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const std::wstring kThroughSet1 = L"SYSTEM\\ControlSet001\\Control\\Session Manager";
const wchar_t* const kRenames = L"PendingFileRenameOperations";
const wchar_t* const kWarning = L"WARNING: Failed to get PendingFileRenameOperations status.";
const wchar_t* const kNoneFound = L"No PendingFileRenameOperations (not in exception list) found.";

TEST(Wildcard, MatchesTheWholeSubjectCaseSensitively)
{
    struct Case {
        const wchar_t* subject;
        const wchar_t* pattern;
        bool matches;
    };
    const Case cases[] = {
        {L"abc", L"abc", true},
        {L"abc", L"abd", false},
        {L"abcd", L"abc", false},
        {L"abc", L"abcd", false},
        {L"abc", L"a?c", true},
        {L"ac", L"a?c", false},
        {L"abc", L"*", true},
        {L"", L"*", true},
        {L"", L"", true},
        {L"abc", L"", false},
        {L"", L"?", false},
        {L"abc", L"a*", true},
        {L"abc", L"*c", true},
        {L"abc", L"*b", false},
        {L"abc", L"abc*", true},
        {L"ab", L"a**b", true},
        {L"abcbd", L"*b?", true},
        {L"mississippi", L"m*iss*ppi", true},
        {L"mississippi", L"m*iss*ppx", false},
        {L"\\??\\C:\\dir\\file.txt", L"*file.txt", true},
        {L"\\??\\C:\\dir\\file.txt", L"*file.TXT", false},
        {L"\\??\\C:\\dir\\FILE.txt", L"*file.txt", false},
        {L"!\\??\\C:\\dir\\new.dll", L"*\\new.dll", true},
        {L"\\??\\C:\\dir\\file.txt", L"\\??\\C:\\*\\file.txt", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.matches, WildcardMatch(c.subject, c.pattern)) << c.subject << " ~ " << c.pattern;
    }
}

TEST(ExceptionList, SplitsAtEveryBarKeepingEmptyPieces)
{
    EXPECT_EQ(Lines{}, SplitExceptionList(L""));
    EXPECT_EQ((Lines{L"*a.dll"}), SplitExceptionList(L"*a.dll"));
    EXPECT_EQ((Lines{L"*a.dll", L"*b.sys"}), SplitExceptionList(L"*a.dll|*b.sys"));
    EXPECT_EQ((Lines{L"", L"*a.dll", L""}), SplitExceptionList(L"|*a.dll|"));
    EXPECT_EQ((Lines{L"", L"", L""}), SplitExceptionList(L"||"));
}

std::vector<BYTE> utf16(const std::wstring& text)
{
    const BYTE* data = reinterpret_cast<const BYTE*>(text.data());
    return std::vector<BYTE>(data, data + text.size() * sizeof(wchar_t));
}

TEST(MultiString, YieldsTheNonEmptyStringsWithinTheDataSize)
{
    struct Case {
        std::vector<BYTE> data;
        Lines strings;
    };
    std::vector<BYTE> odd = utf16(std::wstring(L"ab\0", 3));
    odd.push_back('c');
    const Case cases[] = {
        {utf16(std::wstring(L"\\??\\C:\\a\0\0\\??\\C:\\b\0!\\??\\C:\\c\0\0", 29)), {L"\\??\\C:\\a", L"\\??\\C:\\b", L"!\\??\\C:\\c"}},
        {utf16(std::wstring(L"\0\0a\0\0\0b\0", 8)), {L"a", L"b"}},
        {utf16(std::wstring(L"a\0b", 3)), {L"a", L"b"}},  // the last string lacks its NUL
        {odd, {L"ab"}},                                     // an odd last byte is no character
        {utf16(std::wstring(L"\0\0", 2)), {}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.strings, SplitMultiString(c.data.data(), c.data.size()));
    }
}

TEST(ControlSetPath, ReplacesEveryCurrentControlSet)
{
    std::wstring path = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
    EXPECT_TRUE(ReplaceControlSet(path, L"ControlSet001"));
    EXPECT_EQ(L"SYSTEM\\ControlSet001\\Control\\Session Manager", path);
    std::wstring twice = L"CurrentControlSet\\CurrentControlSet";
    EXPECT_TRUE(ReplaceControlSet(twice, L"ControlSet002"));
    EXPECT_EQ(L"ControlSet002\\ControlSet002", twice);
    std::wstring none = L"SYSTEM\\Select";
    EXPECT_FALSE(ReplaceControlSet(none, L"ControlSet001"));
    EXPECT_EQ(L"SYSTEM\\Select", none);
}

TEST(ControlSetName, IsThreeDigitsOrEmptyForZero)
{
    CRegistryUtils& utils = CRegistryUtils::getInstance();
    const wchar_t* const fn = L"CRegistryUtils::AssembleCurrentControlSetString";
    regtest::LogTail log;
    EXPECT_EQ(L"ControlSet001", utils.AssembleCurrentControlSetString(1));
    EXPECT_EQ(L"ControlSet012", utils.AssembleCurrentControlSetString(12));
    EXPECT_EQ(L"ControlSet1234", utils.AssembleCurrentControlSetString(1234));
    EXPECT_EQ(L"", utils.AssembleCurrentControlSetString(0));
    EXPECT_EQ((Lines{L"Assembled string: ControlSet001", L"Assembled string: ControlSet012",
                     L"Assembled string: ControlSet1234",
                     L"Failed to assemble current control set string, returning an empty string."}),
              log.messages(fn));
}

// On the real PendingFileRenameOperations of the prefix, kept and put back around each test.
// Windows reaches the current control set as ControlSet001 (SYSTEM\Select\Current = 1); Wine 8
// has only CurrentControlSet, so the test gives the prefix Windows' link.
class PendingRenamesTest : public ::testing::Test {
protected:
    PendingRenamesTest() { regtest::deleteValue(HKEY_LOCAL_MACHINE, kSessionManager, kRenames); }

    // Asks Windows to delete a new file of that name at the next start; the file's own name.
    std::wstring deleteAtRestart(const std::wstring& name)
    {
        const std::wstring file = dir_ / name;
        testfiles::writeBytes(file, "x");
        EXPECT_TRUE(MoveFileExW(file.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
        return L"\\??\\" + file;
    }

    regtest::SavedValue current_{HKEY_LOCAL_MACHINE, L"SYSTEM\\Select", L"Current"};
    regtest::SavedValue renames_{HKEY_LOCAL_MACHINE, kSessionManager, kRenames};
    regtest::KeyLink controlSet_{L"SYSTEM\\ControlSet001", L"\\Registry\\Machine\\System\\CurrentControlSet"};
    testfiles::ScratchDir dir_{L"renames"};
    CRegistryUtils& utils_ = CRegistryUtils::getInstance();
};

TEST_F(PendingRenamesTest, ARealDelayedDeletionIsFoundThroughTheNumberedControlSet)
{
    regtest::writeNumber(HKEY_LOCAL_MACHINE, L"SYSTEM\\Select", L"Current", 1);
    const std::wstring operation = deleteAtRestart(L"doomed.txt");
    regtest::LogTail log;
    EXPECT_TRUE(utils_.GetPendingFileRenames(L""));
    EXPECT_EQ((Lines{L"Getting PendingFileRenames status (PendingFileRenameOperations)...",
                     L"Path after replacement: " + kThroughSet1,
                     L"PendingFileRenameOperations found (not in exception list): " + operation}),
              log.messages(L"CRegistryUtils::GetPendingFileRenames"));
    EXPECT_EQ((Lines{L"Getting current control set number",
                     L"Getting current control set number 1 from registry key HKEY_LOCAL_MACHINE\\SYSTEM\\Select\\Current"}),
              log.messages(L"CRegistryUtils::GetCurrentControlSetNr"));
    const auto size = regtest::readValue(HKEY_LOCAL_MACHINE, kSessionManager, kRenames).data.size();
    EXPECT_EQ((Lines{L"Openning the following key: " + kThroughSet1,
                     L"Got the PendingFileRenameOperations key value size: " + std::to_wstring(size),
                     L"Got the PendingFileRenameOperations key value",
                     L"PendingFileRenameOperations found: " + operation}),
              log.messages(L"CRegistryUtils::ReadRegMultiKey"))
        << "the empty destination of the deletion is skipped";
}

TEST_F(PendingRenamesTest, IgnorePatternsDecide)
{
    const std::wstring doomed = deleteAtRestart(L"doomed.txt");
    const std::wstring source = dir_ / L"old.dll";
    const std::wstring target = dir_ / L"new.dll";
    testfiles::writeBytes(source, "x");
    ASSERT_TRUE(MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT));
    struct Case {
        const wchar_t* ignore;
        bool pending;
    };
    const Case cases[] = {
        {L"", true},
        {L"*doomed.txt", true},                          // the replacement is left
        {L"*doomed.txt|*old.dll|*new.dll", false},
        {L"*doomed.txt|*.dll", false},
        {L"*DOOMED.TXT|*.dll", true},                     // letter case matters
        {L"*doom??.txt|*\\???.dll", false},
        {L"doomed.txt|*.dll", true},                      // stored paths start with a prefix
        {L"|*doomed.txt||*.dll|", false},                 // empty pieces match nothing
        {L"||", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.pending, utils_.GetPendingFileRenames(c.ignore)) << c.ignore;
    }
    const std::wstring moved = L"\\??\\" + source;
    const std::wstring replacing = L"\\??\\" + target;
    auto compare = [](const std::wstring& pattern, const std::wstring& operation) {
        return L"Comparing Exception = Operation: " + pattern + L" = " + operation;
    };
    regtest::LogTail log;
    EXPECT_FALSE(utils_.GetPendingFileRenames(L"*doomed.txt|*.dll"));
    EXPECT_EQ((Lines{L"Getting PendingFileRenames status (PendingFileRenameOperations)...",
                     L"Path after replacement: " + kThroughSet1, compare(L"*doomed.txt", doomed),
                     compare(L"*doomed.txt", moved), compare(L"*.dll", moved), compare(L"*doomed.txt", replacing),
                     compare(L"*.dll", replacing), kNoneFound}),
              log.messages(L"CRegistryUtils::GetPendingFileRenames"));
}

TEST_F(PendingRenamesTest, WithoutAnyValueTheCheckWarnsAndSaysNo)
{
    regtest::LogTail log;
    std::vector<std::wstring> operations;
    EXPECT_EQ(-1, utils_.ReadRegMultiKey(kRenames, HKEY_LOCAL_MACHINE, kThroughSet1, operations));
    EXPECT_TRUE(operations.empty());
    EXPECT_EQ((Lines{L"Openning the following key: " + kThroughSet1,
                     L"Can't get size of the PendingFileRenameOperations key value",
                     L"The key is absent in the registry, not REG_MULTI_SZ type or an error has occured."}),
              log.messages(L"CRegistryUtils::ReadRegMultiKey"));
    EXPECT_FALSE(utils_.GetPendingFileRenames(L""));
    EXPECT_EQ(kWarning, log.messages(L"CRegistryUtils::GetPendingFileRenames").back());
}

TEST_F(PendingRenamesTest, UnusableValuesAndControlSetsAreNoPendingRenames)
{
    struct Case {
        const char* what;
        DWORD current;
        DWORD type;
        std::vector<BYTE> data;
        const wchar_t* readerLine;  // the last line of ReadRegMultiKey; nullptr: not called
        const wchar_t* checkLine;
    };
    const std::vector<BYTE> operation = utf16(std::wstring(L"\\??\\C:\\x\0\0", 10));
    const Case cases[] = {
        {"control set 0", 0, REG_MULTI_SZ, operation, nullptr, kWarning},
        {"control set 2 is missing", 2, REG_MULTI_SZ, operation,
         L"ERROR: Openning the following key: SYSTEM\\ControlSet002\\Control\\Session Manager", kWarning},
        {"a string, not a multi-string", 1, REG_SZ, operation, L"ERROR: Failed to get the key value", kWarning},
        {"no data", 1, REG_MULTI_SZ, {}, L"The key is absent in the registry, not REG_MULTI_SZ type or an error has occured.", kWarning},
        {"only empty strings", 1, REG_MULTI_SZ, {0, 0, 0, 0}, L"Got the PendingFileRenameOperations key value", kNoneFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        regtest::writeNumber(HKEY_LOCAL_MACHINE, L"SYSTEM\\Select", L"Current", c.current);
        regtest::writeValue(HKEY_LOCAL_MACHINE, kSessionManager, kRenames, c.type, c.data);
        regtest::LogTail log;
        EXPECT_FALSE(utils_.GetPendingFileRenames(L""));
        EXPECT_EQ(c.checkLine, log.messages(L"CRegistryUtils::GetPendingFileRenames").back());
        const Lines reader = log.messages(L"CRegistryUtils::ReadRegMultiKey");
        if (c.readerLine == nullptr) {
            EXPECT_TRUE(reader.empty());
        } else {
            ASSERT_FALSE(reader.empty());
            EXPECT_EQ(c.readerLine, reader.back());
        }
    }
}

}  // namespace
