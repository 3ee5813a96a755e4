// The state values of the application key.
#include "registry/CRegistryUtils.h"

#include "log/CLog.h"
#include "log/Format.h"
#include "registry/AppKeyValues.h"
#include "registry/OperationGuard.h"
#include "registry/RegistryPaths.h"
#include "registry/Registry.h"

using namespace AppKeyValues;
using namespace RegistryGuard;

bool CRegistryUtils::SetStateValue(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::SetStateValue";
    SETUP_LOG(fn, Format(L"Setting state value %d", state));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        WriteNumber(L"State", state);
        SETUP_LOG(fn, SetLine(L"Successfully set value ", state, L"State"));
        return true;
    });
}

int CRegistryUtils::GetStateValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetStateValue";
    SETUP_LOG(fn, L"Getting state value");
    return Run(fn, __LINE__, Standard(0, L"ERROR: UNknown exception caught..."), [&] {
        const int state = ReadNumber(L"State");
        SETUP_LOG(fn, GetLine(L"Successfully get value ", state, L"State"));
        return state;
    });
}

bool CRegistryUtils::SetInternalStateValue(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::SetInternalStateValue";
    SETUP_LOG(fn, Format(L"Setting internal state value %d", state));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        WriteNumber(L"InternalState", state);
        SETUP_LOG(fn, SetLine(L"Successfully set value ", state, L"InternalState"));
        return true;
    });
}

int CRegistryUtils::GetInternalStateValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetInternalStateValue";
    return Run(fn, __LINE__, Standard(0), [&] {
        const int state = ReadNumber(L"InternalState");
        SETUP_LOG(fn, GetLine(L"Successfully get value ", state, L"InternalState"));
        return state;
    });
}

bool CRegistryUtils::SetPendingRebootValue(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::SetPendingRebootValue";
    SETUP_LOG(fn, Format(L"Setting pending reboot value to %d", state));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        WriteNumber(L"PendingReboot", state);
        SETUP_LOG(fn, SetLine(L"Successfully set pending reboot value ", state, L"PendingReboot"));
        return true;
    });
}

int CRegistryUtils::GetPendingRebootValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetPendingRebootValue";
    return Run(fn, __LINE__, Standard(0), [&] {
        const int state = ReadNumber(L"PendingReboot");
        SETUP_LOG(fn, GetLine(L"Successfully get pending reboot value ", state, L"PendingReboot"));
        return state;
    });
}

bool CRegistryUtils::SetPendingRebootSuppressedValue(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::SetPendingRebootSuppressedValue";
    SETUP_LOG(fn, Format(L"Setting pending reboot value to %d", state));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        WriteNumber(L"PendingRebootSuppressed", state);
        SETUP_LOG(fn, SetLine(L"Successfully set pending reboot value ", state, L"PendingRebootSuppressed"));
        return true;
    });
}

int CRegistryUtils::GetPendingRebootSuppressedValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetPendingRebootSuppressedValue";
    return Run(fn, __LINE__, Standard(0), [&] {
        const int state = ReadNumber(L"PendingRebootSuppressed");
        SETUP_LOG(fn, GetLine(L"Successfully get pending reboot value ", state, L"PendingRebootSuppressed"));
        return state;
    });
}

bool CRegistryUtils::setProgressDlgState(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::setProgressDlgState";
    SETUP_LOG(fn, Format(L"state=%d", state));
    return Run(fn, __LINE__, Standard(false), [&] {
        Registry::number_map map(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
        if (state != 0 && state != 1001 && state != 1002 && state != 1003) {
            SETUP_LOG(fn, L"Faulty value submitted...");
            return false;
        }
        map.at(L"ProgressDlgState") = static_cast<DWORD>(state);
        SETUP_LOG(fn, SetLine(L"Successfully set ProgressDlgState value ", state, L"ProgressDlgState"));
        return true;
    });
}

int CRegistryUtils::getProgressDlgState()
{
    const wchar_t* const fn = L"CRegistryUtils::getProgressDlgState";
    FailurePlan<int> plan = Standard(0);
    plan.other = Handler<int>{kUnknownLine, -1};
    return Run(fn, __LINE__, plan, [&] {
        const int state = ReadNumber(L"ProgressDlgState");
        SETUP_LOG(fn, GetLine(L"Getting ProgressDlgState value ", state, L"ProgressDlgState"));
        return state;
    });
}

bool CRegistryUtils::SetCurrDirValue(const std::wstring& dir)
{
    const wchar_t* const fn = L"CRegistryUtils::SetCurrDirValue";
    FailurePlan<bool> plan = UnknownOnly(false);
    plan.open = Handler<bool>{L"Failed to open reg key CurrentDirectory", false};
    plan.set = Handler<bool>{L"Failed to set reg key CurrentDirectory", false};
    return Run(fn, __LINE__, plan, [&] {
        Registry::string_map map(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
        map.at(L"CurrentDirectory") = dir;
        SETUP_LOG(fn, L"Successfully set CurrentDirectory value " + dir + L" to registry key HKEY_CURRENT_USER\\" +
                          RegistryPaths::kApplicationKey);
        return true;
    });
}

std::wstring CRegistryUtils::GetCurrDirValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetCurrDirValue";
    return Run(fn, __LINE__, UnknownOnly(std::wstring()), [&] {
        if (!Registry::string_map(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access)
                 .find(L"CurrentDirectory")) {
            return std::wstring();
        }
        Registry::string_map map(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
        const std::wstring dir = map.at(L"CurrentDirectory");
        if (dir.empty()) {
            return dir;
        }
        SETUP_LOG(fn, L"Successfully get CurrentDirectory " + dir + L" from registry key HKEY_CURRENT_USER\\" +
                          RegistryPaths::kApplicationKey);
        return dir;
    });
}

bool CRegistryUtils::DeleteApplicationKey()
{
    const wchar_t* const fn = L"CRegistryUtils::DeleteApplicationKey";
    SETUP_LOG(fn, L"Deleting application key...");
    return Run(fn, __LINE__, Deleting(kRemoveLine, L"ERROR: Unknown exception caught"), [&] {
        Registry::subkey_set parent(HKEY_CURRENT_USER, RegistryPaths::kBrennikKey, Registry::default_access);
        parent.erase(RegistryPaths::kSuiteGuid);
        SETUP_LOG(fn, L"Successfully deleted application key");
        return true;
    });
}
