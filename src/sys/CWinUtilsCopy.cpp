// Self-copy of Setup to its permanent folder, and the removal of that folder.
#include "sys/CWinUtils.h"

#include "log/CLog.h"
#include "log/Format.h"
#include "setupfile/CFileParser.h"
#include "sys/ScopedHandle.h"

#include <windows.h>
#include <shlwapi.h>

#include <utility>
#include <vector>

namespace {

const wchar_t* const kSuiteId = L"{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";

std::wstring upToLastBackslash(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring fromLastBackslash(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash);
}

void setArchiveAttribute(const std::vector<std::pair<std::wstring, std::wstring>>& copies)
{
    for (const auto& copy : copies) {
        SetFileAttributesW(copy.second.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    }
}

// Creates the permanent folder. The Windows Installer folder above it exists on every Windows
// that has installed a package; where it does not yet (a fresh system), it is created first.
bool createFolder(const std::wstring& folder)
{
    if (CreateDirectoryW(folder.c_str(), nullptr)) {
        return true;
    }
    if (GetLastError() != ERROR_PATH_NOT_FOUND || !CreateDirectoryW(upToLastBackslash(folder).c_str(), nullptr)) {
        return false;
    }
    return CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
}

}  // namespace

std::wstring CWinUtils::ProgramPath()
{
    return CFileParser::ProgramArgument();
}

std::wstring CWinUtils::GetApplicationDestinationDir()
{
    wchar_t windows[261] = {};
    if (GetWindowsDirectoryW(windows, 261) == 0) {
        return std::wstring();
    }
    SETUP_LOG(L"CWinUtils::GetApplicationDestinationDir", L"Windows dir:");
    SETUP_LOG(L"CWinUtils::GetApplicationDestinationDir", windows);
    return std::wstring(windows) + L"\\Installer\\" + kSuiteId;
}

std::wstring CWinUtils::GetApplicationDestinationPath()
{
    const wchar_t* const fn = L"CWinUtils::GetApplicationDestinationPath";
    const std::wstring path = GetApplicationDestinationDir() + L"\\Setup.exe";
    SETUP_LOG(fn, L"Finding destination path: " + path);
    SETUP_LOG(fn, (PathFileExistsW(path.c_str()) ? L"Found path: " : L"Not found path: ") + path);
    return path;
}

std::wstring CWinUtils::GetApplicationSourceDir()
{
    return upToLastBackslash(ProgramPath());
}

bool CWinUtils::CopyApplication()
{
    const wchar_t* const fn = L"CWinUtils::CopyApplication";
    const std::wstring program = ProgramPath();
    const std::wstring source = upToLastBackslash(program);
    const std::wstring destination = GetApplicationDestinationDir();
    if (source == destination) {
        SETUP_LOG(fn, L"Cannot copy Corvane files to itself");
        return true;
    }
    const std::wstring fileName = fromLastBackslash(program);
    const std::vector<std::pair<std::wstring, std::wstring>> copies = {
        {program, destination + fileName},
        {source + L"\\Ombrisk.dll", destination + L"\\Ombrisk.dll"},
        {source + L"\\Pictavo.dll", destination + L"\\Pictavo.dll"},
        {CFileParser::IniFileNameFor(program), destination + CFileParser::IniFileNameFor(fileName)},
    };
    if (createFolder(destination)) {
        SETUP_LOG(fn, L"Directory succesfully created");
    } else if (GetLastError() == ERROR_ALREADY_EXISTS) {
        SETUP_LOG(fn, L"Directory already exists.");
    } else {
        SETUP_LOG(fn, Format(L"CreateDirectory returned error code %d, returning false", static_cast<int>(GetLastError())));
        return false;
    }
    setArchiveAttribute(copies);
    int failures = 0;
    for (const auto& copy : copies) {
        SETUP_LOG(fn, L"Copying file from " + copy.first + L" to " + copy.second);
        if (!CopyFileW(copy.first.c_str(), copy.second.c_str(), FALSE)) {
            SETUP_LOG(fn, Format(L"Failed to copy %s to %s (error code: %d)", copy.first.c_str(), copy.second.c_str(),
                                 static_cast<int>(GetLastError())));
            ++failures;
        }
    }
    setArchiveAttribute(copies);
    return failures == 0;
}

bool CWinUtils::DeleteApplication()
{
    const wchar_t* const fn = L"CWinUtils::DeleteApplication";
    const std::wstring dir = GetApplicationDestinationDir();
    SETUP_LOG(fn, L"Deleting application (during next reboot...) from: " + dir);
    WIN32_FIND_DATAW entry;
    UniqueFind find(FindFirstFileW((dir + L"\\*.*").c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = dir + L"\\" + name;
            SETUP_LOG(fn, L"Delete file: " + path);
            MoveFileExW(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        } while (FindNextFileW(find.get(), &entry));
    }
    MoveFileExW(dir.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    return true;
}
