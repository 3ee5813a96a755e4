// The state values of the application key (HKEY_CURRENT_USER).
#include "SetupKeys.h"
#include "registry/CRegistryUtils.h"
#include "support/RegTestLog.h"

#include <gtest/gtest.h>

#include <functional>

using namespace setupkeys;
using Lines = std::vector<std::wstring>;

namespace {

const std::wstring kAppPath = L"HKEY_CURRENT_USER\\Software\\Brennik\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";

class StateValuesTest : public ::testing::Test {
protected:
    Clean clean_;
    CRegistryUtils& utils_ = CRegistryUtils::getInstance();
};

struct NumberValue {
    const wchar_t* value;
    std::function<bool(CRegistryUtils&, int)> set;
    std::function<int(CRegistryUtils&)> get;
    const wchar_t* setter;
    const wchar_t* getter;
    const wchar_t* setEntry;  // followed by the number; nullptr: none
    const wchar_t* setPrefix;
    const wchar_t* getEntry;  // nullptr: none
    const wchar_t* getPrefix;
    int sample;
};

const std::vector<NumberValue>& numberValues()
{
    using U = CRegistryUtils;
    static const std::vector<NumberValue> values = {
        {L"State", &U::SetStateValue, &U::GetStateValue, L"CRegistryUtils::SetStateValue",
         L"CRegistryUtils::GetStateValue", L"Setting state value ", L"Successfully set value ",
         L"Getting state value", L"Successfully get value ", 1001},
        {L"InternalState", &U::SetInternalStateValue, &U::GetInternalStateValue,
         L"CRegistryUtils::SetInternalStateValue", L"CRegistryUtils::GetInternalStateValue",
         L"Setting internal state value ", L"Successfully set value ", nullptr, L"Successfully get value ", 3},
        {L"PendingReboot", &U::SetPendingRebootValue, &U::GetPendingRebootValue,
         L"CRegistryUtils::SetPendingRebootValue", L"CRegistryUtils::GetPendingRebootValue",
         L"Setting pending reboot value to ", L"Successfully set pending reboot value ", nullptr,
         L"Successfully get pending reboot value ", 2001},
        {L"PendingRebootSuppressed", &U::SetPendingRebootSuppressedValue, &U::GetPendingRebootSuppressedValue,
         L"CRegistryUtils::SetPendingRebootSuppressedValue", L"CRegistryUtils::GetPendingRebootSuppressedValue",
         L"Setting pending reboot value to ", L"Successfully set pending reboot value ", nullptr,
         L"Successfully get pending reboot value ", 2003},
        {L"ProgressDlgState", &U::setProgressDlgState, &U::getProgressDlgState,
         L"CRegistryUtils::setProgressDlgState", L"CRegistryUtils::getProgressDlgState", L"state=",
         L"Successfully set ProgressDlgState value ", nullptr, L"Getting ProgressDlgState value ", 1002},
    };
    return values;
}

std::wstring n(int value)
{
    return std::to_wstring(value);
}

TEST_F(StateValuesTest, NumberValuesReadZeroWhenNeverWrittenAndRoundTripWithTheirLogLines)
{
    for (const auto& v : numberValues()) {
        SCOPED_TRACE(v.value);
        {
            regtest::LogTail log;
            EXPECT_EQ(0, v.get(utils_));
            EXPECT_EQ(static_cast<DWORD>(REG_DWORD), regtest::readValue(HKEY_CURRENT_USER, kAppKey, v.value).type);
            EXPECT_EQ(0u, regtest::readNumber(HKEY_CURRENT_USER, kAppKey, v.value)) << "created with 0";
            Lines expected;
            if (v.getEntry != nullptr) {
                expected.push_back(v.getEntry);
            }
            expected.push_back(v.getPrefix + n(0) + L" from registry key " + kAppPath + L"\\" + v.value);
            EXPECT_EQ(expected, log.messages(v.getter));
        }
        {
            regtest::LogTail log;
            EXPECT_TRUE(v.set(utils_, v.sample));
            EXPECT_EQ(static_cast<DWORD>(v.sample), regtest::readNumber(HKEY_CURRENT_USER, kAppKey, v.value));
            const Lines expected = {v.setEntry + n(v.sample),
                                    v.setPrefix + n(v.sample) + L" to registry key " + kAppPath + L"\\" + v.value};
            EXPECT_EQ(expected, log.messages(v.setter));
        }
        regtest::LogTail log;
        EXPECT_EQ(v.sample, v.get(utils_));
        EXPECT_EQ(v.getPrefix + n(v.sample) + L" from registry key " + kAppPath + L"\\" + v.value,
                  log.messages(v.getter).back());
    }
}

TEST_F(StateValuesTest, NumbersAreSigned32BitValues)
{
    EXPECT_TRUE(utils_.SetInternalStateValue(-1));
    EXPECT_EQ(0xFFFFFFFFu, regtest::readNumber(HKEY_CURRENT_USER, kAppKey, L"InternalState"));
    regtest::LogTail log;
    EXPECT_EQ(-1, utils_.GetInternalStateValue());
    EXPECT_EQ((Lines{L"Successfully get value -1 from registry key " + kAppPath + L"\\InternalState"}),
              log.messages(L"CRegistryUtils::GetInternalStateValue"));
}

TEST_F(StateValuesTest, ProgressDlgStateAcceptsOnlyTheDialogStates)
{
    for (int state : {0, 1001, 1002, 1003}) {
        EXPECT_TRUE(utils_.setProgressDlgState(state)) << state;
        EXPECT_EQ(state, utils_.getProgressDlgState());
    }
    for (int state : {5, 1000, -1, 2001}) {
        SCOPED_TRACE(state);
        regtest::LogTail log;
        EXPECT_FALSE(utils_.setProgressDlgState(state));
        EXPECT_EQ(1003u, regtest::readNumber(HKEY_CURRENT_USER, kAppKey, L"ProgressDlgState")) << "unchanged";
        EXPECT_EQ((Lines{L"state=" + n(state), L"Faulty value submitted..."}),
                  log.messages(L"CRegistryUtils::setProgressDlgState"));
    }
}

TEST_F(StateValuesTest, CurrentDirectoryIsNeitherCreatedNorLoggedWhenAbsentOrEmpty)
{
    regtest::createKey(HKEY_CURRENT_USER, kAppKey);
    regtest::writeString(HKEY_CURRENT_USER, kAppKey, L"Other", L"x");
    {
        regtest::LogTail log;
        EXPECT_EQ(L"", utils_.GetCurrDirValue());
        EXPECT_FALSE(regtest::valueExists(HKEY_CURRENT_USER, kAppKey, L"CurrentDirectory"));
        EXPECT_TRUE(log.messages(L"CRegistryUtils::GetCurrDirValue").empty());
    }
    regtest::writeString(HKEY_CURRENT_USER, kAppKey, L"CurrentDirectory", L"C:\\x", REG_EXPAND_SZ);
    EXPECT_EQ(L"", utils_.GetCurrDirValue()) << "a value of another type is not the directory";
    regtest::writeString(HKEY_CURRENT_USER, kAppKey, L"CurrentDirectory", L"");
    regtest::LogTail log;
    EXPECT_EQ(L"", utils_.GetCurrDirValue());
    EXPECT_TRUE(log.messages(L"CRegistryUtils::GetCurrDirValue").empty());
}

TEST_F(StateValuesTest, CurrentDirectoryRoundTripsWithItsLogLines)
{
    const std::wstring dir = L"C:\\windows\\Installer\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
    regtest::LogTail log;
    EXPECT_TRUE(utils_.SetCurrDirValue(dir));
    EXPECT_EQ(dir, utils_.GetCurrDirValue());
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), regtest::readValue(HKEY_CURRENT_USER, kAppKey, L"CurrentDirectory").type);
    EXPECT_EQ((Lines{L"Successfully set CurrentDirectory value " + dir + L" to registry key " + kAppPath}),
              log.messages(L"CRegistryUtils::SetCurrDirValue"));
    EXPECT_EQ((Lines{L"Successfully get CurrentDirectory " + dir + L" from registry key " + kAppPath}),
              log.messages(L"CRegistryUtils::GetCurrDirValue"));
}

