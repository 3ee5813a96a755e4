// The run-once entry: its hive, its name, its operations, and where it lands on both prefixes.
#include "SetupKeys.h"
#include "registry/CRegistryUtils.h"
#include "registry/RunOnceEntry.h"
#include "support/ProcessRun.h"
#include "support/RegTestLog.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using namespace setupkeys;
using Lines = std::vector<std::wstring>;

namespace {

const std::wstring kRunOnceLiteral = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

OSVERSIONINFOEXW version(DWORD platform, DWORD major, DWORD minor)
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwPlatformId = platform;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    return info;
}

TEST(RunOnceHive, MachineOnlyOnNtVersionSix)
{
    struct Case {
        DWORD platform, major, minor;
        HKEY hive;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32_NT, 6, 0, HKEY_LOCAL_MACHINE},     // Vista
        {VER_PLATFORM_WIN32_NT, 6, 1, HKEY_LOCAL_MACHINE},     // 7
        {VER_PLATFORM_WIN32_NT, 6, 3, HKEY_LOCAL_MACHINE},     // 8.1
        {VER_PLATFORM_WIN32_NT, 5, 1, HKEY_CURRENT_USER},      // XP
        {VER_PLATFORM_WIN32_NT, 5, 0, HKEY_CURRENT_USER},      // 2000
        {VER_PLATFORM_WIN32_NT, 10, 0, HKEY_CURRENT_USER},     // 10
        {VER_PLATFORM_WIN32_WINDOWS, 6, 0, HKEY_CURRENT_USER},  // not NT
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.hive, RunOnceEntry::HiveFor(version(c.platform, c.major, c.minor)))
            << c.platform << " " << c.major << "." << c.minor;
    }
}

TEST(RunOnceName, IsTheProgramFileNameWithoutExtension)
{
    EXPECT_EQ(L"Setup", RunOnceEntry::ValueNameFor(L"C:\\windows\\Installer\\{X}\\Setup.exe"));
    EXPECT_EQ(L"Setup", RunOnceEntry::ValueNameFor(L"Setup.exe"));
    EXPECT_EQ(L"my.setup", RunOnceEntry::ValueNameFor(L"D:/cd.rom/my.setup.exe"));
    EXPECT_EQ(L"Setup", RunOnceEntry::ValueNameFor(L"Setup"));
}

// The prefixes report Windows 7: the entry lives under HKEY_LOCAL_MACHINE.
class RunOnceTest : public ::testing::Test {
protected:
    Clean clean_;
    CRegistryUtils& utils_ = CRegistryUtils::getInstance();
    const std::wstring name_ = runValueName();
};

TEST_F(RunOnceTest, SetThenGetGivesTheSameCommandLineWithTheirLogLines)
{
    const std::wstring command = L"\"C:\\windows\\Installer\\x\\Setup.exe\" /startup /fInst";
    regtest::LogTail log;
    EXPECT_TRUE(utils_.SetRunValue(command));
    std::wstring read;
    EXPECT_TRUE(utils_.GetRunValue(read));
    EXPECT_EQ(command, read);
    EXPECT_EQ((Lines{L"Setting run value to \"" + command + L"\"",
                     L"Successfully set run value " + command + L" to registry key HKEY_LOCAL_MACHINE\\" +
                         kRunOnceLiteral}),
              log.messages(L"CRegistryUtils::SetRunValue"));
    EXPECT_EQ((Lines{L"RunValue found...", L"Reference updated with value " + command}),
              log.messages(L"CRegistryUtils::GetRunValue"));
}

TEST_F(RunOnceTest, TheDefaultCommandStartsThePermanentCopyWithStartup)
{
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring expected =
        L"\"" + std::wstring(windows) + L"\\Installer\\" + kGuid + L"\\Setup.exe\" /startup";
    regtest::LogTail log;
    EXPECT_TRUE(utils_.SetRunValue());
    EXPECT_EQ(expected, regtest::readString(HKEY_LOCAL_MACHINE, kRunOnce, name_));
    EXPECT_EQ((Lines{L"Successfully set run value " + expected + L" to registry key HKEY_LOCAL_MACHINE\\" +
                     kRunOnceLiteral}),
              log.messages(L"CRegistryUtils::SetRunValue"));
}

