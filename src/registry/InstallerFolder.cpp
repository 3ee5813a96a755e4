#include "registry/InstallerFolder.h"

#include "registry/RegistryPaths.h"
#include "sys/CWinUtils.h"

#include <windows.h>

namespace InstallerFolder {

std::wstring WindowsDirectory()
{
    wchar_t dir[261] = {};
    const UINT length = GetWindowsDirectoryW(dir, 261);
    if (length == 0 || length >= 261) {
        return std::wstring();
    }
    return std::wstring(dir, length);
}

std::wstring FolderIn(const std::wstring& windowsDir)
{
    return windowsDir + L"\\Installer\\" + RegistryPaths::kSuiteGuid;
}

std::wstring ProgramFileName()
{
    const std::wstring program = CWinUtils::ProgramPath();
    const size_t slash = program.find_last_of(L"\\/");
    return slash == std::wstring::npos ? program : program.substr(slash + 1);
}

}  // namespace InstallerFolder
