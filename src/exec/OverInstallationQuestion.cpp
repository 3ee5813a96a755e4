#include "exec/OverInstallationQuestion.h"

#include "log/CLog.h"

bool AskOverInstallationQuestion()
{
    // Until the dialog manager answers here, an installation goes on as if the user said Yes.
    SETUP_LOG(L"AskOverInstallationQuestion", L"No over-installation dialog available, removing the installed product");
    return true;
}
