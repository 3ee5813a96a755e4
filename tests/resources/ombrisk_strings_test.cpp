// String table of Ombrisk.dll, read from the built library in every language.
#include "resource_library.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace resource_library;

// The reference texts: the English entries hold exactly these identifiers and texts.
const std::map<UINT, std::wstring> kEnglish = {
    {100, L"OK"},
    {101, L"Cancel"},
    {102, L"Yes"},
    {103, L"No"},
    {138, L"You do not have sufficient privileges to complete this installation for all users of the machine.  "
          L"Log on as an administrator and then retry this installation."},
    {139, L"You must restart your system for the configuration changes made to [ProductName] to take effect. "
          L"Click Yes to restart now or No if you plan to restart later."},
    {140, L"The operating system is not adequate for running [ProductName]."},
    {141, L"Setup has detected that a newer version is installed. You must uninstall it before you can continue "
          L"with the installation. Click OK to close this setup."},
    {142, L"Another version of the suite is already installed. Do you want to replace with a newer version?"},
    {143, L"Are you sure you want to remove [ProductName] from your computer?"},
    {144, L"Make sure all [CompanyName] equipment is disconnected from your computer before proceeding. "
          L"The equipment can be connected once the installation is finalized."},
    {145, L"Make sure all [CompanyName] equipment is disconnected from your computer before proceeding. "
          L"The equipment can be connected once the uninstallation is finalized."},
    {146, L"Installing [ProductName]"},
    {147, L"Repairing [ProductName]"},
    {148, L"Uninstalling [ProductName]"},
    {149, L"[ProductName] has been successfully installed."},
    {150, L"[ProductName] has been successfully repaired."},
    {151, L"[ProductName] has been successfully uninstalled."},
    {152, L"There is not enough space on disc in order to continue with the installation of [ProductName]. "
          L"Hence, the installation will be terminated."},
    {153, L"The following components are required by this software:"},
    {154, L"Please install these components before installing [ProductName]."},
    {155, L"Do you want to repair [ProductName]?"},
    {156, L"The installation was interrupted before [ProductName] could be completely installed."},
    {157, L"Your system has not been modified. To install this program at a later time, please run the "
          L"installation again."},
    {158, L"Please make sure that no [CompanyName] phone is connected to your computer before proceeding."},
    {159, L"Your computer needs to be restarted in order for the changes to take place. Click Yes to restart now "
          L"or No if you plan to restart later."},
    {160, L"The operating system on your computer is not supported by the [ProductName] and therefore the "
          L"installation was cancelled."},
    {161, L"A more recent version of the [ProductName] is already installed on your computer. That version has to "
          L"be uninstalled before you continue installation."},
    {162, L"Finish"},
    {164, L"Show the readme file"},
    {165, L"Launch the program"},
    {167, L"[ProductName] has been successfully installed."},
    {168, L"Next Step:"},
    {169, L"For help on connecting your phone to your computer use the How to connect guide in the Tolvane."},
    {170, L"Click Finish to exit the wizard."},
};

size_t occurrences(const std::wstring& text, const std::wstring& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

class OmbriskStrings : public ::testing::Test {
protected:
    DataModule library_{L"Ombrisk.dll"};

    void SetUp() override { ASSERT_NE(library_.get(), nullptr) << "Ombrisk.dll not loaded, error " << library_.error(); }
};

TEST_F(OmbriskStrings, TableOccupiesBlocks7To11ExceptBlock8InAllLanguages)
{
    EXPECT_EQ(resourceNames(library_.get(), MAKEINTRESOURCEW(6)), (std::set<ULONG_PTR>{7, 9, 10, 11}));
    for (WORD block : {7, 9, 10, 11}) {
        EXPECT_EQ(resourceLanguages(library_.get(), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block)), allLanguageIds())
            << "string block " << block;
    }
}

TEST_F(OmbriskStrings, EnglishUSHoldsTheReferenceTextsAndEnglishUKTheSame)
{
    for (const auto& [id, text] : kEnglish) {
        EXPECT_EQ(loadString(library_.get(), id, kEnglishUS), text) << "string " << id;
        EXPECT_EQ(loadString(library_.get(), id, kEnglishUK), text) << "string " << id;
    }
}

