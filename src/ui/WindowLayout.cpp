#include "ui/WindowLayout.h"

#include <algorithm>

namespace WindowLayout {

namespace {

RECT normalised(RECT rect)
{
    if (rect.left > rect.right) {
        std::swap(rect.left, rect.right);
    }
    return rect;
}

// The client area's left and top edges on the screen, whatever the window's layout.
POINT clientOriginOnScreen(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    POINT corners[2] = {{0, 0}, {client.right, client.bottom}};
    ClientToScreen(window, &corners[0]);
    ClientToScreen(window, &corners[1]);
    return POINT{std::min(corners[0].x, corners[1].x), std::min(corners[0].y, corners[1].y)};
}

}  // namespace

RECT rectInParent(HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return normalised(rect);
}

void widen(HWND window, int extra)
{
    const bool child = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
    RECT rect;
    if (child) {
        rect = rectInParent(window);
    } else {
        GetWindowRect(window, &rect);
    }
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left + extra, rect.bottom - rect.top, TRUE);
}

void centre(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    }
    const RECT& area = monitor.rcWork;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(window, nullptr, std::max(left, static_cast<int>(area.left)), std::max(top, static_cast<int>(area.top)),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void showTopmostCentred(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    centre(window);
    SetActiveWindow(window);
    SetFocus(window);
}

void readRightToLeft(HWND control)
{
    SetWindowLongW(control, GWL_EXSTYLE, GetWindowLongW(control, GWL_EXSTYLE) | WS_EX_RTLREADING);
}

RECT screenRectInClient(HWND parent, HWND control)
{
    RECT rect;
    GetWindowRect(control, &rect);
    const POINT origin = clientOriginOnScreen(parent);
    OffsetRect(&rect, -origin.x, -origin.y);
    return rect;
}

}  // namespace WindowLayout
