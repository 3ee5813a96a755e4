#include "registry/CRegistryUtils.h"
#include "sequencer/CStateHandler.h"
#include "sequencer/MachinePath.h"
#include "setupfile/CFileParser.h"
#include "support/RegTestKeys.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

// Cleans the application key and the run-once value before and after each test.
class StateHandlerTest : public testing::Test {
protected:
    void SetUp() override { clean(); }
    void TearDown() override { clean(); }
    static void clean()
    {
        CRegistryUtils::getInstance().DeleteApplicationKey();
        CRegistryUtils::getInstance().DeleteRunValue();
    }
    static CRegistryUtils& reg() { return CRegistryUtils::getInstance(); }
    static std::wstring runValue()
    {
        std::wstring value;
        reg().GetRunValue(value);
        return value;
    }
    static std::size_t count(const std::wstring& text, const std::wstring& part)
    {
        std::size_t n = 0;
        for (auto pos = text.find(part); pos != std::wstring::npos; pos = text.find(part, pos + 1)) {
            ++n;
        }
        return n;
    }
};

TEST_F(StateHandlerTest, RestartRejectedFlagIsAddedOnceAndCleared)
{
    CStateHandler handler;
    EXPECT_TRUE(handler.setRestartRejected());  // no run value yet: the default one gets the flag
    const std::wstring first = runValue();
    EXPECT_NE(std::wstring::npos, first.find(L" /startup /restart_rejected")) << first;
    EXPECT_FALSE(handler.setRestartRejected());
    EXPECT_EQ(1u, count(runValue(), L"/restart_rejected"));
    EXPECT_TRUE(handler.clearRestartRejected());
    EXPECT_EQ(std::wstring::npos, runValue().find(L"/restart_rejected"));
    EXPECT_FALSE(handler.clearRestartRejected());
}

TEST_F(StateHandlerTest, FinishFlagFollowsStateAndIsAddedOnce)
{
    CStateHandler handler;
    EXPECT_FALSE(handler.setFinishFlag());  // no state written
    EXPECT_EQ(L"", runValue());
    reg().SetStateValue(STATE_UNINSTALL);
    EXPECT_TRUE(handler.setFinishFlag());
    EXPECT_TRUE(handler.setRestartRejected());
    EXPECT_FALSE(handler.setFinishFlag());
    const std::wstring value = runValue();
    EXPECT_EQ(1u, count(value, L" /fUnInst"));
    EXPECT_EQ(1u, count(value, L" /restart_rejected"));
}

TEST_F(StateHandlerTest, SwitchStateSelectsSectionAndDefaultsToInstall)
{
    const std::wstring ini = testfiles::binDir() + L"\\test_sequencer.ini";
    testfiles::writeText(ini, L"[Settings]\r\napp_name=Seq\r\n[Install]\r\nname_1=I1\r\nname_2=I2\r\n"
                              L"[UnInstall]\r\nname_1=U1\r\n[Repair]\r\n[Dependencies]\r\nname_1=D1\r\n");
    CFileParser::destroyInstance();
    CFileParser::getInstance().ParseIniFile();
    CStateHandler handler;
    struct Case {
        int state;
        std::size_t items;
        const wchar_t* firstName;
    };
    const Case cases[] = {
        {STATE_UNINSTALL, 1, L"U1"}, {STATE_CHECK, 1, L"D1"}, {STATE_REPAIR, 0, nullptr}, {STATE_INSTALL, 2, L"I1"}};
    for (const Case& c : cases) {
        reg().SetStateValue(c.state);
        handler.SwitchState();
        ASSERT_EQ(c.items, handler.events().size()) << c.state;
        if (c.firstName) {
            EXPECT_EQ(c.firstName, CFileParser::GetEventValue(handler.events(), 1, L"name"));
        }
    }
    reg().SetStateValue(0);
    handler.SwitchState();
    EXPECT_EQ(2u, handler.events().size());
    EXPECT_EQ(STATE_INSTALL, reg().GetStateValue());
    DeleteFileW(ini.c_str());
}

TEST_F(StateHandlerTest, RebootOptionsThatNeedNoQuestion)
{
    CStateHandler handler;
    EXPECT_TRUE(handler.PerformRebootIfSet(L"False", false));
    EXPECT_TRUE(handler.PerformRebootIfSet(L"", true));
    // Suppressed: a restart request is recorded, not asked.
    reg().SetPendingRebootSuppressedValue(STATE_PENDING_REBOOT_SUPPRESSED);
    EXPECT_TRUE(handler.PerformRebootIfSet(L"true", false));
    EXPECT_EQ(STATE_PENDING_REBOOT, reg().GetPendingRebootValue());
}

// The machine-wide Path is extended in place: its own entries and references stay as they are,
// whatever the type it was stored with, and it is written back expandable.
class MachinePathTest : public testing::Test {
protected:
    const wchar_t* const key = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
    void SetUp() override { saved_ = regtest::readValue(HKEY_LOCAL_MACHINE, key, L"Path"); }
    void TearDown() override
    {
        if (saved_.exists) {
            regtest::writeValue(HKEY_LOCAL_MACHINE, key, L"Path", saved_.type, saved_.data);
        } else {
            regtest::deleteValue(HKEY_LOCAL_MACHINE, key, L"Path");
        }
    }
    regtest::RawValue saved_;
};

TEST_F(MachinePathTest, AppendsToTheStoredValueOfEitherType)
{
    for (DWORD type : {static_cast<DWORD>(REG_SZ), static_cast<DWORD>(REG_EXPAND_SZ)}) {
        regtest::writeString(HKEY_LOCAL_MACHINE, key, L"Path", L"%SystemRoot%\\system32;C:\\Tools;", type);
        sequencer::addToMachinePath(CRegistryUtils::getInstance(), L"C:\\Common Files\\Brennik", L"test");
        const auto raw = regtest::readValue(HKEY_LOCAL_MACHINE, key, L"Path");
        EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), raw.type);
        EXPECT_EQ(L"%SystemRoot%\\system32;C:\\Tools;C:\\Common Files\\Brennik",
                  regtest::readString(HKEY_LOCAL_MACHINE, key, L"Path"));
    }
}

TEST_F(MachinePathTest, PresentFolderOrUnreadableValueLeftAlone)
{
    regtest::writeString(HKEY_LOCAL_MACHINE, key, L"Path", L"C:\\a;c:\\common files\\BRENNIK", REG_SZ);
    sequencer::addToMachinePath(CRegistryUtils::getInstance(), L"C:\\Common Files\\Brennik", L"test");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), regtest::readValue(HKEY_LOCAL_MACHINE, key, L"Path").type);
    EXPECT_EQ(L"C:\\a;c:\\common files\\BRENNIK", regtest::readString(HKEY_LOCAL_MACHINE, key, L"Path"));

    regtest::writeNumber(HKEY_LOCAL_MACHINE, key, L"Path", 7);
    sequencer::addToMachinePath(CRegistryUtils::getInstance(), L"C:\\Common Files\\Brennik", L"test");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), regtest::readValue(HKEY_LOCAL_MACHINE, key, L"Path").type);

    regtest::deleteValue(HKEY_LOCAL_MACHINE, key, L"Path");
    sequencer::addToMachinePath(CRegistryUtils::getInstance(), L"C:\\Common Files\\Brennik", L"test");
    EXPECT_FALSE(regtest::valueExists(HKEY_LOCAL_MACHINE, key, L"Path"));
}

}  // namespace
