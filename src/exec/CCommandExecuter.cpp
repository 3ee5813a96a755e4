#include "exec/CCommandExecuter.h"

#include "exec/ExecText.h"
#include "exec/ProcessLaunch.h"
#include "log/CLog.h"
#include "registry/CRegistryUtils.h"
#include "log/Format.h"
#include "sys/ScopedHandle.h"

#include <vector>

using ExecText::boolText;
using ExecText::upper;

CCommandExecuter::CCommandExecuter()
    : registry_(&CRegistryUtils::getInstance()), overInstallationQuestion_(AskOverInstallationQuestion)
{
    SETUP_LOG(L"CCommandExecuter::CCommandExecuter", L"CCommandExecuter()");
}

CCommandExecuter::~CCommandExecuter()
{
    SETUP_LOG(L"CCommandExecuter::~CCommandExecuter", L"~CCommandExecuter()");
}

DWORD CCommandExecuter::Execute(std::wstring strExe, std::wstring strWait, std::wstring strMode,
                                std::wstring strArgs, std::wstring strCheck, std::wstring strUpgrade,
                                std::wstring strFromVer, std::wstring strToVer)
{
    static const wchar_t* const kFunction = L"CCommandExecuter::Execute";
    strWait = upper(strWait);
    strMode = upper(strMode);
    strCheck = upper(strCheck);
    strUpgrade = upper(strUpgrade);
    strFromVer = upper(strFromVer);
    strToVer = upper(strToVer);
    SETUP_LOG(kFunction, Format(L"Execute(strExe=\"%s\", strWait=\"%s\", strMode=\"%s\", strArgs=\"%s\", "
                                L"strCheck=\"%s\", strUpgrade=\"%s\", strFromVer=\"%s\", strToVer=\"%s\")",
                                strExe.c_str(), strWait.c_str(), strMode.c_str(), strArgs.c_str(), strCheck.c_str(),
                                strUpgrade.c_str(), strFromVer.c_str(), strToVer.c_str()));
    SETUP_LOG(kFunction, Format(L"inInstallState=\"%s\", overloadMode=\"%s\"", boolText(inInstallState),
                                boolText(overloadMode)));
    SETUP_LOG(kFunction, L"Passing arguments down to correct method");
    const bool wait = strWait != L"FALSE";

    if (strMode == L"INSTALL") {
        SETUP_LOG(kFunction, L"Install mode");
        if (strUpgrade.empty()) {
            SETUP_LOG(kFunction, L"Upgrade code NOT found");
            return ExecuteProcess(strExe, strArgs, wait);
        }
        SETUP_LOG(kFunction, L"(Possible) upgrade code found");
        return ExecuteUpgrade(strExe, strArgs, strUpgrade);
    }
    if (strMode == L"INSTALLMSI") {
        return InstallMSI(strExe, strArgs, strCheck, strUpgrade);
    }
    if (strMode == L"UNINSTALLMSI") {
        return UnInstallMSI(strArgs, strCheck, strUpgrade, strFromVer, strToVer);
    }
    if (strMode == L"REPAIRMSI" || strMode == L"MSIEXEC") {
        return RepairMSI(strArgs, strUpgrade);
    }
    return 0;
}

DWORD CCommandExecuter::ExecuteProcess(std::wstring strExe, std::wstring strArgs, bool bWaitFlag)
{
    static const wchar_t* const kFunction = L"CCommandExecuter::ExecuteProcess";
    strExe = upper(strExe);
    SETUP_LOG(kFunction, Format(L"ExecuteProcess(strExe=\"%s\", strArgs=\"%s\", bWaitFlag=\"%s\")", strExe.c_str(),
                                strArgs.c_str(), boolText(bWaitFlag)));
    if (overloadMode) {
        SETUP_LOG(kFunction, L"Overriding value of bWaitFlag flag due that overloadMode is set. ");
        bWaitFlag = false;
        SETUP_LOG(kFunction, std::wstring(L"bWaitFlag=") + boolText(bWaitFlag));
    }
    SETUP_LOG(kFunction, L"Launching process");
    const std::wstring line = ProcessLaunch::commandLine(strExe, strArgs);
    SETUP_LOG(kFunction, L"Creating process: " + line);

    const std::wstring application = ProcessLaunch::applicationName(strExe);
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(application.empty() ? nullptr : application.c_str(), buffer.data(), nullptr, nullptr,
                        FALSE, 0, nullptr, nullptr, &startup, &info)) {
        const DWORD error = GetLastError();
        SETUP_LOG(kFunction, L"Launching process failed!");
        const DWORD result = ProcessLaunch::startFailureResult(error);
        SETUP_LOG(kFunction, Format(L"Windows error code: %u, result: %u", error, result));
        return result;
    }
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);

    if (!bWaitFlag) {
        SETUP_LOG(kFunction, L"Will not wait for this process to return");
        SETUP_LOG(kFunction, L"Closing process handles");
        return 0;
    }
    SETUP_LOG(kFunction, L"Waiting for process to return...");
    WaitForSingleObject(process.get(), INFINITE);
    SETUP_LOG(kFunction, L"Process returned");
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    if (ProcessLaunch::isSuccessCode(exitCode)) {
        SETUP_LOG(kFunction, Format(L"Successfully exited with code: %u", exitCode));
    } else {
        SETUP_LOG(kFunction, Format(L"Returned with exit code: %u", exitCode));
    }
    SETUP_LOG(kFunction, L"Closing process handles");
    return exitCode;
}
