// The final clean-up after an uninstallation.
#include "registry/CRegistryUtils.h"

#include "registry/RegistryLog.h"
#include "log/Format.h"
#include "registry/OperationGuard.h"
#include "registry/Registry.h"
#include "registry/RegistryPaths.h"
#include "sys/ScopedHandle.h"

#include <memory>

using namespace RegistryGuard;

namespace {

// The names of the key's values as QuerySubKeyCnt lists them; counts the values it could read.
std::wstring listValues(HKEY key, DWORD valueCount, int& counted)
{
    std::wstring list;
    for (DWORD index = 0; index < valueCount; ++index) {
        wchar_t name[256];
        DWORD nameChars = 256;
        if (RegEnumValueW(key, index, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            continue;
        }
        ++counted;
        const std::wstring shown = nameChars == 0 ? std::wstring(L"(Default)") : std::wstring(name, nameChars);
        list += Format(L"%d) %s ", static_cast<int>(index + 1), shown.c_str()) + L" ";
    }
    return list;
}

// Walks the sub-keys without counting them, and says how the walk ended.
void walkSubkeys(const wchar_t* fn, HKEY key)
{
    LONG result = ERROR_SUCCESS;
    for (DWORD index = 0; result == ERROR_SUCCESS; ++index) {
        wchar_t name[260];
        DWORD nameChars = 260;
        result = RegEnumKeyExW(key, index, name, &nameChars, nullptr, nullptr, nullptr, nullptr);
    }
    if (result == ERROR_NO_MORE_ITEMS) {
        REG_LOG(fn, L"No more data is available... i.e. no more subkeys...");
    } else {
        // The registry functions return their error; they do not set the thread's last error.
        REG_LOG(fn, Format(L"errCode=%d", static_cast<int>(result)));
    }
}

// One root deletion: `parentPath` holds `name`; `rootPath` is the root itself.
struct RootDeletion {
    HKEY hive;
    const wchar_t* rootPath;
    const wchar_t* parentPath;
    const wchar_t* name;
    bool openParentFirst;
    const wchar_t* notEmptyLine;
    const wchar_t* tryingLine;
    std::wstring successLine;
};

bool deleteRoot(CRegistryUtils& utils, const wchar_t* fn, int line, const RootDeletion& root)
{
    return Run(fn, line, Deleting(), [&] {
        const int count = utils.QuerySubKeyCnt(root.rootPath, root.hive);
        REG_LOG(fn, Format(L"qsCnt=%d", count));
        std::unique_ptr<Registry::subkey_set> parent;
        if (root.openParentFirst) {
            parent.reset(new Registry::subkey_set(root.hive, root.parentPath, Registry::default_access));
        }
        if (count != 0) {
            REG_LOG(fn, root.notEmptyLine);
            return false;
        }
        REG_LOG(fn, root.tryingLine);
        if (!parent) {
            parent.reset(new Registry::subkey_set(root.hive, root.parentPath, Registry::default_access));
        }
        parent->erase(root.name);
        REG_LOG(fn, root.successLine);
        return true;
    });
}

}  // namespace

int CRegistryUtils::QuerySubKeyCnt(const std::wstring& subKey, HKEY root)
{
    const wchar_t* const fn = L"CRegistryUtils::QuerySubKeyCnt";
    REG_LOG(fn, Format(L"subKey: %s", subKey.c_str()));
    UniqueKey key;
    const bool opened = Run(fn, __LINE__, UnknownOnly(false, L"Unknown exception caught from RegOpenKeyEx()"), [&] {
        // Enumerating the sub-keys needs its own right besides the query of values.
        if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, key.put()) !=
            ERROR_SUCCESS) {
            key.release();
            REG_LOG(fn, L"ERROR: Failed to open reg key.");
            return false;
        }
        REG_LOG(fn, Format(L"Successfully open specified reg. key. %s%s", RegistryPaths::HiveName(root).c_str(),
                           subKey.c_str()));
        return true;
    });
    if (!opened) {
        return -1;
    }
    return Run(fn, __LINE__, UnknownOnly(-1, L"Unknown exception caught from RegEnumKeyEx() or RegEnumValue()"), [&] {
        wchar_t className[260];
        DWORD classChars = 260;
        DWORD valueCount = 0;
        RegQueryInfoKeyW(key.get(), className, &classChars, nullptr, nullptr, nullptr, nullptr, &valueCount, nullptr,
                         nullptr, nullptr, nullptr);
        walkSubkeys(fn, key.get());
        int count = 0;
        const std::wstring list = listValues(key.get(), valueCount, count);
        if (count > 0) {
            --count;
        }
        if (RegCloseKey(key.release()) != ERROR_SUCCESS) {
            REG_LOG(fn, L"Failed to close reg key.");
            return -1;
        }
        REG_LOG(fn, L"Successfully closed reg key.");
        REG_LOG(fn, Format(L"QueryKey result (subKeyCnt=%d) %s %s", count,
                             count == 0 ? L" (No sub keys available)" : L" Found sub keys: ", list.c_str()));
        return count;
    });
}

