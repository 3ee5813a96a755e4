// The key classes of the registry layer, on the real registry of the test prefix.
#include "registry/Registry.h"
#include "support/RegTestKeys.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Registry;
using regtest::readValue;

namespace {

const wchar_t* const kTestKey = L"Software\\RegLayerTest";

// What a string is stored as: its code units and a terminating NUL.
std::vector<BYTE> storedBytesOf(const std::wstring& text)
{
    const BYTE* data = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(data, data + (text.size() + 1) * sizeof(wchar_t));
}

class LayerTest : public ::testing::Test {
protected:
    void SetUp() override { regtest::deleteTree(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { regtest::deleteTree(HKEY_CURRENT_USER, kTestKey); }

    static std::wstring path(const std::wstring& below = L"") { return below.empty() ? kTestKey : std::wstring(kTestKey) + L"\\" + below; }
};

TEST_F(LayerTest, ExceptionsNameTheirFailure)
{
    EXPECT_STREQ("Couldn't open key", reg_open_key_failure().what());
    EXPECT_STREQ("Couldn't set value", reg_set_value_failure().what());
    EXPECT_STREQ("Couldn't delete value", reg_delete_val_failure().what());
    const std::exception& asStandard = reg_delete_val_failure();
    EXPECT_STREQ("Couldn't delete value", asStandard.what());
}

TEST_F(LayerTest, OpeningCreatesTheKeyWithItsMissingParents)
{
    { number_map numbers(HKEY_CURRENT_USER, path(L"a\\b\\c"), default_access); }
    EXPECT_TRUE(regtest::keyExists(HKEY_CURRENT_USER, path(L"a\\b\\c")));
    { subkey_set set(HKEY_CURRENT_USER, path(L"d\\e"), default_access); }
    EXPECT_TRUE(regtest::keyExists(HKEY_CURRENT_USER, path(L"d\\e")));
    EXPECT_TRUE(regtest::valueNames(HKEY_CURRENT_USER, path(L"a\\b\\c")).empty()) << "opening writes nothing";
}

TEST_F(LayerTest, AKeyThatCannotBeOpenedForWritingRaisesOpenFailure)
{
    regtest::ReadOnlyKey locked(HKEY_CURRENT_USER, path(L"locked"));
    ASSERT_TRUE(locked.locked());
    EXPECT_THROW(number_map(HKEY_CURRENT_USER, path(L"locked"), default_access), reg_open_key_failure);
    EXPECT_THROW(string_map(HKEY_CURRENT_USER, path(L"locked"), default_access), reg_open_key_failure);
    EXPECT_THROW(subkey_set(HKEY_CURRENT_USER, path(L"locked"), default_access), reg_open_key_failure);
    EXPECT_NO_THROW(number_map(HKEY_CURRENT_USER, path(L"locked"), KEY_READ)) << "reading alone is allowed";
}

TEST_F(LayerTest, AMissingValueReadsAsItsDefaultAndIsCreatedWithIt)
{
    {
        number_map numbers(HKEY_CURRENT_USER, path(), default_access);
        EXPECT_FALSE(numbers.find(L"N"));
        EXPECT_EQ(0u, numbers.at(L"N").get());
        EXPECT_TRUE(numbers.find(L"N"));
        string_map strings(HKEY_CURRENT_USER, path(), default_access);
        EXPECT_EQ(L"", strings.at(L"S").get());
        expand_string_map expandable(HKEY_CURRENT_USER, path(), default_access);
        EXPECT_EQ(L"", expandable.at(L"E").get());
    }
    const auto number = readValue(HKEY_CURRENT_USER, path(), L"N");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), number.type);
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0, 0}), number.data);
    const auto text = readValue(HKEY_CURRENT_USER, path(), L"S");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), text.type);
    EXPECT_EQ((std::vector<BYTE>{0, 0}), text.data) << "an empty string is its NUL";
    const auto expandable = readValue(HKEY_CURRENT_USER, path(), L"E");
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), expandable.type);
    EXPECT_EQ((std::vector<BYTE>{0, 0}), expandable.data);
}

TEST_F(LayerTest, AValueOfAnotherTypeIsNotSeenIsOverwrittenOnReadAndIsNotErased)
{
    regtest::writeString(HKEY_CURRENT_USER, path(), L"Mixed", L"5");
    regtest::writeString(HKEY_CURRENT_USER, path(), L"Kept", L"text");
    regtest::writeString(HKEY_CURRENT_USER, path(), L"Expand", L"%TEMP%", REG_EXPAND_SZ);
    {
        number_map numbers(HKEY_CURRENT_USER, path(), default_access);
        EXPECT_FALSE(numbers.find(L"Mixed"));
        EXPECT_FALSE(numbers.find(L"Kept"));
        EXPECT_NO_THROW(numbers.erase(L"Kept"));
        EXPECT_EQ(0u, numbers.at(L"Mixed").get());
        string_map strings(HKEY_CURRENT_USER, path(), default_access);
        EXPECT_FALSE(strings.find(L"Expand")) << "REG_EXPAND_SZ is not REG_SZ";
        EXPECT_TRUE(strings.find(L"Kept"));
    }
    const auto mixed = readValue(HKEY_CURRENT_USER, path(), L"Mixed");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), mixed.type) << "the default went over the string";
    EXPECT_EQ(L"text", regtest::readString(HKEY_CURRENT_USER, path(), L"Kept"));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), readValue(HKEY_CURRENT_USER, path(), L"Kept").type);
}

