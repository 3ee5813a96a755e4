#pragma once
#include "support/RegTestKeys.h"

#include <windows.h>

#include <string>
#include <vector>

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
// `softwarePath` ("Software\...") as it lies in the 64-bit view when a 32-bit program writes it.
std::wstring wow6432Path(const std::wstring& softwarePath);

// A string value of HKEY_LOCAL_MACHINE\`softwarePath` that this program wrote lies in its own view
// only: WOW6432Node for a 32-bit program on a 64-bit Windows, the key itself for a 64-bit program
// or on a 32-bit Windows (which has no WOW6432Node).
void expectInOwnViewOnly(const std::wstring& softwarePath, const std::wstring& name, const std::wstring& text);

// The run-once entry's name for the test program itself ("test_registry").
std::wstring runValueName();

// The names in order, to compare sets of value names (Wine lists values by name, not by age).
std::vector<std::wstring> sorted(std::vector<std::wstring> names);

// Removes every trace of Setup from both hives and, on a 64-bit Windows, from both views.
void clean();

// A test fixture base that cleans before and after each test.
struct Clean {
    Clean() { clean(); }
    ~Clean() { clean(); }
};

}  // namespace setupkeys
