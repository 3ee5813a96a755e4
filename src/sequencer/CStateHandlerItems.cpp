#include "sequencer/CStateHandler.h"

#include "exec/CCommandExecuter.h"
#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"
#include "sequencer/MachinePath.h"
#include "sequencer/SequencerDecisions.h"
#include "setupfile/CFileParser.h"
#include "sys/CLogoff.h"
#include "sys/CWinUtils.h"
#include "ui/CDlgManager.h"

#include <cwctype>
#include <iterator>
#include <vector>

namespace {

const wchar_t* const kRun = L"CStateHandler::Run";
const wchar_t* const kValidate = L"CStateHandler::ValidateExecution";

bool equalsTrue(std::wstring value)
{
    for (auto& c : value) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return value == L"TRUE";
}

std::wstring upper(std::wstring value)
{
    for (auto& c : value) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return value;
}

// The process's "Path"; false (and logged) when it cannot be read.
bool processPath(std::wstring& value)
{
    SETUP_LOG(kRun, L"Getting Path environment variables value...");
    SetLastError(ERROR_SUCCESS);
    const DWORD needed = GetEnvironmentVariableW(L"Path", nullptr, 0);
    std::vector<wchar_t> buffer(needed + 1, L'\0');
    if (needed == 0 ||
        GetEnvironmentVariableW(L"Path", buffer.data(), static_cast<DWORD>(buffer.size())) >= buffer.size()) {
        SETUP_LOG(kRun, GetLastError() == ERROR_ENVVAR_NOT_FOUND
                            ? L"ERROR: Path environment variable was not found..."
                            : L"ERROR: Getting Path environment variable value operation failed...");
        return false;
    }
    value = buffer.data();
    SETUP_LOG(kRun, L"Current process Path environment variable value: " + value);
    return true;
}

}  // namespace

// The machine-wide value is extended on its own (never replaced by this process's Path, which
// holds the user's entries and expanded references); the process's Path gets the folder too.
void CStateHandler::addSharedFolderToPath()
{
    const std::wstring sharedPath = fileParser->GetSetting(L"common_files");
    std::wstring current;
    const bool haveProcessPath = processPath(current);
    sequencer::addToMachinePath(*registryUtils, sharedPath, kRun);
    if (!haveProcessPath) {
        return;
    }
    const auto newPath = sequencer::appendSharedFolder(current, sharedPath);
    if (!newPath) {
        return;
    }
    SETUP_LOG(kRun, L"Adding Brennik Shared path to the Path of the current process...");
    if (!SetEnvironmentVariableW(L"Path", newPath->c_str())) {
        SETUP_LOG(kRun, L"ERROR: Adding Brennik Shared path to the Path of the current process has failed...");
    } else {
        SETUP_LOG(kRun, L"Success. Path variable of the process: " + *newPath);
    }
}

bool CStateHandler::prepare()
{
    winUtils->CopyApplication();
    registryUtils->SetRunValue();
    SwitchState();
    copyItemFiles();
    if (registryUtils->GetPendingRebootValue() == STATE_PENDING_REBOOT &&
        registryUtils->GetPendingRebootSuppressedValue() != STATE_PENDING_REBOOT_SUPPRESSED) {
        SETUP_LOG(kRun, L"Reboot pending, requesting restart");
        CLogoff logoff;
        if (logoff.AskforReboot()) {
            logoff.Restart();
        }
        SETUP_LOG(kRun, L"setRestartRejected() #1");
        setRestartRejected();
        return false;
    }
    return true;
}

void CStateHandler::copyItemFiles()
{
    for (const auto& item : eventsMap) {
        const std::wstring exec = CFileParser::GetEventValue(eventsMap, item.first, L"exec");
        if (exec.empty()) {
            continue;
        }
        const std::wstring source = winUtils->GetApplicationSourceDir() + L"\\" + exec;
        const std::wstring destination = winUtils->GetApplicationDestinationDir() + L"\\" + exec;
        if (source == destination) {
            SETUP_LOG(kRun, L"Cannot copy " + exec + L" to itself");
            continue;
        }
        SETUP_LOG(kRun, L"Copying file from " + source + L" to " + destination);
        SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_ARCHIVE);
        if (!CopyFileW(source.c_str(), destination.c_str(), FALSE)) {
            SETUP_LOG(kRun, L"Failed to copy " + source + L" to " + destination);
        }
        SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    }
}