TEST_F(LayerTest, StringsRoundTripAndAreStoredWithTheirTerminatingNul)
{
    const std::vector<std::wstring> texts = {L"C:\\Program Files\\Tolvane", L"", L"\x00e9t\x00e9 \x65e5\x672c",
                                             std::wstring(300, L'x')};
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::wstring name = L"S" + std::to_wstring(i);
        {
            string_map strings(HKEY_CURRENT_USER, path(), default_access);
            EXPECT_EQ(texts[i], strings.at(name) = texts[i]);
        }
        const auto stored = readValue(HKEY_CURRENT_USER, path(), name);
        EXPECT_EQ(storedBytesOf(texts[i]), stored.data);
        string_map reopened(HKEY_CURRENT_USER, path(), default_access);
        EXPECT_EQ(texts[i], reopened.at(name).get());
    }
}

TEST_F(LayerTest, StringsOfOtherProgramsReadUpToTheirFirstNul)
{
    struct Case {
        const wchar_t* name;
        std::vector<BYTE> data;
        std::wstring expected;
    };
    const std::vector<Case> cases = {
        {L"WithNul", {'a', 0, 'b', 0, 0, 0}, L"ab"},
        {L"Embedded", {'a', 0, 0, 0, 'b', 0}, L"a"},
        {L"OddSize", {'a', 0, 'b'}, L"a"},
        {L"Empty", {}, L""},
        {L"NoNul", {'a', 0, 'b', 0}, L"ab"},
    };
    for (const auto& c : cases) {
        regtest::writeValue(HKEY_CURRENT_USER, path(), c.name, REG_SZ, c.data);
    }
    string_map strings(HKEY_CURRENT_USER, path(), default_access);
    for (const auto& c : cases) {
        EXPECT_TRUE(strings.find(c.name)) << c.name;
        EXPECT_EQ(c.expected, strings.at(c.name).get()) << c.name;
    }
}

TEST_F(LayerTest, NumbersAreFourLittleEndianBytesAndShortDataReadsZeroExtended)
{
    {
        number_map numbers(HKEY_CURRENT_USER, path(), default_access);
        numbers.at(L"Written") = 0x12345678u;
    }
    EXPECT_EQ((std::vector<BYTE>{0x78, 0x56, 0x34, 0x12}), readValue(HKEY_CURRENT_USER, path(), L"Written").data);
    struct Case {
        const wchar_t* name;
        std::vector<BYTE> data;
        DWORD expected;
    };
    const std::vector<Case> cases = {
        {L"TwoBytes", {0x34, 0x12}, 0x1234},
        {L"OneByte", {0xFF}, 0xFF},
        {L"NoBytes", {}, 0},
        {L"EightBytes", {1, 2, 3, 4, 5, 6, 7, 8}, 0x04030201},
    };
    for (const auto& c : cases) {
        regtest::writeValue(HKEY_CURRENT_USER, path(), c.name, REG_DWORD, c.data);
    }
    number_map numbers(HKEY_CURRENT_USER, path(), default_access);
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, numbers.at(c.name).get()) << c.name;
    }
    EXPECT_EQ(2u, readValue(HKEY_CURRENT_USER, path(), L"TwoBytes").data.size()) << "reading leaves it as it is";
}

TEST_F(LayerTest, NamesDifferingInLetterCaseAreOneValueAsInTheRegistry)
{
    regtest::writeNumber(HKEY_CURRENT_USER, path(), L"State", 5);
    {
        number_map numbers(HKEY_CURRENT_USER, path(), default_access);
        EXPECT_TRUE(numbers.find(L"STATE"));
        EXPECT_EQ(5u, numbers.at(L"state").get());
        numbers.at(L"STATE") = 7;
        EXPECT_EQ(7u, numbers.at(L"State").get()) << "the cache holds one entry";
    }
    EXPECT_EQ((std::vector<std::wstring>{L"State"}), regtest::valueNames(HKEY_CURRENT_USER, path()));
    EXPECT_EQ(7u, regtest::readNumber(HKEY_CURRENT_USER, path(), L"State"));
    {
        number_map numbers(HKEY_CURRENT_USER, path(), default_access);
        numbers.erase(L"sTaTe");
        EXPECT_FALSE(numbers.find(L"State"));
    }
    EXPECT_FALSE(regtest::valueExists(HKEY_CURRENT_USER, path(), L"State"));
}

