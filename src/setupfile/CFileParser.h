#pragma once
#include "setupfile/CIniReader.h"
#include "setupfile/SetupTypes.h"

#include <memory>
#include <string>

// The setup description file: the settings and the four item sections, read on demand.
class CFileParser {
public:
    static CFileParser& getInstance();
    // Ends the process-wide parser; the sequencer does this when it is destroyed.
    static void destroyInstance();

    // A parser of the given file (getInstance derives the name from the program's path).
    explicit CFileParser(const std::wstring& iniFileName);
    virtual ~CFileParser();
    CFileParser(const CFileParser&) = delete;
    CFileParser& operator=(const CFileParser&) = delete;

    void ParseIniFile();

    std::wstring GetSetting(const std::wstring& key) const;
    EventMap GetInstallMap() const { return iEvMap; }
    EventMap GetUnInstallMap() const { return uEvMap; }
    EventMap GetRepairMap() const { return rEvMap; }
    EventMap GetDependencyMap() const { return depMap; }
    static std::wstring GetEventValue(const EventMap& map, int item, const std::wstring& key);
    std::wstring GetDependencyValue(int item, const std::wstring& key) const;

    // The setup file's name for a program path: every ".exe" becomes ".ini".
    static std::wstring IniFileNameFor(const std::wstring& programPath);
    // The first argument of the command line, split by the usual Windows rules.
    static std::wstring ProgramArgument();

private:
    void ParseSettingsSection();
    void ParseEventSection(const std::wstring& section, EventMap& target);

    std::unique_ptr<CIniReader> iniReader;
    KeyValueMap settingsMap;
    EventMap iEvMap;
    EventMap uEvMap;
    EventMap rEvMap;
    EventMap depMap;
};
