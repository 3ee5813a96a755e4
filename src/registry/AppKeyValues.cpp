#include "registry/AppKeyValues.h"

#include "log/Format.h"
#include "registry/RegistryPaths.h"
#include "registry/ValueMap.h"

namespace AppKeyValues {

namespace {

std::wstring valuePath(const wchar_t* valueName)
{
    return L"HKEY_CURRENT_USER\\" + std::wstring(RegistryPaths::kApplicationKey) + L"\\" + valueName;
}

}  // namespace

void WriteNumber(const wchar_t* valueName, int value)
{
    Registry::number_map map(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
    map.at(valueName) = static_cast<DWORD>(value);
}

int ReadNumber(const wchar_t* valueName)
{
    Registry::number_map map(HKEY_CURRENT_USER, RegistryPaths::kApplicationKey, Registry::default_access);
    return static_cast<int>(map.at(valueName).get());
}

std::wstring SetLine(const wchar_t* prefix, int value, const wchar_t* valueName)
{
    return prefix + Format(L"%d", value) + L" to registry key " + valuePath(valueName);
}

std::wstring GetLine(const wchar_t* prefix, int value, const wchar_t* valueName)
{
    return prefix + Format(L"%d", value) + L" from registry key " + valuePath(valueName);
}

}  // namespace AppKeyValues
