// The Windows Installer operations against real packages and Wine's msiexec.
#include "ExecItems.h"
#include "ExecPackages.h"
#include "ExecTestLog.h"
#include "exec/CCommandExecuter.h"

#include "support/RegTestKeys.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using execlog::LogWatch;
using namespace execpkg;

namespace {

const wchar_t kSuiteKey[] = L"SOFTWARE\\Vellacor\\Tolvane for Smartphones";
const wchar_t kAppKey[] = L"Software\\Brennik\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
const std::vector<std::wstring> kNothing;

struct Item {
    std::wstring exe = L"";
    std::wstring wait = L"";
    std::wstring mode = L"";
    std::wstring args = L"";
    std::wstring check = L"";
    std::wstring upgrade = L"";
    std::wstring fromVer = L"";
    std::wstring toVer = L"";
};

// Every test starts and ends with none of the test products installed and no suite key.
class Installer : public ::testing::Test {
protected:
    void SetUp() override { clean(); }
    void TearDown() override { clean(); }

    static void clean()
    {
        removeAll();
        regtest::deleteTree(HKEY_LOCAL_MACHINE, kSuiteKey);
    }

    DWORD run(const Item& item)
    {
        return executer.Execute(item.exe, item.wait, item.mode, item.args, item.check, item.upgrade, item.fromVer,
                                item.toVer);
    }

    CCommandExecuter executer;
};

std::wstring quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

}  // namespace

// --- INSTALLMSI ---

TEST_F(Installer, InstallWithoutUpgradeCodeAlwaysInstallsTheQuotedFileWithUpperCaseArguments)
{
    const std::wstring package = packagePath(kSample15);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        LogWatch log;
        EXPECT_EQ(0u, run({package, L"FALSE", L"installmsi", L"/qn Note=Mixed"}));
        EXPECT_EQ(std::vector<std::wstring>{L"MSIEXEC /i " + quoted(package) + L" /QN NOTE=MIXED"}, log.launched());
        EXPECT_TRUE(isInstalled(kSample15));
    }
}

TEST_F(Installer, InstallWithUpgradeCodeOfAnInstalledProductStartsNothing)
{
    ASSERT_EQ(0u, install(kSample10));
    LogWatch log;
    EXPECT_EQ(0u, run({packagePath(kSample15), L"", L"InstallMsi", L"/qn", L"", kSampleUpgrade}));
    EXPECT_EQ(kNothing, log.launched());
    EXPECT_TRUE(log.contains(L"Replacing check arg with product code."));
    EXPECT_TRUE(log.contains(L"The product is installed for the current user."));
    EXPECT_FALSE(isInstalled(kSample15));
}

// The product named by the check value is asked about, and the file (not a product code) installed.
TEST_F(Installer, InstallWithCheckOfAProductNotInstalledInstallsTheFile)
{
    ASSERT_EQ(0u, install(kSample10));
    LogWatch log;
    const std::wstring check = L"{5a0b1c01-0001-4e00-8a00-000000000015}";
    EXPECT_EQ(0u, run({packagePath(kSample15), L"", L"INSTALLMSI", L"/qn", check, kSampleUpgrade}));
    EXPECT_TRUE(log.contains(L"The product is neither advertised or installed. Will install..."));
    EXPECT_EQ(std::vector<std::wstring>{L"MSIEXEC /i " + quoted(packagePath(kSample15)) + L" /QN"}, log.launched());
    EXPECT_TRUE(isInstalled(kSample15));
    EXPECT_TRUE(isInstalled(kSample10));
}

// A product related to the upgrade code but not installed is installed by its product code.
TEST_F(Installer, InstallOfARelatedProductThatIsNotInstalledNamesTheProductCode)
{
    StaleRelation stale(kSampleUpgrade, kSample15.productCode);
    LogWatch log;
    const DWORD result = run({packagePath(kSample15), L"", L"INSTALLMSI", L"/qn", L"", kSampleUpgrade});
    EXPECT_EQ(std::vector<std::wstring>{std::wstring(L"MSIEXEC /i ") + kSample15.productCode + L" /QN"},
              log.launched());
    EXPECT_NE(0u, result);  // msiexec knows no such product
}