TEST_F(RunOnceTest, AnEmptyOrMissingValueIsNotARunValue)
{
    std::wstring read = L"untouched";
    {
        regtest::LogTail log;
        EXPECT_FALSE(utils_.GetRunValue(read));
        EXPECT_EQ(L"untouched", read);
        EXPECT_EQ((Lines{L"RunValue NOT found..."}), log.messages(L"CRegistryUtils::GetRunValue"));
        EXPECT_FALSE(regtest::valueExists(HKEY_LOCAL_MACHINE, kRunOnce, name_)) << "nothing created";
    }
    regtest::writeString(HKEY_LOCAL_MACHINE, kRunOnce, name_, L"");
    regtest::LogTail log;
    EXPECT_FALSE(utils_.GetRunValue(read));
    EXPECT_EQ(L"", read);
    EXPECT_EQ((Lines{L"RunValue found...", L"Key found but is empty..."}), log.messages(L"CRegistryUtils::GetRunValue"));
}

TEST_F(RunOnceTest, DeleteRemovesTheValueAndSucceedsWhenThereIsNone)
{
    utils_.SetRunValue(L"x");
    {
        regtest::LogTail log;
        EXPECT_TRUE(utils_.DeleteRunValue());
        EXPECT_EQ((Lines{L"Deleting run value...", L"Successfully deleted run value"}),
                  log.messages(L"CRegistryUtils::DeleteRunValue"));
    }
    EXPECT_FALSE(regtest::valueExists(HKEY_LOCAL_MACHINE, kRunOnce, name_));
    regtest::LogTail log;
    EXPECT_TRUE(utils_.DeleteRunValue());
    EXPECT_EQ((Lines{L"Deleting run value...", L"Successfully deleted run value"}),
              log.messages(L"CRegistryUtils::DeleteRunValue"));
}

TEST_F(RunOnceTest, AValueInTheOtherHiveIsNeitherSeenNorRemoved)
{
    regtest::writeString(HKEY_CURRENT_USER, kRunOnce, name_, L"left by XP");
    std::wstring read;
    EXPECT_FALSE(utils_.GetRunValue(read));
    EXPECT_TRUE(utils_.DeleteRunValue());
    EXPECT_EQ(L"left by XP", regtest::readString(HKEY_CURRENT_USER, kRunOnce, name_));
}

TEST_F(RunOnceTest, AnUnopenableRunOnceKeyFailsEachOperation)
{
    regtest::writeString(HKEY_LOCAL_MACHINE, kRunOnce, name_, L"kept");
    regtest::ReadOnlyKey locked(HKEY_LOCAL_MACHINE, kRunOnce);
    ASSERT_TRUE(locked.locked());
    regtest::LogTail log;
    std::wstring read = L"untouched";
    EXPECT_FALSE(utils_.GetRunValue(read));
    EXPECT_EQ(L"untouched", read);
    EXPECT_EQ((Lines{L"reg_open_key_failure exception caught"}), log.messages(L"CRegistryUtils::GetRunValue"));
    EXPECT_FALSE(utils_.SetRunValue());
    EXPECT_FALSE(utils_.SetRunValue(L"x"));
    EXPECT_EQ(L"ERROR: Unknown exception caught!", log.messages(L"CRegistryUtils::SetRunValue").back());
    EXPECT_FALSE(utils_.DeleteRunValue());
    EXPECT_EQ(L"ERROR: Unknown exception caught!", log.messages(L"CRegistryUtils::DeleteRunValue").back());
    EXPECT_EQ(L"kept", regtest::readString(HKEY_LOCAL_MACHINE, kRunOnce, name_));
}

