#include "sys/CWinUtils.h"

#include "log/CLog.h"
#include "log/Format.h"
#include "sys/ScopedHandle.h"
#include "sys/WindowsVersion.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

namespace {

bool tokenIsAdmin(const TOKEN_GROUPS& groups)
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    UniqueSid admins;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0,
                                  0, 0, 0, 0, admins.put())) {
        SETUP_LOG(L"CWinUtils::IsAdmin",
                  Format(L"AllocateAndInitSid returns false (admin rights): %d", static_cast<int>(GetLastError())));
        return false;
    }
    bool result = false;
    // Membership counts whatever its attributes: a deny-only group still makes an administrator.
    for (DWORD i = 0; i < groups.GroupCount; ++i) {
        if (EqualSid(groups.Groups[i].Sid, admins.get())) {
            SETUP_LOG(L"CWinUtils::IsAdmin", L"Administrator privileges confirmed!");
            result = true;
        }
    }
    SETUP_LOG(L"CWinUtils::IsAdmin", L"Free the descriptor");
    admins.reset();
    SETUP_LOG(L"CWinUtils::IsAdmin", L"Returning status");
    return result;
}

}  // namespace

bool CWinUtils::IsAdmin()
{
    const wchar_t* const fn = L"CWinUtils::IsAdmin";
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, token.put())) {
        SETUP_LOG(fn, Format(L"OpenProcessToken failed: %d", static_cast<int>(GetLastError())));
        return false;
    }
    DWORD size = 0;
    BOOL success = GetTokenInformation(token.get(), TokenGroups, nullptr, 0, &size);
    const DWORD error = GetLastError();
    SETUP_LOG(fn, Format(L"Buffer size: %d", static_cast<int>(size)));
    std::vector<BYTE> buffer(static_cast<size_t>(size) * 2 + sizeof(TOKEN_GROUPS));
    if (!success) {
        SETUP_LOG(fn, Format(L"bSuccess = false, (GetTokenInformation): %d", static_cast<int>(error)));
    }
    if (success || error != ERROR_INSUFFICIENT_BUFFER) {
        return false;
    }
    success = GetTokenInformation(token.get(), TokenGroups, buffer.data(), size, &size);
    SETUP_LOG(fn, Format(L"New buffer size: %d", static_cast<int>(size)));
    if (!success) {
        SETUP_LOG(fn, Format(L"Last error: %d", static_cast<int>(GetLastError())));
        return false;
    }
    token.reset();
    return tokenIsAdmin(*reinterpret_cast<const TOKEN_GROUPS*>(buffer.data()));
}

bool CWinUtils::isRunningOn64BitOS()
{
    using GetWow64Dir = UINT(WINAPI*)(LPWSTR, UINT);
    const HMODULE kernel = GetModuleHandleW(L"KERNEL32.DLL");
    const auto function = kernel == nullptr ? nullptr
        : reinterpret_cast<GetWow64Dir>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetSystemWow64DirectoryW")));
    if (function != nullptr && function(nullptr, 0) != 0) {
        SETUP_LOG(L"CWinUtils::isRunningOn64BitOS", L"Running on a 64 bit OS");
        return true;
    }
    SETUP_LOG(L"CWinUtils::isRunningOn64BitOS", L"Running on a 32 bit OS");
    return false;
}

int CWinUtils::GetWindowsVersion()
{
    return WindowsVersion::Number(WindowsVersion::Current());
}

std::wstring CWinUtils::GetWindowsVersionName()
{
    return WindowsVersion::Name(GetWindowsVersion());
}

std::wstring CWinUtils::GetWindowsVersionString()
{
    return GetWindowsVersionName() + L" " + WindowsVersion::Current().szCSDVersion;
}

int CWinUtils::GetServicePackNumber()
{
    return WindowsVersion::ServicePack(WindowsVersion::Current());
}

bool CWinUtils::IsWindowsVersionSupported()
{
    return WindowsVersion::Supported(WindowsVersion::Current());
}

