#include "registry/RegistryPaths.h"

namespace RegistryPaths {

std::wstring SuiteUninstallKey()
{
    return std::wstring(kUninstallKey) + kSuiteGuid;
}

std::wstring HiveName(HKEY root)
{
    if (root == HKEY_LOCAL_MACHINE) {
        return L"HKEY_LOCAL_MACHINE\\";
    }
    if (root == HKEY_CURRENT_USER) {
        return L"HKEY_CURRENT_USER\\";
    }
    return std::wstring();
}

}  // namespace RegistryPaths