TEST_F(Installer, InstallWithUpgradeCodeOfNoProductReturnsTheTranslationStatus)
{
    LogWatch log;
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_ITEMS),
              run({packagePath(kSample15), L"", L"INSTALLMSI", L"/qn", L"", kSampleUpgrade}));
    EXPECT_EQ(kNothing, log.launched());
}

// --- UNINSTALLMSI ---

TEST_F(Installer, UninstallRemovesOnlyVersionsWithinTheClosedInterval)
{
    struct Case {
        const Product* product;
        bool removed;
        const wchar_t* line;
    };
    const Case cases[] = {
        {&kSample09, false, L"Current version: 0.9, 1.0>=interval<=2.0   Not within interval => Will not uninstall this version"},
        {&kSample10, true, L"Current version: 1.0, 1.0>=interval<=2.0   Within interval => Will uninstall this version"},
        {&kSample15, true, L"Current version: 1.5, 1.0>=interval<=2.0   Within interval => Will uninstall this version"},
        {&kSample2000, true, L"Current version: 2.0.0.0, 1.0>=interval<=2.0   Within interval => Will uninstall this version"},
        {&kSample2001, false, L"Current version: 2.0.0.1, 1.0>=interval<=2.0   Not within interval => Will not uninstall this version"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.product->name);
        ASSERT_EQ(0u, install(*c.product));
        LogWatch log;
        EXPECT_EQ(0u, run({L"", L"", L"uninstallmsi", L"/qn", L"", kSampleUpgrade, L"1.0", L"2.0"}));
        EXPECT_TRUE(log.contains(c.line));
        EXPECT_EQ(!c.removed, isInstalled(*c.product));
        const std::vector<std::wstring> expected =
            c.removed ? std::vector<std::wstring>{std::wstring(L"MSIEXEC /x ") + c.product->productCode + L" /qn"}
                      : kNothing;
        EXPECT_EQ(expected, log.launched());
        removeAll();
    }
}

// An empty bound is version 0: only a lower bound removes nothing above 0, only an upper bound
// removes everything up to it.
TEST_F(Installer, UninstallWithOneBound)
{
    ASSERT_EQ(0u, install(kSample15));
    LogWatch log;
    EXPECT_EQ(0u, run({L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade, L"1.0", L""}));
    EXPECT_TRUE(log.contains(L"Current version: 1.5, 1.0>=interval<=   Not within interval => Will not uninstall this version"));
    EXPECT_TRUE(isInstalled(kSample15));
    EXPECT_EQ(0u, run({L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade, L"", L"2.0"}));
    EXPECT_FALSE(isInstalled(kSample15));
}

TEST_F(Installer, UninstallOfAnEntryWithoutDisplayVersionCountsItAsZero)
{
    ASSERT_EQ(0u, install(kSample15));
    ASSERT_TRUE(regtest::valueExists(HKEY_LOCAL_MACHINE, uninstallEntry(kSample15), L"DisplayVersion"));
    regtest::deleteValue(HKEY_LOCAL_MACHINE, uninstallEntry(kSample15), L"DisplayVersion");
    LogWatch log;
    EXPECT_EQ(0u, run({L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade, L"1.0", L"2.0"}));
    EXPECT_TRUE(isInstalled(kSample15));
    EXPECT_EQ(0u, run({L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade, L"", L"2.0"}));
    EXPECT_TRUE(log.contains(L"Current version: , >=interval<=2.0   Within interval => Will uninstall this version"));
    EXPECT_FALSE(isInstalled(kSample15));
}

TEST_F(Installer, UninstallWithoutAnythingToRemove)
{
    {
        SCOPED_TRACE("related but not installed");
        StaleRelation stale(kSampleUpgrade, kSample15.productCode);
        LogWatch log;
        EXPECT_EQ(0xFFFFFFFFu, run({L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade, L"1.0", L"2.0"}));
        EXPECT_TRUE(log.contains(L"Product is already uninstalled"));
        EXPECT_EQ(kNothing, log.launched());
    }
    {
        SCOPED_TRACE("no related product");
        LogWatch log;
        EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_ITEMS), run({L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade}));
        EXPECT_TRUE(log.contains(L"Failed to transalte upgrade code to product code."));
    }
    {
        SCOPED_TRACE("no upgrade code");
        LogWatch log;
        EXPECT_EQ(0u, run({L"", L"", L"UNINSTALLMSI", L"/qn"}));
        EXPECT_TRUE(log.contains(L"ERROR: Upgrade code is missing (or is empty) in the .ini file."));
    }
}

