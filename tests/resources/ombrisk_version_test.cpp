// Version resources of Ombrisk.dll: one per language entry.
#include "resource_library.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace resource_library;

// One node of a version resource tree: key, value bytes and children.
struct VersionNode {
    std::wstring key;
    WORD type = 0;
    std::vector<BYTE> value;
    std::vector<VersionNode> children;
};

size_t aligned(size_t offset) { return (offset + 3) & ~size_t{3}; }

std::optional<VersionNode> parseVersionNode(const std::vector<BYTE>& bytes, size_t offset, size_t end)
{
    auto word = [&](size_t at) { return static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8)); };
    if (offset + 6 > end) return std::nullopt;
    const size_t length = word(offset);
    const WORD valueLength = word(offset + 2);
    VersionNode node;
    node.type = word(offset + 4);
    if (length < 6 || offset + length > end) return std::nullopt;
    const size_t nodeEnd = offset + length;
    size_t at = offset + 6;
    for (; at + 1 < nodeEnd && word(at) != 0; at += 2) node.key += static_cast<wchar_t>(word(at));
    at = aligned(at + 2);
    const size_t valueBytes = node.type == 1 ? valueLength * 2u : valueLength;
    if (at + valueBytes > nodeEnd) return std::nullopt;
    node.value.assign(bytes.begin() + static_cast<ptrdiff_t>(at), bytes.begin() + static_cast<ptrdiff_t>(at + valueBytes));
    for (at = aligned(at + valueBytes); at < nodeEnd; at = aligned(at)) {
        std::optional<VersionNode> child = parseVersionNode(bytes, at, nodeEnd);
        if (!child) return std::nullopt;
        at += word(at);
        node.children.push_back(std::move(*child));
    }
    return node;
}

const VersionNode* child(const VersionNode& node, const std::wstring& key)
{
    for (const VersionNode& c : node.children)
        if (c.key == key) return &c;
    return nullptr;
}

// "040704b0" for the neutral German entry: sublanguage 1 stands for the neutral one.
std::wstring stringTableKey(LANGID language)
{
    LANGID written = SUBLANGID(language) == SUBLANG_NEUTRAL ? MAKELANGID(PRIMARYLANGID(language), 1) : language;
    wchar_t key[16];
    swprintf(key, 16, L"%04x04b0", static_cast<unsigned>(written));
    return key;
}

// A string value read the way Windows reads it, through VerQueryValueW.
std::wstring versionString(const std::vector<BYTE>& bytes, const std::wstring& tableKey, const wchar_t* name)
{
    std::wstring path = L"\\StringFileInfo\\" + tableKey + L"\\" + name;
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(bytes.data(), path.c_str(), &text, &length) || !text) return L"<missing>";
    std::wstring result(static_cast<const wchar_t*>(text), length);
    while (!result.empty() && result.back() == L'\0') result.pop_back();
    return result;
}

class OmbriskVersion : public ::testing::TestWithParam<Language> {
protected:
    DataModule library_{L"Ombrisk.dll"};
    std::vector<BYTE> bytes_;

    void SetUp() override
    {
        ASSERT_NE(library_.get(), nullptr) << "Ombrisk.dll not loaded, error " << library_.error();
        std::optional<std::vector<BYTE>> bytes = resourceBytes(library_.get(), MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), GetParam().id);
        ASSERT_TRUE(bytes.has_value()) << "no version resource";
        bytes_ = std::move(*bytes);
    }
};

TEST(OmbriskVersionResources, OneVersionResourceInEveryLanguage)
{
    DataModule library(L"Ombrisk.dll");
    ASSERT_NE(library.get(), nullptr) << "Ombrisk.dll not loaded, error " << library.error();
    EXPECT_EQ(resourceNames(library.get(), MAKEINTRESOURCEW(16)), (std::set<ULONG_PTR>{1}));
    EXPECT_EQ(resourceLanguages(library.get(), MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1)), allLanguageIds());
}

TEST_P(OmbriskVersion, FixedPartIsVersion1003OfA32BitSpecialBuildDll)
{
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(bytes_.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000003u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000003u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x37u);
    EXPECT_EQ(fixed->dwFileFlags, 0x20u);
    EXPECT_EQ(fixed->dwFileOS, 0x4u);
    EXPECT_EQ(fixed->dwFileType, 0x2u);
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
}

// A single string table keyed by the entry's language and code page 1200, and a
// translation list naming the same pair.
TEST_P(OmbriskVersion, StringTableAndTranslationNameTheEntryLanguage)
{
    std::optional<VersionNode> root = parseVersionNode(bytes_, 0, bytes_.size());
    ASSERT_TRUE(root.has_value()) << "malformed version resource";
    EXPECT_EQ(root->key, L"VS_VERSION_INFO");

    const VersionNode* strings = child(*root, L"StringFileInfo");
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    EXPECT_EQ(utf8(strings->children[0].key), utf8(stringTableKey(GetParam().id)));

    const VersionNode* variables = child(*root, L"VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const VersionNode* translation = child(*variables, L"Translation");
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(translation->value.size(), 4u);
    const WORD language = static_cast<WORD>(translation->value[0] | (translation->value[1] << 8));
    const WORD codePage = static_cast<WORD>(translation->value[2] | (translation->value[3] << 8));
    EXPECT_EQ(stringTableKey(language), stringTableKey(GetParam().id));
    EXPECT_EQ(codePage, 1200);
}

TEST_P(OmbriskVersion, StringsNameTheLibraryAndItsLocalisedDescription)
{
    const std::wstring key = stringTableKey(GetParam().id);
    auto value = [&](const wchar_t* name) { return versionString(bytes_, key, name); };
    EXPECT_EQ(value(L"FileVersion"), L"1, 0, 0, 3");
    EXPECT_EQ(value(L"ProductVersion"), L"1, 0, 0, 3");
    EXPECT_EQ(value(L"OriginalFilename"), L"Ombrisk.dll");
    EXPECT_EQ(value(L"ProductName"), L"Ombrisk, Dynamic Link Library");
    EXPECT_EQ(value(L"SpecialBuild"), L"UNICODE BUILD");

    const std::vector<BYTE> englishBytes =
        resourceBytes(library_.get(), MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), kEnglishUS).value_or(std::vector<BYTE>{});
    auto english = [&](const wchar_t* name) { return versionString(englishBytes, stringTableKey(kEnglishUS), name); };
    EXPECT_EQ(english(L"FileDescription"), L"Contains resources used by Corvane (Setup.exe).");

    // The maker and the internal name are the same in every language.
    for (const wchar_t* name : {L"CompanyName", L"InternalName"}) {
        EXPECT_NE(value(name), L"<missing>") << utf8(name);
        EXPECT_FALSE(value(name).empty()) << utf8(name);
        EXPECT_EQ(value(name), english(name)) << utf8(name);
    }

    // Description and copyright notice are localised.
    for (const wchar_t* name : {L"FileDescription", L"LegalCopyright"}) {
        const std::wstring text = value(name);
        EXPECT_NE(text, L"<missing>") << utf8(name);
        EXPECT_FALSE(text.empty()) << utf8(name);
        if (GetParam().id != kEnglishUS && GetParam().id != kEnglishUK) {
            EXPECT_NE(text, english(name)) << utf8(name) << " not translated";
        }
    }
    EXPECT_NE(value(L"FileDescription").find(L"Corvane (Setup.exe)"), std::wstring::npos) << "names the program";
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, OmbriskVersion, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

}  // namespace
