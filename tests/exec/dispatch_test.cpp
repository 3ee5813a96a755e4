// Item dispatch and process launch with the real item program.
#include "ExecItems.h"
#include "ExecTestLog.h"
#include "exec/CCommandExecuter.h"
#include "exec/ExecText.h"

#include <gtest/gtest.h>

using execitems::ItemRecord;
using execitems::itemProgram;
using execlog::LogWatch;

namespace {

DWORD runItem(const std::wstring& exe, const std::wstring& wait, const std::wstring& mode, const std::wstring& args,
              bool overload = false)
{
    CCommandExecuter executer;
    executer.overloadMode = overload;
    return executer.Execute(exe, wait, mode, args, L"", L"", L"", L"");
}

std::wstring upper(const std::wstring& text)
{
    return ExecText::upper(text);
}

}  // namespace

TEST(Dispatch, InstallModeInAnyLetterCaseStartsTheProgram)
{
    for (const wchar_t* mode : {L"INSTALL", L"install", L"Install", L"iNSTALl"}) {
        SCOPED_TRACE(mode);
        ItemRecord record;
        EXPECT_EQ(7u, runItem(itemProgram(), L"", mode, L"exit=7"));
        EXPECT_EQ(1u, record.commandLines().size());
    }
}

TEST(Dispatch, UnknownOrEmptyModeStartsNothing)
{
    for (const wchar_t* mode : {L"", L"run", L"INSTALL ", L"UNINSTALL", L"EXEC"}) {
        SCOPED_TRACE(mode);
        ItemRecord record;
        LogWatch log;
        EXPECT_EQ(0u, runItem(itemProgram(), L"", mode, L"exit=7"));
        EXPECT_TRUE(log.launched().empty());
        EXPECT_TRUE(record.commandLines().empty());
    }
}

TEST(Dispatch, LogsItsArgumentsWithTheSwitchValuesUpperCased)
{
    LogWatch log;
    CCommandExecuter executer;
    executer.inInstallState = true;
    executer.Execute(L"nothing.exe", L"false", L"none", L"/q Mixed", L"{abc}", L"{def}", L"1.0a", L"2.0b");
    const auto messages = log.messagesOf(L"CCommandExecuter::Execute");
    const std::vector<std::wstring> expected = {
        L"Execute(strExe=\"nothing.exe\", strWait=\"FALSE\", strMode=\"NONE\", strArgs=\"/q Mixed\", "
        L"strCheck=\"{ABC}\", strUpgrade=\"{DEF}\", strFromVer=\"1.0A\", strToVer=\"2.0B\")",
        L"inInstallState=\"TRUE\", overloadMode=\"FALSE\"",
        L"Passing arguments down to correct method",
    };
    EXPECT_EQ(expected, messages);
}

// The program exits with 9 after a while: a waited item returns 9, an item not waited for 0.
TEST(Dispatch, OnlyFalseInAnyCaseMeansDoNotWait)
{
    struct Case {
        const wchar_t* wait;
        DWORD result;
    };
    for (const Case& c : {Case{L"FALSE", 0}, Case{L"false", 0}, Case{L"FaLsE", 0}, Case{L"no", 9}, Case{L"0", 9},
                          Case{L"", 9}, Case{L"TRUE", 9}, Case{L"FALSE ", 9}}) {
        SCOPED_TRACE(c.wait);
        ItemRecord record;
        LogWatch log;
        EXPECT_EQ(c.result, runItem(itemProgram(), c.wait, L"INSTALL", L"exit=9 delay=1500"));
        const bool waited = c.result != 0;
        EXPECT_EQ(waited, log.contains(L"Waiting for process to return..."));
        EXPECT_EQ(!waited, log.contains(L"Will not wait for this process to return"));
        EXPECT_TRUE(record.waitFor(1));
    }
}

TEST(Dispatch, OverloadModeNeverWaits)
{
    ItemRecord record;
    LogWatch log;
    EXPECT_EQ(0u, runItem(itemProgram(), L"TRUE", L"INSTALL", L"exit=9 delay=1500", true));
    const auto messages = log.messagesOf(L"CCommandExecuter::ExecuteProcess");
    ASSERT_GE(messages.size(), 4u);
    EXPECT_EQ(L"Overriding value of bWaitFlag flag due that overloadMode is set. ", messages[1]);
    EXPECT_EQ(L"bWaitFlag=FALSE", messages[2]);
    EXPECT_TRUE(log.contains(L"Will not wait for this process to return"));
    EXPECT_TRUE(record.waitFor(1));
}

