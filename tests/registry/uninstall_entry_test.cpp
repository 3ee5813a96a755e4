// The suite's entry in the list of installed programs, written over a real installed package.
#include "SetupKeys.h"
#include "SystemReaders.h"
#include "exec/CTranslator.h"
#include "registry/CRegistryUtils.h"
#include "setupfile/CFileParser.h"
#include "support/MsiPackage.h"
#include "support/RegTestLog.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace setupkeys;
using Lines = std::vector<std::wstring>;

namespace {

const std::wstring kProductCode = L"{6A1C2E3D-5B4F-4E21-9C3A-7D0B5E6F1A01}";
const std::wstring kUpgradeCode = L"{6A1C2E3D-5B4F-4E21-9C3A-7D0B5E6F1B01}";
const std::wstring kBareProductCode = L"{6A1C2E3D-5B4F-4E21-9C3A-7D0B5E6F1A02}";
const std::wstring kBareUpgradeCode = L"{6A1C2E3D-5B4F-4E21-9C3A-7D0B5E6F1B02}";
const std::wstring kUnknownUpgradeCode = L"{6A1C2E3D-5B4F-4E21-9C3A-7D0B5E6F1BFF}";
const std::wstring kInstallFolder = L"C:\\RegTestProduct";
const std::wstring kHklmEntry = L"HKEY_LOCAL_MACHINE\\" + std::wstring(kEntry);

std::wstring windowsDir()
{
    wchar_t dir[MAX_PATH] = {};
    GetWindowsDirectoryW(dir, MAX_PATH);
    return dir;
}

std::wstring installerFolder()
{
    return windowsDir() + L"\\Installer\\" + kGuid;
}

// The permanent path: the installer folder and the file name of this program as it was started.
std::wstring permanentPath()
{
    const std::wstring program = CFileParser::ProgramArgument();
    return installerFolder() + L"\\" + program.substr(program.find_last_of(L"\\/") + 1);
}

std::wstring productEntry(const std::wstring& productCode)
{
    return std::wstring(kUninstall) + L"\\" + productCode;
}

// Two real packages, built and installed once for the suite: one that records its install folder
// in its own entry and one that does not.
class UninstallEntryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_.reset(new testfiles::ScratchDir(L"msi"));
        MsiPackageDescription described;
        described.productCode = kProductCode;
        described.upgradeCode = kUpgradeCode;
        described.version = L"2.5.1";
        described.name = L"Reg Test Product";
        located_.reset(new MsiPackage(described, *folder_ / L"located.msi"));
        described.productCode = kBareProductCode;
        described.upgradeCode = kBareUpgradeCode;
        described.folderName = L"BareProduct";
        described.recordInstallLocation = false;
        bare_.reset(new MsiPackage(described, *folder_ / L"bare.msi"));
        installedLocated_ = located_->built() && located_->install(kInstallFolder) == ERROR_SUCCESS;
        installedBare_ = bare_->built() && bare_->install() == ERROR_SUCCESS;
    }
    static void TearDownTestSuite()
    {
        located_.reset();
        bare_.reset();
        folder_.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(located_->built()) << located_->buildOutput();
        ASSERT_TRUE(installedLocated_ && installedBare_) << "msiexec could not install the test packages";
    }
    void TearDown() override { removeIcon(); }

    static void putIcon()
    {
        CreateDirectoryW((windowsDir() + L"\\Installer").c_str(), nullptr);
        CreateDirectoryW(installerFolder().c_str(), nullptr);
        testfiles::writeBytes(installerFolder() + L"\\Setup.ico", "icon");
    }
    static void removeIcon()
    {
        DeleteFileW((installerFolder() + L"\\Setup.ico").c_str());
        RemoveDirectoryW(installerFolder().c_str());
    }

    Clean clean_;
    CRegistryUtils& utils_ = CRegistryUtils::getInstance();

    static std::unique_ptr<testfiles::ScratchDir> folder_;
    static std::unique_ptr<MsiPackage> located_;
    static std::unique_ptr<MsiPackage> bare_;
    static bool installedLocated_;
    static bool installedBare_;
};

std::unique_ptr<testfiles::ScratchDir> UninstallEntryTest::folder_;
std::unique_ptr<MsiPackage> UninstallEntryTest::located_;
std::unique_ptr<MsiPackage> UninstallEntryTest::bare_;
bool UninstallEntryTest::installedLocated_ = false;
bool UninstallEntryTest::installedBare_ = false;

