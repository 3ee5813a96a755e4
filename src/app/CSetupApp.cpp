#include "app/CSetupApp.h"

#include "app/SingleInstance.h"
#include "log/CLog.h"
#include "log/Format.h"

#include <windows.h>
#include <shellapi.h>

namespace {

const wchar_t* const kFunction = L"CSetupApp::InitInstance";

void logArguments()
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    SETUP_LOG(kFunction, Format(L"Nr of args:  %d", count));
    for (int i = 0; i < count; ++i) {
        SETUP_LOG(kFunction, Format(L"__targs[%d]: %s", i, args[i]));
    }
    LocalFree(args);
}

}  // namespace

bool CSetupApp::InitInstance()
{
    if (SingleInstance::anotherInstanceRuns()) {
        SETUP_LOG(kFunction, L"One instance is already running. Exit.");
        return false;
    }
    logArguments();
    return true;
}
