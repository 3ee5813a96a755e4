#pragma once
#include "ui/GdiHandles.h"

// A screen font of the given size in tenths of a point (85 = 8.5 points), for the pixel density
// of the screen.
UniqueFont CreatePointFont(int tenthsOfPoint, const wchar_t* faceName);

// The font height in logical units for a size in tenths of a point at `dotsPerInch` (negative:
// the character height without internal leading).
int PointFontHeight(int tenthsOfPoint, int dotsPerInch);