void CStateHandler::SwitchState()
{
    SETUP_LOG(L"CStateHandler::SwitchState", L"Switching state and selecting correct map");
    switch (registryUtils->GetStateValue()) {
    case STATE_CHECK:
        eventsMap = fileParser->GetDependencyMap();
        break;
    case STATE_INSTALL:
        eventsMap = fileParser->GetInstallMap();
        break;
    case STATE_UNINSTALL:
        eventsMap = fileParser->GetUnInstallMap();
        break;
    case STATE_REPAIR:
        eventsMap = fileParser->GetRepairMap();
        break;
    default:
        registryUtils->SetStateValue(STATE_INSTALL);
        eventsMap = fileParser->GetInstallMap();
        break;
    }
    mapIter = eventsMap.begin();
}

void CStateHandler::runItems()
{
    if (!eventsMap.empty()) {
        while (runOneItem() && mapIter != eventsMap.end()) {
        }
    }
    SETUP_LOG(kRun, L"<== Run()");
}

FileAction CStateHandler::readItem() const
{
    const int n = mapIter->first;
    auto value = [&](const wchar_t* key) { return CFileParser::GetEventValue(eventsMap, n, key); };
    FileAction fa;
    fa.sName = value(L"name");
    fa.sWait = value(L"wait");
    fa.sExe = value(L"exec");
    fa.sMode = value(L"mode");
    fa.sArgs = value(L"args");
    fa.sCheck = value(L"check");
    fa.sUpgrade = value(L"upgrade");
    fa.sFromVer = value(L"fromVersion");
    fa.sToVer = value(L"toVersion");
    fa.sReboot = value(L"reboot");
    fa.s64Bit = value(L"64bit");
    fa.s32Bit = value(L"32bit");
    return fa;
}

bool CStateHandler::runOneItem()
{
    SETUP_LOG(kRun, L"");
    SETUP_LOG(kRun, L">>> Start of subitem >>>");
    ++compCnt;
    if (registryUtils->GetRunValue(run_.runValue) && run_.runValue.find(L"/restart_rejected") != std::wstring::npos) {
        SETUP_LOG(kRun, L"RunValue contains /restart_rejected flag, i.e. do not continue with the current sequence.");
        return false;
    }
    CCommandExecuter executer;
    registryUtils->SetRunValue();
    mapIter = std::next(eventsMap.begin(), static_cast<std::ptrdiff_t>(sequencer::positionFromInternalState(
                                               registryUtils->GetInternalStateValue(), eventsMap.size())));
    if (mapIter == eventsMap.end()) {
        finishedAtEnd();
        return false;
    }
    registryUtils->SetInternalStateValue(mapIter->first + 1);
    FileAction fa = readItem();
    switch (sequencer::bitnessSkip(fa.s64Bit, fa.s32Bit, run_.is64)) {
    case sequencer::BitnessSkip::Skip64OnX86:
        skipForBitness(fa, true);
        break;
    case sequencer::BitnessSkip::Skip32OnX64:
        skipForBitness(fa, false);
        break;
    case sequencer::BitnessSkip::None:
        executeItem(fa, executer);
        break;
    }
    SETUP_LOG(kRun, L"<<< End of subitem <<<");
    run_.isSkipped = false;
    SETUP_LOG(kRun, Format(L"compCnt=%d, compOKCnt=%d, compNOKCnt=%d, compNECnt=%d", compCnt, compOKCnt, compNOKCnt,
                           compNECnt));
    return true;
}

// Finished returned at the past-the-end position: no item is left, so the run ends.
void CStateHandler::finishedAtEnd()
{
    Finished(L"False", false);
    if (run_.rollBackExecuted) {
        SETUP_LOG(kRun, L"rollBackExecuted is true");
        rollBackMode = false;
        CDlgManager& dialogs = CDlgManager::getInstance();
        if (CProgressDialog* rollBack = dialogs.getRollBackProgressDialog()) {
            rollBack->CloseDialog();
            rollBack->setRollBackMode(false);
        }
        run_.rollBackExecuted = false;
        SETUP_LOG(kRun, L"rollBackExecuted set to false");
        dialogs.showInterruptedDialog();
    }
    rollBackMode = false;
}

