#include "ui/CDlgManager.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "ui/MessageBoxType.h"
#include "ui/ProductName.h"

#include <new>

namespace {

// String identifiers of the resource library.
enum TextId : unsigned {
    kOverInstallation = 142,
    kUninstallation = 143,
    kNotEnoughDiscSpace = 152,
    kDependenciesFirst = 153,
    kDependenciesLast = 154,
    kRepairQuestion = 155,
    kInterruptedFirst = 156,
    kInterruptedLast = 157,
    kDisconnectDevice = 158,
};

constexpr UINT kInformation = MB_OK | MB_ICONINFORMATION;
constexpr UINT kWarning = MB_OK | MB_ICONWARNING;
constexpr UINT kError = MB_OK | MB_ICONERROR;
constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION;

std::wstring text(unsigned id)
{
    return CLangUtilities::getInstance().LoadStr(id);
}

const wchar_t* boolText(bool value)
{
    return value ? L"TRUE" : L"FALSE";
}

template <typename Dialog>
std::unique_ptr<Dialog> makeDialog()
{
    return std::unique_ptr<Dialog>(new (std::nothrow) Dialog(nullptr));
}

int systemMessageBox(const std::wstring& text, const std::wstring& caption, UINT type)
{
    return MessageBoxW(nullptr, text.c_str(), caption.c_str(), type);
}

}  // namespace

CDlgManager& CDlgManager::getInstance()
{
    // Never destroyed: its progress dialogs may still have threads when the process ends.
    static CDlgManager* const instance = new CDlgManager();
    return *instance;
}

CDlgManager::CDlgManager()
    : progressDialog_(makeDialog<CProgressDialog>()),
      itemProgressDialog_(makeDialog<CProgressDialog>()),
      rollBackProgressDialog_(makeDialog<CProgressDialog>()),
      installFinishDialog_(makeDialog<CInstallFinishDialog>()),
      messageBox_(systemMessageBox)
{
}

int CDlgManager::showBox(const std::wstring& message, UINT buttonsAndIcon)
{
    const std::wstring caption = ProductName();
    const UINT type = MessageBoxType(buttonsAndIcon, CLangUtilities::getInstance().getBidiState());
    return messageBox_(message, caption, type);
}

void CDlgManager::freeze()
{
    if (progressDialog_) {
        progressDialog_->suspendProgressBar();
    }
}

void CDlgManager::unfreeze()
{
    if (progressDialog_) {
        progressDialog_->resumeProgressBar();
    }
}

bool CDlgManager::answeredOk(const wchar_t* fn, const std::wstring& operation, int answer, const wchar_t* okEnding,
                             Thaw thaw)
{
    if (answer != IDOK) {
        SETUP_LOG(fn, L"<== " + operation + L"() Invalid option selected.");
        return false;
    }
    SETUP_LOG(fn, L"<== " + operation + L"() Option OK selected" + okEnding);
    if (thaw == Thaw::OnAnswer) {
        unfreeze();
    }
    return true;
}

std::optional<bool> CDlgManager::answeredYesNo(const wchar_t* fn, const std::wstring& operation, int answer)
{
    if (answer != IDYES && answer != IDNO) {
        SETUP_LOG(fn, L"<== " + operation + L"() Invalid option selected.");
        return std::nullopt;
    }
    SETUP_LOG(fn, L"<== " + operation + (answer == IDYES ? L"() Option YES selected." : L"() Option NO selected."));
    unfreeze();
    return answer == IDYES;
}

bool CDlgManager::showInstallFinishedDialog()
{
    const wchar_t* const fn = L"CDlgManager::showInstallFinishedDialog";
    SETUP_LOG(fn, L"==> showInstallFinishedDialog()");
    try {
        freeze();
        if (!installFinishDialog_) {
            throw std::bad_alloc();
        }
        const INT_PTR status = installFinishDialog_->DoModal();
        if (status == IDOK) {
            SETUP_LOG(fn, L"<== showInstallFinishedDialog() finished with status IDOK (Finish button is pressed)");
        } else if (status == IDCANCEL) {
            SETUP_LOG(fn, L"<== showInstallFinishedDialog() finished with status IDCANCEL (X window button is pressed)");
        } else {
            SETUP_LOG(fn, Format(L"<== showInstallFinishedDialog() WARNING: finished with unknown status: %d",
                                 static_cast<int>(status)));
        }
        unfreeze();
        return true;
    } catch (...) {
        SETUP_LOG(fn, L"ERROR: Unknown exception caught!");
        return false;
    }
}