TEST_F(UninstallEntryTest, WithoutUpgradeCodeTheEntryHasItsDisplayValuesModifyPathAndNoRepair)
{
    regtest::LogTail log;
    EXPECT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0.0.31", L"", L"/qn", 0));
    EXPECT_EQ(sorted({L"DisplayIcon", L"DisplayName", L"DisplayVersion", L"Uninstallstring", L"ModifyPath",
                      L"NoRepair"}),
              sorted(regtest::valueNames(HKEY_LOCAL_MACHINE, kEntry)));
    EXPECT_EQ(permanentPath(), regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"DisplayIcon")) << "no Setup.ico";
    EXPECT_EQ(L"Tolvane", regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"DisplayName"));
    EXPECT_EQ(L"1.0.0.31", regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"DisplayVersion"));
    EXPECT_EQ(permanentPath() + L" /uninstall", regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"Uninstallstring"));
    EXPECT_EQ(permanentPath(), regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"ModifyPath"));
    const auto noRepair = regtest::readValue(HKEY_LOCAL_MACHINE, kEntry, L"NoRepair");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), noRepair.type);
    EXPECT_EQ(1u, regtest::readNumber(HKEY_LOCAL_MACHINE, kEntry, L"NoRepair"));
    for (const wchar_t* name : {L"DisplayIcon", L"DisplayName", L"DisplayVersion", L"Uninstallstring", L"ModifyPath"}) {
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), regtest::readValue(HKEY_LOCAL_MACHINE, kEntry, name).type) << name;
    }
    EXPECT_EQ((Lines{L"WriteUnInstallValue(strName=Tolvane, strVersion=1.0.0.31, strUpgrade=, strArgs=/qn, dwSize=0)",
                     L"Windows dir:", windowsDir()}),
              log.messages(L"CRegistryUtils::WriteUnInstallValue"));
    EXPECT_TRUE(log.messages(L"CTranslator::TranslateUpgrade2ProductCode").empty());
}

TEST_F(UninstallEntryTest, ASizeAboveZeroIsTheEstimatedSize)
{
    EXPECT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", L"", L"", 5120));
    EXPECT_EQ(5120u, regtest::readNumber(HKEY_LOCAL_MACHINE, kEntry, L"EstimatedSize"));
}

TEST_F(UninstallEntryTest, ASetupIconInTheInstallerFolderIsTheDisplayIcon)
{
    putIcon();
    EXPECT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", L"", L"", 0));
    EXPECT_EQ(installerFolder() + L"\\Setup.ico", regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"DisplayIcon"));
}

TEST_F(UninstallEntryTest, TheUpgradeCodeOfAnInstalledPackageGivesItsInstallLocation)
{
    regtest::LogTail log;
    EXPECT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", kUpgradeCode, L"", 0));
    EXPECT_EQ(sorted({L"DisplayIcon", L"DisplayName", L"DisplayVersion", L"Uninstallstring", L"installLocation",
                      L"ModifyPath", L"NoRepair"}),
              sorted(regtest::valueNames(HKEY_LOCAL_MACHINE, kEntry)));
    const std::wstring location = kInstallFolder + L"\\";
    EXPECT_EQ(location, regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"installLocation"));
    EXPECT_EQ(permanentPath(), regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"ModifyPath"));
    EXPECT_EQ(1u, regtest::readNumber(HKEY_LOCAL_MACHINE, kEntry, L"NoRepair"));
    const Lines messages = log.messages(L"CRegistryUtils::WriteUnInstallValue");
    EXPECT_EQ((Lines{L"TranslateUpgrade2ProductCode() returned ERROR_SUCCESS", L"Using fetched product code"}),
              Lines(messages.end() - 2, messages.end()));
    EXPECT_EQ((Lines{L"Translating upgrade code to product code (Upgrade code: " + kUpgradeCode + L").",
                     L"Found a product code!", L"Upgrade code translated into product code: " + kProductCode}),
              log.messages(L"CTranslator::TranslateUpgrade2ProductCode"));
    EXPECT_EQ((Lines{L"Successfully get REG_SZ value " + location + L" from registry key HKEY_LOCAL_MACHINE\\" +
                     productEntry(kProductCode) + L"\\InstallLocation"}),
              log.messages(L"CRegistryUtils::GetSZValue"));
}

TEST_F(UninstallEntryTest, AProductWithoutInstallLocationGivesNoInstallLocation)
{
    EXPECT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", kBareUpgradeCode, L"", 0));
    EXPECT_FALSE(regtest::valueExists(HKEY_LOCAL_MACHINE, kEntry, L"installLocation"));
    EXPECT_TRUE(regtest::valueExists(HKEY_LOCAL_MACHINE, kEntry, L"ModifyPath"));
    EXPECT_EQ(L"", regtest::readString(HKEY_LOCAL_MACHINE, productEntry(kBareProductCode), L"InstallLocation"));
}

