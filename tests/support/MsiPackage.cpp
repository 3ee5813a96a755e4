#include "support/MsiPackage.h"

#include "support/TestFiles.h"

#include <cstdlib>

namespace {

std::string utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], n, nullptr, nullptr);
    return bytes;
}

std::wstring widen(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

// A component GUID of its own for every product: the product code with its first digits changed.
std::wstring componentGuid(const std::wstring& productCode)
{
    std::wstring guid = productCode;
    if (guid.size() > 3) {
        guid[1] = guid[1] == L'C' ? L'D' : L'C';
        guid[2] = L'0';
    }
    return guid;
}

std::string quoted(const std::string& path)
{
    return "'" + path + "'";
}

DWORD runMsiexec(const std::wstring& arguments)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system) + L"\\msiexec.exe";
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return static_cast<DWORD>(-1);
    }
    CloseHandle(info.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(info.hProcess, 300000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(info.hProcess, &code);
    } else {
        TerminateProcess(info.hProcess, 1);
    }
    CloseHandle(info.hProcess);
    return code;
}

}  // namespace

std::string unixPathOf(const std::wstring& windowsPath)
{
    using Converter = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<Converter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (convert == nullptr) {
        return std::string();
    }
    char* path = convert(windowsPath.c_str());
    if (path == nullptr) {
        return std::string();
    }
    std::string result = path;
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

int runUnixShell(const std::string& command, DWORD timeoutMs)
{
    // Wine starts a Unix program without giving back a process handle, so the script reports its
    // end through a file that appears, complete, by a rename.
    testfiles::ScratchDir dir(L"sh");
    const std::string done = unixPathOf(dir / L"done");
    const std::string script = "(" + command + "); echo $? > " + quoted(done + ".tmp") + "; mv " +
                               quoted(done + ".tmp") + " " + quoted(done);
    testfiles::writeBytes(dir / L"script.sh", script + "\n");
    std::wstring commandLine = L"/bin/sh " + widen(unixPathOf(dir / L"script.sh"));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (done.empty() || !CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &info)) {
        return -1;
    }
    if (info.hThread != nullptr) {
        CloseHandle(info.hThread);
    }
    if (info.hProcess != nullptr) {
        CloseHandle(info.hProcess);
    }
    const DWORD start = GetTickCount();
    while (!testfiles::exists(dir / L"done")) {
        if (GetTickCount() - start > timeoutMs) {
            return -1;
        }
        Sleep(50);
    }
    return std::atoi(testfiles::readBytes(dir / L"done").c_str());
}

std::string msiWixSource(const MsiPackageDescription& described, const std::string& sourceFile)
{
    std::string arp;
    if (described.recordInstallLocation) {
        // Right after CostFinalize (1000), when INSTALLDIR is known (wixl does not place every After= right).
        arp = "    <CustomAction Id=\"RecordInstallFolder\" Property=\"ARPINSTALLLOCATION\" Value=\"[INSTALLDIR]\" />\n"
              "    <InstallExecuteSequence><Custom Action=\"RecordInstallFolder\" Sequence=\"1001\" />"
              "</InstallExecuteSequence>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
           "  <Product Id=\"" + utf8(described.productCode) + "\" Name=\"" + utf8(described.name) +
           "\" Language=\"1033\" Version=\"" + utf8(described.version) + "\" Manufacturer=\"" + utf8(described.manufacturer) +
           "\" UpgradeCode=\"" + utf8(described.upgradeCode) + "\">\n"
           "    <Package InstallerVersion=\"200\" Compressed=\"yes\" InstallScope=\"perMachine\" />\n"
           "    <Media Id=\"1\" Cabinet=\"data.cab\" EmbedCab=\"yes\" />\n" + arp +
           "    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">\n"
           "      <Directory Id=\"INSTALLDIR\" Name=\"" + utf8(described.folderName) + "\">\n"
           "        <Component Id=\"Main\" Guid=\"" + utf8(componentGuid(described.productCode)) + "\" Win64=\"" +
           (described.platform == L"x64" ? "yes" : "no") + "\">\n"
           "          <File Id=\"payload\" Name=\"" + utf8(described.fileName) + "\" Source=\"" + sourceFile +
           "\" KeyPath=\"yes\" />\n"
           "        </Component>\n"
           "      </Directory>\n"
           "    </Directory>\n"
           "    <Feature Id=\"Complete\" Level=\"1\"><ComponentRef Id=\"Main\" /></Feature>\n"
           "  </Product>\n"
           "</Wix>\n";
}

MsiPackage::MsiPackage(const MsiPackageDescription& described, const std::wstring& msiPath) : spec_(described), msiPath_(msiPath)
{
    testfiles::ScratchDir work(L"wxs");
    testfiles::writeBytes(work / described.fileName, "payload of " + utf8(described.name) + "\r\n");
    // wixl takes the files of a package relative to its working folder.
    testfiles::writeBytes(work / L"package.wxs", msiWixSource(described, utf8(described.fileName)));
    DeleteFileW(msiPath.c_str());
    // The i386 preload of the Wine wrapper means nothing to the 64-bit wixl.
    const int code = runUnixShell("unset LD_PRELOAD; cd " + quoted(unixPathOf(work.path())) +
                                  " && /usr/bin/wixl -a " + utf8(described.platform) + " -o " + quoted(unixPathOf(msiPath)) +
                                  " package.wxs > wixl.out 2>&1");
    buildOutput_ = testfiles::readBytes(work / L"wixl.out");
    built_ = code == 0 && testfiles::exists(msiPath);
}

MsiPackage::~MsiPackage()
{
    if (installed_) {
        uninstall();
    }
}

DWORD MsiPackage::install(const std::wstring& installFolder)
{
    std::wstring arguments = L"/i \"" + msiPath_ + L"\" /qn";
    if (!installFolder.empty()) {
        arguments += L" INSTALLDIR=\"" + installFolder + L"\"";
    }
    const DWORD code = runMsiexec(arguments);
    installed_ = installed_ || code == ERROR_SUCCESS || code == ERROR_SUCCESS_REBOOT_REQUIRED;
    return code;
}

DWORD MsiPackage::uninstall()
{
    const DWORD code = runMsiexec(L"/x " + spec_.productCode + L" /qn");
    if (code == ERROR_SUCCESS || code == ERROR_SUCCESS_REBOOT_REQUIRED) {
        installed_ = false;
    }
    return code;
}
