#pragma once
#include <windows.h>

// The type of every message box of the dialog manager: its buttons and icon, MB_TOPMOST, and the
// reading direction of the current language (0, or MB_RIGHT | MB_RTLREADING).
UINT MessageBoxType(UINT buttonsAndIcon, DWORD bidiState);
