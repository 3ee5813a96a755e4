// Painting of the finish dialog: the picture fills the area above the separator line, and the
// texts and the check box lie transparently on it.
#include "ui/CInstallFinishDialog.h"

#include "ui/WindowLayout.h"

namespace {

// In a mirrored window a copied bitmap would come out mirrored again: the right-to-left picture
// is already drawn the way it is to be seen.
DWORD copyOperation(bool mirrored)
{
    return mirrored ? SRCCOPY | NOMIRRORBITMAP : SRCCOPY;
}

}  // namespace

int CInstallFinishDialog::pictureHeight()
{
    // Measured once, at the first paint: the top of the separator line in client pixels.
    if (pictureHeight_ < 0) {
        pictureHeight_ = WindowLayout::screenRectInClient(window(), item(kSeparatorId)).top;
    }
    return pictureHeight_;
}

void CInstallFinishDialog::drawPicture(HDC dc, const RECT& target, const RECT& source) const
{
    HDC memory = CreateCompatibleDC(dc);
    if (memory == nullptr) {
        return;
    }
    HGDIOBJ previous = SelectObject(memory, backgroundBitmap.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, memory,
               source.left, source.top, source.right - source.left, source.bottom - source.top,
               copyOperation(mirrored_));
    SelectObject(memory, previous);
    DeleteDC(memory);
}

bool CInstallFinishDialog::OnEraseBkgnd(HDC dc)
{
    RECT client;
    GetClientRect(window(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (backgroundBitmap) {
        BITMAP picture{};
        GetObjectW(backgroundBitmap.get(), sizeof(picture), &picture);
        const RECT target{0, 0, client.right, pictureHeight()};
        drawPicture(dc, target, RECT{0, 0, picture.bmWidth, picture.bmHeight});
    }
    setMessageResult(TRUE);
    return true;
}

HBRUSH CInstallFinishDialog::OnCtlColorStatic(HDC dc, HWND control)
{
    if (control == readmeCheckBox && backgroundBitmap) {
        // The piece of the stretched picture that lies behind the check box, scaled back to the
        // picture's own pixels.
        RECT client;
        GetClientRect(window(), &client);
        BITMAP picture{};
        GetObjectW(backgroundBitmap.get(), sizeof(picture), &picture);
        const RECT box = WindowLayout::screenRectInClient(window(), control);
        const int height = pictureHeight();
        if (client.right > 0 && height > 0) {
            const RECT source{MulDiv(box.left, picture.bmWidth, client.right), MulDiv(box.top, picture.bmHeight, height),
                              MulDiv(box.right, picture.bmWidth, client.right),
                              MulDiv(box.bottom, picture.bmHeight, height)};
            drawPicture(dc, RECT{0, 0, box.right - box.left, box.bottom - box.top}, source);
        }
    }
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}
