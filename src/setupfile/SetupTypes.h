#pragma once
#include <map>
#include <string>

// Keys of a section (or of one item) to their values; keys compared code unit by code unit.
using KeyValueMap = std::map<std::wstring, std::wstring>;
// Item number (1, 2, 3 ... in file order; 0 for lines before the first item) to the item's keys.
using EventMap = std::map<int, KeyValueMap>;

// The item being run, as read from its section.
struct FileAction {
    std::wstring sName;
    std::wstring sWait;
    std::wstring sExe;
    std::wstring sMode;
    std::wstring sArgs;
    std::wstring sCheck;
    std::wstring sUpgrade;
    std::wstring sFromVer;
    std::wstring sToVer;
    std::wstring sReboot;
    std::wstring s64Bit;
    std::wstring s32Bit;
};
