#pragma once
#include <string>

// The permanent folder of Setup: the Windows directory + "\Installer\" + the suite's GUID.
namespace InstallerFolder {

// The Windows directory (at most 261 characters); empty when it cannot be read.
std::wstring WindowsDirectory();
std::wstring FolderIn(const std::wstring& windowsDir);
// The last component of the program's path as its first command-line argument gives it.
std::wstring ProgramFileName();

}  // namespace InstallerFolder
