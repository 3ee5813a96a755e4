#include "ui/ProgressWindow.h"

#include "support/Responder.h"

#include <commctrl.h>

namespace progresswindow {

HWND waitFor(const std::wstring& caption)
{
    return Responder::waitFor(caption, L"", 30000).window;
}

int barPosition(HWND dialog)
{
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, 1000), PBM_GETPOS, 0, 0));
}

std::wstring text(HWND dialog)
{
    wchar_t buffer[512] = {};
    GetDlgItemTextW(dialog, 1006, buffer, 512);
    return buffer;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

bool barStaysFor(HWND dialog, DWORD periodMs)
{
    const int position = barPosition(dialog);
    return !waitUntil([&] { return barPosition(dialog) != position; }, periodMs);
}

bool barMovesFrom(HWND dialog, int from, DWORD timeoutMs)
{
    return waitUntil([&] { return barPosition(dialog) != from; }, timeoutMs);
}

}  // namespace progresswindow
