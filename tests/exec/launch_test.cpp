// Which program a launch starts and what a failed start reports.
#include "ExecItems.h"
#include "ExecTestLog.h"
#include "exec/CCommandExecuter.h"
#include "exec/ProcessLaunch.h"

#include <gtest/gtest.h>

using execitems::ItemRecord;
using execitems::itemProgram;

namespace {

std::wstring systemMsiexec()
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\msiexec.exe";
}

// Makes a folder the current directory for its life.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& folder)
    {
        GetCurrentDirectoryW(MAX_PATH, previous_);
        SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryW(previous_); }

private:
    wchar_t previous_[MAX_PATH] = {};
};

}  // namespace

TEST(Launch, OnlyTheInstallerToolIsStartedFromTheSystemFolder)
{
    EXPECT_EQ(systemMsiexec(), ProcessLaunch::applicationName(L"MSIEXEC"));
    EXPECT_EQ(systemMsiexec(), ProcessLaunch::applicationName(L"MSIEXEC.EXE"));
    for (const wchar_t* exe : {L"MSIEXEC2", L"SETUP.EXE", L"C:\\TOOLS\\MSIEXEC.EXE", L"\"MSIEXEC\"", L""}) {
        SCOPED_TRACE(exe);
        EXPECT_EQ(L"", ProcessLaunch::applicationName(exe));
    }
}

TEST(Launch, FailedStartResultsAreFailures)
{
    struct Case {
        DWORD error;
        DWORD result;
    };
    for (const Case& c : {Case{ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND}, Case{ERROR_PATH_NOT_FOUND, 3},
                          Case{ERROR_BAD_EXE_FORMAT, ERROR_BAD_EXE_FORMAT}, Case{0, ERROR_GEN_FAILURE},
                          Case{ERROR_ACCESS_DENIED, 0x80070005u}, Case{3010, 0x80070BC2u}, Case{1641, 0x80070669u}}) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(c.result, ProcessLaunch::startFailureResult(c.error));
    }
}

// A file called msiexec.exe in the current folder is not what runs: the system's tool is.
// The stand-in would record its command line and exit with 77.
TEST(Launch, MsiexecIsTheSystemsEvenWithAStandInInTheCurrentFolder)
{
    ItemRecord record;
    ASSERT_TRUE(testfiles::copy(itemProgram(), record.dir() / L"msiexec.exe"));
    CurrentDirectory current(record.dir().path());
    execlog::LogWatch log;
    CCommandExecuter executer;
    const std::wstring args = L"/x {6C1E5F1A-0000-4000-8000-00000000ABCD} /qn exit=77";
    const DWORD result = executer.Execute(L"msiexec", L"", L"install", args, L"", L"", L"", L"");
    EXPECT_EQ(static_cast<DWORD>(ERROR_UNKNOWN_PRODUCT), result);
    EXPECT_TRUE(record.commandLines().empty());
    EXPECT_EQ(std::vector<std::wstring>{L"MSIEXEC " + args}, log.launched());
}
