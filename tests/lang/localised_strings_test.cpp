// Localised strings and dialog templates from the built Ombrisk.dll, with the names filled in.
#include "lang/ApplicationKey.h"
#include "lang/LogCapture.h"
#include "resources/resource_library.h"

#include "lang/CLangUtilities.h"
#include "lang/Placeholders.h"
#include "lang/ProgramFolder.h"

#include <gtest/gtest.h>

namespace {

using resource_library::kLanguages;
using resource_library::Language;

const std::wstring kFailed = L"FAILED TO LOAD RESOURCE";

class LocalisedStrings : public appkey::FreshKey {
protected:
    LogCapture& log_ = LogCapture::get();
    CLangUtilities& lang_ = CLangUtilities::getInstance();
    resource_library::DataModule library_{L"Ombrisk.dll"};

    void SetUp() override
    {
        appkey::FreshKey::SetUp();
        ASSERT_NE(lang_.getResourceHandle(), nullptr);
        ASSERT_NE(library_.get(), nullptr);
        lang_.setProductName(L"Corvane");
        lang_.setCompanyName(L"Vellacor");
    }

    // The library's own text, with the names put in by hand.
    std::wstring expected(UINT id, const Language& language)
    {
        std::wstring text = resource_library::loadString(library_.get(), id, language.id).value_or(L"");
        const wchar_t* product = language.parenthesised ? L"(ProductName)" : L"[ProductName]";
        const wchar_t* company = language.parenthesised ? L"(CompanyName)" : L"[CompanyName]";
        ReplaceAll(text, product, L"Corvane");
        ReplaceAll(text, company, L"Vellacor");
        return text;
    }
};

class StringsOfLanguage : public LocalisedStrings, public ::testing::WithParamInterface<Language> {};

TEST_P(StringsOfLanguage, ComeFromTheCurrentLanguageWithTheNamesFilledIn)
{
    const Language& language = GetParam();
    ASSERT_TRUE(lang_.setCurrentLanguage(language.id, 1));
    for (UINT id : {100u, 143u, 144u, 146u, 149u, 170u}) {
        const std::wstring text = lang_.LoadStr(id);
        EXPECT_EQ(text, expected(id, language)) << "string " << id;
        EXPECT_EQ(text.find(L"ProductName"), std::wstring::npos) << "string " << id;
        EXPECT_EQ(text.find(L"CompanyName"), std::wstring::npos) << "string " << id;
    }
    EXPECT_EQ(lang_.isRTL(), language.rightToLeft);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, StringsOfLanguage, ::testing::ValuesIn(kLanguages));

TEST_F(LocalisedStrings, SublanguageWithoutItsOwnEntryGetsThePrimaryLanguage)
{
    ASSERT_TRUE(lang_.setCurrentLanguage(0x0807, 1));
    EXPECT_EQ(lang_.LoadStr(101), resource_library::loadString(library_.get(), 101, 0x0007).value());
    EXPECT_NE(lang_.LoadStr(101), L"Cancel");
}

TEST_F(LocalisedStrings, EmptyEntryAndMissingBlockGiveTheFailureText)
{
    ASSERT_TRUE(lang_.setCurrentLanguage(1033, 1));
    const size_t mark = log_.mark();
    EXPECT_EQ(lang_.LoadStr(163), kFailed) << "block 11 exists, entry 3 is empty";
    EXPECT_EQ(lang_.LoadStr(120), kFailed) << "block 8 does not exist";
    EXPECT_EQ(lang_.LoadStr(4000), kFailed);
    EXPECT_EQ(lang_.LoadStr(164), L"Show the readme file") << "the entry after the empty one";
    const std::vector<std::wstring> messages = log_.messagesSince(mark, L"CLangUtilities::LoadStr");
    EXPECT_EQ(messages.front(), L"[1] stringID=163, currLangID=1033");
    EXPECT_EQ(messages.back(), L"sizeof=" + std::to_wstring(sizeof(void*)) + L", wcslen=20");
}

TEST_F(LocalisedStrings, ALanguageTheLibraryLacksGivesTheFailureText)
{
    ASSERT_TRUE(lang_.setCurrentLanguage(0x0439, 1));  // Hindi
    EXPECT_EQ(lang_.LoadStr(100), kFailed);
}

TEST_F(LocalisedStrings, NamesStayUndefinedUntilTheyAreSet)
{
    CLangUtilities fresh(ProgramFolder::fileBeside(L"Ombrisk.dll"));
    ASSERT_TRUE(fresh.setCurrentLanguage(1033, 1));
    EXPECT_EQ(fresh.LoadStr(146), L"Installing UNDEFINED");
    EXPECT_EQ(fresh.LoadStr(158),
              L"Please make sure that no UNDEFINED phone is connected to your computer before proceeding.");
    fresh.setProductName(L"Corvane");
    EXPECT_EQ(fresh.LoadStr(146), L"Installing Corvane");
}

TEST_F(LocalisedStrings, WithoutTheLibraryEveryStringIsTheFailureText)
{
    testfiles::ScratchDir empty(L"nolib");
    const size_t mark = log_.mark();
    CLangUtilities missing(empty / L"Ombrisk.dll");
    EXPECT_EQ(missing.getResourceHandle(), nullptr);
    EXPECT_TRUE(log_.loggedSince(mark, L"ERROR: Failed to load Ombrisk.dll ..."));
    ASSERT_TRUE(missing.setCurrentLanguage(1033, 1));
    for (UINT id = 100; id <= 170; ++id) {
        EXPECT_EQ(missing.LoadStr(id), kFailed) << "string " << id;
    }
    EXPECT_TRUE(log_.loggedSince(mark, L"resourceHandle_ == NULL"));
    EXPECT_EQ(missing.LoadDialogTemplate(146), nullptr) << "the program itself holds no dialogs";
}

TEST_F(LocalisedStrings, TheLibraryIsLoadedFromTheProgramsFolderNotTheCurrentOne)
{
    wchar_t loaded[MAX_PATH] = {};
    GetModuleFileNameW(lang_.getResourceHandle(), loaded, MAX_PATH);
    EXPECT_EQ(CompareStringOrdinal(loaded, -1, (testfiles::binDir() + L"Ombrisk.dll").c_str(), -1, TRUE), CSTR_EQUAL);

    // A library of that name planted in the current folder is not picked up.
    testfiles::ScratchDir planted(L"plant");
    ASSERT_TRUE(testfiles::copy(testfiles::binDir() + L"Pictavo.dll", planted / L"Ombrisk.dll"));
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(planted.path().c_str()));
    CLangUtilities fromFolder(ProgramFolder::fileBeside(L"Ombrisk.dll"));
    SetCurrentDirectoryW(previous);
    EXPECT_EQ(fromFolder.getResourceHandle(), lang_.getResourceHandle());
}

