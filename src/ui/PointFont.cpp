#include "ui/PointFont.h"

#include <cwchar>

int PointFontHeight(int tenthsOfPoint, int dotsPerInch)
{
    // 72 points to the inch, 10 tenths to the point.
    return -(dotsPerInch * tenthsOfPoint / 720);
}

UniqueFont CreatePointFont(int tenthsOfPoint, const wchar_t* faceName)
{
    HDC screen = GetDC(nullptr);
    const int dotsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    LOGFONTW font{};
    font.lfHeight = PointFontHeight(tenthsOfPoint, dotsPerInch);
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(font.lfFaceName, faceName, LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&font));
}