TEST(Dispatch, OnlyTheProgramNameIsUpperCased)
{
    ItemRecord record;
    LogWatch log;
    EXPECT_EQ(0u, runItem(itemProgram(), L"", L"INSTALL", L"/s Path=C:\\Mixed\\Case"));
    const std::wstring line = upper(itemProgram()) + L" /s Path=C:\\Mixed\\Case";
    EXPECT_EQ(std::vector<std::wstring>{line}, log.launched());
    EXPECT_EQ(std::vector<std::wstring>{line}, record.commandLines());
    EXPECT_TRUE(log.contains(L"ExecuteProcess(strExe=\"" + upper(itemProgram()) +
                             L"\", strArgs=\"/s Path=C:\\Mixed\\Case\", bWaitFlag=\"TRUE\")"));
}

TEST(Dispatch, EmptyArgumentsLeaveTheTrailingSpace)
{
    ItemRecord record;
    LogWatch log;
    EXPECT_EQ(0u, runItem(itemProgram(), L"", L"INSTALL", L""));
    EXPECT_EQ(std::vector<std::wstring>{upper(itemProgram()) + L" "}, log.launched());
}

TEST(Dispatch, AProgramPathWithSpacesIsPassedUnquoted)
{
    ItemRecord record;
    const std::wstring folder = record.dir() / L"folder with spaces";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring program = folder + L"\\item prog.exe";
    ASSERT_TRUE(testfiles::copy(itemProgram(), program));
    LogWatch log;
    EXPECT_EQ(3u, runItem(program, L"", L"INSTALL", L"exit=3"));
    EXPECT_EQ(std::vector<std::wstring>{upper(program) + L" exit=3"}, log.launched());
    // Windows hands the line over as it is; Wine puts the program name it found in quotes.
    ASSERT_EQ(1u, record.commandLines().size());
    const std::wstring seen = record.commandLines()[0];
    EXPECT_TRUE(seen == upper(program) + L" exit=3" || seen == L"\"" + upper(program) + L"\" exit=3") << seen;
    // Quoting belongs to the value when it is wanted.
    EXPECT_EQ(4u, runItem(L"\"" + program + L"\"", L"", L"INSTALL", L"exit=4"));
    EXPECT_EQ(L"\"" + upper(program) + L"\" exit=4", record.commandLines().back());
}

TEST(Dispatch, ExitCodesPassUnchanged)
{
    struct Case {
        DWORD code;
        const wchar_t* line;
    };
    for (const Case& c : {Case{0, L"Successfully exited with code: 0"},
                          Case{3010, L"Successfully exited with code: 3010"},
                          Case{1641, L"Successfully exited with code: 1641"},
                          Case{1603, L"Returned with exit code: 1603"}, Case{5, L"Returned with exit code: 5"}}) {
        SCOPED_TRACE(c.line);
        ItemRecord record;
        LogWatch log;
        EXPECT_EQ(c.code, runItem(itemProgram(), L"", L"INSTALL", L"exit=" + std::to_wstring(c.code)));
        EXPECT_TRUE(log.contains(c.line));
        EXPECT_TRUE(log.contains(L"Closing process handles"));
    }
}

// A program that cannot be started is a failure, not a success: the Windows error of the start.
TEST(Dispatch, AMissingProgramReturnsTheErrorOfTheFailedStart)
{
    testfiles::ScratchDir dir(L"missing");
    LogWatch log;
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), runItem(dir / L"absent.exe", L"", L"INSTALL", L"/s"));
    EXPECT_TRUE(log.contains(L"Launching process failed!"));
    EXPECT_FALSE(log.contains(L"Waiting for process to return..."));
    // Not waiting changes nothing: the start itself failed.
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), runItem(dir / L"absent.exe", L"FALSE", L"INSTALL", L""));
}

// A folder cannot be started (Windows: access denied, 5); whatever the error, the result must not
// read as "cancelled" (5), success or "nothing installed".
TEST(Dispatch, AFailedStartNeverReadsAsSuccessOrCancel)
{
    testfiles::ScratchDir dir(L"folder");
    const std::wstring folder = dir / L"folder.exe";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    LogWatch log;
    const DWORD result = runItem(folder, L"", L"INSTALL", L"");
    EXPECT_TRUE(log.contains(L"Launching process failed!"));
    for (DWORD special : {0u, 5u, 3010u, 1641u, 0xFFFFFFFFu}) {
        EXPECT_NE(special, result);
    }
}
