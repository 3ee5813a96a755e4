#pragma once
#include "sys/CWinUtils.h"

#include <windows.h>

#include <string>

// Asks the user whether to restart Windows now and, after a Yes, restarts it and ends Setup.
class CLogoff {
public:
    CLogoff();
    virtual ~CLogoff() = default;
    CLogoff(const CLogoff&) = delete;
    CLogoff& operator=(const CLogoff&) = delete;

    bool AskforReboot();
    bool ShowQuestionBox(const std::wstring& text);
    [[noreturn]] void Restart();
    void EnableShutdownPrivileges();
    void DisableShutdownPrivileges();

    bool windowsNT() const { return isWindowsNT; }

    // The type of the restart question for the given bidirectional state.
    static unsigned questionBoxType(unsigned bidiState);

private:
    void adjustShutdownPrivilege(const wchar_t* fn, DWORD attributes);

    CWinUtils winUtils;
    bool isWindowsNT;
};
