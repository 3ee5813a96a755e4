// Pictures of windows on the screen, for a person to look at.
#pragma once
#include <windows.h>

#include <string>

// Repaints the window (and its controls) at once and saves what it shows, frame included, as a
// PNG file. False when nothing could be saved.
bool saveWindowPicture(HWND window, const std::wstring& pngPath);
