#include "log/CLog.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using testfiles::ScratchDir;

namespace {

SYSTEMTIME at(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms)
{
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    t.wMilliseconds = ms;
    return t;
}

struct EntryCase {
    SYSTEMTIME time;
    std::wstring function;
    int line;
    std::wstring expected;
};

TEST(LogEntry, LayoutFillsWidthsAndWritesLongNamesWhole)
{
    const std::wstring name40(40, L'N');
    const std::wstring name41(41, L'M');
    const std::vector<EntryCase> cases = {
        {at(2026, 3, 15, 14, 3, 9, 45), L"CStateHandler::Run", 812,
         L"20260315 14:03:09.045 CStateHandler::Run                       (L:812) [88][96] ==> Run()"},
        {at(2027, 1, 4, 9, 5, 3, 7), L"CStateHandler::Run", 7,
         L"20270104 09:05:03.007 CStateHandler::Run                       (L:7) [88][96] ==> Run()"},
        {at(2026, 12, 31, 23, 59, 59, 999), name40, 1, L"20261231 23:59:59.999 " + name40 + L" (L:1) [88][96] ==> Run()"},
        {at(2026, 12, 31, 0, 0, 0, 0), name41, -3, L"20261231 00:00:00.000 " + name41 + L" (L:-3) [88][96] ==> Run()"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, CLog::formatEntry(c.time, c.function, c.line, 88, 96, L"==> Run()"));
    }
}

class LogFile : public ::testing::Test {
protected:
    ScratchDir dir{L"log"};
    std::wstring path = dir / L"setup.log";

    std::string bytes() const { return testfiles::readBytes(path); }
    std::vector<std::wstring> messages() const
    {
        std::vector<std::wstring> result;
        for (const auto& line : testfiles::readLines(path)) {
            const size_t ids = line.find(L"] ", line.find(L" (L:"));
            result.push_back(ids == std::wstring::npos ? line : line.substr(ids + 2));
        }
        return result;
    }
};

TEST_F(LogFile, EnabledInAnyLetterCaseWritesHeaderEntriesAndClosingLineWithCrLf)
{
    for (const wchar_t* enabled : {L"TRUE", L"true", L"True"}) {
        {
            CLog log(LogSettings{enabled, L"", path});
            EXPECT_TRUE(log.write(L"Test::Case", 12, L"hello"));
        }
        const std::vector<std::wstring> expected = {L"Singleton Class Created, Logging enabled", L"hello",
                                                    L"Destroying Singleton Class. Trying to close Logfile"};
        EXPECT_EQ(expected, messages()) << enabled;
        const std::string content = bytes();
        EXPECT_NE(std::string::npos, content.find("Test::Case                               (L:12) ["));
        EXPECT_EQ("\r\n", content.substr(content.size() - 2));
        EXPECT_EQ(std::string::npos, content.find("\n\n"));
    }
}

TEST_F(LogFile, AnythingButTrueWritesNothing)
{
    for (const wchar_t* enabled : {L"", L"FALSE", L"yes", L"1", L"TRUE "}) {
        {
            CLog log(LogSettings{enabled, L"TRUE", path});
            EXPECT_FALSE(log.isEnabled());
            EXPECT_TRUE(log.write(L"Test::Case", 1, L"dropped"));
        }
        EXPECT_FALSE(testfiles::exists(path)) << enabled;
    }
}

TEST_F(LogFile, AppendKeepsEarlierRunsOverwriteEmptiesTheFile)
{
    { CLog log(LogSettings{L"TRUE", L"", path}); log.write(L"F", 1, L"first run"); }
    { CLog log(LogSettings{L"TRUE", L"true", path}); log.write(L"F", 1, L"second run"); }
    auto all = messages();
    EXPECT_EQ(6u, all.size());
    EXPECT_EQ(L"first run", all[1]);
    EXPECT_EQ(L"second run", all[4]);

    { CLog log(LogSettings{L"TRUE", L"no", path}); log.write(L"F", 1, L"third run"); }
    all = messages();
    ASSERT_EQ(3u, all.size());
    EXPECT_EQ(L"third run", all[1]);
}

TEST_F(LogFile, EmptyOrUnreachableFileNameStaysEnabledButWritesNowhere)
{
    for (const std::wstring& name : {std::wstring(), dir / L"missing\\folder\\setup.log"}) {
        CLog log(LogSettings{L"TRUE", L"", name});
        EXPECT_TRUE(log.isEnabled());
        EXPECT_TRUE(log.write(L"F", 1, L"goes nowhere"));
    }
    EXPECT_FALSE(testfiles::exists(dir / L"missing"));
}

TEST_F(LogFile, CharactersOutsideTheCodePageBecomeTheDefaultCharacter)
{
    {
        CLog log(LogSettings{L"TRUE", L"", path});
        log.write(L"F", 1, L"A\x4E2D\x6587Z");  // two CJK characters, not in an ANSI Latin code page
    }
    const std::string content = bytes();
    ASSERT_EQ(1252u, GetACP());
    EXPECT_NE(std::string::npos, content.find("] A??Z\r\n"));
}

TEST_F(LogFile, EntriesOfManyThreadsNeverInterleave)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    const int threads = 8;
    const int perThread = 200;
    {
        CLog log(LogSettings{L"TRUE", L"", path});
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([&log, t] {
                for (int i = 0; i < perThread; ++i) {
                    log.write(L"Worker", i, L"thread " + std::to_wstring(t) + L" entry " + std::to_wstring(i) +
                                                std::wstring(60, L'x'));
                }
            });
        }
        for (auto& w : workers) {
            w.join();
        }
    }
    const auto lines = testfiles::readLines(path);
    ASSERT_EQ(static_cast<size_t>(threads * perThread + 2), lines.size());
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(L"Worker", lines[i].substr(22, 6)) << lines[i];
        EXPECT_EQ(std::wstring(60, L'x'), lines[i].substr(lines[i].size() - 60)) << lines[i];
    }
}

}  // namespace
