#pragma once
#include <windows.h>

#include <string>

// The keys and values Setup uses, and how log lines name them.
namespace RegistryPaths {

const wchar_t* const kSuiteGuid = L"{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
const wchar_t* const kBrennikKey = L"Software\\Brennik";
const wchar_t* const kApplicationKey = L"Software\\Brennik\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
const wchar_t* const kRunOnceKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const wchar_t* const kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const wchar_t* const kSuiteKey = L"SOFTWARE\\Vellacor\\Tolvane for Smartphones\\";
const wchar_t* const kVellacorKey = L"SOFTWARE\\Vellacor\\";
const wchar_t* const kSelectKey = L"SYSTEM\\Select\\";
const wchar_t* const kSessionManagerKey = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const wchar_t* const kEnvironmentKey = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

// The suite's own entry below the Uninstall key.
std::wstring SuiteUninstallKey();

// "HKEY_LOCAL_MACHINE\" or "HKEY_CURRENT_USER\" (with the backslash); "" for any other root.
std::wstring HiveName(HKEY root);

}  // namespace RegistryPaths
