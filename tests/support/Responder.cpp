#include "support/Responder.h"

namespace {

std::wstring windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring withoutAmpersand(std::wstring text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (c != L'&') out += c;
    }
    return out;
}

struct Search {
    std::wstring caption;
    std::wstring text;
    HWND found = nullptr;
};

BOOL CALLBACK visitTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    const WindowSnapshot shot = Responder::snapshot(window);
    if (shot.caption.find(search->caption) == std::wstring::npos ||
        shot.text.find(search->text) == std::wstring::npos) {
        return TRUE;
    }
    if (search->caption.empty() && search->text.empty() && shot.buttons.empty()) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

BOOL CALLBACK visitChild(HWND child, LPARAM param)
{
    auto* shot = reinterpret_cast<WindowSnapshot*>(param);
    const std::wstring cls = className(child);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        shot->buttons.push_back(withoutAmpersand(windowText(child)));
        shot->buttonIds.push_back(GetDlgCtrlID(child));
    } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            shot->hasIcon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else {
            const std::wstring text = windowText(child);
            if (!text.empty()) {
                shot->text += (shot->text.empty() ? L"" : L"\n") + text;
            }
        }
    }
    return TRUE;
}

}  // namespace

WindowSnapshot Responder::snapshot(HWND window)
{
    WindowSnapshot shot;
    shot.window = window;
    shot.caption = windowText(window);
    shot.style = GetWindowLongW(window, GWL_STYLE);
    shot.exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    EnumChildWindows(window, visitChild, reinterpret_cast<LPARAM>(&shot));
    return shot;
}

WindowSnapshot Responder::waitFor(const std::wstring& caption, const std::wstring& text, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        Search search{caption, text, nullptr};
        EnumWindows(visitTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return snapshot(search.found);
        }
        if (GetTickCount() - start > timeoutMs) {
            return WindowSnapshot();
        }
        Sleep(100);
    }
}

bool Responder::press(HWND window, int buttonId)
{
    HWND button = GetDlgItem(window, buttonId);
    if (button == nullptr) {
        return false;
    }
    PostMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool Responder::pressByCaption(HWND window, const std::wstring& caption)
{
    const WindowSnapshot shot = snapshot(window);
    for (size_t i = 0; i < shot.buttons.size(); ++i) {
        if (shot.buttons[i] == caption) {
            return press(window, shot.buttonIds[i]);
        }
    }
    return false;
}

bool Responder::waitGone(HWND window, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(50);
    }
    return true;
}
