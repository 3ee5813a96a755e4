#include "SetupKeys.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace setupkeys {

std::wstring runValueName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

std::wstring wow6432Path(const std::wstring& softwarePath)
{
    return L"SOFTWARE\\WOW6432Node" + softwarePath.substr(softwarePath.find(L'\\'));
}

void expectInOwnViewOnly(const std::wstring& softwarePath, const std::wstring& name, const std::wstring& text)
{
    const bool wow64 = regtest::runsUnderWow64();
    const std::wstring own = wow64 ? wow6432Path(softwarePath) : softwarePath;
    const std::wstring other = wow64 ? softwarePath : wow6432Path(softwarePath);
    EXPECT_EQ(text, regtest::readString(HKEY_LOCAL_MACHINE, own, name, KEY_WOW64_64KEY)) << own;
    EXPECT_FALSE(regtest::valueExists(HKEY_LOCAL_MACHINE, other, name, KEY_WOW64_64KEY)) << other;
}

std::vector<std::wstring> sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
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