// In an installation the user is asked before a product is removed; No keeps it and cancels (5).
TEST_F(Installer, UninstallInAnInstallationAsksBeforeRemoving)
{
    ASSERT_EQ(0u, install(kSample15));
    int asked = 0;
    bool answer = false;
    executer.setOverInstallationQuestion([&] {
        ++asked;
        return answer;
    });
    const Item item{L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade, L"1.0", L"2.0"};

    executer.inInstallState = true;
    // A version outside the range is kept without a question.
    EXPECT_EQ(0u, run({L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade, L"2.0", L"3.0"}));
    EXPECT_EQ(0, asked);

    LogWatch log;
    EXPECT_EQ(5u, run(item));
    EXPECT_EQ(1, asked);
    EXPECT_TRUE(log.contains(L"NO selected in overinstallation dialog (currently a MessageBox)..."));
    EXPECT_EQ(kNothing, log.launched());
    EXPECT_TRUE(isInstalled(kSample15));

    answer = true;
    EXPECT_EQ(0u, run(item));
    EXPECT_EQ(2, asked);
    EXPECT_FALSE(isInstalled(kSample15));
}

TEST_F(Installer, UninstallOutsideAnInstallationDoesNotAsk)
{
    ASSERT_EQ(0u, install(kSample15));
    int asked = 0;
    executer.setOverInstallationQuestion([&] { return ++asked, false; });
    EXPECT_EQ(0u, run({L"", L"", L"UNINSTALLMSI", L"/qn", L"", kSampleUpgrade}));
    EXPECT_EQ(0, asked);
    EXPECT_FALSE(isInstalled(kSample15));
}

// --- REPAIRMSI / MSIEXEC ---

TEST_F(Installer, RepairReinstallsEverythingAndWaits)
{
    ASSERT_EQ(0u, install(kSample15));
    const std::wstring file = installFolder(kSample15) + L"\\readme.txt";
    ASSERT_TRUE(DeleteFileW(file.c_str()));
    LogWatch log;
    EXPECT_EQ(0u, run({L"", L"FALSE", L"repairmsi", L"/qn", L"", kSampleUpgrade}));
    EXPECT_EQ(std::vector<std::wstring>{std::wstring(L"MSIEXEC /i ") + kSample15.productCode + L" /qn REINSTALL=ALL"},
              log.launched());
    EXPECT_TRUE(testfiles::exists(file));
}

// Maintenance mode: the suite's package is started again, plainly, and not waited for.
TEST_F(Installer, RepairInMaintenanceModeDoesNotWaitAndReturnsFive)
{
    ASSERT_EQ(0u, install(kSample15));
    executer.overloadMode = true;
    LogWatch log;
    EXPECT_EQ(5u, run({L"", L"", L"msiexec", L"/qn", L"", kSampleUpgrade}));
    EXPECT_EQ(std::vector<std::wstring>{std::wstring(L"MSIEXEC /i ") + kSample15.productCode + L" /qn"},
              log.launched());
    EXPECT_TRUE(log.contains(L"Will not wait for this process to return"));
    waitForInstallerProcesses();
    EXPECT_TRUE(isInstalled(kSample15));
}

TEST_F(Installer, RepairWithoutUpgradeCodeIsAnInvalidParameter)
{
    for (const wchar_t* mode : {L"REPAIRMSI", L"RepairMsi", L"MSIEXEC", L"MsiExec"}) {
        SCOPED_TRACE(mode);
        LogWatch log;
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), run({L"", L"", mode, L"/qn"}));
        EXPECT_TRUE(log.contains(L"ERROR: Upgrade code is empty!"));
        EXPECT_EQ(kNothing, log.launched());
    }
}

// --- INSTALL with an upgrade code: the suite's own setup program ---

class SuiteUpgrade : public Installer {
protected:
    void SetUp() override
    {
        Installer::SetUp();
        locale_ = GetThreadLocale();
    }
    void TearDown() override
    {
        SetThreadLocale(locale_);
        regtest::deleteTree(HKEY_CURRENT_USER, kAppKey);
        Installer::TearDown();
    }

