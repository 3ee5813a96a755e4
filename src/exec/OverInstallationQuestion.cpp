#include "exec/OverInstallationQuestion.h"

#include "ui/CDlgManager.h"

bool AskOverInstallationQuestion()
{
    return CDlgManager::getInstance().showOverInstallationDialog();
}
