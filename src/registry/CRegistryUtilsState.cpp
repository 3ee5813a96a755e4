// The state values of the application key.
#include "registry/CRegistryUtils.h"

#include "registry/RegistryLog.h"
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
    REG_LOG(fn, Format(L"Setting state value %d", state));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        WriteNumber(L"State", state);
        REG_LOG(fn, SetLine(L"Successfully set value ", state, L"State"));
        return true;
    });
}

int CRegistryUtils::GetStateValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetStateValue";
    REG_LOG(fn, L"Getting state value");
    return Run(fn, __LINE__, Standard(0, L"ERROR: UNknown exception caught..."), [&] {
        const int state = ReadNumber(L"State");
        REG_LOG(fn, GetLine(L"Successfully get value ", state, L"State"));
        return state;
    });
}

bool CRegistryUtils::SetInternalStateValue(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::SetInternalStateValue";
    REG_LOG(fn, Format(L"Setting internal state value %d", state));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        WriteNumber(L"InternalState", state);
        REG_LOG(fn, SetLine(L"Successfully set value ", state, L"InternalState"));
        return true;
    });
}

int CRegistryUtils::GetInternalStateValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetInternalStateValue";
    return Run(fn, __LINE__, Standard(0), [&] {
        const int state = ReadNumber(L"InternalState");
        REG_LOG(fn, GetLine(L"Successfully get value ", state, L"InternalState"));
        return state;
    });
}

bool CRegistryUtils::SetPendingRebootValue(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::SetPendingRebootValue";
    REG_LOG(fn, Format(L"Setting pending reboot value to %d", state));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        WriteNumber(L"PendingReboot", state);
        REG_LOG(fn, SetLine(L"Successfully set pending reboot value ", state, L"PendingReboot"));
        return true;
    });
}

int CRegistryUtils::GetPendingRebootValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetPendingRebootValue";
    return Run(fn, __LINE__, Standard(0), [&] {
        const int state = ReadNumber(L"PendingReboot");
        REG_LOG(fn, GetLine(L"Successfully get pending reboot value ", state, L"PendingReboot"));
        return state;
    });
}

bool CRegistryUtils::SetPendingRebootSuppressedValue(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::SetPendingRebootSuppressedValue";
    REG_LOG(fn, Format(L"Setting pending reboot value to %d", state));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        WriteNumber(L"PendingRebootSuppressed", state);
        REG_LOG(fn, SetLine(L"Successfully set pending reboot value ", state, L"PendingRebootSuppressed"));
        return true;
    });
}

int CRegistryUtils::GetPendingRebootSuppressedValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetPendingRebootSuppressedValue";
    return Run(fn, __LINE__, Standard(0), [&] {
        const int state = ReadNumber(L"PendingRebootSuppressed");
        REG_LOG(fn, GetLine(L"Successfully get pending reboot value ", state, L"PendingRebootSuppressed"));
        return state;
    });
}

bool CRegistryUtils::setProgressDlgState(int state)
{
    const wchar_t* const fn = L"CRegistryUtils::setProgressDlgState";
    REG_LOG(fn, Format(L"state=%d", state));
    return Run(fn, __LINE__, Standard(false), [&] {
        Registry::number_map map(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
        if (state != 0 && state != 1001 && state != 1002 && state != 1003) {
            REG_LOG(fn, L"Faulty value submitted...");
            return false;
        }
        map.at(L"ProgressDlgState") = static_cast<DWORD>(state);
        REG_LOG(fn, SetLine(L"Successfully set ProgressDlgState value ", state, L"ProgressDlgState"));
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
        REG_LOG(fn, GetLine(L"Getting ProgressDlgState value ", state, L"ProgressDlgState"));
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
        REG_LOG(fn, Format(L"Successfully set CurrentDirectory value %s to registry key HKEY_CURRENT_USER\\%s",
                           dir.c_str(), RegistryPaths::kApplicationKey));
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
        REG_LOG(fn, Format(L"Successfully get CurrentDirectory %s from registry key HKEY_CURRENT_USER\\%s",
                           dir.c_str(), RegistryPaths::kApplicationKey));
        return dir;
    });
}

bool CRegistryUtils::DeleteApplicationKey()
{
    const wchar_t* const fn = L"CRegistryUtils::DeleteApplicationKey";
    REG_LOG(fn, L"Deleting application key...");
    return Run(fn, __LINE__, Deleting(kRemoveLine, L"ERROR: Unknown exception caught"), [&] {
        Registry::subkey_set parent(HKEY_CURRENT_USER, RegistryPaths::kBrennikKey, Registry::default_access);
        parent.erase(RegistryPaths::kSuiteGuid);
        REG_LOG(fn, L"Successfully deleted application key");
        return true;
    });
}
