#include "support/ProcessRun.h"
#include "support/SetupRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using testfiles::ScratchDir;

namespace {

std::wstring permanentFolder()
{
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    return std::wstring(windows) + L"\\Installer\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
}

std::wstring readMultiString(HKEY root, const wchar_t* path, const wchar_t* name)
{
    HKEY key = nullptr;
    std::wstring data;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return data;
    }
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        data.resize(size / sizeof(wchar_t));
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size);
    }
    RegCloseKey(key);
    return data;
}

const wchar_t* const kSessionManager = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";

// A program with the self-copy operations, started from a scratch folder with its companions.
class SelfCopy : public ::testing::Test {
protected:
    ScratchDir dir{L"copy"};

    void SetUp() override
    {
        testfiles::removeTree(permanentFolder());
        testfiles::copy(testfiles::binDir() + L"selfcopy.exe", dir / L"selfcopy.exe");
        testfiles::writeBytes(dir / L"Ombrisk.dll", "ombrisk");
        testfiles::writeBytes(dir / L"Pictavo.dll", "pictavo");
        testfiles::writeText(dir / L"selfcopy.ini",
                             L"[Settings]\r\nlog_enabled=TRUE\r\nlog_filename=" + (dir / L"copy.log") + L"\r\n");
    }
    void TearDown() override { testfiles::removeTree(permanentFolder()); }

    DWORD run(const std::wstring& program, const std::wstring& operation)
    {
        ProcessRun process(program, operation);
        return process.wait();
    }
    std::vector<std::wstring> messages() const
    {
        std::vector<std::wstring> result;
        for (const auto& line : testfiles::readLines(dir / L"copy.log")) {
            result.push_back(logMessageOf(line));
        }
        return result;
    }
    bool logged(const std::wstring& message) const
    {
        const auto all = messages();
        return std::find(all.begin(), all.end(), message) != all.end();
    }
};

TEST_F(SelfCopy, CopiesProgramLibrariesAndSetupFileInOrder)
{
    ASSERT_EQ(0u, run(dir / L"selfcopy.exe", L"copy"));
    const std::wstring target = permanentFolder();
    EXPECT_EQ(testfiles::readBytes(dir / L"selfcopy.exe"), testfiles::readBytes(target + L"\\selfcopy.exe"));
    EXPECT_EQ("ombrisk", testfiles::readBytes(target + L"\\Ombrisk.dll"));
    EXPECT_EQ("pictavo", testfiles::readBytes(target + L"\\Pictavo.dll"));
    EXPECT_TRUE(testfiles::exists(target + L"\\selfcopy.ini"));

    std::vector<std::wstring> copies;
    for (const auto& m : messages()) {
        if (m.rfind(L"Copying file from ", 0) == 0) copies.push_back(m);
    }
    const std::wstring from = dir.path().substr(0, dir.path().size() - 1);
    const std::vector<std::wstring> expected = {
        L"Copying file from " + from + L"\\selfcopy.exe to " + target + L"\\selfcopy.exe",
        L"Copying file from " + from + L"\\Ombrisk.dll to " + target + L"\\Ombrisk.dll",
        L"Copying file from " + from + L"\\Pictavo.dll to " + target + L"\\Pictavo.dll",
        L"Copying file from " + from + L"\\selfcopy.ini to " + target + L"\\selfcopy.ini",
    };
    EXPECT_EQ(expected, copies);
    EXPECT_TRUE(logged(L"Directory succesfully created"));
}