void CStateHandler::skipForBitness(const FileAction& fa, bool is64Variant)
{
    SETUP_LOG(kRun, is64Variant ? L"Current section is marked as a 64 bit component, but since we're running on a "
                                  L"32 bit OS we're skipping it..."
                                : L"Current section is marked as a 32 bit component, but since we're running on a "
                                  L"64 bit OS we're skipping it...");
    ++compNECnt;
    run_.isSkipped = true;
    SETUP_LOG(kRun, L"TRACE: mapIter++");
    ++mapIter;
    const std::wstring reboot = upper(fa.sReboot);
    const bool asks = sequencer::rebootOptionAsksRestart(reboot);
    if (mapIter == eventsMap.end()) {
        SETUP_LOG(kRun, L"TRACE: Seems to be last item...");
        SETUP_LOG(kRun, L"TRACE: mapIter-- (1)");
        --mapIter;
        if (!asks) {
            SETUP_LOG(kRun, L"TRACE: Reboot parameter is either false or unspecified...");
            return;
        }
        SETUP_LOG(kRun, L"TRACE: reboot param is either TRUE or AUTO");
        (is64Variant ? x64RebootFlagged : x32RebootFlagged) = true;
        setFinishFlag();
        SETUP_LOG(kRun, L"TRACE: ValidateExecution special...");
        ValidateExecution(0, reboot, true);
        return;
    }
    SETUP_LOG(kRun, L"TRACE: mapIter-- (2)");
    --mapIter;
    if (!asks) {
        SETUP_LOG(kRun, L"TRACE: Reboot parameter is either false or unspecified... (2)");
        return;
    }
    SETUP_LOG(kRun, reboot == L"TRUE" ? L"TRACE: reboot param is TRUE (2)" : L"TRACE: reboot param is AUTO (2)");
    SETUP_LOG(kRun, PerformRebootIfSet(reboot, false) ? L"TRACE: PerformRebootIfSet() returned true..."
                                                      : L"TRACE: PerformRebootIfSet() returned false...");
}

void CStateHandler::executeItem(FileAction& fa, CCommandExecuter& executer)
{
    if (run_.overlodeMode) {
        SETUP_LOG(kRun, Format(L"To be overloaded: fa.sMode=\"%s\", fa.sArgs=\"%s\", fa.sUpgrade=\"%s\"",
                               fa.sMode.c_str(), fa.sArgs.c_str(), fa.sUpgrade.c_str()));
        fa.sMode = L"msiexec";
        fa.sArgs = fileParser->GetSetting(L"args");
        fa.sUpgrade = fileParser->GetSetting(L"upgrade");
        executer.overloadMode = true;
    }
    SETUP_LOG(kRun, Format(L"fa.sName=\"%s\", fa.sWait=\"%s\", fa.sExe=\"%s\", fa.sMode=\"%s\", fa.sArgs=\"%s\", "
                           L"fa.sCheck=\"%s\", fa.sUpgrade=\"%s\", fa.sFromVer=\"%s\", fa.sToVer=\"%s\", "
                           L"fa.sReboot=\"%s\"",
                           fa.sName.c_str(), fa.sWait.c_str(), fa.sExe.c_str(), fa.sMode.c_str(), fa.sArgs.c_str(),
                           fa.sCheck.c_str(), fa.sUpgrade.c_str(), fa.sFromVer.c_str(), fa.sToVer.c_str(),
                           fa.sReboot.c_str()));
    CDlgManager& dialogs = CDlgManager::getInstance();
    if (rollBackMode) {
        SETUP_LOG(kRun, L"rollBackMode is set");
        if (CProgressDialog* progress = dialogs.getProgressDialog()) {
            progress->CloseDialog();
        }
        if (CProgressDialog* rollBack = dialogs.getRollBackProgressDialog()) {
            rollBack->setRollBackMode(true);
            rollBack->ShowDialog(run_.appName, CLangUtilities::getInstance().LoadStr(146), 0);
        }
        SETUP_LOG(kRun, L"rollBackExecuted set to true");
        run_.rollBackExecuted = true;
    }
    const int n = mapIter->first;
    CProgressDialog* itemDialog = dialogs.getItemProgressDialog();
    if (itemDialog && equalsTrue(CFileParser::GetEventValue(eventsMap, n, L"verbose"))) {
        itemDialog->ShowDialog(run_.appName, fa.sName, 0);
    }
    if (registryUtils->GetStateValue() == STATE_INSTALL) {
        SETUP_LOG(kRun, L"Setting CommandExecutor inInstallState to true.");
        executer.inInstallState = true;
    }
    const DWORD dwResult = executer.Execute(fa.sExe, fa.sWait, fa.sMode, fa.sArgs, fa.sCheck, fa.sUpgrade,
                                            fa.sFromVer, fa.sToVer);
    if (itemDialog && equalsTrue(CFileParser::GetEventValue(eventsMap, n, L"verbose"))) {
        itemDialog->CloseDialog();
    }
    SETUP_LOG(kRun, L"Clearing overlodeMode flags...");
    run_.overlodeMode = false;
    executer.overloadMode = false;
    ++mapIter;
    run_.isLastItem = mapIter == eventsMap.end();
    ++(dwResult == 0 ? compOKCnt : compNOKCnt);
    SETUP_LOG(kRun, L"Taking action based on return value");
    ValidateExecution(dwResult, fa.sReboot, run_.isLastItem);
}

