#pragma once
#include <cstdint>
#include <string>

// What the sequencer asks the operating system: rights, version, bitness, disc space, folders.
class CWinUtils {
public:
    CWinUtils() = default;
    virtual ~CWinUtils() = default;

    bool IsAdmin();
    bool isRunningOn64BitOS();

    int GetWindowsVersion();
    std::wstring GetWindowsVersionName();
    std::wstring GetWindowsVersionString();
    int GetServicePackNumber();
    bool IsWindowsVersionSupported();

    bool SetDiscSpaceInformation(const char* drive);
    bool IsDiscSpaceAvailable(const char* drive, int64_t sizeOfInstallation);

    bool SetCurrentDir(const std::wstring& path);
    std::wstring GetCurrentUserDir();

    // The permanent folder and the copy of Setup in it.
    std::wstring GetApplicationDestinationDir();
    std::wstring GetApplicationDestinationPath();
    // The folder the running program was started from.
    std::wstring GetApplicationSourceDir();
    // Copies Setup, its libraries and its setup file to the permanent folder.
    bool CopyApplication();
    // Schedules the permanent folder and everything in it for deletion at the next restart.
    bool DeleteApplication();

    // The running program's path as it was started (the first command-line argument).
    static std::wstring ProgramPath();

private:
    uint64_t freeBytesAvailable = ~0ull;
    uint64_t totalBytes = ~0ull;
    uint64_t i64FreeBytes = ~0ull;
    uint64_t usedBytes = ~0ull;
    uint32_t sectorsPerCluster = ~0u;
    uint32_t bytesPerSector = ~0u;
    uint32_t numberOfFreeClusters = ~0u;
    uint32_t totalNumberOfClusters = ~0u;
    uint32_t dwTotalFreeBytes = ~0u;
    int32_t discInfoType = -1;
};
