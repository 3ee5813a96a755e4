// The suite's entry in the list of installed programs, and the readers of such entries.
#include "registry/CRegistryUtils.h"

#include "exec/CTranslator.h"
#include "registry/RegistryLog.h"
#include "log/Format.h"
#include "registry/InstallerFolder.h"
#include "registry/OperationGuard.h"
#include "registry/Registry.h"
#include "registry/RegistryPaths.h"

#include <shlwapi.h>

using namespace RegistryGuard;

namespace {

const wchar_t* const kHklm = L"HKEY_LOCAL_MACHINE\\";

// The first four values: icon, name, version and the command that removes the suite.
void writeDisplayValues(const std::wstring& entry, const std::wstring& folder, const std::wstring& name,
                        const std::wstring& version)
{
    const std::wstring permanentPath = folder + L"\\" + InstallerFolder::ProgramFileName();
    const std::wstring iconPath = folder + L"\\Setup.ico";
    Registry::string_map values(HKEY_LOCAL_MACHINE, entry, Registry::default_access);
    values.at(L"DisplayIcon") = PathFileExistsW(iconPath.c_str()) ? iconPath : permanentPath;
    values.at(L"DisplayName") = name;
    values.at(L"DisplayVersion") = version;
    values.at(L"Uninstallstring") = permanentPath + L" /uninstall";
}

}  // namespace

bool CRegistryUtils::WriteUnInstallValue(const std::wstring& strName, const std::wstring& strVersion,
                                         const std::wstring& strUpgrade, const std::wstring& strArgs, DWORD dwSize)
{
    const wchar_t* const fn = L"CRegistryUtils::WriteUnInstallValue";
    REG_LOG(fn, Format(L"WriteUnInstallValue(strName=%s, strVersion=%s, strUpgrade=%s, strArgs=%s, dwSize=%d)",
                         strName.c_str(), strVersion.c_str(), strUpgrade.c_str(), strArgs.c_str(),
                         static_cast<int>(dwSize)));
    return Run(fn, __LINE__, Standard(false), [&] {
        Registry::subkey_set(HKEY_LOCAL_MACHINE, RegistryPaths::kUninstallKey, Registry::default_access)
            .insert(RegistryPaths::kSuiteGuid);
        const std::wstring windowsDir = InstallerFolder::WindowsDirectory();
        if (windowsDir.empty()) {
            return false;
        }
        REG_LOG(fn, L"Windows dir:");
        REG_LOG(fn, windowsDir);
        const std::wstring folder = InstallerFolder::FolderIn(windowsDir);
        const std::wstring entry = RegistryPaths::SuiteUninstallKey();
        writeDisplayValues(entry, folder, strName, strVersion);

        std::wstring productCode;
        if (!strUpgrade.empty()) {
            const UINT status = CTranslator::getInstance().TranslateUpgrade2ProductCode(strUpgrade, productCode);
            if (status != ERROR_SUCCESS) {
                REG_LOG(fn, Format(L"TranslateUpgrade2ProductCode() returned %i", static_cast<int>(status)));
                return false;
            }
            REG_LOG(fn, L"TranslateUpgrade2ProductCode() returned ERROR_SUCCESS");
        }
        Registry::string_map values(HKEY_LOCAL_MACHINE, entry, Registry::default_access);
        if (!productCode.empty()) {
            REG_LOG(fn, L"Using fetched product code");
            const std::wstring location =
                GetSZValue(RegistryPaths::kUninstallKey + productCode, L"InstallLocation");
            if (!location.empty()) {
                values.at(L"installLocation") = location;
            }
        }
        values.at(L"ModifyPath") = folder + L"\\" + InstallerFolder::ProgramFileName();
        Registry::number_map numbers(HKEY_LOCAL_MACHINE, entry, Registry::default_access);
        numbers.at(L"NoRepair") = 1;
        if (dwSize > 0) {
            numbers.at(L"EstimatedSize") = dwSize;
        }
        return true;
    });
}