bool CDlgManager::showFinishedDialog(const std::wstring& message)
{
    const wchar_t* const fn = L"CDlgManager::showFinishedDialog";
    SETUP_LOG(fn, L"==> showFinishedDialog()");
    try {
        freeze();
        const int answer = showBox(FillProductName(message), kInformation);
        return answeredOk(fn, L"showFinishedDialog", answer, L".", Thaw::OnAnswer);
    } catch (...) {
        SETUP_LOG(fn, L"ERROR: Unknown exception caught!");
        return false;
    }
}

bool CDlgManager::showUnInstallationDialog()
{
    const wchar_t* const fn = L"CDlgManager::showUnInstallationDialog";
    SETUP_LOG(fn, L"==> showUnInstallationDialog()");
    if (uninstallDlgShown_) {
        SETUP_LOG(fn, L"Uninstall dialog already shown.");
        return false;
    }
    freeze();
    const int answer = showBox(text(kUninstallation), kQuestion);
    uninstallDlgShown_ = true;
    return answeredYesNo(fn, L"showUnInstallationDialog", answer).value_or(false);
}

bool CDlgManager::showDisconnectDeviceDialog()
{
    const wchar_t* const fn = L"CDlgManager::showDisconnectDeviceDialog";
    SETUP_LOG(fn, L"==> showDisconnectDeviceDialog()");
    const int answer = showBox(text(kDisconnectDevice), kWarning);
    return answeredOk(fn, L"showDisconnectDeviceDialog", answer, L".", Thaw::Never);
}

bool CDlgManager::showOverInstallationDialog()
{
    const wchar_t* const fn = L"CDlgManager::showOverInstallationDialog";
    SETUP_LOG(fn, Format(L"==> showOverInstallationDialog() overinstallationDlgShown_=%s",
                         boolText(overinstallationDlgShown_)));
    if (overinstallationDlgShown_) {
        SETUP_LOG(fn, Format(L"<== showOverInstallationDialog() Overinstallation dialog already shown. "
                             L"overinstallationAccepted_=%s",
                             boolText(overinstallationAccepted_)));
        return overinstallationAccepted_;
    }
    freeze();
    const int answer = showBox(text(kOverInstallation), kQuestion);
    overinstallationDlgShown_ = true;
    const std::optional<bool> yes = answeredYesNo(fn, L"showOverInstallationDialog", answer);
    if (yes) {
        overinstallationAccepted_ = *yes;
    }
    return yes.value_or(false);
}

bool CDlgManager::showNotEnoughDiscSpaceDialog(const std::wstring& strDisc)
{
    const wchar_t* const fn = L"CDlgManager::showNotEnoughDiscSpaceDialog";
    SETUP_LOG(fn, Format(L"==> showNotEnoughDiscSpaceDialog() CString strDisc=%s",
                         strDisc.empty() ? L"Not specified" : strDisc.c_str()));
    freeze();
    const int answer = showBox(text(kNotEnoughDiscSpace), kError);
    return answeredOk(fn, L"showNotEnoughDiscSpaceDialog", answer, L"...", Thaw::Never);
}

bool CDlgManager::showMissingDependenciesDialog(const std::wstring& strDependencies)
{
    const wchar_t* const fn = L"CDlgManager::showMissingDependenciesDialog";
    SETUP_LOG(fn, L"==> showMissingDependenciesDialog() strDependencies=" + strDependencies);
    freeze();
    const std::wstring message = text(kDependenciesFirst) + L"\n\n" + strDependencies + L"\n" + text(kDependenciesLast);
    const int answer = showBox(message, kError);
    return answeredOk(fn, L"showMissingDependenciesDialog", answer, L"...", Thaw::Never);
}

bool CDlgManager::showBRRepairDialog()
{
    const wchar_t* const fn = L"CDlgManager::showBRRepairDialog";
    SETUP_LOG(fn, L"==> showBRRepairDialog()");
    freeze();
    const int answer = showBox(text(kRepairQuestion), kQuestion);
    return answeredYesNo(fn, L"showBRRepairDialog", answer).value_or(false);
}

bool CDlgManager::showInterruptedDialog()
{
    const wchar_t* const fn = L"CDlgManager::showInterruptedDialog";
    SETUP_LOG(fn, L"==> showInterruptedDialog()");
    freeze();
    const int answer = showBox(text(kInterruptedFirst) + L"\n\n" + text(kInterruptedLast), kInformation);
    return answeredOk(fn, L"showInterruptedDialog", answer, L".", Thaw::OnAnswer);
}
