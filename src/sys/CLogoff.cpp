#include "sys/CLogoff.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "setupfile/CFileParser.h"
#include "sys/ScopedHandle.h"
#include "ui/CDlgManager.h"

#include <cstdlib>
#include <vector>

namespace {

bool osIsWindowsNT()
{
    const DWORD needed = GetEnvironmentVariableW(L"OS", nullptr, 0);
    if (needed == 0) {
        return false;
    }
    std::vector<wchar_t> buffer(needed, L'\0');
    GetEnvironmentVariableW(L"OS", buffer.data(), needed);
    return std::wstring(buffer.data()) == L"Windows_NT";
}

}  // namespace

CLogoff::CLogoff() : isWindowsNT(osIsWindowsNT())
{
    SETUP_LOG(L"CLogoff::CLogoff", isWindowsNT ? L"Computer is Windows_NT" : L"Computer is not Windows_NT");
}

unsigned CLogoff::questionBoxType(unsigned bidiState)
{
    return MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND | MB_TOPMOST | bidiState;
}

bool CLogoff::AskforReboot()
{
    return ShowQuestionBox(CLangUtilities::getInstance().LoadStr(159));
}

bool CLogoff::ShowQuestionBox(const std::wstring& text)
{
    SETUP_LOG(L"CLogoff::ShowQuestionBox", L"Displaying Message Box");
    CProgressDialog* progress = CDlgManager::getInstance().getProgressDialog();
    if (progress) {
        progress->suspendProgressBar();
    }
    CLangUtilities& lang = CLangUtilities::getInstance();
    const std::wstring caption = CFileParser::getInstance().GetSetting(L"app_name");
    const int answer = MessageBoxW(nullptr, text.c_str(), caption.c_str(), questionBoxType(lang.getBidiState()));
    if (progress) {
        progress->resumeProgressBar();
    }
    return answer == IDYES;
}

void CLogoff::Restart()
{
    if (isWindowsNT) {
        EnableShutdownPrivileges();
    }
    SETUP_LOG(L"CLogoff::Restart", L"User confirmed restart, restarting...");
    ExitWindowsEx(EWX_REBOOT, 0);
    if (isWindowsNT) {
        DisableShutdownPrivileges();
    }
    std::exit(0);
}

void CLogoff::EnableShutdownPrivileges()
{
    adjustShutdownPrivilege(L"CLogoff::EnableShutdownPrivileges", SE_PRIVILEGE_ENABLED);
}

void CLogoff::DisableShutdownPrivileges()
{
    adjustShutdownPrivilege(L"CLogoff::DisableShutdownPrivileges", 0);
}

void CLogoff::adjustShutdownPrivilege(const wchar_t* fn, DWORD attributes)
{
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) {
        SETUP_LOG(fn, L"ERROR: Unable to open process token.");
        return;
    }
    TOKEN_PRIVILEGES privileges{};
    LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = attributes;
    AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
    if (GetLastError() != ERROR_SUCCESS) {
        SETUP_LOG(fn, L"ERROR: Unable to adjust token privileges.");
    }
}
