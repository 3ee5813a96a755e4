#pragma once
#include <windows.h>

#include <string>

// A real Windows Installer package for tests, built at test time by msitools' wixl (a Linux
// program, started through Wine) and installed and removed with Wine's own msiexec.
struct MsiPackageDescription {
    std::wstring productCode;                 // "{...}", upper case
    std::wstring upgradeCode;                 // "{...}", upper case
    std::wstring version = L"1.0.0";
    std::wstring name = L"Test Product";
    std::wstring manufacturer = L"Test Maker";
    std::wstring fileName = L"payload.txt";  // the one file it installs
    std::wstring folderName = L"TestProduct";  // its install folder below the system drive's root
    // The package's platform: "x64" puts its entry in the list of installed programs into the
    // 64-bit view of a 64-bit Windows, "x86" into the 32-bit one (WOW6432Node). By default the
    // platform of the test program, so that it finds the entry where it looks.
    std::wstring platform = sizeof(void*) == 8 ? L"x64" : L"x86";
    // Whether the package records its install folder as InstallLocation of its entry in the list
    // of installed programs (ARPINSTALLLOCATION).
    bool recordInstallLocation = true;
};

class MsiPackage {
public:
    // Builds the package into `msiPath` (a Windows path).
    MsiPackage(const MsiPackageDescription& described, const std::wstring& msiPath);
    // Removes the product when the package installed it.
    ~MsiPackage();
    MsiPackage(const MsiPackage&) = delete;
    MsiPackage& operator=(const MsiPackage&) = delete;

    bool built() const { return built_; }
    const std::wstring& path() const { return msiPath_; }
    const MsiPackageDescription& described() const { return spec_; }
    // wixl's output when the build failed.
    const std::string& buildOutput() const { return buildOutput_; }

    // msiexec /i <package> /qn [INSTALLDIR=<folder>]; its exit code.
    DWORD install(const std::wstring& installFolder = L"");
    // msiexec /x <product code> /qn; its exit code.
    DWORD uninstall();

private:
    MsiPackageDescription spec_;
    std::wstring msiPath_;
    bool built_ = false;
    bool installed_ = false;
    std::string buildOutput_;
};

// The WiX source wixl builds for a package description; `sourceFile` is the file to install, relative to wixl's folder.
std::string msiWixSource(const MsiPackageDescription& described, const std::string& sourceFile);
// The Unix path of a Windows path (Wine's own mapping); empty when there is none.
std::string unixPathOf(const std::wstring& windowsPath);
// Runs a shell command on the Linux side and waits for it (up to timeoutMs); its exit code,
// or -1 when it could not be started or did not end in time.
int runUnixShell(const std::string& command, DWORD timeoutMs = 60000);