void CStateHandler::startRollBack()
{
    registryUtils->SetStateValue(STATE_UNINSTALL);
    registryUtils->SetInternalStateValue(0);
    eventsMap = fileParser->GetUnInstallMap();
    SETUP_LOG(kValidate, Format(L"eventsMap.size=%d", static_cast<int>(eventsMap.size())));
    if (run_.isLastItem) {
        SETUP_LOG(kValidate, L"mapIter == eventsMap.end()");
    }
    // The old position belongs to the replaced map: start the new one at its first item.
    mapIter = eventsMap.begin();
    rollBackMode = true;
}

void CStateHandler::ValidateExecution(DWORD dwResult, std::wstring strReboot, bool bFinished)
{
    SETUP_LOG(kValidate, Format(L"==> dwResult=%d, strReboot=\"%s\", bFinished=%s", static_cast<int>(dwResult),
                                strReboot.c_str(), bFinished ? L"TRUE" : L"FALSE"));
    if (sequencer::rebootOptionClearsSuppression(strReboot)) {
        SETUP_LOG(kValidate, L"Clearing PendingRebootSuppressed");
        registryUtils->SetPendingRebootSuppressedValue(STATE_PENDING_REBOOT_NOT_SUPPRESSED);
    }
    const bool suppressed = registryUtils->GetPendingRebootSuppressedValue() == STATE_PENDING_REBOOT_SUPPRESSED;
    using sequencer::Validation;
    const Validation action = sequencer::decideValidation(dwResult, strReboot, bFinished, suppressed);
    switch (dwResult) {
    case ERROR_SUCCESS: SETUP_LOG(kValidate, L"ERROR_SUCCESS, continue"); break;
    case 5:
        SETUP_LOG(kValidate, L"INSTALLSTATE_DEFAULT, do nothing more and return (Cancelled installation)");
        break;
    case 0xFFFFFFFFu: SETUP_LOG(kValidate, L"INSTALLSTATE_UNKNOWN, nothing was installed, uninstall (roll-back)"); break;
    case ERROR_SUCCESS_REBOOT_INITIATED:
        SETUP_LOG(kValidate, L"UNCONTROLLED REBOOT PERFORMED BY PREVIOUS INSTALLATION");
        SETUP_LOG(kValidate, L"The requested operation completed successfully.  The system will be restarted so the "
                             L"changes can take effect.");
        break;
    case ERROR_SUCCESS_REBOOT_REQUIRED:
        SETUP_LOG(kValidate, L"case ERROR_SUCCESS_REBOOT_REQUIRED");
        registryUtils->SetPendingRebootValue(STATE_PENDING_REBOOT);
        break;
    default: SETUP_LOG(kValidate, L"Default action, continue"); break;
    }
    switch (action) {
    case Validation::Finish: Finished(strReboot, true); break;
    case Validation::FinishAfterFailure: Finished(strReboot, false); break;
    case Validation::FinishRebootRequired: Finished(L"True", true); break;
    case Validation::StopSuppressed: SETUP_LOG(kValidate, L"STATE_PENDING_REBOOT_SUPPRESSED is set."); break;
    case Validation::RebootOrExit:
        if (!PerformRebootIfSet(strReboot, false)) {
            endProcess(1);
        }
        break;
    case Validation::RebootIgnoringResult: PerformRebootIfSet(strReboot, false); break;
    case Validation::PendingRebootAsk: PerformRebootIfSet(L"True", false); break;
    case Validation::PendingRebootLater:
        SETUP_LOG(kValidate, L"Reboot code was returned but setting tells that reboot not shall be promped.");
        break;
    case Validation::Cancelled:
        registryUtils->DeleteApplicationKey();
        registryUtils->DeleteRunValue();
        endProcess(1);
    case Validation::RollBack: startRollBack(); break;
    case Validation::RebootInitiated: endProcess(0);
    }
}
