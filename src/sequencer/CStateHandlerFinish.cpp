#include "sequencer/CStateHandler.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"
#include "setupfile/CFileParser.h"
#include "sys/CWinUtils.h"
#include "ui/CDlgManager.h"

namespace {

const wchar_t* const kFinished = L"CStateHandler::Finished";

const wchar_t* yesNo(bool value) { return value ? L"TRUE" : L"FALSE"; }

}  // namespace

void CStateHandler::Finished(std::wstring strReboot, bool bFinished)
{
    SETUP_LOG(kFinished, Format(L"strReboot=\"%s\", bFinished=%s", strReboot.c_str(), yesNo(bFinished)));
    switch (registryUtils->GetStateValue()) {
    case STATE_CHECK:
        SETUP_LOG(kFinished, L"FINISHED: STATE_CHECK");
        SETUP_LOG(kFinished, L"Check of dependencies performed.");
        endProcess(0);
    case STATE_INSTALL: finishedInstall(strReboot, bFinished); return;
    case STATE_UNINSTALL: finishedUnInstall(strReboot, bFinished); return;
    case STATE_REPAIR: finishedRepair(strReboot, bFinished); return;
    default: finishedDefault(strReboot, bFinished); return;
    }
}

void CStateHandler::finishedInstall(const std::wstring& strReboot, bool bFinished)
{
    SETUP_LOG(kFinished, L"FINISHED: STATE_INSTALL");
    SETUP_LOG(kFinished, Format(L"compCnt=%d, compOKCnt=%d, compNOKCnt=%d, compNECnt=%d", compCnt, compOKCnt,
                                compNOKCnt, compNECnt));
    winUtils->CopyApplication();
    closeSequenceDialog();
    if (registryUtils->GetPendingRebootValue() == STATE_PENDING_REBOOT) {
        SETUP_LOG(kFinished, L"STATE_PENDING_REBOOT");
        keepLanguage();
        PerformRebootIfSet(L"True", bFinished);
        registryUtils->SetPendingRebootValue(STATE_PENDING_REBOOT);
        return;
    }
    SETUP_LOG(kFinished, L"!STATE_PENDING_REBOOT");
    if (PerformRebootIfSet(strReboot, bFinished)) {
        SETUP_LOG(kFinished, L"No reboot required...");
        if (x64RebootFlagged || x32RebootFlagged) {
            endProcess(0);
        }
        winUtils->CopyApplication();
        registryUtils->DeleteRunValue();
        registryUtils->SetInternalStateValue(0);
        writeUninstallEntry();
        if (!rollBackMode) {
            CDlgManager::getInstance().showInstallFinishedDialog();
        }
        endProcess(0);
    }
    if (x64RebootFlagged) {
        SETUP_LOG(kFinished, L"Reboot required anyway (specified in a x64 pkg...");
        keepLanguage();
        PerformRebootIfSet(L"True", bFinished);
        registryUtils->SetPendingRebootValue(STATE_PENDING_REBOOT);
    }
    if (x32RebootFlagged) {
        SETUP_LOG(kFinished, L"Reboot required anyway (specified in a x32 pkg...");
        keepLanguage();
        PerformRebootIfSet(L"True", bFinished);
        registryUtils->SetPendingRebootValue(STATE_PENDING_REBOOT);
    }
}

