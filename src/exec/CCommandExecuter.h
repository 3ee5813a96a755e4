#pragma once
#include "exec/OverInstallationQuestion.h"

#include <windows.h>

#include <string>

class CRegistryUtils;
class CVersion;

// Runs one item of the setup description file: chooses the operation by the item's mode, starts
// the item's program or msiexec, and returns the result the sequencer judges.
class CCommandExecuter {
public:
    CCommandExecuter();
    virtual ~CCommandExecuter();
    CCommandExecuter(const CCommandExecuter&) = delete;
    CCommandExecuter& operator=(const CCommandExecuter&) = delete;

    DWORD Execute(std::wstring strExe, std::wstring strWait, std::wstring strMode, std::wstring strArgs,
                  std::wstring strCheck, std::wstring strUpgrade, std::wstring strFromVer, std::wstring strToVer);
    DWORD ExecuteProcess(std::wstring strExe, std::wstring strArgs, bool bWaitFlag);

    DWORD InstallMSI(std::wstring strExe, std::wstring strArgs, std::wstring strCheck, std::wstring strUpgrade);
    DWORD UnInstallMSI(std::wstring strArgs, std::wstring strCheck, std::wstring strUpgrade, std::wstring strFromVer,
                       std::wstring strToVer);
    DWORD RepairMSI(std::wstring strArgs, std::wstring strUpgrade);
    DWORD ExecuteUpgrade(std::wstring strExe, std::wstring strArgs, std::wstring strUpgrade);

    // Replaces the over-installation question (the dialog manager's by default).
    void setOverInstallationQuestion(OverInstallationQuestion question) { overInstallationQuestion_ = question; }

    // The sequence being run is an installation.
    bool inInstallState = false;
    // Maintenance mode: the item was redirected to the suite's own package; nothing is waited for.
    bool overloadMode = false;

private:
    // msiexec with these arguments, waited for (unless in maintenance mode).
    DWORD runMsiexec(const std::wstring& arguments);
    DWORD installKnownState(int state, const std::wstring& productCode, const std::wstring& strExe,
                            const std::wstring& strArgs);
    bool withinInterval(const std::wstring& productCode, const std::wstring& strFromVer, const std::wstring& strToVer);
    CVersion setupVersion(const std::wstring& strExe);
    CVersion installedVersion(const std::wstring& productCode);
    void adoptSuiteLanguage();

    CRegistryUtils* registry_;
    OverInstallationQuestion overInstallationQuestion_;
};