TEST_F(SelfCopy, OverwritesReadOnlyCopiesAndLeavesNoneReadOnly)
{
    ASSERT_EQ(0u, run(dir / L"selfcopy.exe", L"copy"));
    const std::wstring library = permanentFolder() + L"\\Ombrisk.dll";
    SetFileAttributesW(library.c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((dir / L"Pictavo.dll").c_str(), FILE_ATTRIBUTE_READONLY);
    testfiles::writeBytes(dir / L"Ombrisk.dll", "ombrisk 2");

    ASSERT_EQ(0u, run(dir / L"selfcopy.exe", L"copy"));
    EXPECT_TRUE(logged(L"Directory already exists."));
    EXPECT_EQ("ombrisk 2", testfiles::readBytes(library));
    EXPECT_EQ(0u, GetFileAttributesW((permanentFolder() + L"\\Pictavo.dll").c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((dir / L"Pictavo.dll").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SelfCopy, AMissingCompanionFailsAfterCopyingTheRest)
{
    DeleteFileW((dir / L"Pictavo.dll").c_str());
    EXPECT_EQ(1u, run(dir / L"selfcopy.exe", L"copy"));
    EXPECT_TRUE(testfiles::exists(permanentFolder() + L"\\selfcopy.ini"));
    const auto all = messages();
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const std::wstring& m) {
        return m.rfind(L"Failed to copy ", 0) == 0 && m.find(L"Pictavo.dll") != std::wstring::npos &&
               m.find(L"(error code: 2)") != std::wstring::npos;
    }));
}

TEST_F(SelfCopy, ARunFromThePermanentFolderCopiesNothing)
{
    ASSERT_EQ(0u, run(dir / L"selfcopy.exe", L"copy"));
    const std::wstring copy = permanentFolder() + L"\\selfcopy.exe";
    testfiles::writeText(permanentFolder() + L"\\selfcopy.ini",
                         L"[Settings]\r\nlog_enabled=TRUE\r\nlog_filename=" + (dir / L"copy.log") + L"\r\n");
    ASSERT_EQ(0u, run(copy, L"copy"));
    EXPECT_TRUE(logged(L"Cannot copy Corvane files to itself"));
}

TEST_F(SelfCopy, AnUpperCaseProgramNameCopiesItselfOverItsSetupFileName)
{
    DeleteFileW((dir / L"selfcopy.exe").c_str());
    testfiles::copy(testfiles::binDir() + L"selfcopy.exe", dir / L"SELFCOPY.EXE");
    ASSERT_EQ(0u, run(dir / L"SELFCOPY.EXE", L"copy"));
    EXPECT_FALSE(testfiles::exists(permanentFolder() + L"\\selfcopy.ini"));
    EXPECT_TRUE(testfiles::exists(permanentFolder() + L"\\SELFCOPY.EXE"));
}

TEST_F(SelfCopy, DeletionIsScheduledForEveryEntryAndTheFolder)
{
    ASSERT_EQ(0u, run(dir / L"selfcopy.exe", L"copy"));
    CreateDirectoryW((permanentFolder() + L"\\sub").c_str(), nullptr);
    const std::wstring before = readMultiString(HKEY_LOCAL_MACHINE, kSessionManager, L"PendingFileRenameOperations");

    ASSERT_EQ(0u, run(dir / L"selfcopy.exe", L"delete"));
    const std::wstring after = readMultiString(HKEY_LOCAL_MACHINE, kSessionManager, L"PendingFileRenameOperations");
    // Nothing goes at once.
    EXPECT_TRUE(testfiles::exists(permanentFolder() + L"\\Ombrisk.dll"));
    for (const wchar_t* name : {L"\\selfcopy.exe", L"\\Ombrisk.dll", L"\\Pictavo.dll", L"\\selfcopy.ini", L"\\sub", L""}) {
        const std::wstring entry = std::wstring(L"\\??\\") + permanentFolder() + name + std::wstring(1, L'\0') +
                                   std::wstring(1, L'\0');
        EXPECT_NE(std::wstring::npos, after.find(entry)) << name;
    }
    EXPECT_TRUE(logged(L"Delete file: " + permanentFolder() + L"\\sub"));

    // Leave the pending renames as they were.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        if (before.empty()) {
            RegDeleteValueW(key, L"PendingFileRenameOperations");
        } else {
            RegSetValueExW(key, L"PendingFileRenameOperations", 0, REG_MULTI_SZ,
                           reinterpret_cast<const BYTE*>(before.data()), static_cast<DWORD>(before.size() * 2));
        }
        RegCloseKey(key);
    }
}

}  // namespace
