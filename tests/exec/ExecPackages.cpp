#include "ExecPackages.h"

#include "support/MsiPackage.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <tlhelp32.h>

#include <map>
#include <memory>

namespace execpkg {

const wchar_t kSampleUpgrade[] = L"{8E0C6A52-2D31-4B7A-9F10-5C3A1E2B7D01}";
const wchar_t kSuiteUpgrade[] = L"{3B7F2C10-94E5-4D8A-B6C1-0F2E9A7D4C02}";

const Product kSample09{L"sample-0.9", L"0.9", L"{5A0B1C01-0001-4E00-8A00-000000000009}", kSampleUpgrade};
const Product kSample10{L"sample-1.0", L"1.0", L"{5A0B1C01-0001-4E00-8A00-000000000010}", kSampleUpgrade};
const Product kSample15{L"sample-1.5", L"1.5", L"{5A0B1C01-0001-4E00-8A00-000000000015}", kSampleUpgrade};
const Product kSample2000{L"sample-2.0.0.0", L"2.0.0.0", L"{5A0B1C01-0001-4E00-8A00-000000000020}", kSampleUpgrade};
const Product kSample2001{L"sample-2.0.0.1", L"2.0.0.1", L"{5A0B1C01-0001-4E00-8A00-000000000021}", kSampleUpgrade};
const Product kSuite09{L"suite-0.9", L"0.9", L"{7C3D5E01-0002-4F00-8B00-000000000009}", kSuiteUpgrade};
const Product kSuite10031{L"suite-1.0.0.31", L"1.0.0.31", L"{7C3D5E01-0002-4F00-8B00-000000000031}", kSuiteUpgrade};

namespace {

const Product* const kAll[] = {&kSample09, &kSample10, &kSample15, &kSample2000, &kSample2001, &kSuite09, &kSuite10031};

std::string utf8(const std::wstring& text)
{
    return std::string(text.begin(), text.end());  // the names and codes here are ASCII
}

testfiles::ScratchDir& packageFolder()
{
    static testfiles::ScratchDir dir(L"packages");
    return dir;
}

bool build(const Product& product, const std::wstring& target)
{
    MsiPackageDescription described;
    described.productCode = product.productCode;
    described.upgradeCode = product.upgradeCode;
    described.version = product.version;
    described.name = std::wstring(L"Exec ") + product.name;
    described.fileName = L"readme.txt";
    described.folderName = installFolder(product).substr(3);
    described.recordInstallLocation = false;
    testfiles::ScratchDir work(L"wxs");
    testfiles::writeBytes(work / described.fileName, utf8(product.name) + "\r\n");
    // wixl finds a source file by a path relative to its working folder only.
    testfiles::writeBytes(work / L"package.wxs", msiWixSource(described, utf8(described.fileName)));
    const std::string arch = sizeof(void*) == 8 ? "x64" : "x86";
    const int code = runUnixShell("unset LD_PRELOAD; cd '" + unixPathOf(work.path()) + "' && /usr/bin/wixl -a " +
                                  arch + " -o '" + unixPathOf(target) + "' package.wxs > wixl.out 2>&1");
    if (code != 0) {
        ADD_FAILURE() << "wixl failed for " << utf8(product.name) << ": " << testfiles::readBytes(work / L"wixl.out");
    }
    return code == 0 && testfiles::exists(target);
}

DWORD runMsiexec(std::wstring arguments)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system) + L"\\msiexec.exe";
    std::wstring commandLine = L"msiexec " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return GetLastError();
    }
    CloseHandle(info.hThread);
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    return code;
}

std::wstring reversed(const std::wstring& text)
{
    return std::wstring(text.rbegin(), text.rend());
}

// Windows Installer's packed form of a GUID, as its registry keys name products.
std::wstring squashed(const std::wstring& guid)
{
    std::wstring packed = reversed(guid.substr(1, 8)) + reversed(guid.substr(10, 4)) + reversed(guid.substr(15, 4));
    const std::wstring rest = guid.substr(20, 4) + guid.substr(25, 12);
    for (size_t i = 0; i + 1 < rest.size(); i += 2) {
        packed += rest[i + 1];
        packed += rest[i];
    }
    return packed;
}

}  // namespace

std::wstring installFolder(const Product& product)
{
    return std::wstring(L"C:\\ExecTests-") + product.name;
}

std::wstring packagePath(const Product& product)
{
    static std::map<std::wstring, bool> built;
    const std::wstring path = packageFolder() / (std::wstring(product.name) + L".msi");
    auto found = built.find(path);
    if (found == built.end()) {
        found = built.emplace(path, build(product, path)).first;
    }
    EXPECT_TRUE(found->second) << "no package " << utf8(product.name);
    return path;
}

DWORD install(const Product& product)
{
    return runMsiexec(L"/i \"" + packagePath(product) + L"\" /qn");
}

DWORD uninstall(const Product& product)
{
    return runMsiexec(std::wstring(L"/x ") + product.productCode + L" /qn");
}

bool isInstalled(const Product& product)
{
    return MsiQueryProductStateW(product.productCode) == INSTALLSTATE_DEFAULT;
}

void removeAll()
{
    waitForInstallerProcesses();
    for (const Product* product : kAll) {
        if (MsiQueryProductStateW(product->productCode) != INSTALLSTATE_UNKNOWN) {
            uninstall(*product);
        }
    }
}

void waitForInstallerProcesses()
{
    for (;;) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof entry;
        HANDLE running = nullptr;
        for (BOOL more = Process32FirstW(snapshot, &entry); more && running == nullptr;
             more = Process32NextW(snapshot, &entry)) {
            if (lstrcmpiW(entry.szExeFile, L"msiexec.exe") == 0) {
                running = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
            }
        }
        CloseHandle(snapshot);
        if (running == nullptr) {
            return;
        }
        WaitForSingleObject(running, 120000);
        CloseHandle(running);
    }
}

std::wstring uninstallEntry(const Product& product)
{
    return std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + product.productCode;
}

StaleRelation::StaleRelation(const std::wstring& upgradeCode, const std::wstring& productCode)
    : key_(L"Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UpgradeCodes\\" + squashed(upgradeCode))
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, squashed(productCode).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L""),
                       sizeof(wchar_t));
        RegCloseKey(key);
    }
}

StaleRelation::~StaleRelation()
{
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), KEY_WOW64_64KEY, 0);
}

}  // namespace execpkg
