#pragma once
#include <windows.h>

// Placement of the dialogs' windows.
namespace WindowLayout {

// A control's window rectangle in its parent's client coordinates (in a mirrored parent, the
// mirrored coordinates that MoveWindow takes), with left <= right.
RECT rectInParent(HWND control);

// Makes the window `extra` pixels wider, keeping its position and height.
void widen(HWND window, int extra);

// Centres the window on the work area of its monitor.
void centre(HWND window);

// Puts the window above all others that are not topmost, shows it, centres it, activates it and
// gives it the focus.
void showTopmostCentred(HWND window);

// Gives the control right-to-left reading order (a text control of a mirrored dialog: the
// mirroring aligns it, this orders its words).
void readRightToLeft(HWND control);

// The control's rectangle in unmirrored pixels from the top left of the parent's client area,
// as the screen shows it, whatever the parent's reading direction.
RECT screenRectInClient(HWND parent, HWND control);

}  // namespace WindowLayout