void CStateHandler::finishedUnInstall(const std::wstring& strReboot, bool bFinished)
{
    SETUP_LOG(kFinished, L"FINISHED: STATE_UNINSTALL");
    if (bFinished && registryUtils->GetPendingRebootSuppressedValue() == STATE_PENDING_REBOOT_SUPPRESSED) {
        registryUtils->SetPendingRebootSuppressedValue(STATE_PENDING_REBOOT_NOT_SUPPRESSED);
    }
    if (rollBackMode) {
        SETUP_LOG(kFinished, L"Skipping internal state value to 0 since rollback has been performed!");
        registryUtils->SetInternalStateValue(0);
    }
    closeSequenceDialog();
    if (!rollBackMode) {
        registryUtils->DeleteUnInstallValue();
        winUtils->DeleteApplication();
        registryUtils->DeleteRunValue();
        CDlgManager::getInstance().showFinishedDialog(CLangUtilities::getInstance().LoadStr(151));
    }
    if (registryUtils->GetPendingRebootValue() == STATE_PENDING_REBOOT) {
        PerformRebootIfSet(L"True", bFinished);
        registryUtils->SetPendingRebootValue(STATE_PENDING_REBOOT);
    } else if (registryUtils->GetPendingRebootSuppressedValue() != STATE_PENDING_REBOOT_SUPPRESSED) {
        PerformRebootIfSet(strReboot, bFinished);
    } else {
        SETUP_LOG(kFinished, L"STATE_PENDING_REBOOT_SUPPRESSED is set.");
    }
    endProcess(0);
}

void CStateHandler::finishedRepair(const std::wstring& strReboot, bool bFinished)
{
    SETUP_LOG(kFinished, L"FINISHED: STATE_REPAIR");
    registryUtils->DeleteRunValue();
    registryUtils->SetStateValue(STATE_INSTALL);
    registryUtils->SetInternalStateValue(0);
    closeSequenceDialog();
    if (registryUtils->GetPendingRebootValue() == STATE_PENDING_REBOOT) {
        PerformRebootIfSet(L"True", bFinished);
    } else if (registryUtils->GetPendingRebootSuppressedValue() != STATE_PENDING_REBOOT_SUPPRESSED) {
        PerformRebootIfSet(strReboot, bFinished);
    } else {
        SETUP_LOG(kFinished, L"STATE_PENDING_REBOOT_SUPPRESSED is set.");
    }
    if (!rollBackMode) {
        CDlgManager::getInstance().showFinishedDialog(CLangUtilities::getInstance().LoadStr(150));
    }
    endProcess(0);
}

void CStateHandler::finishedDefault(const std::wstring& strReboot, bool bFinished)
{
    SETUP_LOG(kFinished, L"FINISHED: DEFAULT");
    SETUP_LOG(kFinished, L"ERROR: finished, but no state, do what!?");
    registryUtils->DeleteUnInstallValue();
    winUtils->DeleteApplication();
    registryUtils->DeleteRunValue();
    registryUtils->SetStateValue(STATE_INSTALL);
    registryUtils->SetInternalStateValue(0);
    PerformRebootIfSet(strReboot, bFinished);
    endProcess(1);
}

void CStateHandler::finishInstallSeq(std::wstring strReboot)
{
    const wchar_t* const fn = L"CStateHandler::finishInstallSeq";
    SETUP_LOG(fn, L"FINISHED: STATE_INSTALL (finishInstallSeq)");
    winUtils->CopyApplication();
    registryUtils->DeleteRunValue();
    registryUtils->SetInternalStateValue(0);
    writeUninstallEntry();
    closeSequenceDialog();
    if (registryUtils->GetPendingRebootValue() == STATE_PENDING_REBOOT) {
        keepLanguage();
        PerformRebootIfSet(L"True", false);
        registryUtils->SetPendingRebootValue(STATE_PENDING_REBOOT);
    } else if (!PerformRebootIfSet(strReboot, false)) {
        endProcess(1);
    }
    if (!rollBackMode) {
        CDlgManager::getInstance().showInstallFinishedDialog();
    }
    endProcess(0);
}

void CStateHandler::finishUnInstallSeq(std::wstring /*strReboot*/)
{
    SETUP_LOG(L"CStateHandler::finishUnInstallSeq", L"FINISHED: STATE_UNINSTALL (finishUnInstallSeq)");
    registryUtils->SetPendingRebootSuppressedValue(STATE_PENDING_REBOOT_NOT_SUPPRESSED);
    registryUtils->DeleteRegKeys();
    endProcess(0);
}
