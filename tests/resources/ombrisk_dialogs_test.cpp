// Dialog templates 104 (finish dialog) and 146 (progress dialog) of Ombrisk.dll.
#include "resource_library.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace resource_library;

struct ExpectedItem {
    DWORD id;
    const wchar_t* windowClass;
    const wchar_t* title;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

struct ExpectedDialog {
    WORD id;
    DWORD style;
    DWORD exStyle;  // left-to-right entries
    short cx, cy;
    const wchar_t* title;
    WORD pointSize;
    WORD weight;
    BYTE charset;
    const wchar_t* typeface;
    std::vector<ExpectedItem> items;
};

const ExpectedDialog kFinishDialog = {
    104, 0x80C800C0, 0, 333, 218, L"Dialog", 8, 0, 0, L"MS Sans Serif",
    {
        {1003, L"button", L"[Finish]", 0x50010001, 0, 268, 199, 59, 14},
        {1001, L"button", L"[Show the readme file]", 0x50012003, 0x20, 125, 100, 111, 15},
        {1009, L"static", L"", 0x50000010, 0x00020000, 0, 192, 333, 1},
        {1008, L"static", L"", 0x5000000E, 0, 0, -1, 20, 20},
        {1013, L"static", L"[[ProductName] has been successfully installed.]", 0x50020000, 0x20, 118, 18, 204, 55},
        {1014, L"static", L"[Next Step:]", 0x50020000, 0, 118, 73, 204, 18},
        {1015, L"static",
         L"[For help on connecting your phone to your computer use the How to connect guide in the Tolvane.]",
         0x50020000, 0x20, 118, 133, 204, 31},
        {1016, L"static", L"[Click Finish to exit the wizard.]", 0x50020000, 0x20, 118, 164, 204, 25},
    },
};

const ExpectedDialog kProgressDialog = {
    146, 0x10C002C9, 0x00000008, 250, 54, L"", 8, 400, 1, L"MS Shell Dlg",
    {
        {1000, L"msctls_progress32", L"", 0x50800000, 0, 7, 33, 236, 14},
        {1006, L"edit", L"", 0x50000880, 0x20, 32, 19, 211, 12},
        {1001, L"static", L"#128", 0x50000003, 0, 7, 7, 20, 20},
    },
};

std::wstring lower(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

// Everything of a template but its extended style, one control per line.
std::string layout(const Dialog& d)
{
    std::ostringstream out;
    out << std::hex << "version " << d.version << " signature " << d.signature << " help " << d.helpId << " style "
        << d.style << std::dec << " at " << d.x << "," << d.y << " size " << d.cx << "x" << d.cy << " menu '"
        << utf8(d.menu) << "' class '" << utf8(d.windowClass) << "' title '" << utf8(d.title) << "' font "
        << d.pointSize << " " << d.weight << " " << int(d.italic) << " " << int(d.charset) << " '"
        << utf8(d.typeface) << "'\n";
    for (const DialogItem& i : d.items) {
        out << "  " << i.id << " " << utf8(lower(i.windowClass)) << " '" << utf8(i.title) << "'" << std::hex
            << " style " << i.style << " ex " << i.exStyle << " help " << i.helpId << std::dec << " rect " << i.x
            << "," << i.y << "," << i.cx << "," << i.cy << " extra " << i.extraCount << "\n";
    }
    return out.str();
}

std::string layout(const ExpectedDialog& e)
{
    Dialog d;
    d.version = 1;
    d.signature = 0xFFFF;
    d.style = e.style;
    d.cx = e.cx;
    d.cy = e.cy;
    d.title = e.title;
    d.pointSize = e.pointSize;
    d.weight = e.weight;
    d.charset = e.charset;
    d.typeface = e.typeface;
    for (const ExpectedItem& x : e.items) {
        DialogItem i;
        i.id = x.id;
        i.windowClass = x.windowClass;
        i.title = x.title;
        i.style = x.style;
        i.exStyle = x.exStyle;
        i.x = x.x;
        i.y = x.y;
        i.cx = x.cx;
        i.cy = x.cy;
        d.items.push_back(i);
    }
    return layout(d);
}

class OmbriskDialogs : public ::testing::Test {
protected:
    DataModule library_{L"Ombrisk.dll"};

    void SetUp() override { ASSERT_NE(library_.get(), nullptr) << "Ombrisk.dll not loaded, error " << library_.error(); }
};

TEST_F(OmbriskDialogs, BothTemplatesExistInAllLanguages)
{
    EXPECT_EQ(resourceNames(library_.get(), MAKEINTRESOURCEW(5)), (std::set<ULONG_PTR>{104, 146}));
    for (WORD id : {104, 146})
        EXPECT_EQ(resourceLanguages(library_.get(), MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id)), allLanguageIds())
            << "dialog " << id;
}

TEST_F(OmbriskDialogs, EnglishTemplatesHaveTheirControlsStylesAndRectangles)
{
    for (const ExpectedDialog* expected : {&kFinishDialog, &kProgressDialog}) {
        std::optional<Dialog> dialog = loadDialog(library_.get(), expected->id, kEnglishUS);
        ASSERT_TRUE(dialog.has_value()) << "dialog " << expected->id << " missing or not an extended template";
        EXPECT_EQ(layout(*dialog), layout(*expected)) << "dialog " << expected->id;
        EXPECT_EQ(dialog->exStyle, expected->exStyle) << "dialog " << expected->id;
    }
}

class OmbriskLanguageDialogs : public ::testing::TestWithParam<Language> {
protected:
    DataModule library_{L"Ombrisk.dll"};

    void SetUp() override { ASSERT_NE(library_.get(), nullptr) << "Ombrisk.dll not loaded, error " << library_.error(); }
};

// Every language has the English controls, identifiers, texts and rectangles;
// only Arabic and Hebrew add the right-to-left layout.
TEST_P(OmbriskLanguageDialogs, MatchEnglishAndMirrorOnlyRightToLeftLanguages)
{
    for (const ExpectedDialog* expected : {&kFinishDialog, &kProgressDialog}) {
        std::optional<Dialog> english = loadDialog(library_.get(), expected->id, kEnglishUS);
        std::optional<Dialog> dialog = loadDialog(library_.get(), expected->id, GetParam().id);
        ASSERT_TRUE(english && dialog) << "dialog " << expected->id;
        EXPECT_EQ(layout(*dialog), layout(*english)) << "dialog " << expected->id;
        const DWORD layoutStyle = GetParam().rightToLeft ? WS_EX_LAYOUTRTL : 0;
        EXPECT_EQ(dialog->exStyle, expected->exStyle | layoutStyle) << std::hex << "dialog " << expected->id;
    }
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, OmbriskLanguageDialogs, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

}  // namespace
