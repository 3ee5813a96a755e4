#include "setupfile/CIniReader.h"

#include <windows.h>

#include <vector>

CIniReader::CIniReader(const std::wstring& fileName) : fileName(fileName) {}

const std::list<std::wstring>& CIniReader::readSection(const std::wstring& section)
{
    sectionLines.clear();
    // The profile API answers size - 2 when the section did not fit: grow until it does.
    std::vector<wchar_t> buffer(4000);
    for (;;) {
        sectionLength = GetPrivateProfileSectionW(section.c_str(), buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), fileName.c_str());
        if (sectionLength + 2 < buffer.size() || buffer.size() >= (1u << 26)) {
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    std::wstring line;
    for (unsigned long i = 0; i < sectionLength; ++i) {
        if (buffer[i] != L'\0') {
            line += buffer[i];
            continue;
        }
        if (!line.empty()) {
            sectionLines.push_back(line);
        }
        line.clear();
    }
    if (!line.empty()) {
        sectionLines.push_back(line);
    }
    return sectionLines;
}

std::wstring CIniReader::getKey(const std::wstring& line, wchar_t separator)
{
    return line.substr(0, line.find(separator));
}

std::wstring CIniReader::getValue(const std::wstring& line)
{
    const size_t equals = line.find(L'=');
    std::wstring value = equals == std::wstring::npos ? line : line.substr(equals + 1);
    replaceConstants(value);
    return value;
}

bool CIniReader::hasSeparator(const std::wstring& line, wchar_t separator)
{
    return line.find(separator) != std::wstring::npos;
}