TEST_F(UninstallEntryTest, AFailedTranslationLeavesOnlyTheFirstFourValues)
{
    regtest::LogTail log;
    EXPECT_FALSE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", kUnknownUpgradeCode, L"", 100));
    EXPECT_EQ(sorted({L"DisplayIcon", L"DisplayName", L"DisplayVersion", L"Uninstallstring"}),
              sorted(regtest::valueNames(HKEY_LOCAL_MACHINE, kEntry)));
    EXPECT_EQ(L"TranslateUpgrade2ProductCode() returned 259", log.messages(L"CRegistryUtils::WriteUnInstallValue").back());
    EXPECT_EQ(L"Retrieval of product code failed, error code:259",
              log.messages(L"CTranslator::TranslateUpgrade2ProductCode").back());
}

TEST_F(UninstallEntryTest, RewritingKeepsValuesTheNewRunDoesNotWrite)
{
    ASSERT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", kUpgradeCode, L"", 0));
    ASSERT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.1", L"", L"", 0));
    EXPECT_EQ(kInstallFolder + L"\\", regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"installLocation"));
    EXPECT_EQ(L"1.1", regtest::readString(HKEY_LOCAL_MACHINE, kEntry, L"DisplayVersion"));
}

// Setup is a 32-bit program: on a 64-bit Windows its entry lands in WOW6432Node, beside the
// entry of the package of its own platform, and the system's list of installed programs shows both.
TEST_F(UninstallEntryTest, TheEntryLandsInTheViewOfTheProgramAndTheListOfInstalledProgramsShowsIt)
{
    ASSERT_TRUE(utils_.WriteUnInstallValue(L"Tolvane Reg Test", L"1.0", kUpgradeCode, L"", 0));
    expectInOwnViewOnly(kEntry, L"DisplayName", L"Tolvane Reg Test");
    expectInOwnViewOnly(productEntry(kProductCode), L"DisplayName", L"Reg Test Product");
    const Lines listed = systemreaders::installedPrograms();
    EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), std::wstring(kGuid) + L"|||Tolvane Reg Test"))
        << "the name is shown exactly as written";
    EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), kProductCode + L"|||Reg Test Product"));
}

TEST_F(UninstallEntryTest, ReadersOfTheEntry)
{
    ASSERT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", kUpgradeCode, L"", 0));
    regtest::LogTail log;
    std::wstring uninstall;
    EXPECT_TRUE(utils_.GetUnInstallValue(uninstall));
    EXPECT_EQ(permanentPath() + L" /uninstall", uninstall);
    EXPECT_EQ((Lines{L"Uninstallstring value exists...", L"Value fetched..."}),
              log.messages(L"CRegistryUtils::GetUnInstallValue"));
    EXPECT_EQ(kInstallFolder + L"\\", utils_.GetInstallLocationValue());
    EXPECT_EQ((Lines{L"Getting InstallLocation", L"Successfully get InstallLocation value " + kInstallFolder +
                                                     L"\\ from registry key " + kHklmEntry + L"\\installLocation"}),
              log.messages(L"CRegistryUtils::GetInstallLocationValue"));
    EXPECT_EQ(L"2.5.1", utils_.GetDisplayVersionValue(kProductCode)) << "the package's own entry";
    EXPECT_EQ(L"1.0", utils_.GetDisplayVersionValue(kGuid));
    EXPECT_EQ(L"Successfully get DisplayVersion 1.0 from registry key " + kHklmEntry + L"\\DisplayVersion",
              log.messages(L"CRegistryUtils::GetDisplayVersionValue").back());
}

TEST_F(UninstallEntryTest, ReadersWhenTheSuiteIsNotInstalled)
{
    std::wstring uninstall = L"untouched";
    regtest::LogTail log;
    EXPECT_FALSE(utils_.GetUnInstallValue(uninstall));
    EXPECT_EQ(L"", uninstall);
    EXPECT_EQ((Lines{L"Uninstallstring value does not exists..."}), log.messages(L"CRegistryUtils::GetUnInstallValue"));
    EXPECT_TRUE(regtest::keyExists(HKEY_LOCAL_MACHINE, kEntry)) << "opening left an empty entry";
    EXPECT_TRUE(regtest::valueNames(HKEY_LOCAL_MACHINE, kEntry).empty());

    const std::wstring missing = L"{6A1C2E3D-5B4F-4E21-9C3A-7D0B5E6F1AFF}";
    EXPECT_EQ(L"", utils_.GetDisplayVersionValue(missing));
    EXPECT_TRUE(regtest::valueExists(HKEY_LOCAL_MACHINE, productEntry(missing), L"DisplayVersion")) << "left behind";
    regtest::deleteTree(HKEY_LOCAL_MACHINE, productEntry(missing));

    regtest::writeString(HKEY_LOCAL_MACHINE, kEntry, L"Uninstallstring", L"");
    regtest::LogTail emptyLog;
    EXPECT_FALSE(utils_.GetUnInstallValue(uninstall));
    EXPECT_EQ(L"WARNING: Failed to fetch value...", emptyLog.messages(L"CRegistryUtils::GetUnInstallValue").back());
}

