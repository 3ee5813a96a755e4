// Pictures of Pictavo.dll: icon 107 and the finish dialog backgrounds 1008 and 112.
#include "resource_library.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace resource_library;

struct Picture {
    LONG width = 0;
    LONG height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

    uint32_t at(LONG x, LONG y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// Loads a bitmap the way the finish dialog does (LoadImageW) and reads its pixels.
std::optional<Picture> loadPicture(HMODULE module, WORD id)
{
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return std::nullopt;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    Picture picture;
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    picture.pixels.resize(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), picture.pixels.data(), &format, DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(bitmap);
    if (rows != info.bmHeight) return std::nullopt;
    for (uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
    return picture;
}

double luminance(uint32_t rgb)
{
    return 0.299 * ((rgb >> 16) & 0xFF) + 0.587 * ((rgb >> 8) & 0xFF) + 0.114 * (rgb & 0xFF);
}

class Pictavo : public ::testing::Test {
protected:
    DataModule library_{L"Pictavo.dll"};

    void SetUp() override { ASSERT_NE(library_.get(), nullptr) << "Pictavo.dll not loaded, error " << library_.error(); }
};

TEST_F(Pictavo, Icon107Has16And32PixelImages)
{
    EXPECT_EQ(resourceNames(library_.get(), MAKEINTRESOURCEW(14)), (std::set<ULONG_PTR>{107}));
    std::optional<std::vector<BYTE>> group =
        resourceBytes(library_.get(), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, MAKEINTRESOURCEW(107), LANG_NEUTRAL);
    ASSERT_TRUE(group.has_value());

    // Icon directory: reserved, type 1, count, then 14-byte entries led by width and height.
    ASSERT_GE(group->size(), 6u);
    const size_t count = (*group)[4] | ((*group)[5] << 8);
    ASSERT_EQ(group->size(), 6 + 14 * count);
    std::set<int> sizes;
    for (size_t i = 0; i < count; ++i) {
        const BYTE* entry = group->data() + 6 + 14 * i;
        EXPECT_EQ(entry[0], entry[1]) << "square images";
        sizes.insert(entry[0]);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));

    for (int size : {16, 32}) {
        // the image that Windows picks for this size decodes to exactly this size
        const int id = LookupIconIdFromDirectoryEx(group->data(), TRUE, size, size, LR_DEFAULTCOLOR);
        std::optional<std::vector<BYTE>> image = resourceBytes(library_.get(), MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(id), LANG_NEUTRAL);
        ASSERT_TRUE(image.has_value()) << size << " px image " << id;
        HICON icon = CreateIconFromResourceEx(image->data(), static_cast<DWORD>(image->size()), TRUE, 0x00030000, 0, 0,
                                              LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << size << " px image does not decode";
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);

        // and the dialogs' way of loading it works too
        HICON loaded = static_cast<HICON>(LoadImageW(library_.get(), MAKEINTRESOURCEW(107), IMAGE_ICON, size, size, 0));
        EXPECT_NE(loaded, nullptr) << size << " px";
        if (loaded) DestroyIcon(loaded);
    }
}

// Bitmap 1008 fills the finish dialog above its separator; bitmap 112, for
// mirrored right-to-left dialogs, is the same picture flipped left to right.
TEST_F(Pictavo, FinishBackgroundsFitTheDialogAndMirrorEachOther)
{
    EXPECT_EQ(resourceNames(library_.get(), MAKEINTRESOURCEW(2)), (std::set<ULONG_PTR>{112, 1008}));
    std::optional<Picture> leftToRight = loadPicture(library_.get(), 1008);
    std::optional<Picture> rightToLeft = loadPicture(library_.get(), 112);
    ASSERT_TRUE(leftToRight && rightToLeft);

    DataModule ombrisk(L"Ombrisk.dll");
    std::optional<Dialog> finish = loadDialog(ombrisk.get(), 104, kEnglishUS);
    ASSERT_TRUE(finish.has_value()) << "finish dialog of Ombrisk.dll";
    const DialogItem* separator = nullptr;
    for (const DialogItem& item : finish->items)
        if (item.id == 1009) separator = &item;
    ASSERT_NE(separator, nullptr);
    DialogItem above;  // the dialog's full width, from its top to the separator
    above.cx = finish->cx;
    above.cy = separator->y;
    const RECT area = finishDialogPixels(above);
    EXPECT_EQ(leftToRight->width, area.right);
    EXPECT_EQ(leftToRight->height, area.bottom);

    ASSERT_EQ(rightToLeft->width, leftToRight->width);
    ASSERT_EQ(rightToLeft->height, leftToRight->height);
    LONG differing = 0;
    for (LONG y = 0; y < leftToRight->height; ++y)
        for (LONG x = 0; x < leftToRight->width; ++x)
            if (rightToLeft->at(x, y) != leftToRight->at(leftToRight->width - 1 - x, y)) ++differing;
    EXPECT_EQ(differing, 0) << "pixels of 112 that are not the mirror of 1008";
    EXPECT_NE(rightToLeft->pixels, leftToRight->pixels) << "the picture is not symmetric, so 112 must differ";
}

// The finish dialog draws its texts and check box transparently, in the default
// dark text colour, over the picture: the picture must stay light behind them.
TEST_F(Pictavo, FinishBackgroundIsLightBehindTheDialogTexts)
{
    std::optional<Picture> picture = loadPicture(library_.get(), 1008);
    DataModule ombrisk(L"Ombrisk.dll");
    std::optional<Dialog> finish = loadDialog(ombrisk.get(), 104, kEnglishUS);
    ASSERT_TRUE(picture && finish);
    int checked = 0;
    for (const DialogItem& item : finish->items) {
        if (item.id != 1001 && (item.id < 1013 || item.id > 1016)) continue;
        ++checked;
        const RECT r = finishDialogPixels(item);
        double darkest = 255;
        for (LONG y = std::max(r.top, 0L); y < std::min(r.bottom, picture->height); ++y)
            for (LONG x = std::max(r.left, 0L); x < std::min(r.right, picture->width); ++x)
                darkest = std::min(darkest, luminance(picture->at(x, y)));
        EXPECT_GE(darkest, 200.0) << "behind control " << item.id;
    }
    EXPECT_EQ(checked, 5);
}

}  // namespace
