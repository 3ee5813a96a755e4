#include "sys/WindowsVersion.h"

namespace {

int windows9xNumber(const OSVERSIONINFOEXW& info)
{
    const DWORD build = info.dwBuildNumber & 0xFFFFu;
    if (info.dwMajorVersion != 4) {
        return 0;
    }
    if (info.dwMinorVersion < 10) {
        if (build == 950) return 1;
        if (build > 950 && build <= 1080) return 2;
        if (build > 1080) return 3;
        return 0;
    }
    if (info.dwMinorVersion == 10) {
        if (build == 1998) return 4;
        if (build > 1998 && build <= 2182) return 5;
        if (build >= 2183) return 6;
        return 0;
    }
    return info.dwMinorVersion == 90 ? 7 : 0;
}

int ntNumber(const OSVERSIONINFOEXW& info)
{
    struct Entry {
        DWORD major;
        DWORD minor;
        int number;
    };
    static const Entry table[] = {{3, 51, 101}, {4, 0, 102}, {5, 0, 103}, {5, 1, 104}, {5, 2, 105}, {6, 0, 106}};
    for (const auto& entry : table) {
        if (info.dwMajorVersion == entry.major && info.dwMinorVersion == entry.minor) {
            return entry.number;
        }
    }
    return 0;
}

}  // namespace

int WindowsVersion::Number(const OSVERSIONINFOEXW& info)
{
    switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS:
        return windows9xNumber(info);
    case VER_PLATFORM_WIN32_NT:
        return ntNumber(info);
    case 3:  // VER_PLATFORM_WIN32_CE
        return 201;
    default:
        return 0;
    }
}

std::wstring WindowsVersion::Name(int number)
{
    switch (number) {
    case 1: return L"Windows 95";
    case 2: return L"Windows 95 SP1";
    case 3: return L"Windows 95 OSR2";
    case 4: return L"Windows 98";
    case 5: return L"Windows 98 SP1";
    case 6: return L"Windows 98 SE";
    case 7: return L"Windows ME";
    case 101: return L"Windows NT 3.51";
    case 102: return L"Windows NT 4";
    case 103: return L"Windows 2000";
    case 104: return L"Windows XP";
    case 105: return L"Windows Server 2003";
    case 106: return L"Windows Vista/Longhorn";
    case 201: return L"Windows CE";
    default: return L"unknown Windows version";
    }
}

int WindowsVersion::ServicePack(const OSVERSIONINFOEXW& info)
{
    int number = 0;
    bool inDigits = false;
    for (int i = 0; i < 128 && info.szCSDVersion[i] != L'\0'; ++i) {
        const wchar_t c = info.szCSDVersion[i];
        if (c >= L'0' && c <= L'9') {
            inDigits = true;
            number = number * 10 + (c - L'0');
        } else if (inDigits) {
            break;
        }
    }
    return number;
}

bool WindowsVersion::Supported(const OSVERSIONINFOEXW& info)
{
    const bool nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    const int servicePack = ServicePack(info);
    return (nt && info.dwMajorVersion == 6) || (nt && info.dwMajorVersion >= 5 && servicePack >= 4) ||
           (Number(info) == 104 && servicePack >= 1);
}

const OSVERSIONINFOEXW& WindowsVersion::Current()
{
    static const OSVERSIONINFOEXW info = [] {
        OSVERSIONINFOEXW read{};
        read.dwOSVersionInfoSize = sizeof(read);
        GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&read));
        return read;
    }();
    return info;
}
