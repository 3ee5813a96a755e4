#include "exec/ExecText.h"

#include <windows.h>

namespace ExecText {

std::wstring upper(std::wstring text)
{
    if (!text.empty()) {
        CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    }
    return text;
}

const wchar_t* boolText(bool value)
{
    return value ? L"TRUE" : L"FALSE";
}

}  // namespace ExecText
