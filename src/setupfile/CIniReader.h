#pragma once
#include <list>
#include <string>

// Reads one section of the setup description file at a time through the profile API.
class CIniReader {
public:
    explicit CIniReader(const std::wstring& fileName);

    // The lines of a section in file order, empty lines dropped; valid until the next call.
    const std::list<std::wstring>& readSection(const std::wstring& section);

    // Text before the first separator (the whole line when there is none).
    static std::wstring getKey(const std::wstring& line, wchar_t separator);
    // Text after the first "=" (the whole line when there is none), constants replaced.
    static std::wstring getValue(const std::wstring& line);
    static bool hasSeparator(const std::wstring& line, wchar_t separator);

    // Replaces the constants a value may hold; returns how many kinds were replaced.
    static int replaceConstants(std::wstring& value);

    const std::wstring& getFileName() const { return fileName; }
    unsigned long getSectionLength() const { return sectionLength; }

private:
    std::wstring fileName;
    std::list<std::wstring> sectionLines;
    unsigned long sectionLength = 0;
};
