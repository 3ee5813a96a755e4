// The two dialogs in the languages of the resource library: their texts fit their controls,
// right-to-left languages are mirrored with their own picture, and pictures of them are saved
// for a person to look at (<build>/screenshots/).
#include "ui/BitmapPixels.h"
#include "ui/ModalAnswerer.h"
#include "ui/ProgressWindow.h"
#include "ui/UiTestEnvironment.h"
#include "ui/WindowShot.h"

#include "lang/CLangUtilities.h"
#include "support/TestPlatform.h"
#include "ui/CDlgManager.h"
#include "ui/CProgressDialog.h"
#include "ui/PictureLibrary.h"
#include "ui/ProductName.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

struct Language {
    LANGID id;
    const wchar_t* tag;
};

// The languages whose pictures are saved: Latin, right-to-left and East Asian scripts.
const Language kPictured[] = {{1033, L"en"}, {7, L"de"}, {1, L"ar"}, {17, L"ja"}, {2052, L"zh"}};

// Every language entry of the resource library.
const LANGID kAllLanguages[] = {1,    5,    6,    7,    8,    10,   11,   12,   13,   14,   16,   17,
                                19,   20,   21,   22,   24,   25,   27,   29,   30,   31,   33,   36,
                                37,   38,   39,   62,   1028, 1033, 1046, 2052, 2057, 2058, 3076, 3084};

bool rightToLeft(LANGID language)
{
    const LANGID primary = PRIMARYLANGID(language);
    return primary == LANG_ARABIC || primary == LANG_HEBREW;
}

std::wstring pictureName(const wchar_t* dialog, const wchar_t* tag)
{
    const char* prefix = std::getenv("SETUP_TEST_PREFIX");
    const std::wstring bits = sizeof(void*) == 8 ? L"x64" : L"x86";
    std::wstring prefixName = L"prefix";
    if (prefix != nullptr) {
        prefixName = std::wstring(prefix, prefix + std::strlen(prefix));
    }
    return uitest::screenshotDir() + dialog + L"_" + tag + L"_" + bits + L"_" + prefixName + L".png";
}

