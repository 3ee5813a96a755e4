#pragma once
#include <string>

// printf-style formatting into a wide string, with the C runtime's wide conventions:
// "%s" takes a wide string, "%I64d" a 64-bit integer.
std::wstring Format(const wchar_t* format, ...);

// Wide <-> ANSI conversions in a given code page.
std::wstring Widen(const std::string& text, unsigned codePage);
std::string Narrow(const std::wstring& text, unsigned codePage);
