#pragma once
#include "support/RegTestKeys.h"

#include <windows.h>

#include <string>

// The keys and values Setup leaves in the registry, for the tests to look at and to clean.
namespace setupkeys {

const wchar_t* const kGuid = L"{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
const wchar_t* const kBrennik = L"Software\\Brennik";
const wchar_t* const kAppKey = L"Software\\Brennik\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
const wchar_t* const kRunOnce = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const wchar_t* const kUninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t* const kEntry = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                              L"{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
const wchar_t* const kVellacor = L"SOFTWARE\\Vellacor";
const wchar_t* const kSuiteKey = L"SOFTWARE\\Vellacor\\Tolvane for Smartphones";
// Where a 32-bit program's HKEY_LOCAL_MACHINE\SOFTWARE lands on a 64-bit Windows.
const wchar_t* const kWow6432 = L"SOFTWARE\\WOW6432Node\\";

// The run-once entry's name for the test program itself ("test_registry").
std::wstring runValueName();

// Removes every trace of Setup from both hives and, on a 64-bit Windows, from both views.
void clean();

// A test fixture base that cleans before and after each test.
struct Clean {
    Clean() { clean(); }
    ~Clean() { clean(); }
};

}  // namespace setupkeys
