#pragma once
#include "sequencer/SequencerStates.h"
#include "setupfile/SetupTypes.h"

#include <windows.h>

#include <memory>
#include <string>

class CFileParser;
class CRegistryUtils;
class CWinUtils;
class CCommandExecuter;

// The sequencer: chooses the mode of this run from the command line, sets its prerequisites and
// runs the items of the chosen section one after the other, surviving restarts through the
// state values and the run-once entry.
class CStateHandler {
public:
    CStateHandler();
    virtual ~CStateHandler();
    CStateHandler(const CStateHandler&) = delete;
    CStateHandler& operator=(const CStateHandler&) = delete;

    // The whole work of a run of Setup. Several operations it reaches end the process.
    void Run();

    void SwitchState();
    void ValidateExecution(DWORD dwResult, std::wstring strReboot, bool bFinished);

    // Completion and restarts.
    bool PerformRebootIfSet(std::wstring rebootFlag, bool lastItem);
    void Finished(std::wstring strReboot, bool bFinished);
    void finishInstallSeq(std::wstring strReboot);
    void finishUnInstallSeq(std::wstring strReboot);
    bool setRestartRejected();
    bool clearRestartRejected();
    bool setFinishFlag();

    // Mode prerequisites.
    bool setInstallPreReq(const std::wstring& appName, bool& overlodeMode);
    bool setUninstallPreReq(const std::wstring& appName);
    bool setRepairPreReq(const std::wstring& appName);
    bool setBRRepairPreReq(const std::wstring& appName);
    bool setStartupPreReq(const std::wstring& appName);

    // The item section selected by SwitchState (for inspection).
    const EventMap& events() const { return eventsMap; }

private:
    // Values that live for one call of Run.
    struct RunState {
        std::wstring appName;
        bool is64 = false;
        bool overlodeMode = false;
        bool rollBackExecuted = false;
        bool isSkipped = false;
        bool isLastItem = false;
        std::wstring runValue;
    };

    // Run, first half: false when the run ends here.
    bool scanArguments(int argc, wchar_t** argv);
    bool dispatchMode(const std::wstring& firstArgument);
    // Run, second half.
    void addSharedFolderToPath();
    bool prepare();
    void copyItemFiles();
    void runItems();
    // One turn of the item loop: false when Run is to return.
    bool runOneItem();
    FileAction readItem() const;
    void skipForBitness(const FileAction& fa, bool is64Variant);
    void executeItem(FileAction& fa, CCommandExecuter& executer);
    void finishedAtEnd();
    void startRollBack();

    // Completion helpers.
    void closeSequenceDialog();
    void keepLanguage();
    void writeUninstallEntry();
    bool appendRunValueFlag(const std::wstring& flag);
    bool performTrue(bool lastItem, bool suppressed);
    bool performAuto(bool lastItem);
    void restartAccepted(bool lastItem, const wchar_t* cleanupLog);
    void finishedInstall(const std::wstring& strReboot, bool bFinished);
    void finishedUnInstall(const std::wstring& strReboot, bool bFinished);
    void finishedRepair(const std::wstring& strReboot, bool bFinished);
    void finishedDefault(const std::wstring& strReboot, bool bFinished);
    [[noreturn]] static void endProcess(int exitCode);

    CFileParser* fileParser;
    CRegistryUtils* registryUtils;
    std::unique_ptr<CWinUtils> winUtils;
    EventMap eventsMap;
    EventMap::iterator mapIter;
    bool rollBackMode;
    bool x64RebootFlagged;
    bool x32RebootFlagged;
    int compCnt;
    int compOKCnt;
    int compNOKCnt;
    int compNECnt;
    RunState run_;
};