bool CRegistryUtils::DeleteUnInstallValue()
{
    const wchar_t* const fn = L"CRegistryUtils::DeleteUnInstallValue";
    REG_LOG(fn, L"Deleting Uninstall values...");
    return Run(fn, __LINE__, Deleting(), [&] {
        Registry::subkey_set entries(HKEY_LOCAL_MACHINE, RegistryPaths::kUninstallKey, Registry::default_access);
        entries.erase(RegistryPaths::kSuiteGuid);
        REG_LOG(fn, Format(L"Successfully deleted uninstall values from registry key %s%s", kHklm,
                           RegistryPaths::SuiteUninstallKey().c_str()));
        return true;
    });
}

bool CRegistryUtils::GetUnInstallValue(std::wstring& uninstallString)
{
    const wchar_t* const fn = L"CRegistryUtils::GetUnInstallValue";
    return Run(fn, __LINE__, Standard(false), [&] {
        const std::wstring entry = RegistryPaths::SuiteUninstallKey();
        if (!SZValueExists(L"Uninstallstring", entry)) {
            REG_LOG(fn, L"Uninstallstring value does not exists...");
            uninstallString.clear();
            return false;
        }
        REG_LOG(fn, L"Uninstallstring value exists...");
        uninstallString = GetSZValue(entry, L"Uninstallstring");
        if (uninstallString.empty()) {
            REG_LOG(fn, L"WARNING: Failed to fetch value...");
            return false;
        }
        REG_LOG(fn, L"Value fetched...");
        return true;
    });
}

std::wstring CRegistryUtils::GetInstallLocationValue()
{
    const wchar_t* const fn = L"CRegistryUtils::GetInstallLocationValue";
    REG_LOG(fn, L"Getting InstallLocation");
    return Run(fn, __LINE__, Standard(std::wstring()), [&] {
        const std::wstring entry = RegistryPaths::SuiteUninstallKey();
        Registry::string_map values(HKEY_LOCAL_MACHINE, entry, Registry::default_access);
        const std::wstring location = values.at(L"installLocation");
        REG_LOG(fn, Format(L"Successfully get InstallLocation value %s from registry key %s%s\\installLocation",
                           location.c_str(), kHklm, entry.c_str()));
        return location;
    });
}

std::wstring CRegistryUtils::GetDisplayVersionValue(const std::wstring& productKey)
{
    const wchar_t* const fn = L"CRegistryUtils::GetDisplayVersionValue";
    return Run(fn, __LINE__, Standard(std::wstring()), [&] {
        const std::wstring entry = RegistryPaths::kUninstallKey + productKey;
        Registry::string_map values(HKEY_LOCAL_MACHINE, entry, Registry::default_access);
        const std::wstring version = values.at(L"DisplayVersion");
        REG_LOG(fn, Format(L"Successfully get DisplayVersion %s from registry key %s%s\\DisplayVersion",
                           version.c_str(), kHklm, entry.c_str()));
        return version;
    });
}

std::wstring CRegistryUtils::GetSZValue(const std::wstring& keyPath, const std::wstring& valueName)
{
    const wchar_t* const fn = L"CRegistryUtils::GetSZValue";
    return Run(fn, __LINE__, Standard(std::wstring()), [&] {
        Registry::string_map values(HKEY_LOCAL_MACHINE, keyPath, Registry::default_access);
        const std::wstring value = values.at(valueName);
        REG_LOG(fn, Format(L"Successfully get REG_SZ value %s from registry key %s%s\\%s", value.c_str(), kHklm,
                           keyPath.c_str(), valueName.c_str()));
        return value;
    });
}

bool CRegistryUtils::SZValueExists(const std::wstring& valueName, const std::wstring& keyPath)
{
    return Run(L"CRegistryUtils::SZValueExists", __LINE__, Standard(false), [&] {
        return Registry::string_map(HKEY_LOCAL_MACHINE, keyPath, Registry::default_access).find(valueName);
    });
}
