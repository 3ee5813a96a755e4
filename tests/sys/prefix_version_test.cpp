#include "support/ProcessRun.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct PrefixCase {
    const wchar_t* wineVersion;
    const wchar_t* expected;  // number|version string|service pack|supported
};

std::wstring probe(const std::wstring& wineVersion, const testfiles::ScratchDir& dir)
{
    setWineVersionFor(L"osprobe.exe", wineVersion);
    const std::wstring out = dir / L"probe.txt";
    ProcessRun run(L"osprobe.exe", L"\"" + out + L"\"");
    const DWORD code = run.wait();
    setWineVersionFor(L"osprobe.exe", L"");
    if (code != 0) {
        return L"exit " + std::to_wstring(code);
    }
    const std::string bytes = testfiles::readBytes(out);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    if (!text.empty() && text[0] == 0xFEFF) {
        text.erase(0, 1);
    }
    return text;
}

// Setup's own view of the system, read by a real program that Wine tells a given version.
TEST(PrefixVersion, RealPrefixesReportedAsOlderAndNewerWindows)
{
    const std::wstring bits = testplatform::onWin64Prefix() ? L"|1" : L"|0";
    const PrefixCase cases[] = {
        {L"winxp", L"104|Windows XP Service Pack 3|3|1"},
        {L"win2k", L"103|Windows 2000 Service Pack 4|4|1"},
        {L"vista", L"106|Windows Vista/Longhorn Service Pack 2|2|1"},
        {L"win7", L"0|unknown Windows version Service Pack 1|1|1"},
    };
    testfiles::ScratchDir dir(L"ver");
    for (const auto& c : cases) {
        EXPECT_EQ(std::wstring(c.expected) + bits, probe(c.wineVersion, dir)) << c.wineVersion;
    }
}

}  // namespace