std::wstring windowText(HWND window)
{
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

// The size the control's text takes in the control's font, broken into lines at its width.
SIZE textExtent(HWND control, UINT format, int width)
{
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, width, 0};
    const std::wstring text = windowText(control);
    DrawTextW(dc, text.c_str(), -1, &rect, format | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Texts that need more room than their control has, described for the failure message.
std::wstring clippedTexts(HWND dialog, const std::vector<int>& paragraphs, int checkBox)
{
    std::wstring clipped;
    for (const int id : paragraphs) {
        HWND control = GetDlgItem(dialog, id);
        RECT client;
        GetClientRect(control, &client);
        const SIZE needed = textExtent(control, DT_WORDBREAK | DT_NOPREFIX, client.right);
        if (needed.cy > client.bottom || needed.cx > client.right) {
            clipped += L" " + std::to_wstring(id) + L" needs " + std::to_wstring(needed.cy) + L" of " +
                       std::to_wstring(client.bottom) + L" px";
        }
    }
    if (checkBox != 0) {
        HWND control = GetDlgItem(dialog, checkBox);
        RECT client;
        GetClientRect(control, &client);
        const int box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
        const SIZE needed = textExtent(control, DT_WORDBREAK | DT_NOPREFIX, client.right - box);
        if (needed.cy > client.bottom) {
            clipped += L" check box needs " + std::to_wstring(needed.cy) + L" of " + std::to_wstring(client.bottom) + L" px";
        }
    }
    return clipped;
}

// Whether the prefix draws with the fonts of Windows: Wine's Tahoma for "MS Shell Dlg" (with
// fonts for other scripts linked to it). Without them, measured sizes tell nothing.
bool windowsFonts()
{
    LOGFONTW font{};
    font.lfHeight = -11;
    wcscpy(font.lfFaceName, L"Tahoma");
    HFONT tahoma = CreateFontIndirectW(&font);
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, tahoma);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(tahoma);
    return std::wstring(face) == L"Tahoma";
}

// Thai writes no spaces between words: Windows breaks its lines with a dictionary, Wine's
// DrawText only at spaces, so on Wine a long Thai phrase cannot wrap.
bool breaksLinesLikeWindows(LANGID language)
{
    return PRIMARYLANGID(language) != LANG_THAI;
}

class DialogLanguages : public uitest::UiTest {};

// The finish dialog in every language: texts within their controls, mirrored with picture 112
// for Arabic and Hebrew, picture 1008 for the others.
TEST_F(DialogLanguages, FinishDialogTextsFitAndRightToLeftIsMirrored)
{
    const PictureLibrary pictures;
    const std::vector<uint32_t> leftToRight = bitmapPixels(pictures.bitmap(PictureLibrary::kFinishPicture).get());
    const std::vector<uint32_t> mirroredPicture =
        bitmapPixels(pictures.bitmap(PictureLibrary::kFinishPictureRightToLeft).get());
    ASSERT_FALSE(leftToRight.empty());
    ASSERT_NE(leftToRight, mirroredPicture);

    for (const LANGID language : kAllLanguages) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        uitest::setLanguage(language);
        CDlgManager manager;
        bool mirrored = false;
        std::vector<uint32_t> shownPicture;
        std::wstring clipped;
        const ModalAnswerer answerer(ModalAnswerer::steps({[&](HWND dialog) {
            mirrored = (GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
            shownPicture = bitmapPixels(reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, 1008, STM_GETIMAGE, IMAGE_BITMAP, 0)));
            clipped = clippedTexts(dialog, {1013, 1014, 1015, 1016}, 1001);
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        }}));
        EXPECT_TRUE(manager.showInstallFinishedDialog());
        ASSERT_TRUE(answerer.done());
        EXPECT_EQ(mirrored, rightToLeft(language));
        EXPECT_TRUE(shownPicture == (rightToLeft(language) ? mirroredPicture : leftToRight)) << "wrong picture";
        if (windowsFonts() && breaksLinesLikeWindows(language)) {
            EXPECT_EQ(clipped, L"") << "texts cut off";
        }
    }
}

TEST_F(DialogLanguages, FinishDialogPictures)
{
    for (const Language& language : kPictured) {
        uitest::setLanguage(language.id);
        CDlgManager manager;
        bool saved = false;
        const ModalAnswerer answerer(ModalAnswerer::steps({[&](HWND dialog) {
            saved = saveWindowPicture(dialog, pictureName(L"finish", language.tag));
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        }}));
        EXPECT_TRUE(manager.showInstallFinishedDialog());
        ASSERT_TRUE(answerer.done());
        EXPECT_TRUE(saved) << "no picture of the finish dialog in " << language.id;
    }
}

// The progress dialog in every language: its text line holds the localised text, mirrored for
// Arabic and Hebrew. Pictures are saved for the languages above.
TEST_F(DialogLanguages, ProgressDialogTextFitsAndPictures)
{
    SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE();
    for (const LANGID language : kAllLanguages) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        uitest::setLanguage(language);
        const std::wstring text = CLangUtilities::getInstance().LoadStr(146);
        CProgressDialog dialog;
        dialog.setStartPosition(40);
        dialog.ShowDialog(ProductName(), text, 1001);
        const HWND window = progresswindow::waitFor(ProductName());
        ASSERT_NE(window, nullptr);
        progresswindow::waitUntil([&] { return progresswindow::barPosition(window) == 40; }, 5000);
        EXPECT_EQ(progresswindow::text(window), text);
        EXPECT_EQ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, rightToLeft(language));
        HWND line = GetDlgItem(window, 1006);
        RECT client;
        SendMessageW(line, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&client));
        if (windowsFonts()) {
            EXPECT_LE(textExtent(line, DT_SINGLELINE | DT_NOPREFIX, 0).cx, client.right - client.left) << "text cut off";
        }
        for (const Language& pictured : kPictured) {
            if (pictured.id == language) {
                EXPECT_TRUE(saveWindowPicture(window, pictureName(L"progress", pictured.tag)));
            }
        }
        dialog.CloseDialog();
    }
}

}  // namespace
