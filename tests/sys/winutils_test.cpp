#include "sys/CWinUtils.h"
#include "sys/WindowsVersion.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

OSVERSIONINFOEXW version(DWORD platform, DWORD major, DWORD minor, DWORD build, const wchar_t* servicePack)
{
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    info.dwPlatformId = platform;
    info.dwMajorVersion = major;
    info.dwMinorVersion = minor;
    info.dwBuildNumber = build;
    wcsncpy(info.szCSDVersion, servicePack, 127);
    return info;
}

struct VersionCase {
    OSVERSIONINFOEXW info;
    int number;
    const wchar_t* name;
    int servicePack;
    bool supported;
};

const DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
const DWORD kNt = VER_PLATFORM_WIN32_NT;

TEST(WindowsVersionTable, NumbersNamesServicePacksAndSupport)
{
    const VersionCase cases[] = {
        {version(k9x, 4, 0, 950, L""), 1, L"Windows 95", 0, false},
        {version(k9x, 4, 0, 949, L""), 0, L"unknown Windows version", 0, false},
        {version(k9x, 4, 0, 951, L""), 2, L"Windows 95 SP1", 0, false},
        {version(k9x, 4, 0, 1080, L""), 2, L"Windows 95 SP1", 0, false},
        {version(k9x, 4, 3, 1081, L" B"), 3, L"Windows 95 OSR2", 0, false},
        {version(k9x, 4, 10, 1998, L""), 4, L"Windows 98", 0, false},
        {version(k9x, 4, 10, 1997, L""), 0, L"unknown Windows version", 0, false},
        {version(k9x, 4, 10, 0x04000000 | 2182, L""), 5, L"Windows 98 SP1", 0, false},
        {version(k9x, 4, 10, 2222, L" A "), 6, L"Windows 98 SE", 0, false},
        {version(k9x, 4, 90, 3000, L""), 7, L"Windows ME", 0, false},
        {version(kNt, 3, 51, 1057, L"Service Pack 5"), 101, L"Windows NT 3.51", 5, false},
        {version(kNt, 4, 0, 1381, L"Service Pack 6a"), 102, L"Windows NT 4", 6, false},
        {version(kNt, 5, 0, 2195, L"Service Pack 3"), 103, L"Windows 2000", 3, false},
        {version(kNt, 5, 0, 2195, L"Service Pack 4"), 103, L"Windows 2000", 4, true},
        {version(kNt, 5, 1, 2600, L""), 104, L"Windows XP", 0, false},
        {version(kNt, 5, 1, 2600, L"Service Pack 1"), 104, L"Windows XP", 1, true},
        {version(kNt, 5, 2, 3790, L"Service Pack 2"), 105, L"Windows Server 2003", 2, false},
        {version(kNt, 6, 0, 6002, L"Service Pack 2"), 106, L"Windows Vista/Longhorn", 2, true},
        {version(kNt, 6, 1, 7601, L"Service Pack 1"), 0, L"unknown Windows version", 1, true},
        {version(kNt, 6, 2, 9200, L""), 0, L"unknown Windows version", 0, true},
        {version(kNt, 10, 0, 19045, L""), 0, L"unknown Windows version", 0, false},
        {version(kNt, 10, 0, 19045, L"Update 12, rev 4"), 0, L"unknown Windows version", 12, true},
        {version(3, 5, 0, 0, L""), 201, L"Windows CE", 0, false},
    };
    for (const auto& c : cases) {
        const std::wstring label = std::to_wstring(c.info.dwMajorVersion) + L"." +
                                   std::to_wstring(c.info.dwMinorVersion) + L" " + c.info.szCSDVersion;
        EXPECT_EQ(c.number, WindowsVersion::Number(c.info)) << label.c_str();
        EXPECT_EQ(c.name, WindowsVersion::Name(WindowsVersion::Number(c.info))) << label.c_str();
        EXPECT_EQ(c.servicePack, WindowsVersion::ServicePack(c.info)) << label.c_str();
        EXPECT_EQ(c.supported, WindowsVersion::Supported(c.info)) << label.c_str();
    }
}

TEST(WinUtils, BitnessFollowsThePrefix)
{
    CWinUtils utils;
    EXPECT_EQ(testplatform::onWin64Prefix(), utils.isRunningOn64BitOS());
}

TEST(WinUtils, WineUserIsAnAdministrator)
{
    CWinUtils utils;
    EXPECT_TRUE(utils.IsAdmin());
}

TEST(WinUtils, DiscSpaceMustBeStrictlyLessThanTheFreeSpace)
{
    // Another process may write meanwhile: repeat until the free space held still around the check.
    for (int attempt = 0; attempt < 10; ++attempt) {
        ULARGE_INTEGER available, total, before, after;
        ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &before));
        CWinUtils utils;
        const int64_t free = static_cast<int64_t>(before.QuadPart);
        const bool below = utils.IsDiscSpaceAvailable("C:\\", free - 1);
        const bool equal = utils.IsDiscSpaceAvailable("C:\\", free);
        const bool above = utils.IsDiscSpaceAvailable("C:\\", free + 1);
        GetDiskFreeSpaceExA("C:\\", &available, &total, &after);
        if (before.QuadPart != after.QuadPart) {
            continue;
        }
        EXPECT_TRUE(below);
        EXPECT_FALSE(equal);
        EXPECT_FALSE(above);
        return;
    }
    FAIL() << "free space never held still";
}

TEST(WinUtils, ADriveThatDoesNotExistIsNeverEnough)
{
    CWinUtils fresh;
    EXPECT_FALSE(fresh.IsDiscSpaceAvailable("Q:\\", 0));

    // After a successful query the object keeps judging on its last result.
    CWinUtils used;
    ASSERT_TRUE(used.IsDiscSpaceAvailable("C:\\", 1));
    EXPECT_FALSE(used.SetDiscSpaceInformation("Q:\\"));
    EXPECT_TRUE(used.IsDiscSpaceAvailable("Q:\\", 1));
}

TEST(WinUtils, CurrentDirectoryAndProfile)
{
    testfiles::ScratchDir dir(L"cd");
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    CWinUtils utils;
    EXPECT_TRUE(utils.SetCurrentDir(dir.path()));
    wchar_t now[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, now);
    EXPECT_EQ(dir.path(), std::wstring(now) + L"\\");
    EXPECT_FALSE(utils.SetCurrentDir(dir / L"absent"));
    SetCurrentDirectoryW(before);

    const std::wstring profile = utils.GetCurrentUserDir();
    EXPECT_FALSE(profile.empty());
    EXPECT_TRUE(testfiles::exists(profile));
}

}  // namespace