    static std::wstring setupProgram() { return testfiles::binDir() + L"suitesetup.exe"; }
    static std::wstring suiteVersionValue()
    {
        return regtest::readString(HKEY_LOCAL_MACHINE, kSuiteKey, L"TolvaneVersion");
    }

    LCID locale_ = 0;
};

TEST_F(SuiteUpgrade, SuiteAtTheSetupVersionIsLeftAlone)
{
    ASSERT_EQ(0u, install(kSuite10031));
    LogWatch log;
    EXPECT_EQ(0u, run({setupProgram(), L"", L"install", L"package=" + packagePath(kSuite10031), L"", kSuiteUpgrade}));
    EXPECT_EQ(kNothing, log.launched());
    EXPECT_TRUE(log.contains(L"1.0.0.31==1.0.0.31"));
    EXPECT_TRUE(log.contains(L"Will ==NOT== install"));
}

// The setup program runs, waited for whatever the item's wait value; the suite it installed then
// gets its version value and its language becomes Setup's.
TEST_F(SuiteUpgrade, FirstInstallation)
{
    execitems::ItemRecord record;
    LogWatch log;
    const std::wstring args = L"language=1031 package=" + packagePath(kSuite10031);
    EXPECT_EQ(0u, run({setupProgram(), L"FALSE", L"Install", args, L"", kSuiteUpgrade}));
    EXPECT_TRUE(log.contains(L"Retrieval of product code using upgrade code failed! Nothing installed. First time install?"));
    EXPECT_TRUE(log.contains(L"Waiting for process to return..."));
    EXPECT_EQ(1u, record.commandLines().size());
    EXPECT_TRUE(isInstalled(kSuite10031));
    EXPECT_TRUE(log.contains(L"Suite exists, versions match!"));
    EXPECT_EQ(L"1.0.0.31", suiteVersionValue());
    EXPECT_EQ(1031u, regtest::readNumber(HKEY_CURRENT_USER, kAppKey, L"CurrentLanguage"));
}

TEST_F(SuiteUpgrade, CancelledOverAnOlderSuiteIsCancelled)
{
    ASSERT_EQ(0u, install(kSuite09));
    LogWatch log;
    EXPECT_EQ(5u, run({setupProgram(), L"", L"INSTALL", L"cancel", L"", kSuiteUpgrade}));
    EXPECT_TRUE(log.contains(L"0.9!=1.0.0.31"));
    EXPECT_TRUE(log.contains(L"Suite exists, versions does not match."));
    EXPECT_TRUE(isInstalled(kSuite09));
    EXPECT_EQ(L"1.0.0.31", suiteVersionValue());  // written whenever the suite is found
}

TEST_F(SuiteUpgrade, CancelledFirstInstallationLeavesNothingInstalled)
{
    LogWatch log;
    EXPECT_EQ(0xFFFFFFFFu, run({setupProgram(), L"", L"INSTALL", L"cancel", L"", kSuiteUpgrade}));
    EXPECT_TRUE(log.contains(L"Suite not installed"));
    EXPECT_EQ(L"", suiteVersionValue());
}

TEST_F(SuiteUpgrade, MissingSetupProgramIsSkipped)
{
    testfiles::ScratchDir dir(L"nosetup");
    LogWatch log;
    EXPECT_EQ(0u, run({dir / L"setup.exe", L"", L"INSTALL", L"", L"", kSuiteUpgrade}));
    EXPECT_TRUE(log.contains(L"Nope, no file in " + dir / L"setup.exe"));
    EXPECT_EQ(kNothing, log.launched());
}

// A setup program without a version resource has the empty version, which the log says.
TEST_F(SuiteUpgrade, SetupProgramWithoutVersionHasTheEmptyVersion)
{
    ASSERT_EQ(0u, install(kSuite09));
    execitems::ItemRecord record;
    LogWatch log;
    const std::wstring program = execitems::itemProgram();
    EXPECT_EQ(5u, run({program, L"", L"INSTALL", L"exit=0", L"", kSuiteUpgrade}));
    EXPECT_TRUE(log.contains(L"No ProductVersion in the version resource (040904B0) of " + program +
                             L", setup version is empty"));
    EXPECT_TRUE(log.contains(L"Setup product version is: "));
    EXPECT_TRUE(log.contains(L"0.9!="));
    EXPECT_EQ(1u, record.commandLines().size());
}