// Every operation on the application key when the key cannot be opened for writing.
TEST_F(StateValuesTest, AnUnopenableApplicationKeyGivesEachOperationsFailureResultAndLine)
{
    struct Case {
        const wchar_t* function;
        std::function<int(CRegistryUtils&)> call;  // the result, as a number
        int failure;
        const wchar_t* line;
    };
    using U = CRegistryUtils;
    const std::vector<Case> cases = {
        {L"SetStateValue", [](U& u) { return int(u.SetStateValue(1001)); }, 0, L"ERROR: Unknown exception caught!"},
        {L"GetStateValue", [](U& u) { return u.GetStateValue(); }, 0, L"reg_open_key_failure exception caught"},
        {L"SetInternalStateValue", [](U& u) { return int(u.SetInternalStateValue(2)); }, 0,
         L"ERROR: Unknown exception caught!"},
        {L"GetInternalStateValue", [](U& u) { return u.GetInternalStateValue(); }, 0,
         L"reg_open_key_failure exception caught"},
        {L"SetPendingRebootValue", [](U& u) { return int(u.SetPendingRebootValue(2001)); }, 0,
         L"ERROR: Unknown exception caught!"},
        {L"GetPendingRebootValue", [](U& u) { return u.GetPendingRebootValue(); }, 0,
         L"reg_open_key_failure exception caught"},
        {L"SetPendingRebootSuppressedValue", [](U& u) { return int(u.SetPendingRebootSuppressedValue(2003)); }, 0,
         L"ERROR: Unknown exception caught!"},
        {L"GetPendingRebootSuppressedValue", [](U& u) { return u.GetPendingRebootSuppressedValue(); }, 0,
         L"reg_open_key_failure exception caught"},
        {L"setProgressDlgState", [](U& u) { return int(u.setProgressDlgState(1001)); }, 0,
         L"reg_open_key_failure exception caught"},
        {L"getProgressDlgState", [](U& u) { return u.getProgressDlgState(); }, 0,
         L"reg_open_key_failure exception caught"},
        {L"SetCurrDirValue", [](U& u) { return int(u.SetCurrDirValue(L"C:\\x")); }, 0,
         L"Failed to open reg key CurrentDirectory"},
        {L"GetCurrDirValue", [](U& u) { return int(u.GetCurrDirValue().size()); }, 0,
         L"ERROR: Unknown exception caught!"},
        {L"DeleteProgressDlgState", [](U& u) { return int(u.DeleteProgressDlgState()); }, 0,
         L"ERROR: Unknown exception caught!"},
        {L"DeletePendingRebootKeys", [](U& u) { return int(u.DeletePendingRebootKeys()); }, 0,
         L"ERROR: Unknown exception caught!"},
    };
    regtest::ReadOnlyKey locked(HKEY_CURRENT_USER, kAppKey);
    ASSERT_TRUE(locked.locked());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.function);
        regtest::LogTail log;
        EXPECT_EQ(c.failure, c.call(utils_));
        const Lines messages = log.messages(std::wstring(L"CRegistryUtils::") + c.function);
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(c.line, messages.back());
    }
    EXPECT_TRUE(regtest::valueNames(HKEY_CURRENT_USER, kAppKey).empty()) << "nothing was written";
}

