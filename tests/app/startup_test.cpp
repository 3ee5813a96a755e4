#include "support/SetupRunner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const wchar_t* const kMutexName = L"{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";

bool contains(const std::vector<std::wstring>& messages, const std::wstring& message)
{
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST(Startup, LogsItsArgumentsAndEndsWithExitCodeZero)
{
    SetupRunner setup;
    setup.writeIni(L"app_name=Demo Suite");
    ASSERT_EQ(0u, setup.run(L"/uninstall \"two words\""));

    const auto messages = setup.logMessages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(L"Singleton Class Created, Logging enabled", messages.front());
    EXPECT_TRUE(contains(messages, L"Nr of args:  3"));
    EXPECT_TRUE(contains(messages, L"__targs[0]: " + setup.setupPath()));
    EXPECT_TRUE(contains(messages, L"__targs[1]: /uninstall"));
    EXPECT_TRUE(contains(messages, L"__targs[2]: two words"));
    EXPECT_EQ(L"Destroying Singleton Class. Trying to close Logfile", messages.back());

    // The parse that configures the log runs before logging is on: its own lines never appear.
    for (const auto& m : messages) {
        EXPECT_EQ(std::wstring::npos, m.find(L"Ini reader created")) << m;
    }
    const auto lines = setup.logLines();
    EXPECT_EQ(L"CSetupApp::InitInstance", logFunctionOf(lines[1]));
}

TEST(Startup, ASecondInstanceOnlyLogsAndLeaves)
{
    HANDLE first = CreateMutexW(nullptr, FALSE, kMutexName);
    ASSERT_NE(nullptr, first);
    SetupRunner setup;
    setup.writeIni(L"");
    const DWORD code = setup.run(L"");
    CloseHandle(first);

    EXPECT_EQ(0u, code);
    const std::vector<std::wstring> expected = {L"Singleton Class Created, Logging enabled",
                                                L"One instance is already running. Exit.",
                                                L"Destroying Singleton Class. Trying to close Logfile"};
    EXPECT_EQ(expected, setup.logMessages());
}

TEST(Startup, NoLogUnlessTheSetupFileAsksForIt)
{
    SetupRunner setup;
    testfiles::writeText(setup.folder() + L"Setup.ini", L"[Settings]\r\nlog_enabled=FALSE\r\nlog_filename=" +
                                                            setup.logPath() + L"\r\n");
    EXPECT_EQ(0u, setup.run(L""));
    EXPECT_FALSE(testfiles::exists(setup.logPath()));
}

}  // namespace