bool CWinUtils::SetDiscSpaceInformation(const char* drive)
{
    const wchar_t* const fn = L"CWinUtils::SetDiscSpaceInformation";
    SETUP_LOG(fn, Format(L"==> SetDiscSpaceInformation(pszDrive=%s)", Widen(drive, CP_THREAD_ACP).c_str()));
    using GetFreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto extended = kernel == nullptr ? nullptr
        : reinterpret_cast<GetFreeSpaceEx>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
    if (extended != nullptr) {
        ULARGE_INTEGER available, total, free;
        if (!extended(drive, &available, &total, &free)) {
            SETUP_LOG(fn, Format(L"<!= GetDiskFreeSpaceEX failed. Error code: %d", static_cast<int>(GetLastError())));
            return false;
        }
        freeBytesAvailable = available.QuadPart;
        totalBytes = total.QuadPart;
        i64FreeBytes = free.QuadPart;
        usedBytes = totalBytes - i64FreeBytes;
        SETUP_LOG(fn, Format(L"<== GetDiskFreeSpaceEX successful. (Free bytes: %I64d (Bytes available for user: "
                             L"%I64d), Total bytes: %I64d, Used bytes: %I64d )",
                             i64FreeBytes, freeBytesAvailable, totalBytes, usedBytes));
        discInfoType = 0;
        return true;
    }
    DWORD spc, bps, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(drive, &spc, &bps, &freeClusters, &clusters)) {
        SETUP_LOG(fn, Format(L"<!= GetDiskFreeSpaceEX failed. Error code: %d", static_cast<int>(GetLastError())));
        return false;
    }
    sectorsPerCluster = spc;
    bytesPerSector = bps;
    numberOfFreeClusters = freeClusters;
    totalNumberOfClusters = clusters;
    dwTotalFreeBytes = sectorsPerCluster * bytesPerSector * numberOfFreeClusters;
    SETUP_LOG(fn, Format(L"<== GetDiskFreeSpaceA successful. (Total free bytes = %I64d (SectPerCluster=%I64d, "
                         L"BytesPerSect=%I64d, FreeClusters=%I64d))",
                         static_cast<int64_t>(dwTotalFreeBytes), static_cast<int64_t>(sectorsPerCluster),
                         static_cast<int64_t>(bytesPerSector), static_cast<int64_t>(numberOfFreeClusters)));
    discInfoType = 1;
    return true;
}

bool CWinUtils::IsDiscSpaceAvailable(const char* drive, int64_t sizeOfInstallation)
{
    const wchar_t* const fn = L"CWinUtils::IsDiscSpaceAvailable";
    const wchar_t* const outcome = SetDiscSpaceInformation(drive) ? L"OK" : L"FAILED";
    if (discInfoType != 0 && discInfoType != 1) {
        SETUP_LOG(fn, discInfoType == -1 ? L"ERROR: Disc information type not set." : L"ERROR: Unspecified error.");
        return false;
    }
    const bool extended = discInfoType == 0;
    const int64_t freeBytes = extended ? static_cast<int64_t>(i64FreeBytes) : static_cast<int64_t>(dwTotalFreeBytes);
    const bool available = sizeOfInstallation < freeBytes;
    const std::wstring format = std::wstring(L"SetDiscSpaceInformation %s, ") +
                                (extended ? L"i64FreeBytes" : L"dwTotalFreeBytes") +
                                L"=%I64d, sizeOfInstallation=%I64d   --- " +
                                (available ? L"Space available on disc" : L"Not enough space available on disc");
    SETUP_LOG(fn, Format(format.c_str(), outcome, freeBytes, sizeOfInstallation));
    return available;
}

bool CWinUtils::SetCurrentDir(const std::wstring& path)
{
    const bool ok = SetCurrentDirectoryW(path.c_str()) != FALSE;
    SETUP_LOG(L"CWinUtils::SetCurrentDir",
              (ok ? L"Current directory successfully set to " : L"Faile to set current directory to ") + path);
    return ok;
}

std::wstring CWinUtils::GetCurrentUserDir()
{
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path))) {
        SETUP_LOG(L"CWinUtils::GetCurrentUserDir", std::wstring(L"Successfully fetched current user directory: ") + path);
        return path;
    }
    SETUP_LOG(L"CWinUtils::GetCurrentUserDir", L"WARNING: Failed to retrieve current user directory.");
    return std::wstring();
}
