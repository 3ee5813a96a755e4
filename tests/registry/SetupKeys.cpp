#include "SetupKeys.h"

#include <vector>

namespace setupkeys {

std::wstring runValueName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

void clean()
{
    regtest::deleteTree(HKEY_CURRENT_USER, kBrennik);
    regtest::deleteValue(HKEY_CURRENT_USER, kRunOnce, runValueName());
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        regtest::deleteValue(HKEY_LOCAL_MACHINE, kRunOnce, runValueName(), view);
        regtest::deleteTree(HKEY_LOCAL_MACHINE, kEntry, view);
        regtest::deleteTree(HKEY_LOCAL_MACHINE, kVellacor, view);
    }
}

}  // namespace setupkeys