// A 32-bit program's HKEY_LOCAL_MACHINE\SOFTWARE is WOW6432Node on a 64-bit Windows.
TEST_F(RunOnceTest, TheMachineEntryLandsInTheViewOfTheProgram)
{
    ASSERT_TRUE(utils_.SetRunValue(L"probe"));
    expectInOwnViewOnly(kRunOnce, name_, L"probe");
}

// The probe program runs the operations under the Windows version Wine reports to it alone.
class RunOnceVersionTest : public RunOnceTest {
protected:
    ~RunOnceVersionTest() override
    {
        setWineVersionFor(L"RegProbe.exe", L"");
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            regtest::deleteValue(HKEY_LOCAL_MACHINE, kRunOnce, L"RegProbe", view);
        }
        regtest::deleteValue(HKEY_CURRENT_USER, kRunOnce, L"RegProbe");
    }

    // The probe's result and the text it read.
    std::pair<bool, std::wstring> probe(const std::wstring& arguments)
    {
        const std::wstring file = dir_ / L"result.txt";
        DeleteFileW(file.c_str());
        ProcessRun run(L"RegProbe.exe", L"\"" + file + L"\" " + arguments);
        EXPECT_EQ(0u, run.wait()) << arguments;
        const std::string bytes = testfiles::readBytes(file);
        const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
        return {text.substr(0, 1) == L"1", text.size() > 2 ? text.substr(2) : std::wstring()};
    }

    testfiles::ScratchDir dir_{L"probe"};
};

TEST_F(RunOnceVersionTest, WindowsXpKeepsTheEntryForTheCurrentUser)
{
    setWineVersionFor(L"RegProbe.exe", L"winxp");
    regtest::writeString(HKEY_LOCAL_MACHINE, kRunOnce, L"RegProbe", L"left by Vista");
    EXPECT_TRUE(probe(L"set \"C:\\Setup.exe /startup\"").first);
    EXPECT_EQ(L"C:\\Setup.exe /startup", regtest::readString(HKEY_CURRENT_USER, kRunOnce, L"RegProbe"));
    EXPECT_EQ(L"left by Vista", regtest::readString(HKEY_LOCAL_MACHINE, kRunOnce, L"RegProbe"));
    EXPECT_EQ((std::pair<bool, std::wstring>{true, L"C:\\Setup.exe /startup"}), probe(L"get"));
    EXPECT_TRUE(probe(L"delete").first);
    EXPECT_FALSE(regtest::valueExists(HKEY_CURRENT_USER, kRunOnce, L"RegProbe"));
    EXPECT_EQ(L"left by Vista", regtest::readString(HKEY_LOCAL_MACHINE, kRunOnce, L"RegProbe"));
    EXPECT_FALSE(probe(L"get").first) << "the machine's value is not seen";
}

TEST_F(RunOnceVersionTest, VistaAndSevenKeepTheEntryForTheMachine)
{
    for (const wchar_t* windows : {L"vista", L"win7"}) {
        SCOPED_TRACE(windows);
        setWineVersionFor(L"RegProbe.exe", windows);
        regtest::writeString(HKEY_CURRENT_USER, kRunOnce, L"RegProbe", L"left by XP");
        EXPECT_TRUE(probe(L"set run").first);
        EXPECT_EQ(L"run", regtest::readString(HKEY_LOCAL_MACHINE, kRunOnce, L"RegProbe"));
        EXPECT_EQ((std::pair<bool, std::wstring>{true, L"run"}), probe(L"get"));
        EXPECT_TRUE(probe(L"delete").first);
        EXPECT_FALSE(regtest::valueExists(HKEY_LOCAL_MACHINE, kRunOnce, L"RegProbe"));
        EXPECT_EQ(L"left by XP", regtest::readString(HKEY_CURRENT_USER, kRunOnce, L"RegProbe"));
    }
}

}  // namespace
