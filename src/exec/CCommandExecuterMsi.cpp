// The Windows Installer operations of the executer: install, uninstall within a version range, repair.
#include "exec/CCommandExecuter.h"

#include "exec/CTranslator.h"
#include "exec/CVersion.h"
#include "exec/ExecText.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"

#include <msi.h>

using ExecText::upper;

namespace {

const wchar_t kEmptyProductCode[] = L"ERROR: Product code is EMPTY even though translate returned OK.";
const wchar_t kReplacingCheck[] = L"Replacing check arg with product code.";

}  // namespace

DWORD CCommandExecuter::runMsiexec(const std::wstring& arguments)
{
    return ExecuteProcess(L"msiexec", arguments, true);
}

DWORD CCommandExecuter::InstallMSI(std::wstring strExe, std::wstring strArgs, std::wstring strCheck,
                                   std::wstring strUpgrade)
{
    static const wchar_t* const kFunction = L"CCommandExecuter::InstallMSI";
    strUpgrade = upper(strUpgrade);
    strCheck = upper(strCheck);
    strArgs = upper(strArgs);
    SETUP_LOG(kFunction, Format(L"InstallMSI(strExe=\"%s\", strArgs=\"%s\", strCheck=\"%s\", strUpgrade=\"%s\")",
                                strExe.c_str(), strArgs.c_str(), strCheck.c_str(), strUpgrade.c_str()));
    SETUP_LOG(kFunction, L"Command line is: " + strArgs);
    if (strUpgrade.empty()) {
        SETUP_LOG(kFunction, L"Upgrade code is missing (or is empty) in the .ini file.");
        SETUP_LOG(kFunction, L"No upgrade code passed as argument, trying to install...");
        return runMsiexec(L"/i \"" + strExe + L"\" " + strArgs);
    }
    std::wstring productCode;
    if (strCheck.empty()) {
        const UINT status = CTranslator::getInstance().TranslateUpgrade2ProductCode(strUpgrade, productCode);
        if (status != ERROR_SUCCESS) {
            return status;
        }
        if (productCode.empty()) {
            SETUP_LOG(kFunction, kEmptyProductCode);
            return 0;
        }
        SETUP_LOG(kFunction, kReplacingCheck);
        strCheck = productCode;
    }
    return installKnownState(MsiQueryProductStateW(strCheck.c_str()), productCode, strExe, strArgs);
}

DWORD CCommandExecuter::installKnownState(int state, const std::wstring& productCode, const std::wstring& strExe,
                                          const std::wstring& strArgs)
{
    static const wchar_t* const kFunction = L"CCommandExecuter::InstallMSI";
    switch (state) {
    case INSTALLSTATE_UNKNOWN: {
        SETUP_LOG(kFunction, L"The product is neither advertised or installed. Will install...");
        const std::wstring package = productCode.empty() ? L"\"" + strExe + L"\"" : productCode;
        return runMsiexec(L"/i " + package + L" " + strArgs);
    }
    case INSTALLSTATE_ABSENT:
        SETUP_LOG(kFunction, L"The product is installed for a different user.");
        return 0;
    case INSTALLSTATE_ADVERTISED:
        SETUP_LOG(kFunction, L"The product is advertised but not installed.");
        return 0;
    case INSTALLSTATE_DEFAULT:
        SETUP_LOG(kFunction, L"The product is installed for the current user.");
        return 0;
    case INSTALLSTATE_INVALIDARG:
        SETUP_LOG(kFunction, L"An invalid parameter was passed to the function.");
        return 0;
    default:
        SETUP_LOG(kFunction, L"ERROR: Unspecified error in InstallMSI");
        return 0;
    }
}

DWORD CCommandExecuter::UnInstallMSI(std::wstring strArgs, std::wstring strCheck, std::wstring strUpgrade,
                                     std::wstring strFromVer, std::wstring strToVer)
{
    static const wchar_t* const kFunction = L"CCommandExecuter::UnInstallMSI";
    SETUP_LOG(kFunction, Format(L"UnInstallMSI(strArgs=%s, strCheck=%s, strUpdgrade=%s, strFromVer=%s, strToVer=%s)",
                                strArgs.c_str(), strCheck.c_str(), strUpgrade.c_str(), strFromVer.c_str(),
                                strToVer.c_str()));
    if (strUpgrade.empty()) {
        SETUP_LOG(kFunction, L"ERROR: Upgrade code is missing (or is empty) in the .ini file.");
        return 0;
    }
    std::wstring productCode;
    const UINT status = CTranslator::getInstance().TranslateUpgrade2ProductCode(strUpgrade, productCode);
    if (status != ERROR_SUCCESS) {
        SETUP_LOG(kFunction, L"Failed to transalte upgrade code to product code.");
        return status;
    }
    if (productCode.empty()) {
        SETUP_LOG(kFunction, kEmptyProductCode);
        return 0;
    }
    SETUP_LOG(kFunction, kReplacingCheck);
    if (MsiQueryProductStateW(productCode.c_str()) == INSTALLSTATE_UNKNOWN) {
        SETUP_LOG(kFunction, L"Product is already uninstalled");
        return static_cast<DWORD>(-1);
    }
    if ((!strFromVer.empty() || !strToVer.empty()) && !withinInterval(productCode, strFromVer, strToVer)) {
        return 0;
    }
    const std::wstring arguments = L"/x " + productCode + L" " + strArgs;
    if (inInstallState && !overInstallationQuestion_()) {
        SETUP_LOG(kFunction, L"NO selected in overinstallation dialog (currently a MessageBox)...");
        return 5;
    }
    SETUP_LOG(kFunction, L"Uninstalling product" + productCode);
    const DWORD result = runMsiexec(arguments);
    SETUP_LOG(kFunction, Format(L"exeResult=%d", static_cast<int>(result)));
    return result;
}

CVersion CCommandExecuter::installedVersion(const std::wstring& productCode)
{
    return CVersion(registry_->GetDisplayVersionValue(productCode));
}

bool CCommandExecuter::withinInterval(const std::wstring& productCode, const std::wstring& strFromVer,
                                      const std::wstring& strToVer)
{
    const CVersion installed = installedVersion(productCode);
    const CVersion from(strFromVer);
    const CVersion to(strToVer);
    const bool within = CVersion::isLessOrEqual(installed, to) && CVersion::isGreaterOrEqual(installed, from);
    const wchar_t* const format =
        within ? L"Current version: %s, %s>=interval<=%s   Within interval => Will uninstall this version"
               : L"Current version: %s, %s>=interval<=%s   Not within interval => Will not uninstall this version";
    SETUP_LOG(L"CCommandExecuter::UnInstallMSI", Format(format, installed.toString().c_str(),
                                                        from.toString().c_str(), to.toString().c_str()));
    return within;
}

DWORD CCommandExecuter::RepairMSI(std::wstring strArgs, std::wstring strUpgrade)
{
    SETUP_LOG(L"CCommandExecuter::RepairMSI",
              Format(L"RepairMSI(strArgs=\"%s\", strUpgrade=\"%s\")", strArgs.c_str(), strUpgrade.c_str()));
    std::wstring productCode;
    const UINT status = CTranslator::getInstance().TranslateUpgrade2ProductCode(strUpgrade, productCode);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    std::wstring arguments = L"/i ";
    if (!productCode.empty()) {
        arguments += productCode + L" ";
    }
    arguments += strArgs;
    if (!overloadMode) {
        arguments += L" REINSTALL=ALL";
    }
    const DWORD result = runMsiexec(arguments);
    return overloadMode ? 5 : result;
}