// ---------------------------------------------------------------- dialog templates

struct DialogCase {
    unsigned language;
    LANGID entry;  // the library's entry the template must come from
    bool mirrored;
};

void PrintTo(const DialogCase& c, std::ostream* out) { *out << c.language; }

INT_PTR CALLBACK ignoreMessages(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

class DialogTemplates : public LocalisedStrings, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogTemplates, ComeFromTheCurrentLanguageAndMakeADialog)
{
    const DialogCase& c = GetParam();
    ASSERT_TRUE(lang_.setCurrentLanguage(c.language, 1));
    // The thread's language pointing elsewhere must not matter.
    SetThreadLocale(MAKELCID(c.mirrored ? 0x0409 : 0x0401, SORT_DEFAULT));
    for (WORD id : {104, 146}) {
        const DLGTEMPLATE* found = lang_.LoadDialogTemplate(id);
        ASSERT_NE(found, nullptr) << "dialog " << id;
        HRSRC own = FindResourceExW(lang_.getResourceHandle(), RT_DIALOG, MAKEINTRESOURCEW(id), c.entry);
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(static_cast<const void*>(found), LockResource(LoadResource(lang_.getResourceHandle(), own)))
            << "dialog " << id;
        const DWORD exStyle = reinterpret_cast<const DWORD*>(found)[2];  // DLGTEMPLATEEX: after version and helpID
        EXPECT_EQ((exStyle & WS_EX_LAYOUTRTL) != 0, c.mirrored) << "dialog " << id;
    }
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), lang_.LoadDialogTemplate(104), nullptr,
                                             ignoreMessages, 0);
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    EXPECT_EQ((GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, c.mirrored);
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogTemplates,
                         ::testing::Values(DialogCase{1033, 0x0409, false}, DialogCase{2057, 0x0809, false},
                                           DialogCase{0x0807, 0x0007, false}, DialogCase{1025, 0x0001, true},
                                           DialogCase{1037, 0x000D, true}));

TEST_F(LocalisedStrings, ALanguageTheLibraryLacksStillGetsADialog)
{
    ASSERT_TRUE(lang_.setCurrentLanguage(0x0439, 1));
    EXPECT_NE(lang_.LoadDialogTemplate(146), nullptr);
    EXPECT_EQ(lang_.LoadDialogTemplate(999), nullptr);
}

}  // namespace
