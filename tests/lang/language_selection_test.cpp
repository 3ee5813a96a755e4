// Choosing the language: the thread locale, the values of the application key, the reading
// direction and the CD-browser flag, on the registry of the Wine prefix.
#include "lang/ApplicationKey.h"
#include "lang/LogCapture.h"

#include "lang/CLangUtilities.h"

#include <gtest/gtest.h>

namespace {

const wchar_t* const kSetLanguage = L"CLangUtilities::setCurrentLanguage";

class LanguageSelection : public appkey::FreshKey {
protected:
    LogCapture& log_ = LogCapture::get();
    CLangUtilities& lang_ = CLangUtilities::getInstance();

    void SetUp() override
    {
        appkey::FreshKey::SetUp();
        ASSERT_TRUE(log_.enabled()) << "the test program's setup file did not switch the log on";
    }
};

TEST_F(LanguageSelection, FreshKeyReadsZeroAndFallsThroughToTheSystemLanguage)
{
    const size_t mark = log_.mark();
    EXPECT_EQ(lang_.getCurrentLanguageId(), 0);
    EXPECT_EQ(appkey::number(L"CurrentLanguage"), 0u) << "reading creates the value with 0";

    // Start-up applies the stored language with sublanguage 1.
    ASSERT_TRUE(lang_.setCurrentLanguage(lang_.getCurrentLanguageId(), 1));
    const LANGID system = GetUserDefaultLangID();
    EXPECT_EQ(appkey::number(L"CurrentLanguage"), system);
    EXPECT_EQ(appkey::number(L"CurrentSubLanguage"), std::nullopt);
    EXPECT_EQ(GetThreadLocale(), MAKELCID(system, SORT_DEFAULT));
    EXPECT_EQ(lang_.getCurrentLanguageId(), system);
    EXPECT_EQ(log_.messagesSince(mark, kSetLanguage),
              (std::vector<std::wstring>{
                  L"Setting thread locales language to Lang:0 SubLang:1",
                  L"LanguageId == 0 (setting to default language)...",
                  L"Setting thread locales language to the same current selected locale "
                  L"(Start->Control Panel->Regional and Langauge Options)",
                  L"Successfully changed ThreadLocale " + std::to_wstring(system),
              }));
}

TEST_F(LanguageSelection, CommandLineCodeIsStoredWithTheCdBrowserFlag)
{
    EXPECT_FALSE(lang_.langRetrievedFromCDBrowser()) << "nothing stored yet reads as not from a CD browser";

    ASSERT_TRUE(lang_.setCurrentLanguage(1033, 1));
    ASSERT_TRUE(lang_.setLangRetrievedFromCDBrowser(true));

    EXPECT_EQ(GetThreadLocale(), 0x0409u);
    EXPECT_EQ(appkey::number(L"CurrentLanguage"), 1033u);
    EXPECT_EQ(appkey::number(L"CurrentSubLanguage"), std::nullopt);
    EXPECT_EQ(appkey::number(L"LanguageFetchedFromCDBrowser"), 1u);
    EXPECT_EQ(lang_.getCurrentLanguageId(), 1033);
    EXPECT_TRUE(lang_.langRetrievedFromCDBrowser());
    EXPECT_EQ(lang_.LoadStr(101), L"Cancel");

    ASSERT_TRUE(lang_.setLangRetrievedFromCDBrowser(false));
    EXPECT_EQ(appkey::number(L"LanguageFetchedFromCDBrowser"), 0u);
    EXPECT_FALSE(lang_.langRetrievedFromCDBrowser());
}

TEST_F(LanguageSelection, SublanguageFormSetsTheCombinedLocaleAndStoresBothParts)
{
    ASSERT_TRUE(lang_.setCurrentLanguage(7, 2));
    EXPECT_EQ(GetThreadLocale(), 0x0807u);
    EXPECT_EQ(appkey::number(L"CurrentLanguage"), 7u);
    EXPECT_EQ(appkey::number(L"CurrentSubLanguage"), 2u);
    EXPECT_FALSE(lang_.isRTL());
}

struct Direction {
    unsigned lang;
    unsigned sublang;
    LCID locale;  // the thread locale that results
    bool rightToLeft;
};

void PrintTo(const Direction& d, std::ostream* out) { *out << d.lang << "/" << d.sublang; }

class ReadingDirectionOfLanguage : public LanguageSelection, public ::testing::WithParamInterface<Direction> {};

TEST_P(ReadingDirectionOfLanguage, FollowsTheLocaleSignature)
{
    const Direction& d = GetParam();
    // Start from the opposite direction, so that a stale state cannot pass.
    ASSERT_TRUE(lang_.setCurrentLanguage(d.rightToLeft ? 1033 : 1025, 1));
    ASSERT_EQ(lang_.isRTL(), !d.rightToLeft);

    const size_t mark = log_.mark();
    ASSERT_TRUE(lang_.setCurrentLanguage(d.lang, d.sublang));
    EXPECT_EQ(GetThreadLocale(), d.locale);
    EXPECT_EQ(lang_.getBidiState(), d.rightToLeft ? 0x00180000u : 0u);
    EXPECT_EQ(lang_.isRTL(), d.rightToLeft);
    // A message box of Setup ORs the state into its type.
    EXPECT_EQ((MB_OK | MB_ICONHAND | MB_TOPMOST | lang_.getBidiState()) & (MB_RIGHT | MB_RTLREADING),
              d.rightToLeft ? static_cast<UINT>(MB_RIGHT | MB_RTLREADING) : 0u);
    EXPECT_TRUE(log_.loggedSince(mark, d.rightToLeft ? L"Returning BiDi state: MB_RIGHT | MB_RTLREADING (1572864)."
                                                     : L"Returning BiDi state: LTR (0)."));
    EXPECT_TRUE(log_.loggedSince(mark, d.rightToLeft ? L"Is RTL" : L"Is LTR"));
}

INSTANTIATE_TEST_SUITE_P(Languages, ReadingDirectionOfLanguage,
                         ::testing::Values(Direction{1025, 1, 0x0401, true},   // Arabic (Saudi Arabia)
                                           Direction{1037, 1, 0x040D, true},   // Hebrew
                                           Direction{1, 1, 0x0401, true},      // Arabic, neutral
                                           Direction{13, 1, 0x040D, true},     // Hebrew, neutral
                                           Direction{1, 2, 0x0801, true},      // Arabic (Iraq)
                                           Direction{1031, 1, 0x0407, false},  // German
                                           Direction{7, 2, 0x0807, false},     // German (Switzerland)
                                           Direction{1041, 1, 0x0411, false}));

struct Refused {
    unsigned lang;
    unsigned sublang;
};

class RefusedLocale : public LanguageSelection, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedLocale, ChangesNothingAndReportsTheError)
{
    ASSERT_TRUE(lang_.setCurrentLanguage(1025, 1));
    const size_t mark = log_.mark();

