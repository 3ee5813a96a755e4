#pragma once
#include <string>

// The number values of the application key and how log lines name them.
namespace AppKeyValues {

// Raise the key classes' failures.
void WriteNumber(const wchar_t* valueName, int value);
int ReadNumber(const wchar_t* valueName);

// prefix + n + " to registry key " + "HKEY_CURRENT_USER\" + application key + "\" + value name
std::wstring SetLine(const wchar_t* prefix, int value, const wchar_t* valueName);
// prefix + n + " from registry key " + ...
std::wstring GetLine(const wchar_t* prefix, int value, const wchar_t* valueName);

}  // namespace AppKeyValues
