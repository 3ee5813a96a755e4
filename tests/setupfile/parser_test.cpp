#include "setupfile/CFileParser.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

using testfiles::ScratchDir;

namespace {

class Parser : public ::testing::Test {
protected:
    ScratchDir dir{L"ini"};
    std::wstring path = dir / L"Setup.ini";

    CFileParser& parse(const std::wstring& content)
    {
        testfiles::writeText(path, content);
        parser_.reset(new CFileParser(path));
        parser_->ParseIniFile();
        return *parser_;
    }

private:
    std::unique_ptr<CFileParser> parser_;
};

TEST_F(Parser, StartingLinesDelimitItemsWhateverTheSuffixes)
{
    auto& p = parse(L"[Install]\r\nname_1=A\r\nexec_1=a.msi\r\nname_2=B\r\nexec_2=b.msi\r\n"
                    L"[Repair]\r\nname_1=X\r\nname_2=Y\r\nexec_1=y.exe\r\n");
    const EventMap install = p.GetInstallMap();
    ASSERT_EQ(2u, install.size());
    EXPECT_EQ(L"a.msi", CFileParser::GetEventValue(install, 1, L"exec"));
    EXPECT_EQ(L"B", CFileParser::GetEventValue(install, 2, L"name"));

    const EventMap repair = p.GetRepairMap();
    ASSERT_EQ(2u, repair.size());
    EXPECT_EQ(KeyValueMap({{L"name", L"X"}}), repair.at(1));
    EXPECT_EQ(L"y.exe", CFileParser::GetEventValue(repair, 2, L"exec"));
}

TEST_F(Parser, LinesBeforeTheFirstItemFormItemZeroWhichComesFirst)
{
    auto& p = parse(L"[UnInstall]\r\nexec_5=early.exe\r\nname_1=A\r\n");
    const EventMap uninstall = p.GetUnInstallMap();
    ASSERT_EQ(2u, uninstall.size());
    EXPECT_EQ(0, uninstall.begin()->first);
    EXPECT_EQ(L"early.exe", CFileParser::GetEventValue(uninstall, 0, L"exec"));
}

TEST_F(Parser, StartingKeysAreCaseInsensitiveStoredKeysAreNot)
{
    auto& p = parse(L"[Install]\r\nNAME_1=Upper\r\nfromVersion_1=1.0\r\nFromVersion_1=2.0\r\n"
                    L"dependency_2=D\r\nDependency_3=E\r\n");
    const EventMap install = p.GetInstallMap();
    ASSERT_EQ(3u, install.size());
    EXPECT_EQ(L"", CFileParser::GetEventValue(install, 1, L"name"));
    EXPECT_EQ(L"Upper", CFileParser::GetEventValue(install, 1, L"NAME"));
    EXPECT_EQ(L"1.0", CFileParser::GetEventValue(install, 1, L"fromVersion"));
    EXPECT_EQ(L"2.0", CFileParser::GetEventValue(install, 1, L"FromVersion"));
    EXPECT_EQ(L"D", CFileParser::GetEventValue(install, 2, L"dependency"));
}

TEST_F(Parser, DependenciesStartWithDependencyOrName)
{
    auto& p = parse(L"[Dependencies]\r\ndependency_1=Runtime\r\npath_1=C:\\x\r\nbinary_1=r.dll\r\n"
                    L"name_2=Other\r\nupgrade_2={1}\r\n");
    EXPECT_EQ(2u, p.GetDependencyMap().size());
    EXPECT_EQ(L"r.dll", p.GetDependencyValue(1, L"binary"));
    EXPECT_EQ(L"{1}", p.GetDependencyValue(2, L"upgrade"));
    EXPECT_EQ(L"", p.GetDependencyValue(3, L"upgrade"));
}

TEST_F(Parser, LastOccurrenceWinsAndValuesKeepTheirEqualsSigns)
{
    auto& p = parse(L"[Settings]\r\napp_name=First\r\napp_name=Second\r\nargs=REBOOT=ReallySuppress X=1\r\n"
                    L"[Install]\r\nname_1=A\r\nargs_1=a\r\nargs_1=PROP=\"v=w\"\r\n");
    EXPECT_EQ(L"Second", p.GetSetting(L"app_name"));
    EXPECT_EQ(L"REBOOT=ReallySuppress X=1", p.GetSetting(L"args"));
    EXPECT_EQ(L"PROP=\"v=w\"", CFileParser::GetEventValue(p.GetInstallMap(), 1, L"args"));
    EXPECT_EQ(L"", p.GetSetting(L"missing"));
    EXPECT_EQ(L"", p.GetSetting(L"APP_NAME"));
}

TEST_F(Parser, UnsplittableLinesAreSkippedAndTheRestStaysUsable)
{
    auto& p = parse(L"[Settings]\r\nno separator here\r\napp_name=Suite\r\n"
                    L"[Install]\r\nname_1=A\r\nexec=nosuffix.exe\r\njunk\r\nexec_1=a.exe\r\n");
    EXPECT_EQ(L"Suite", p.GetSetting(L"app_name"));
    const EventMap install = p.GetInstallMap();
    ASSERT_EQ(1u, install.size());
    EXPECT_EQ((KeyValueMap{{L"name", L"A"}, {L"exec", L"a.exe"}}), install.at(1));
}

TEST_F(Parser, AMissingFileGivesEmptyMaps)
{
    CFileParser p(dir / L"absent.ini");
    p.ParseIniFile();
    EXPECT_TRUE(p.GetInstallMap().empty());
    EXPECT_TRUE(p.GetDependencyMap().empty());
    EXPECT_EQ(L"", p.GetSetting(L"app_name"));
}

TEST_F(Parser, ParsingAgainReplacesEverything)
{
    auto& p = parse(L"[Install]\r\nname_1=A\r\nname_2=B\r\n");
    testfiles::writeText(path, L"[Install]\r\nname_1=C\r\n");
    p.ParseIniFile();
    ASSERT_EQ(1u, p.GetInstallMap().size());
    EXPECT_EQ(L"C", CFileParser::GetEventValue(p.GetInstallMap(), 1, L"name"));
}

TEST_F(Parser, ASectionFarLongerThanFourThousandCharactersLosesNoItem)
{
    std::wstring content = L"[Install]\r\n";
    const int items = 600;
    for (int i = 1; i <= items; ++i) {
        const std::wstring n = std::to_wstring(i);
        content += L"name_" + n + L"=Component number " + n + L"\r\nexec_" + n + L"=component" + n +
                   L".msi\r\nmode_" + n + L"=INSTALLMSI\r\n";
    }
    auto& p = parse(content);
    const EventMap install = p.GetInstallMap();
    ASSERT_EQ(static_cast<size_t>(items), install.size());
    EXPECT_EQ(L"component600.msi", CFileParser::GetEventValue(install, items, L"exec"));
    EXPECT_EQ(L"INSTALLMSI", CFileParser::GetEventValue(install, items, L"mode"));
}

TEST(IniFileName, EveryLowerCaseExeBecomesIni)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\Disk1\\Setup.exe", L"C:\\Disk1\\Setup.ini"},
        {L"D:\\Disk1\\SETUP.EXE", L"D:\\Disk1\\SETUP.EXE"},
        {L"C:\\a.exe.dir\\Setup.exe", L"C:\\a.ini.dir\\Setup.ini"},
        {L"Setup", L"Setup"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.second, CFileParser::IniFileNameFor(c.first));
    }
}

}  // namespace
