#include "registry/RunOnceEntry.h"

#include "sys/WindowsVersion.h"

#include <vector>

namespace RunOnceEntry {

HKEY HiveFor(const OSVERSIONINFOEXW& version)
{
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 6 ? HKEY_LOCAL_MACHINE
                                                                                          : HKEY_CURRENT_USER;
}

HKEY Hive()
{
    return HiveFor(WindowsVersion::Current());
}

std::wstring ValueNameFor(const std::wstring& modulePath)
{
    const size_t slash = modulePath.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? modulePath : modulePath.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring ValueName()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            return ValueNameFor(std::wstring(path.data(), length));
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace RunOnceEntry