    EXPECT_FALSE(lang_.setCurrentLanguage(GetParam().lang, GetParam().sublang));
    EXPECT_EQ(GetThreadLocale(), 0x0401u);
    EXPECT_EQ(appkey::number(L"CurrentLanguage"), 1025u);
    EXPECT_EQ(appkey::number(L"CurrentSubLanguage"), std::nullopt);
    EXPECT_TRUE(lang_.isRTL()) << "the reading direction stays that of the last language set";
    EXPECT_TRUE(log_.loggedSince(mark, L"ERROR: SetThreadLocale() failed, error code 87 returned."));
    EXPECT_TRUE(log_.loggedSince(mark, L"Failed to change ThreadLocale"));
}

INSTANTIATE_TEST_SUITE_P(Locales, RefusedLocale, ::testing::Values(Refused{0x1234, 1}, Refused{0x3FF, 0}));

TEST_F(LanguageSelection, CheckLcidComparesWithTheLocaleLastSet)
{
    ASSERT_TRUE(lang_.setThrdLocale(0x0409));
    const size_t mark = log_.mark();
    EXPECT_FALSE(lang_.checkLCID(0x0409));
    EXPECT_TRUE(log_.messagesSince(mark).empty());
    EXPECT_TRUE(lang_.checkLCID(0x0407));
    EXPECT_TRUE(log_.loggedSince(mark, L"LCID differs from lastLocale_ (last set locale), i.e. language is set or "
                                       L"changed."));

    // The zero argument sets the user's default and records 0.
    ASSERT_TRUE(lang_.setThrdLocale(0x0407));
    ASSERT_TRUE(lang_.setThrdLocale(LCID{0}));
    EXPECT_EQ(GetThreadLocale(), MAKELCID(GetUserDefaultLangID(), SORT_DEFAULT));
    EXPECT_FALSE(lang_.checkLCID(0));
}

TEST_F(LanguageSelection, AnApplicationKeyThatCannotBeOpenedFailsEveryOperationQuietly)
{
    ASSERT_TRUE(lang_.setCurrentLanguage(1033, 1));
    appkey::UnopenableKey unopenable;
    ASSERT_TRUE(unopenable.refused()) << "the registry still creates the application key";
    const size_t mark = log_.mark();

    EXPECT_EQ(lang_.getCurrentLanguageId(), 0xFFFF);
    EXPECT_TRUE(log_.loggedSince(mark, L"Couldn't open key"));
    EXPECT_FALSE(lang_.setCurrentLanguage(1031, 1));
    EXPECT_TRUE(log_.loggedSince(mark, L"ERROR: Unknown exception caught."));
    EXPECT_EQ(GetThreadLocale(), 0x0409u) << "nothing is changed when the language cannot be stored";
    EXPECT_FALSE(lang_.setCurrentLanguage());
    EXPECT_FALSE(lang_.langRetrievedFromCDBrowser());
    EXPECT_FALSE(lang_.setLangRetrievedFromCDBrowser(true));
    EXPECT_EQ(lang_.LoadStr(101), CLangUtilities::kFailedToLoad);
}

}  // namespace