TEST_F(LayerTest, NamesLongerThan259CharactersAreNotLoaded)
{
    const std::wstring longName(300, L'n');
    regtest::writeNumber(HKEY_CURRENT_USER, path(), longName, 9);
    regtest::writeNumber(HKEY_CURRENT_USER, path(), L"Short", 3);
    number_map numbers(HKEY_CURRENT_USER, path(), default_access);
    EXPECT_FALSE(numbers.find(longName));
    EXPECT_TRUE(numbers.find(L"Short")) << "the walk goes on after the long name";
}

TEST_F(LayerTest, ARefusedWriteRaisesAndTheCacheKeepsTheOldValue)
{
    regtest::writeNumber(HKEY_CURRENT_USER, path(L"gone"), L"N", 4);
    number_map numbers(HKEY_CURRENT_USER, path(L"gone"), default_access);
    string_map strings(HKEY_CURRENT_USER, path(L"gone"), default_access);
    // The key goes away under the open handle: every later write to it is refused (ERROR_KEY_DELETED).
    regtest::deleteTree(HKEY_CURRENT_USER, path(L"gone"));
    EXPECT_THROW(numbers.at(L"N") = 5, reg_set_value_failure);
    EXPECT_EQ(4u, numbers.at(L"N").get());
    EXPECT_THROW(numbers.at(L"Missing").get(), reg_set_value_failure) << "the default cannot be created either";
    EXPECT_FALSE(numbers.find(L"Missing"));
    EXPECT_THROW(strings.at(L"S") = L"x", reg_set_value_failure);
    EXPECT_FALSE(strings.find(L"S"));
}

TEST_F(LayerTest, ARefusedDeletionRaisesAndKeepsTheValue)
{
    regtest::writeNumber(HKEY_CURRENT_USER, path(L"gone"), L"N", 4);
    number_map numbers(HKEY_CURRENT_USER, path(L"gone"), default_access);
    regtest::deleteTree(HKEY_CURRENT_USER, path(L"gone"));
    EXPECT_THROW(numbers.erase(L"N"), reg_delete_val_failure);
    EXPECT_TRUE(numbers.find(L"N"));
    EXPECT_NO_THROW(numbers.erase(L"NeverThere"));
}

TEST_F(LayerTest, ErasingAValueRemovesItFromKeyAndCache)
{
    regtest::writeNumber(HKEY_CURRENT_USER, path(), L"N", 4);
    number_map numbers(HKEY_CURRENT_USER, path(), default_access);
    numbers.erase(L"N");
    EXPECT_FALSE(numbers.find(L"N"));
    EXPECT_FALSE(regtest::valueExists(HKEY_CURRENT_USER, path(), L"N"));
}

TEST_F(LayerTest, SubkeySetInsertsOnlyNewNames)
{
    regtest::createKey(HKEY_CURRENT_USER, path(L"Existing\\Child"));
    subkey_set set(HKEY_CURRENT_USER, path(), default_access);
    EXPECT_TRUE(set.find(L"Existing"));
    const auto added = set.insert(L"New");
    EXPECT_TRUE(added.second);
    EXPECT_EQ(L"New", *added.first);
    EXPECT_TRUE(regtest::keyExists(HKEY_CURRENT_USER, path(L"New")));
    EXPECT_FALSE(set.insert(L"Existing").second);
    EXPECT_FALSE(set.insert(L"EXISTING").second) << "names match without regard to case";
    EXPECT_EQ((std::vector<std::wstring>{L"Child"}), regtest::subkeyNames(HKEY_CURRENT_USER, path(L"Existing")));
}

TEST_F(LayerTest, ErasingASubkeyWithSubkeysRaisesAndKeepsTheSet)
{
    regtest::createKey(HKEY_CURRENT_USER, path(L"Parent\\Child"));
    regtest::writeNumber(HKEY_CURRENT_USER, path(L"Leaf"), L"V", 1);
    subkey_set set(HKEY_CURRENT_USER, path(), default_access);
    const auto before = set.all();
    EXPECT_THROW(set.erase(L"Parent"), reg_delete_val_failure);
    EXPECT_EQ(before, set.all());
    EXPECT_TRUE(regtest::keyExists(HKEY_CURRENT_USER, path(L"Parent\\Child")));
    set.erase(L"Leaf");
    EXPECT_FALSE(set.find(L"Leaf"));
    EXPECT_FALSE(regtest::keyExists(HKEY_CURRENT_USER, path(L"Leaf"))) << "a key goes with its values";
    EXPECT_NO_THROW(set.erase(L"NeverThere"));
}

TEST_F(LayerTest, ASubkeyTheRegistryRefusesToCreateRaisesSetFailure)
{
    // A volatile key cannot have a non-volatile sub-key.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, path(L"Volatile").c_str(), 0, nullptr,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
    subkey_set set(HKEY_CURRENT_USER, path(L"Volatile"), default_access);
    EXPECT_THROW(set.insert(L"Child"), reg_set_value_failure);
    EXPECT_FALSE(set.find(L"Child"));
}

}  // namespace