// A specific language that the library has no entry for finds the neutral entry
// of its primary language; one that it has finds its own.
TEST_F(OmbriskStrings, LookupFallsBackFromSpecificToNeutralEntry)
{
    struct Case {
        LANGID asked;
        LANGID entry;
    };
    const Case cases[] = {
        {0x0407, 0x0007},  // German (Germany)
        {0x0C07, 0x0007},  // German (Austria)
        {0x040C, 0x000C},  // French (France), not French (Canada)
        {0x080C, 0x000C},  // French (Belgium)
        {0x0816, 0x0016},  // Portuguese (Portugal), not Portuguese (Brazil)
        {0x0C0A, 0x000A},  // Spanish (Spain, modern sort), not Spanish (Mexico)
        {0x0401, 0x0001},  // Arabic (Saudi Arabia)
        {0x040D, 0x000D},  // Hebrew (Israel)
        {0x0411, 0x0011},  // Japanese (Japan)
        {0x0414, 0x0014},  // Norwegian (Bokmal)
        {0x0416, 0x0416},  // Portuguese (Brazil) has its own entry
        {0x0C0C, 0x0C0C},  // French (Canada) has its own entry
    };
    for (const Case& c : cases) {
        for (WORD block : {7, 9, 10, 11}) {
            auto asked = resourceBytes(library_.get(), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), c.asked);
            auto entry = resourceBytes(library_.get(), MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(block), c.entry);
            ASSERT_TRUE(asked && entry) << std::hex << "language 0x" << c.asked << ", block " << std::dec << block;
            EXPECT_EQ(*asked, *entry) << std::hex << "language 0x" << c.asked << " should find entry 0x" << c.entry
                                      << std::dec << " (block " << block << ")";
        }
    }
}

class OmbriskLanguageStrings : public ::testing::TestWithParam<Language> {
protected:
    DataModule library_{L"Ombrisk.dll"};

    void SetUp() override { ASSERT_NE(library_.get(), nullptr) << "Ombrisk.dll not loaded, error " << library_.error(); }
};

// Every identifier of the table is there and not empty; the rest of its blocks is empty.
TEST_P(OmbriskLanguageStrings, HoldsExactlyTheTableIdentifiers)
{
    for (WORD block : {7, 9, 10, 11}) {
        for (UINT id = (block - 1) * 16u; id < block * 16u; ++id) {
            std::optional<std::wstring> text = loadString(library_.get(), id, GetParam().id);
            ASSERT_TRUE(text.has_value()) << "string block of " << id << " unreadable";
            if (kEnglish.count(id)) {
                EXPECT_FALSE(text->empty()) << "string " << id << " missing";
            } else {
                EXPECT_TRUE(text->empty()) << "string " << id << " should not exist: " << utf8(*text);
            }
        }
    }
}

// The loader fills in product and maker names only where the English text
// names them: each translation keeps exactly those placeholders, in the form of
// its language, and no other.
TEST_P(OmbriskLanguageStrings, KeepsThePlaceholdersOfTheEnglishText)
{
    const bool parenthesised = GetParam().parenthesised;
    for (const auto& [id, english] : kEnglish) {
        std::wstring text = loadString(library_.get(), id, GetParam().id).value_or(L"");
        for (const wchar_t* name : {L"ProductName", L"CompanyName"}) {
            const std::wstring bracketed = L"[" + std::wstring(name) + L"]";
            const std::wstring inParentheses = L"(" + std::wstring(name) + L")";
            const size_t expected = occurrences(english, bracketed);
            EXPECT_EQ(occurrences(text, parenthesised ? inParentheses : bracketed), expected)
                << "string " << id << ": " << utf8(text);
            EXPECT_EQ(occurrences(text, parenthesised ? bracketed : inParentheses), 0u)
                << "string " << id << ": " << utf8(text);
        }
        EXPECT_EQ(occurrences(text, L"["), occurrences(text, L"]")) << "string " << id << ": " << utf8(text);
    }
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, OmbriskLanguageStrings, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

std::vector<Language> translatedLanguages()
{
    std::vector<Language> languages;
    for (const Language& language : kLanguages)
        if (language.id != kEnglishUS && language.id != kEnglishUK) languages.push_back(language);
    return languages;
}

using OmbriskTranslations = OmbriskLanguageStrings;

// Sentences and phrases are translated (short words such as "OK" may legitimately stay).
TEST_P(OmbriskTranslations, DifferFromEnglish)
{
    for (const auto& [id, english] : kEnglish) {
        if (english.size() < 12) continue;
        EXPECT_NE(loadString(library_.get(), id, GetParam().id).value_or(L""), english) << "string " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(NonEnglishLanguages, OmbriskTranslations, ::testing::ValuesIn(translatedLanguages()),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

}  // namespace
