// Shows the finish dialog through the dialog manager, as Setup does at the end of an
// installation, and exits with 0 when the manager reports success:
//   ui_finish_dialog.exe [language id, default 1033]
// The log and the settings ("app_name", "readme_file") come from ui_finish_dialog.ini beside it.
#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "setupfile/CFileParser.h"
#include "ui/CDlgManager.h"

#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    CLog::getInstance();
    CFileParser& settings = CFileParser::getInstance();
    settings.ParseIniFile();
    CLangUtilities& lang = CLangUtilities::getInstance();
    if (!settings.GetSetting(L"app_name").empty()) {
        lang.setProductName(settings.GetSetting(L"app_name"));
    }
    lang.setCurrentLanguage(argc > 1 ? static_cast<unsigned>(std::wcstoul(argv[1], nullptr, 10)) : 1033, 1);
    return CDlgManager::getInstance().showInstallFinishedDialog() ? 0 : 1;
}
