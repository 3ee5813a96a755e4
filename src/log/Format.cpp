#include "log/Format.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>
#include <vector>

std::wstring Format(const wchar_t* format, ...)
{
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        const int written = _vsnwprintf(buffer.data(), buffer.size() - 1, format, args);
        va_end(args);
        if (written >= 0 && static_cast<size_t>(written) < buffer.size() - 1) {
            return std::wstring(buffer.data(), static_cast<size_t>(written));
        }
        if (buffer.size() > (1u << 24)) {
            return std::wstring(format);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring Widen(const std::string& text, unsigned codePage)
{
    if (text.empty()) {
        return std::wstring();
    }
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &result[0], size);
    return result;
}

std::string Narrow(const std::wstring& text, unsigned codePage)
{
    if (text.empty()) {
        return std::string();
    }
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &result[0], size,
                        nullptr, nullptr);
    return result;
}
