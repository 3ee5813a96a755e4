#include "sequencer/CStateHandler.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"
#include "setupfile/CFileParser.h"
#include "sys/CWinUtils.h"

#include <shellapi.h>

#include <cstdlib>

namespace {

const wchar_t* const kRun = L"CStateHandler::Run";

// The process's arguments, freed with LocalFree.
class Arguments {
public:
    Arguments() : argv_(CommandLineToArgvW(GetCommandLineW(), &argc_)) {}
    ~Arguments() { LocalFree(argv_); }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    int count() const { return argv_ ? argc_ : 0; }
    wchar_t** values() const { return argv_; }
    std::wstring first() const { return count() > 1 ? argv_[1] : L""; }

private:
    int argc_ = 0;
    wchar_t** argv_;
};

}  // namespace

CStateHandler::CStateHandler()
    : fileParser(&CFileParser::getInstance()),
      registryUtils(&CRegistryUtils::getInstance()),
      winUtils(std::make_unique<CWinUtils>()),
      mapIter(eventsMap.end()),
      rollBackMode(false),
      x64RebootFlagged(false),
      x32RebootFlagged(false),
      compCnt(0),
      compOKCnt(0),
      compNOKCnt(0),
      compNECnt(0)
{
    SETUP_LOG(L"CStateHandler::CStateHandler", L"Created");
}

CStateHandler::~CStateHandler()
{
    const wchar_t* const fn = L"CStateHandler::~CStateHandler";
    if (fileParser) {
        SETUP_LOG(fn, L"~CFileParser()");
        CFileParser::destroyInstance();
        fileParser = nullptr;
    }
    if (registryUtils) {
        SETUP_LOG(fn, L"~CRegistryUtils()");
        CRegistryUtils::destroyInstance();
        registryUtils = nullptr;
    }
    if (winUtils) {
        SETUP_LOG(fn, L"~CWinUtils()");
        winUtils.reset();
    }
    SETUP_LOG(fn, L"Destroyed");
}

void CStateHandler::endProcess(int exitCode)
{
    std::exit(exitCode);
}

void CStateHandler::Run()
{
    SETUP_LOG(kRun, L"==> Run()");
    fileParser->ParseIniFile();
    run_ = RunState{};
    run_.appName = fileParser->GetSetting(L"app_name");
    CLangUtilities& lang = CLangUtilities::getInstance();
    if (!run_.appName.empty()) {
        lang.setProductName(run_.appName);
    }
    const std::wstring companyName = fileParser->GetSetting(L"company_name");
    if (!companyName.empty()) {
        lang.setCompanyName(companyName);
    }
    run_.is64 = winUtils->isRunningOn64BitOS();
    if (run_.is64) {
        SETUP_LOG(kRun, L"Corvane is executed on a 64 bit OS.");
    }
    if (!winUtils->IsAdmin()) {
        SETUP_LOG(kRun, L"ERROR: Not an Admin user! Exiting...");
        MessageBoxW(nullptr, lang.LoadStr(138).c_str(), run_.appName.c_str(),
                    MB_OK | MB_ICONHAND | MB_SETFOREGROUND | MB_TOPMOST | lang.getBidiState());
        return;
    }
    SETUP_LOG(kRun, L"Check for an previous rejected restart...");
    const Arguments args;
    if (!scanArguments(args.count(), args.values()) || !dispatchMode(args.first())) {
        return;
    }
    if (!prepare()) {
        return;
    }
    runItems();
}

bool CStateHandler::scanArguments(int argc, wchar_t** argv)
{
    for (int i = argc - 1; i >= 0; --i) {
        const std::wstring arg = argv[i];
        SETUP_LOG(kRun, Format(L"__argc: %d, __targs[%d]: %s", argc, i, arg.c_str()));
        std::wstring runValue;
        const bool gotRV = registryUtils->GetRunValue(runValue);
        const std::size_t pos = arg.find(L"-l");
        const int langFound = pos == std::wstring::npos ? -1 : static_cast<int>(pos);
        SETUP_LOG(kRun, Format(L"gotRV=%s, langFound=%d", gotRV ? L"TRUE" : L"FALSE", langFound));
        if (gotRV && argc == 1) {
            SETUP_LOG(kRun, L"WARNING: Setup.exe started directly and there is a run value found, i.e. starting the "
                            L"binary directly shall not be allowed. Terminating execution.");
            SETUP_LOG(kRun, L"temp=" + runValue);
            PerformRebootIfSet(L"Auto", false);
            return false;
        }
        if (gotRV && argc == 2 && langFound >= 0) {
            SETUP_LOG(kRun, L"WARNING: Setup.exe called via CD browser and there is a run value found, i.e. starting "
                            L"the installation again from CD browser is not be allowed. Terminating execution.");
            SETUP_LOG(kRun, L"temp=" + runValue);
            PerformRebootIfSet(L"Auto", false);
            return false;
        }
        if (arg == L"/restart_rejected") {
            SETUP_LOG(kRun, L"A previous restart was rejected, remove pending reboot due manual restart...");
            registryUtils->SetPendingRebootValue(STATE_NO_PENDING_REBOOT);
            registryUtils->SetPendingRebootSuppressedValue(STATE_PENDING_REBOOT_NOT_SUPPRESSED);
            clearRestartRejected();
        } else if (arg == L"/fInst") {
            SETUP_LOG(kRun, L"A previous restart was rejected at last item, finalize install sequence...");
            finishInstallSeq(L"auto");
        } else if (arg == L"/fUnInst") {
            SETUP_LOG(kRun, L"A previous restart was rejected at last item, finalize uninstall sequence...");
            finishUnInstallSeq(L"auto");
        } else if (arg == L"/fRep") {
            SETUP_LOG(kRun, L"A previous restart was rejected at last item, finalize repair sequence...");
            SETUP_LOG(kRun, L"*** NOT IMPLEMENTED ***");
            return false;
        }
    }
    return true;
}

bool CStateHandler::dispatchMode(const std::wstring& firstArgument)
{
    bool ok = false;
    const wchar_t* failure = nullptr;
    if (firstArgument == L"/startup") {
        ok = setStartupPreReq(run_.appName);
        failure = L"ERROR: Setting /startup pre-requisits failed, exiting.";
    } else if (firstArgument == L"/uninstall") {
        ok = setUninstallPreReq(run_.appName);
        failure = L"ERROR: Setting /uninstall pre-requisits failed, exiting.";
    } else if (firstArgument == L"/repair") {
        ok = setRepairPreReq(run_.appName);
        failure = L"ERROR: Setting /repair pre-requisits failed, exiting.";
    } else if (firstArgument == L"/br_repair") {
        ok = setBRRepairPreReq(run_.appName);
        failure = L"ERROR: Setting /repair pre-requisits failed, exiting.";
    } else {
        ok = setInstallPreReq(run_.appName, run_.overlodeMode);
        failure = L"ERROR: Setting /install (default) pre-requisits failed, exiting.";
        if (ok) {
            addSharedFolderToPath();
        }
    }
    if (!ok) {
        SETUP_LOG(kRun, failure);
    }
    return ok;
}
