// Installing the suite with its own setup program, unless the installed suite has that program's version.
#include "exec/CCommandExecuter.h"

#include "exec/CFileVersionInfo.h"
#include "exec/CVersion.h"
#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"
#include "setupfile/CFileParser.h"

#include <msi.h>
#include <shlwapi.h>

namespace {

const wchar_t kFunction[] = L"CCommandExecuter::ExecuteUpgrade";

// The first product related to the upgrade code: ERROR_SUCCESS and its code, or the status.
UINT relatedProduct(const std::wstring& upgradeCode, std::wstring& productCode)
{
    wchar_t buffer[39] = {};
    const UINT status = MsiEnumRelatedProductsW(upgradeCode.c_str(), 0, 0, buffer);
    if (status == ERROR_SUCCESS) {
        productCode = buffer;
    }
    return status;
}

void logComparison(const CVersion& installed, const CVersion& setup, bool equal)
{
    SETUP_LOG(kFunction, installed.toString() + (equal ? L"==" : L"!=") + setup.toString());
}

}  // namespace

CVersion CCommandExecuter::setupVersion(const std::wstring& strExe)
{
    const std::wstring text = CFileVersionInfo(strExe).getProductVersion();
    if (text.empty()) {
        SETUP_LOG(kFunction, L"No ProductVersion in the version resource (040904B0) of " + strExe +
                                 L", setup version is empty");
    }
    return CVersion(text);
}

DWORD CCommandExecuter::ExecuteUpgrade(std::wstring strExe, std::wstring strArgs, std::wstring strUpgrade)
{
    SETUP_LOG(kFunction, Format(L"ExecuteUpgrade(strExe=\"%s\", strArgs=\"%s\", strUpgrade=\"%s\")", strExe.c_str(),
                                strArgs.c_str(), strUpgrade.c_str()));
    SETUP_LOG(kFunction, L"Translate upgrade code to product code");
    SETUP_LOG(kFunction, L"Checking if file exists");
    if (!PathFileExistsW(strExe.c_str())) {
        SETUP_LOG(kFunction, L"Nope, no file in " + strExe);
        return 0;
    }
    SETUP_LOG(kFunction, L"Ok, file was found: " + strExe);
    const CVersion setup = setupVersion(strExe);

    std::wstring productCode;
    if (relatedProduct(strUpgrade, productCode) != ERROR_SUCCESS) {
        SETUP_LOG(kFunction, L"Retrieval of product code using upgrade code failed! Nothing installed. First time install?");
    } else {
        SETUP_LOG(kFunction, L"Product code is " + productCode);
        const CVersion installed = installedVersion(productCode);
        SETUP_LOG(kFunction, L"Installed version is: " + installed.toString());
        SETUP_LOG(kFunction, L"Setup product version is: " + setup.toString());
        const bool equal = CVersion::isEqual(installed, setup);
        logComparison(installed, setup, equal);
        if (equal) {
            SETUP_LOG(kFunction, L"Will ==NOT== install");
            SETUP_LOG(kFunction, L"Returning...");
            return 0;
        }
        SETUP_LOG(kFunction, L"Will install...");
    }

    SETUP_LOG(kFunction, L"Installing...");
    const DWORD result = ExecuteProcess(strExe, strArgs, true);
    if (relatedProduct(strUpgrade, productCode) != ERROR_SUCCESS) {
        SETUP_LOG(kFunction, L"Suite not installed");
        return static_cast<DWORD>(-1);
    }
    SETUP_LOG(kFunction, L"Suite installed");
    adoptSuiteLanguage();
    const CVersion installed = installedVersion(productCode);
    SETUP_LOG(kFunction, L"Installed version, after install, is: " + installed.toString());
    registry_->SetREG_SZ(L"TolvaneVersion", CFileParser::getInstance().GetSetting(L"app_version"));
    const bool equal = CVersion::isEqual(installed, setup);
    logComparison(installed, setup, equal);
    if (equal) {
        SETUP_LOG(kFunction, L"Suite exists, versions match!");
        return result;
    }
    SETUP_LOG(kFunction, L"Suite exists, versions does not match.");
    return 5;
}

void CCommandExecuter::adoptSuiteLanguage()
{
    const WORD language = registry_->GetCurrTolvaneLanguageId();
    if (language != 0 && language != 0xFFFF) {
        CLangUtilities::getInstance().setCurrentLanguage(language, 1);
    }
}
