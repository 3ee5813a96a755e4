#include "ui/InstallLocation.h"

#include <windows.h>

namespace {

const wchar_t* const kEntry =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";

}  // namespace

InstallLocation::InstallLocation()
{
    remove();
}

InstallLocation::~InstallLocation()
{
    remove();
}

void InstallLocation::set(const std::wstring& folder)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kEntry, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, L"installLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

void InstallLocation::remove()
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kEntry);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kEntry);
}