TEST_F(UninstallEntryTest, DeleteRemovesTheEntryAndSucceedsWhenThereIsNone)
{
    ASSERT_TRUE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", L"", L"", 0));
    regtest::LogTail log;
    EXPECT_TRUE(utils_.DeleteUnInstallValue());
    EXPECT_FALSE(regtest::keyExists(HKEY_LOCAL_MACHINE, kEntry));
    EXPECT_TRUE(utils_.DeleteUnInstallValue());
    const Lines once = {L"Deleting Uninstall values...",
                        L"Successfully deleted uninstall values from registry key " + kHklmEntry};
    Lines twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(twice, log.messages(L"CRegistryUtils::DeleteUnInstallValue"));
    EXPECT_TRUE(regtest::keyExists(HKEY_LOCAL_MACHINE, productEntry(kProductCode))) << "other entries stay";
}

TEST_F(UninstallEntryTest, FailuresOfTheEntryEndInEachOperationsResultAndLine)
{
    regtest::createKey(HKEY_LOCAL_MACHINE, std::wstring(kEntry) + L"\\Child");
    {
        regtest::LogTail log;
        EXPECT_FALSE(utils_.DeleteUnInstallValue()) << "a sub-key keeps the entry";
        EXPECT_EQ(L"ERROR: Failed to remove specified key!", log.messages(L"CRegistryUtils::DeleteUnInstallValue").back());
    }
    regtest::ReadOnlyKey locked(HKEY_LOCAL_MACHINE, kEntry);
    ASSERT_TRUE(locked.locked());
    const std::wstring open = L"reg_open_key_failure exception caught";
    regtest::LogTail log;
    EXPECT_FALSE(utils_.WriteUnInstallValue(L"Tolvane", L"1.0", L"", L"", 0));
    EXPECT_EQ(open, log.messages(L"CRegistryUtils::WriteUnInstallValue").back());
    std::wstring uninstall;
    EXPECT_FALSE(utils_.GetUnInstallValue(uninstall));
    EXPECT_FALSE(utils_.SZValueExists(L"Uninstallstring", kEntry));
    EXPECT_EQ(open, log.messages(L"CRegistryUtils::SZValueExists").back());
    EXPECT_EQ(L"", utils_.GetSZValue(kEntry, L"DisplayName"));
    EXPECT_EQ(open, log.messages(L"CRegistryUtils::GetSZValue").back());
    EXPECT_EQ(L"", utils_.GetInstallLocationValue());
    EXPECT_EQ(open, log.messages(L"CRegistryUtils::GetInstallLocationValue").back());
    EXPECT_EQ(L"", utils_.GetDisplayVersionValue(kGuid));
    EXPECT_EQ(open, log.messages(L"CRegistryUtils::GetDisplayVersionValue").back());
    EXPECT_TRUE(regtest::valueNames(HKEY_LOCAL_MACHINE, kEntry).empty());
}

TEST_F(UninstallEntryTest, TranslatorFindsTheProductOfAnUpgradeCode)
{
    CTranslator& translator = CTranslator::getInstance();
    std::wstring product = L"unchanged";
    regtest::LogTail log;
    EXPECT_EQ(87u, translator.TranslateUpgrade2ProductCode(L"", product));
    EXPECT_EQ(L"unchanged", product);
    EXPECT_EQ((Lines{L"ERROR: Upgrade code is empty!"}), log.messages(L"CTranslator::TranslateUpgrade2ProductCode"));
    EXPECT_EQ(259u, translator.TranslateUpgrade2ProductCode(kUnknownUpgradeCode, product)) << "ERROR_NO_MORE_ITEMS";
    EXPECT_EQ(L"unchanged", product);
    EXPECT_EQ(0u, translator.TranslateUpgrade2ProductCode(kUpgradeCode, product));
    EXPECT_EQ(kProductCode, product);
}

}  // namespace
