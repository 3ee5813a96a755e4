#include "registry/AppKeyValues.h"

#include "log/Format.h"
#include "registry/RegistryPaths.h"
#include "registry/ValueMap.h"

namespace AppKeyValues {

namespace {

std::wstring line(const wchar_t* prefix, int value, const wchar_t* direction, const wchar_t* valueName)
{
    return Format(L"%s%d %s registry key HKEY_CURRENT_USER\\%s\\%s", prefix, value, direction,
                  RegistryPaths::kApplicationKey, valueName);
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
    return line(prefix, value, L"to", valueName);
}

std::wstring GetLine(const wchar_t* prefix, int value, const wchar_t* valueName)
{
    return line(prefix, value, L"from", valueName);
}

}  // namespace AppKeyValues
