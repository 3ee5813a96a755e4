#include "lang/Placeholders.h"

namespace {

void fill(std::wstring& text, const wchar_t* name, const std::wstring& value)
{
    if (value.empty()) {
        return;
    }
    const std::wstring bracketed = std::wstring(L"[") + name + L"]";
    if (ReplaceAll(text, bracketed, value) == 0) {
        ReplaceAll(text, std::wstring(L"(") + name + L")", value);
    }
}

}  // namespace

size_t ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to)
{
    if (from.empty()) {
        return 0;
    }
    size_t count = 0;
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
        ++count;
    }
    return count;
}

std::wstring FillPlaceholders(std::wstring text, const std::wstring& productName,
                              const std::wstring& companyName)
{
    fill(text, L"ProductName", productName);
    fill(text, L"CompanyName", companyName);
    return text;
}
