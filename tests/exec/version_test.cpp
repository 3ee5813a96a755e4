// Version numbers: parsing, comparison and their text.
#include "exec/CFileVersionInfo.h"
#include "exec/CVersion.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

TEST(Version, ParsesComponents)
{
    struct Case {
        const wchar_t* text;
        std::vector<int> components;
    };
    const Case cases[] = {
        {L"1.2.3", {1, 2, 3}},
        {L"1, 0, 0, 31", {1, 0, 0, 31}},
        {L"1..2", {1, 0, 2}},
        {L"1.", {1}},
        {L"", {}},
        {L"2.0b.x7", {2, 0, 0}},
        {L" 3. -4.+5", {3, -4, 5}},
        {L"10,20.30", {10, 20, 30}},
        {L".", {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.components, CVersion(c.text).components);
    }
}

TEST(Version, ComparesWithTrailingZerosIgnored)
{
    struct Case {
        const wchar_t* a;
        const wchar_t* b;
        bool equal;
        bool aGreater;
    };
    const Case cases[] = {
        {L"1.2", L"1.2.0", true, false},
        {L"1.2.0.0", L"1.2", true, false},
        {L"", L"0", true, false},
        {L"", L"0.0", true, false},
        {L"1, 0, 0, 31", L"1.0.0.31", true, false},
        {L"1.10", L"1.9", false, true},
        {L"1.9", L"1.10", false, false},
        {L"2", L"1.99.99", false, true},
        {L"1.99.99", L"2", false, false},
        {L"2.0.0.1", L"2.0", false, true},
        {L"2.0", L"2.0.0.1", false, false},
        {L"0.9", L"", false, true},
        {L"", L"0.9", false, false},
        {L"1.5", L"1.5", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::wstring(c.a) + L" vs " + c.b);
        const CVersion a(c.a);
        const CVersion b(c.b);
        EXPECT_EQ(c.equal, CVersion::isEqual(a, b));
        EXPECT_EQ(c.equal, CVersion::isEqual(b, a));
        EXPECT_EQ(c.aGreater, CVersion::isGreater(a, b));
    }
}

// An installed version between two bounds, as the uninstall of a version range asks.
TEST(Version, ClosedInterval)
{
    const CVersion from(L"1.0");
    const CVersion to(L"2.0");
    for (const wchar_t* inside : {L"1.0", L"1.5", L"2.0.0.0", L"1.0.0.1"}) {
        SCOPED_TRACE(inside);
        EXPECT_TRUE(CVersion::isGreaterOrEqual(CVersion(inside), from) && CVersion::isLessOrEqual(CVersion(inside), to));
    }
    for (const wchar_t* outside : {L"0.9", L"2.0.0.1", L"", L"10"}) {
        SCOPED_TRACE(outside);
        EXPECT_FALSE(CVersion::isGreaterOrEqual(CVersion(outside), from) &&
                     CVersion::isLessOrEqual(CVersion(outside), to));
    }
}

TEST(Version, WritesItsComponentsWithPoints)
{
    EXPECT_EQ(L"1.0.0.31", CVersion(L"1, 0, 0, 31").toString());
    EXPECT_EQ(L"1.0.2", CVersion(L"1..2").toString());
    EXPECT_EQ(L"", CVersion(L"").toString());
    EXPECT_EQ(L"2.0.0.1", CVersion(L"2.0.0.1").toString());
}

TEST(FileVersionInfo, ReadsTheEnglishProductVersion)
{
    EXPECT_EQ(L"1, 0, 0, 31", CFileVersionInfo(testfiles::binDir() + L"suitesetup.exe").getProductVersion());
}

TEST(FileVersionInfo, NoResourceOrNoEnglishTableGivesTheEmptyVersion)
{
    const CFileVersionInfo none(testfiles::binDir() + L"itemprog.exe");
    EXPECT_FALSE(none.hasVersionInfo());
    EXPECT_EQ(L"", none.getProductVersion());
    const CFileVersionInfo german(testfiles::binDir() + L"ExecGermanVersion.exe");
    EXPECT_TRUE(german.hasVersionInfo());
    EXPECT_EQ(L"", german.getProductVersion());
    EXPECT_EQ(L"", CFileVersionInfo(testfiles::binDir() + L"absent.exe").getProductVersion());
}
