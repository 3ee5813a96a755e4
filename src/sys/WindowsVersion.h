#pragma once
#include <windows.h>

#include <string>

// Which Windows runs, decided from one OSVERSIONINFOEXW; pure functions of the record.
class WindowsVersion {
public:
    // The version number: 1-7 Windows 9x, 101-106 NT, 201 CE, 0 anything else.
    static int Number(const OSVERSIONINFOEXW& info);
    static std::wstring Name(int number);
    // The first run of digits in the service-pack text; 0 without one.
    static int ServicePack(const OSVERSIONINFOEXW& info);
    static bool Supported(const OSVERSIONINFOEXW& info);

    // The record of the running system, read once.
    static const OSVERSIONINFOEXW& Current();
};
