// The decisions behind the localised strings, as plain functions: the walk over a string block,
// the placeholders and the reading direction.
#include "lang/Placeholders.h"
#include "lang/ReadingDirection.h"
#include "lang/StringBlock.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// A block from its entries (missing trailing entries are left out, as resource compilers may).
std::vector<wchar_t> block(const std::vector<std::wstring>& entries)
{
    std::vector<wchar_t> units;
    for (const std::wstring& text : entries) {
        units.push_back(static_cast<wchar_t>(text.size()));
        units.insert(units.end(), text.begin(), text.end());
    }
    return units;
}

std::optional<std::wstring> entryOf(const std::vector<wchar_t>& units, unsigned index, size_t cut = 0)
{
    return StringBlock::entry(units.data(), units.size() * sizeof(wchar_t) - cut, index);
}

TEST(StringBlock, IdentifierSelectsBlockAndEntry)
{
    EXPECT_EQ(StringBlock::blockOf(163), 11u);
    EXPECT_EQ(StringBlock::indexOf(163), 3u);
    EXPECT_EQ(StringBlock::blockOf(0), 1u);
    EXPECT_EQ(StringBlock::blockOf(15), 1u);
    EXPECT_EQ(StringBlock::blockOf(16), 2u);
}

TEST(StringBlock, WalkFindsEntriesAndRejectsEmptyAbsentAndCutOnes)
{
    const std::vector<wchar_t> units = block({L"zero", L"", L"two", L"", L"four"});
    EXPECT_EQ(entryOf(units, 0), L"zero");
    EXPECT_EQ(entryOf(units, 1), std::nullopt) << "empty entry";
    EXPECT_EQ(entryOf(units, 2), L"two");
    EXPECT_EQ(entryOf(units, 4), L"four");
    EXPECT_EQ(entryOf(units, 5), std::nullopt) << "entry beyond the block's data";
    EXPECT_EQ(entryOf(units, 15), std::nullopt);
    EXPECT_EQ(entryOf(units, 4, sizeof(wchar_t)), std::nullopt) << "an entry cut short is not read past the end";
    EXPECT_EQ(entryOf(units, 2, 1), L"two") << "an odd trailing byte does not matter before it";

    std::vector<wchar_t> sixteen = block(std::vector<std::wstring>(16, L"x"));
    sixteen.push_back(3);  // data after the 16th entry is never an entry
    EXPECT_EQ(entryOf(sixteen, 15), L"x");
}

struct PlaceholderCase {
    const wchar_t* text;
    const wchar_t* product;
    const wchar_t* company;
    const wchar_t* expected;
};

class Placeholders : public ::testing::TestWithParam<PlaceholderCase> {};

TEST_P(Placeholders, AreFilledAsTheRulesSay)
{
    const PlaceholderCase& c = GetParam();
    EXPECT_EQ(FillPlaceholders(c.text, c.product, c.company), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Placeholders,
    ::testing::Values(
        PlaceholderCase{L"[ProductName] and [ProductName]", L"Corvane", L"V", L"Corvane and Corvane"},
        PlaceholderCase{L"(ProductName) by (CompanyName)", L"Corvane", L"Vellacor", L"Corvane by Vellacor"},
        // Both forms: only the bracketed one is a placeholder then.
        PlaceholderCase{L"[ProductName] (ProductName)", L"Corvane", L"V", L"Corvane (ProductName)"},
        PlaceholderCase{L"[CompanyName] (CompanyName) (ProductName)", L"P", L"V", L"V (CompanyName) P"},
        PlaceholderCase{L"Installing [ProductName]", L"UNDEFINED", L"UNDEFINED", L"Installing UNDEFINED"},
        PlaceholderCase{L"[ProductName] [CompanyName]", L"", L"", L"[ProductName] [CompanyName]"},
        PlaceholderCase{L"[productname] [ProductName", L"P", L"V", L"[productname] [ProductName"},
        // A name that holds a placeholder is put in once, not filled again.
        PlaceholderCase{L"[ProductName]!", L"a [ProductName] b", L"V", L"a [ProductName] b!"}));

TEST(ReplaceAll, CountsAndDoesNotRescan)
{
    std::wstring text = L"%A%%A%x%A";
    EXPECT_EQ(ReplaceAll(text, L"%A%", L"%A%%A%"), 2u);
    EXPECT_EQ(text, L"%A%%A%%A%%A%x%A");
    EXPECT_EQ(ReplaceAll(text, L"", L"y"), 0u);
}

TEST(ReadingDirection, BareLanguagesStandForTheirDefaultSublanguage)
{
    EXPECT_EQ(ReadingDirection::localeFor(1), 0x0401u);
    EXPECT_EQ(ReadingDirection::localeFor(13), 0x040Du);
    EXPECT_EQ(ReadingDirection::localeFor(0x7E), 0x047Eu);
    EXPECT_EQ(ReadingDirection::localeFor(0x7F), 0x007Fu);
    EXPECT_EQ(ReadingDirection::localeFor(0x0807), 0x0807u);
}

TEST(ReadingDirection, SignatureBit123MarksRightToLeft)
{
    LOCALESIGNATURE signature{};
    EXPECT_FALSE(ReadingDirection::isRightToLeft(signature));
    signature.lsUsb[3] = 0x08000000;
    EXPECT_TRUE(ReadingDirection::isRightToLeft(signature));
    signature = LOCALESIGNATURE{};
    signature.lsUsb[2] = 0x08000000;  // bit 91: another subset
    signature.lsUsb[3] = 0xF7FFFFFF;
    EXPECT_FALSE(ReadingDirection::isRightToLeft(signature));

    EXPECT_EQ(ReadingDirection::bidiFlags(true), 0x00180000u);
    EXPECT_EQ(ReadingDirection::bidiFlags(false), 0u);
}

TEST(ReadingDirection, SystemLocaleDataDecidesAndAnUnknownLanguageKeepsThePreviousState)
{
    EXPECT_EQ(ReadingDirection::bidiStateFor(1025, 0), 0x00180000u);
    EXPECT_EQ(ReadingDirection::bidiStateFor(13, 0), 0x00180000u);
    EXPECT_EQ(ReadingDirection::bidiStateFor(1033, 0x00180000), 0u);
    EXPECT_EQ(ReadingDirection::bidiStateFor(0x1234, 0x00180000), 0x00180000u);
    EXPECT_EQ(ReadingDirection::bidiStateFor(0x1234, 0), 0u);
}

}  // namespace
