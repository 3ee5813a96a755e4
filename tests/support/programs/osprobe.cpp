// Writes what Setup's system queries say about the running Windows into the file named by its
// argument: "<number>|<version string>|<service pack>|<supported 0/1>|<64-bit 0/1>".
#include "sys/CWinUtils.h"

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        return 2;
    }
    CWinUtils utils;
    const std::wstring line = std::to_wstring(utils.GetWindowsVersion()) + L"|" + utils.GetWindowsVersionString() +
                              L"|" + std::to_wstring(utils.GetServicePackNumber()) + L"|" +
                              (utils.IsWindowsVersionSupported() ? L"1" : L"0") + L"|" +
                              (utils.isRunningOn64BitOS() ? L"1" : L"0");
    FILE* file = _wfopen(argv[1], L"w, ccs=UTF-16LE");
    if (file == nullptr) {
        return 3;
    }
    fputws(line.c_str(), file);
    fclose(file);
    return 0;
}