TEST_F(StateValuesTest, DeleteApplicationKeyRemovesTheKeyWithItsValuesAndTheNextReadRecreatesIt)
{
    utils_.SetStateValue(1001);
    utils_.SetCurrDirValue(L"C:\\x");
    regtest::writeNumber(HKEY_CURRENT_USER, kAppKey, L"CurrentLanguage", 1033);
    {
        regtest::LogTail log;
        EXPECT_TRUE(utils_.DeleteApplicationKey());
        EXPECT_EQ((Lines{L"Deleting application key...", L"Successfully deleted application key"}),
                  log.messages(L"CRegistryUtils::DeleteApplicationKey"));
    }
    EXPECT_FALSE(regtest::keyExists(HKEY_CURRENT_USER, kAppKey));
    EXPECT_TRUE(regtest::keyExists(HKEY_CURRENT_USER, kBrennik));
    EXPECT_TRUE(utils_.DeleteApplicationKey()) << "nothing to delete is no failure";
    EXPECT_EQ(0, utils_.GetStateValue());
    EXPECT_EQ((std::vector<std::wstring>{L"State"}), regtest::valueNames(HKEY_CURRENT_USER, kAppKey));
}

TEST_F(StateValuesTest, DeleteApplicationKeyIsRefusedWhileTheKeyHasSubkeys)
{
    regtest::createKey(HKEY_CURRENT_USER, std::wstring(kAppKey) + L"\\Child");
    regtest::LogTail log;
    EXPECT_FALSE(utils_.DeleteApplicationKey());
    EXPECT_EQ(L"ERROR: Failed to remove specified key!", log.messages(L"CRegistryUtils::DeleteApplicationKey").back());
    EXPECT_TRUE(regtest::keyExists(HKEY_CURRENT_USER, kAppKey));
}

TEST(RegistryUtilsLifetime, ConstructionAndDestructionAreLogged)
{
    CRegistryUtils::destroyInstance();
    regtest::LogTail log;
    CRegistryUtils& first = CRegistryUtils::getInstance();
    EXPECT_EQ(&first, &CRegistryUtils::getInstance());
    CRegistryUtils::destroyInstance();
    EXPECT_EQ((Lines{L"Created"}), log.messages(L"CRegistryUtils::CRegistryUtils"));
    EXPECT_EQ((Lines{L"Destroyed"}), log.messages(L"CRegistryUtils::~CRegistryUtils"));
}

}  // namespace
