// The progress dialog's window as a test sees it from the main thread.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace progresswindow {

// The visible progress dialog with this caption, waiting up to 30 s; null when none came.
HWND waitFor(const std::wstring& caption);
int barPosition(HWND dialog);
std::wstring text(HWND dialog);
// Polls `condition` every 50 ms until it holds or `timeoutMs` has passed.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Whether the bar stays where it is for `periodMs` (longer than the bar's rests, so that a
// moving bar is seen moving).
bool barStaysFor(HWND dialog, DWORD periodMs);
// Waits until the bar shows another position than `from`.
bool barMovesFrom(HWND dialog, int from, DWORD timeoutMs = 8000);

}  // namespace progresswindow
