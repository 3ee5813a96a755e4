// The run-once entry that restarts Setup after the next log-on.
#include "registry/CRegistryUtils.h"

#include "registry/RegistryLog.h"
#include "log/Format.h"
#include "registry/OperationGuard.h"
#include "registry/Registry.h"
#include "registry/RegistryPaths.h"
#include "registry/RunOnceEntry.h"
#include "sys/CWinUtils.h"

using namespace RegistryGuard;

namespace {

// Writes the entry in the hive of the running system; returns that hive's literal.
std::wstring writeRunValue(const std::wstring& commandLine)
{
    const HKEY hive = RunOnceEntry::Hive();
    Registry::string_map map(hive, RegistryPaths::kRunOnceKey, Registry::default_access);
    map.at(RunOnceEntry::ValueName()) = commandLine;
    return RegistryPaths::HiveName(hive);
}

std::wstring setRunLine(const std::wstring& commandLine, const std::wstring& hiveName)
{
    return Format(L"Successfully set run value %s to registry key %s%s", commandLine.c_str(), hiveName.c_str(),
                  RegistryPaths::kRunOnceKey);
}

}  // namespace

bool CRegistryUtils::SetRunValue()
{
    const wchar_t* const fn = L"CRegistryUtils::SetRunValue";
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        const std::wstring commandLine = L"\"" + CWinUtils().GetApplicationDestinationPath() + L"\" /startup";
        const std::wstring hiveName = writeRunValue(commandLine);
        REG_LOG(fn, setRunLine(commandLine, hiveName));
        return true;
    });
}

bool CRegistryUtils::SetRunValue(const std::wstring& commandLine)
{
    const wchar_t* const fn = L"CRegistryUtils::SetRunValue";
    REG_LOG(fn, Format(L"Setting run value to \"%s\"", commandLine.c_str()));
    return Run(fn, __LINE__, UnknownOnly(false), [&] {
        const std::wstring hiveName = writeRunValue(commandLine);
        REG_LOG(fn, setRunLine(commandLine, hiveName));
        return true;
    });
}

bool CRegistryUtils::GetRunValue(std::wstring& commandLine)
{
    const wchar_t* const fn = L"CRegistryUtils::GetRunValue";
    return Run(fn, __LINE__, Standard(false), [&] {
        const HKEY hive = RunOnceEntry::Hive();
        Registry::string_map map(hive, RegistryPaths::kRunOnceKey, Registry::default_access);
        const std::wstring name = RunOnceEntry::ValueName();
        if (!map.find(name)) {
            REG_LOG(fn, L"RunValue NOT found...");
            return false;
        }
        REG_LOG(fn, L"RunValue found...");
        commandLine = map.at(name);
        if (commandLine.empty()) {
            REG_LOG(fn, L"Key found but is empty...");
            return false;
        }
        if (hive == HKEY_LOCAL_MACHINE) {
            REG_LOG(fn, L"Reference updated with value " + commandLine);
        } else {
            REG_LOG(fn, Format(L"Successfully get value %s from registry key HKEY_CURRENT_USER\\%s",
                               commandLine.c_str(), RegistryPaths::kRunOnceKey));
        }
        return true;
    });
}

bool CRegistryUtils::DeleteRunValue()
{
    const wchar_t* const fn = L"CRegistryUtils::DeleteRunValue";
    REG_LOG(fn, L"Deleting run value...");
    return Run(fn, __LINE__, Deleting(), [&] {
        Registry::string_map map(RunOnceEntry::Hive(), RegistryPaths::kRunOnceKey, Registry::default_access);
        map.erase(RunOnceEntry::ValueName());
        REG_LOG(fn, L"Successfully deleted run value");
        return true;
    });
}
