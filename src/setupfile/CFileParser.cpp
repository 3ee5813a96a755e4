#include "setupfile/CFileParser.h"

#include "log/CLog.h"
#include "log/Format.h"

#include <windows.h>
#include <shellapi.h>

#include <cwctype>

namespace {

// The sequencer ends the parser when it is done with it. A parser still alive when the process
// ends (start-up stopped early) is left to the system, so no entry is logged after the log's last.
struct ParserHolder {
    std::unique_ptr<CFileParser> parser;
    ~ParserHolder() { parser.release(); }
};

std::unique_ptr<CFileParser>& holder()
{
    static ParserHolder holder;
    return holder.parser;
}

std::wstring upper(std::wstring text)
{
    for (auto& c : text) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return text;
}

}  // namespace

CFileParser& CFileParser::getInstance()
{
    if (!holder()) {
        holder().reset(new CFileParser(IniFileNameFor(ProgramArgument())));
    }
    return *holder();
}

void CFileParser::destroyInstance()
{
    holder().reset();
}

std::wstring CFileParser::ProgramArgument()
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring first = (args != nullptr && count > 0) ? args[0] : L"";
    LocalFree(args);
    return first;
}

std::wstring CFileParser::IniFileNameFor(const std::wstring& programPath)
{
    std::wstring name = programPath;
    for (size_t pos = name.find(L".exe"); pos != std::wstring::npos; pos = name.find(L".exe", pos + 4)) {
        name.replace(pos, 4, L".ini");
    }
    return name;
}

CFileParser::CFileParser(const std::wstring& iniFileName)
{
    SETUP_LOG(L"CFileParser::CFileParser", L"Ini reader created for the following file: " + iniFileName);
    iniReader.reset(new CIniReader(iniFileName));
    SETUP_LOG(L"CFileParser::CFileParser", L"Created");
}

CFileParser::~CFileParser()
{
    SETUP_LOG(L"CFileParser::~CFileParser", L"Destroyed");
}

void CFileParser::ParseIniFile()
{
    ParseSettingsSection();
    ParseEventSection(L"Dependencies", depMap);
    ParseEventSection(L"Install", iEvMap);
    ParseEventSection(L"UnInstall", uEvMap);
    ParseEventSection(L"Repair", rEvMap);
    SETUP_LOG(L"CFileParser::ParseIniFile", L"Parsing done");
    SETUP_LOG(L"CFileParser::ParseIniFile",
              Format(L"Sizes; iEvMap=%d, uEvMap=%d, rEvMap=%d", static_cast<int>(iEvMap.size()),
                     static_cast<int>(uEvMap.size()), static_cast<int>(rEvMap.size())));
}

void CFileParser::ParseSettingsSection()
{
    settingsMap.clear();
    for (const auto& line : iniReader->readSection(L"Settings")) {
        if (!CIniReader::hasSeparator(line, L'=')) {
            SETUP_LOG(L"CFileParser::ParseSettingsSection", L"WARNING: Line without '=' skipped: " + line);
            continue;
        }
        settingsMap[CIniReader::getKey(line, L'=')] = CIniReader::getValue(line);
    }
}

void CFileParser::ParseEventSection(const std::wstring& section, EventMap& target)
{
    target.clear();
    int counter = 0;
    for (const auto& line : iniReader->readSection(section)) {
        const std::wstring fullKey = CIniReader::getKey(line, L'=');
        if (!CIniReader::hasSeparator(line, L'=') || !CIniReader::hasSeparator(fullKey, L'_')) {
            SETUP_LOG(L"CFileParser::ParseEventSection",
                      L"WARNING: Line without '=' or key without '_' skipped in [" + section + L"]: " + line);
            continue;
        }
        const std::wstring key = CIniReader::getKey(fullKey, L'_');
        const std::wstring value = CIniReader::getValue(line);
        const std::wstring upperKey = upper(key);
        if (upperKey == L"NAME" || upperKey == L"DEPENDENCY") {
            ++counter;
            target[counter] = KeyValueMap();
        }
        target[counter][key] = value;
    }
}

std::wstring CFileParser::GetSetting(const std::wstring& key) const
{
    const auto found = settingsMap.find(key);
    return found == settingsMap.end() ? std::wstring() : found->second;
}

std::wstring CFileParser::GetEventValue(const EventMap& map, int item, const std::wstring& key)
{
    const auto entry = map.find(item);
    if (entry == map.end()) {
        return std::wstring();
    }
    const auto found = entry->second.find(key);
    return found == entry->second.end() ? std::wstring() : found->second;
}

std::wstring CFileParser::GetDependencyValue(int item, const std::wstring& key) const
{
    return GetEventValue(depMap, item, key);
}
