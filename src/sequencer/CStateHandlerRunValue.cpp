#include "sequencer/CStateHandler.h"

#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"
#include "sequencer/RunValueFlags.h"

bool CStateHandler::setRestartRejected()
{
    const wchar_t* const fn = L"CStateHandler::setRestartRejected";
    int changes = 0;
    std::wstring runValue;
    const bool gotRV = registryUtils->GetRunValue(runValue);
    if (runValue.find(L"/restart_rejected") != std::wstring::npos) {
        SETUP_LOG(fn, L"Flag /restart_rejected already added...");
    } else if (gotRV) {
        runValue += L" /restart_rejected";
        changes = registryUtils->SetRunValue(runValue) ? 1 : 0;
    } else if (registryUtils->SetRunValue() && registryUtils->GetRunValue(runValue)) {
        runValue += L" /restart_rejected";
        changes = registryUtils->SetRunValue(runValue) ? 1 : 0;
    }
    SETUP_LOG(fn, Format(L"Updated values; runValue=\"%s\", changes=%d", runValue.c_str(), changes));
    return changes == 1;
}

bool CStateHandler::clearRestartRejected()
{
    const wchar_t* const fn = L"CStateHandler::clearRestartRejected";
    int changes = 0;
    std::wstring runValue;
    if (registryUtils->GetRunValue(runValue) && sequencer::removeFlag(runValue, L" /restart_rejected")) {
        changes = registryUtils->SetRunValue(runValue) ? 1 : 0;
    }
    SETUP_LOG(fn, Format(L"Updated values; runValue=\"%s\", changes=%d", runValue.c_str(), changes));
    return changes == 1;
}

bool CStateHandler::setFinishFlag()
{
    const wchar_t* const fn = L"CStateHandler::setFinishFlag";
    const int state = registryUtils->GetStateValue();
    const wchar_t* flag = sequencer::finishFlagFor(state);
    if (!flag) {
        SETUP_LOG(fn, L"No flag added");
        return false;
    }
    SETUP_LOG(fn, Format(L"==> setFinishFlag() currState=%d, flag2Add=%s", state, flag));
    std::wstring runValue;
    const bool gotRV = registryUtils->GetRunValue(runValue);
    if (runValue.find(flag) != std::wstring::npos) {
        SETUP_LOG(fn, Format(L"Flag (\"%s\") already added...", flag));
        SETUP_LOG(fn, Format(L"No update to run value (\"%s\")...", flag));
        return false;
    }
    if (gotRV) {
        if (registryUtils->SetRunValue(runValue + L" " + flag)) {
            SETUP_LOG(fn, Format(L"Run value updated with \"%s\"...", flag));
            return true;
        }
    } else if (registryUtils->SetRunValue() && registryUtils->GetRunValue(runValue) &&
               registryUtils->SetRunValue(runValue + L" " + flag)) {
        SETUP_LOG(fn, Format(L"Run value written (\"%s\")...", flag));
        return true;
    }
    SETUP_LOG(fn, Format(L"No update to run value (\"%s\")...", flag));
    return false;
}
