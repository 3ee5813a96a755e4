#include "ui/WindowShot.h"

#include "ui/PngFile.h"

#include <vector>

bool saveWindowPicture(HWND window, const std::wstring& pngPath)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
        // The window's own thread repaints it when it gets to it.
        SendMessageW(window, WM_NULL, 0, 0);
        Sleep(500);
    }
    GdiFlush();
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    HDC source = GetWindowDC(window);
    // A mirrored window's device context would copy its pixels mirrored once more.
    SetLayout(source, 0);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();

    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        rgb[i * 3] = pixels[i * 4 + 2];
        rgb[i * 3 + 1] = pixels[i * 4 + 1];
        rgb[i * 3 + 2] = pixels[i * 4];
    }
    SelectObject(memory, previous);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return writePng(pngPath, width, height, rgb);
}