bool CRegistryUtils::DeleteTolvaneVersion()
{
    const wchar_t* const fn = L"CRegistryUtils::DeleteTolvaneVersion";
    REG_LOG(fn, L"Deleting TolvaneVersion...");
    return Run(fn, __LINE__, Deleting(), [&] {
        Registry::string_map suite(HKEY_LOCAL_MACHINE, RegistryPaths::kSuiteKey, Registry::default_access);
        suite.erase(L"TolvaneVersion");
        REG_LOG(fn, Format(L"Successfully deleted TolvaneVerion from registry key HKEY_LOCAL_MACHINE\\%s",
                           RegistryPaths::kSuiteKey));
        return true;
    });
}

bool CRegistryUtils::DeleteProgressDlgState()
{
    const wchar_t* const fn = L"CRegistryUtils::DeleteProgressDlgState";
    REG_LOG(fn, L"Deleting ProgressDlgState...");
    return Run(fn, __LINE__, Deleting(), [&] {
        Registry::number_map app(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
        app.erase(L"ProgressDlgState");
        REG_LOG(fn, Format(L"Successfully deleted ProgressDlgState from registry key HKEY_CURRENT_USER\\%s",
                           RegistryPaths::kApplicationKey));
        return true;
    });
}

bool CRegistryUtils::DeletePendingRebootKeys()
{
    const wchar_t* const fn = L"CRegistryUtils::DeletePendingRebootKeys";
    REG_LOG(fn, L"Deleting PendingReboot & PendingRebootSuppressed...");
    return Run(fn, __LINE__, Deleting(L"ERROR: Failed to remove specified keys!"), [&] {
        Registry::number_map app(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
        app.erase(L"PendingReboot");
        app.erase(L"PendingRebootSuppressed");
        REG_LOG(fn,
                  L"Successfully deleted PendingReboot & PendingRebootSuppressed from registry key HKEY_CURRENT_USER\\" +
                      std::wstring(RegistryPaths::kApplicationKey));
        return true;
    });
}

bool CRegistryUtils::DeleteVELCTolvaneRoot()
{
    return deleteRoot(*this, L"CRegistryUtils::DeleteVELCTolvaneRoot", __LINE__,
                      RootDeletion{HKEY_LOCAL_MACHINE, RegistryPaths::kSuiteKey, RegistryPaths::kVellacorKey,
                                   L"Tolvane for Smartphones", true, L"VELC Tolvane root not empty",
                                   L"Trying to deleting VELC Tolvane root...",
                                   L"Successfully deleted VELC Tolvane root from registry key HKEY_LOCAL_MACHINE\\" +
                                       std::wstring(RegistryPaths::kSuiteKey)});
}

bool CRegistryUtils::DeleteVELCRoot()
{
    return deleteRoot(*this, L"CRegistryUtils::DeleteVELCRoot", __LINE__,
                      RootDeletion{HKEY_LOCAL_MACHINE, RegistryPaths::kVellacorKey, L"SOFTWARE", L"Vellacor", true,
                                   L"VELC root not empty", L"Trying to delete VELC root",
                                   L"Successfully deleted VELC root from registry key HKEY_LOCAL_MACHINE\\" +
                                       std::wstring(RegistryPaths::kVellacorKey)});
}

bool CRegistryUtils::DeleteBrennikRoot()
{
    return deleteRoot(*this, L"CRegistryUtils::DeleteBrennikRoot", __LINE__,
                      RootDeletion{HKEY_CURRENT_USER, RegistryPaths::kBrennikKey, L"Software", L"Brennik", false,
                                   L"\"Brennik root\" not empty", L"Trying to delete \"Brennik Root\"...",
                                   L"Successfully deleted \"Brennik root\" from registry key HKEY_CURRENT_USER\\" +
                                       std::wstring(RegistryPaths::kBrennikKey)});
}

bool CRegistryUtils::DeleteRegKeys()
{
    const wchar_t* const fn = L"CRegistryUtils::DeleteRegKeys";
    REG_LOG(fn, L"==> DeleteRegKeys()");
    struct Step {
        bool (CRegistryUtils::*operation)();
        const wchar_t* failureLine;
    };
    static const Step steps[] = {
        {&CRegistryUtils::DeleteRunValue, L"Failed to delete run value..."},
        {&CRegistryUtils::DeleteUnInstallValue, L"Failed to delete uninstall value..."},
        {&CRegistryUtils::DeleteProgressDlgState, L"Failed to delete dialog state..."},
        {&CRegistryUtils::DeletePendingRebootKeys, L"Failed to delete pending reboot keys..."},
        {&CRegistryUtils::DeleteTolvaneVersion, L"Failed to delete Tolvane version..."},
        {&CRegistryUtils::DeleteVELCTolvaneRoot, L"Failed to delete VELC Tolvane root..."},
        {&CRegistryUtils::DeleteVELCRoot, L"Failed to delete VELC root..."},
        {&CRegistryUtils::DeleteApplicationKey, L"Failed to delete application key..."},
        {&CRegistryUtils::DeleteBrennikRoot, L"Failed to delete Brennik root..."},
    };
    bool result = true;
    for (const Step& step : steps) {
        if (!(this->*step.operation)()) {
            REG_LOG(fn, step.failureLine);
            result = false;
        }
    }
    REG_LOG(fn, Format(L"DeleteRegKeys returns %s", result ? L"TRUE" : L"FALSE"));
    return result;
}
