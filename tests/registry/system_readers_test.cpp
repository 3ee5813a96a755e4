// What Windows itself reads of Setup's values: the run-once entry and the pending renames,
// which Wine handles when a program asks for a restart.
#include "SetupKeys.h"
#include "SystemReaders.h"
#include "registry/CRegistryUtils.h"
#include "support/RegTestLog.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace setupkeys;

namespace {

class SystemReadersTest : public ::testing::Test {
protected:
    Clean clean_;
    // Windows reaches the current control set through its number; Wine 8 has no numbered set.
    regtest::KeyLink controlSet_{L"SYSTEM\\ControlSet001", L"\\Registry\\Machine\\System\\CurrentControlSet"};
    CRegistryUtils& utils_ = CRegistryUtils::getInstance();
    testfiles::ScratchDir dir_{L"restart"};
};

TEST_F(SystemReadersTest, ARestartRunsTheRunOnceEntryAndThePendingRenames)
{
    // The item program records its command line in items.record beside itself.
    ASSERT_TRUE(testfiles::copy(testfiles::binDir() + L"itemprog.exe", dir_ / L"itemprog.exe"));
    const std::wstring command = L"\"" + (dir_ / L"itemprog.exe") + L"\" /startup exit=0";
    ASSERT_TRUE(utils_.SetRunValue(command));
    const std::wstring doomed = dir_ / L"doomed.txt";
    testfiles::writeBytes(doomed, "x");
    ASSERT_TRUE(MoveFileExW(doomed.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    ASSERT_TRUE(utils_.GetPendingFileRenames(L""));

    ASSERT_TRUE(systemreaders::restartWindows());
    const std::wstring record = dir_ / L"items.record";
    ASSERT_TRUE(systemreaders::waitFor([&] { return testfiles::exists(record); })) << "the entry did not run";
    EXPECT_TRUE(systemreaders::waitFor([&] { return !testfiles::exists(doomed); })) << "the rename did not run";
    // "<command line>|<folder>": the command exactly as Setup wrote it, nothing after it.
    const std::string recorded = testfiles::readBytes(record);
    EXPECT_EQ(std::string(command.begin(), command.end()), recorded.substr(0, recorded.find('|')));
    std::wstring left;
    EXPECT_FALSE(utils_.GetRunValue(left)) << "Windows removes the entry it ran";
    EXPECT_FALSE(utils_.GetPendingFileRenames(L""));
}

}  // namespace
