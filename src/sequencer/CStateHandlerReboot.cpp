#include "sequencer/CStateHandler.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"
#include "setupfile/CFileParser.h"
#include "sys/CLogoff.h"
#include "sys/CWinUtils.h"
#include "ui/CDlgManager.h"

#include <cwctype>

namespace {

const wchar_t* const kPerform = L"CStateHandler::PerformRebootIfSet";

const wchar_t* yesNo(bool value) { return value ? L"TRUE" : L"FALSE"; }

}  // namespace

void CStateHandler::closeSequenceDialog()
{
    CDlgManager& dialogs = CDlgManager::getInstance();
    CProgressDialog* dialog = rollBackMode ? dialogs.getRollBackProgressDialog() : dialogs.getProgressDialog();
    if (dialog) {
        dialog->CloseDialog();
    }
}

void CStateHandler::keepLanguage()
{
    CLangUtilities& lang = CLangUtilities::getInstance();
    const unsigned short id = lang.getCurrentLanguageId();
    SETUP_LOG(L"CStateHandler::Finished", Format(L"currLangID=%d", static_cast<int>(id)));
    registryUtils->DeleteApplicationKey();
    lang.setCurrentLanguage(id, 1);
}

void CStateHandler::writeUninstallEntry()
{
    registryUtils->WriteUnInstallValue(fileParser->GetSetting(L"app_name"), fileParser->GetSetting(L"app_version"),
                                       fileParser->GetSetting(L"upgrade"), fileParser->GetSetting(L"args"), 0);
}

void CStateHandler::restartAccepted(bool lastItem, const wchar_t* cleanupLog)
{
    registryUtils->SetPendingRebootValue(STATE_NO_PENDING_REBOOT);
    if (lastItem) {
        setFinishFlag();
        if (registryUtils->GetStateValue() == STATE_UNINSTALL) {
            SETUP_LOG(kPerform, cleanupLog);
            registryUtils->DeleteRegKeys();
        }
    }
}

bool CStateHandler::performTrue(bool lastItem, bool suppressed)
{
    SETUP_LOG(kPerform, L"Reboot is true");
    registryUtils->SetPendingRebootValue(STATE_PENDING_REBOOT);
    if (suppressed) {
        SETUP_LOG(kPerform, L"STATE_PENDING_REBOOT_SUPPRESSED is set. (reboot==TRUE)");
        return true;
    }
    SETUP_LOG(kPerform, L"calling AskforReboot() (reboot==TRUE)");
    CLogoff logoff;
    if (logoff.AskforReboot()) {
        restartAccepted(lastItem, L"Doing some registry cleanup... (reboot==TRUE)");
        logoff.Restart();
    }
    if (lastItem && registryUtils->GetStateValue() == STATE_UNINSTALL) {
        SETUP_LOG(kPerform, L"Doing some cleanup... (reboot==TRUE)");
        registryUtils->DeleteRegKeys();
        return false;
    }
    SETUP_LOG(kPerform, L"setRestartRejected() (reboot==TRUE)");
    setRestartRejected();
    if (lastItem) {
        setFinishFlag();
        return true;
    }
    return false;
}

bool CStateHandler::performAuto(bool lastItem)
{
    SETUP_LOG(kPerform, L"Reboot is Auto, checking registry for PendingFileRenames...");
    if (registryUtils->GetPendingFileRenames(fileParser->GetSetting(L"ignore_pendings"))) {
        SETUP_LOG(kPerform, L"Reboot is true according to registry");
        registryUtils->SetPendingRebootValue(STATE_PENDING_REBOOT);
        if (registryUtils->GetPendingRebootSuppressedValue() == STATE_PENDING_REBOOT_SUPPRESSED) {
            SETUP_LOG(kPerform, L"STATE_PENDING_REBOOT_SUPPRESSED is set. (reboot==AUTO)");
            return true;
        }
        CLogoff logoff;
        if (logoff.AskforReboot()) {
            restartAccepted(lastItem, L"Doing some registry cleanup... (reboot==AUTO)");
            SETUP_LOG(kPerform, L"Preparing restart... (reboot==AUTO)");
            logoff.Restart();
        }
        if (lastItem && registryUtils->GetStateValue() == STATE_UNINSTALL) {
            SETUP_LOG(kPerform, L"Doing some cleanup... (reboot==AUTO)");
            registryUtils->DeleteRegKeys();
            return false;
        }
        SETUP_LOG(kPerform, L"setRestartRejected() (reboot==AUTO)");
        setRestartRejected();
        if (lastItem) {
            setFinishFlag();
            return true;
        }
        SETUP_LOG(kPerform, L"Undefined state...");
        return false;
    }
    SETUP_LOG(kPerform, L"Nothing found in pendingfilerename...");
    if (x32RebootFlagged) {
        SETUP_LOG(kPerform, L"However, an additional x32 reboot was flagged...");
        x32RebootFlagged = false;
        return false;
    }
    if (x64RebootFlagged) {
        SETUP_LOG(kPerform, L"However, an additional x64 reboot was flagged...");
        x64RebootFlagged = false;
        return false;
    }
    registryUtils->DeleteRunValue();
    registryUtils->SetPendingRebootValue(STATE_NO_PENDING_REBOOT);
    return true;
}

bool CStateHandler::PerformRebootIfSet(std::wstring rebootFlag, bool lastItem)
{
    for (auto& c : rebootFlag) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    SETUP_LOG(kPerform, Format(L"rebootFlag=%s, lastItem=%s", rebootFlag.c_str(), yesNo(lastItem)));
    const bool suppressed = registryUtils->GetPendingRebootSuppressedValue() == STATE_PENDING_REBOOT_SUPPRESSED;
    if (suppressed) {
        SETUP_LOG(kPerform, L"STATE_PENDING_REBOOT_SUPPRESSED is set.");
    } else if (registryUtils->GetPendingRebootValue() == STATE_PENDING_REBOOT) {
        SETUP_LOG(kPerform, L"rebootFlag=True");
        rebootFlag = L"TRUE";
    }
    SETUP_LOG(kPerform, L"Performing reboot if set");
    if (rebootFlag == L"TRUE") {
        return performTrue(lastItem, suppressed);
    }
    if (rebootFlag == L"AUTO") {
        return performAuto(lastItem);
    }
    SETUP_LOG(kPerform, L"Reboot is either False or invalid");
    return true;
}
