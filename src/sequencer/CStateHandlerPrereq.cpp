#include "sequencer/CStateHandler.h"

#include "log/CLog.h"

// The mode prerequisites (rights, Windows version, dependencies, disc space, the state values of
// each mode) are not in place yet: every mode refuses to start, so nothing is run half-prepared.
namespace {

bool notYetAvailable(const wchar_t* fn)
{
    SETUP_LOG(fn, L"ERROR: mode prerequisites are not available in this build.");
    return false;
}

}  // namespace

bool CStateHandler::setInstallPreReq(const std::wstring& /*appName*/, bool& overlodeMode)
{
    overlodeMode = false;
    return notYetAvailable(L"CStateHandler::setInstallPreReq");
}

bool CStateHandler::setUninstallPreReq(const std::wstring& /*appName*/)
{
    return notYetAvailable(L"CStateHandler::setUninstallPreReq");
}

bool CStateHandler::setRepairPreReq(const std::wstring& /*appName*/)
{
    return notYetAvailable(L"CStateHandler::setRepairPreReq");
}

bool CStateHandler::setBRRepairPreReq(const std::wstring& /*appName*/)
{
    return notYetAvailable(L"CStateHandler::setBRRepairPreReq");
}

bool CStateHandler::setStartupPreReq(const std::wstring& /*appName*/)
{
    return notYetAvailable(L"CStateHandler::setStartupPreReq");
}
