#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Finds a top-level dialog or message box of any process on this desktop and answers it
// through its buttons, the way a user would.
struct WindowSnapshot {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;                  // the static texts, joined by "\n"
    std::vector<std::wstring> buttons;  // button captions in z-order
    std::vector<int> buttonIds;
    bool hasIcon = false;
    LONG style = 0;
    LONG exStyle = 0;

    bool topmost() const { return (exStyle & WS_EX_TOPMOST) != 0; }
    bool rtlReading() const { return (exStyle & WS_EX_RTLREADING) != 0; }
    bool layoutRtl() const { return (exStyle & WS_EX_LAYOUTRTL) != 0; }
};

class Responder {
public:
    // The first visible top-level window whose caption contains `caption` and whose static texts
    // contain `text` (either may be empty), waiting up to timeoutMs. window is null when none came.
    static WindowSnapshot waitFor(const std::wstring& caption, const std::wstring& text, DWORD timeoutMs);
    static WindowSnapshot snapshot(HWND window);
    // Presses the button with this control id (IDOK, IDYES ...); false when there is none.
    static bool press(HWND window, int buttonId);
    // Presses the button whose caption (without '&') equals `caption`.
    static bool pressByCaption(HWND window, const std::wstring& caption);
    // Waits until the window is gone.
    static bool waitGone(HWND window, DWORD timeoutMs);
};
