#pragma once
#include <windows.h>

#include <string>

// Real Windows Installer packages for the executer's tests, built with wixl on first use (for the
// build's own platform: x64 packages for the 64-bit test build, so that their entries in the list
// of installed programs land in the registry view the product reads) and installed with the
// system's msiexec.
namespace execpkg {

struct Product {
    const wchar_t* name;         // the package's file name without ".msi"
    const wchar_t* version;      // ProductVersion, DisplayVersion of the installed product
    const wchar_t* productCode;
    const wchar_t* upgradeCode;
};

// One product line of five versions under one upgrade code.
extern const Product kSample09, kSample10, kSample15, kSample2000, kSample2001;
extern const wchar_t kSampleUpgrade[];
// The suite installed by suitesetup.exe, in its current (1.0.0.31) and an older version.
extern const Product kSuite09, kSuite10031;
extern const wchar_t kSuiteUpgrade[];

// The package file (built on first use; the test fails when wixl cannot build it).
std::wstring packagePath(const Product& product);
// The folder the product installs its one file "readme.txt" to.
std::wstring installFolder(const Product& product);

DWORD install(const Product& product);    // msiexec /i <package> /qn
DWORD uninstall(const Product& product);  // msiexec /x <product code> /qn
bool isInstalled(const Product& product);
// Removes every product of both lines that is installed.
void removeAll();
// Waits for msiexec processes started without waiting to end.
void waitForInstallerProcesses();

// The product's entry in the list of installed programs, as the product code reads it.
std::wstring uninstallEntry(const Product& product);

// Registers `productCode` as related to `upgradeCode` without installing anything (what a removal
// that went wrong leaves behind); removed again at the end of its life.
class StaleRelation {
public:
    StaleRelation(const std::wstring& upgradeCode, const std::wstring& productCode);
    ~StaleRelation();
    StaleRelation(const StaleRelation&) = delete;
    StaleRelation& operator=(const StaleRelation&) = delete;

private:
    std::wstring key_;
};

}  // namespace execpkg
