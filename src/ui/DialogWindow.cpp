#include "ui/DialogWindow.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"

#include <commctrl.h>

namespace {

// The module whose resources the dialog's controls may name: the resource library when it is
// loaded, otherwise the program itself.
HINSTANCE resourceModule(CLangUtilities& lang)
{
    HMODULE library = lang.getResourceHandle();
    return library != nullptr ? library : GetModuleHandleW(nullptr);
}

void registerCommonControls()
{
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
}

}  // namespace

INT_PTR DialogWindow::runModal(unsigned templateId)
{
    CLangUtilities& lang = CLangUtilities::getInstance();
    const DLGTEMPLATE* dialogTemplate = lang.LoadDialogTemplate(templateId);
    if (dialogTemplate == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    registerCommonControls();
    ended_ = false;
    result_ = 0;
    HWND dialog = CreateDialogIndirectParamW(resourceModule(lang), dialogTemplate, nullptr, &DialogWindow::DialogProc,
                                             reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr) {
        return -1;
    }
    const INT_PTR result = messageLoop(dialog);
    const DWORD error = GetLastError();
    DestroyWindow(dialog);
    window_.store(nullptr);
    SetLastError(error);
    return result;
}

INT_PTR DialogWindow::messageLoop(HWND dialog)
{
    while (!ended_) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // WM_QUIT ends the run as a dialog that could not run.
            return -1;
        }
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return result_;
}

void DialogWindow::endDialog(INT_PTR result)
{
    result_ = result;
    ended_ = true;
}

bool DialogWindow::onMessage(UINT, WPARAM, LPARAM, INT_PTR&)
{
    return false;
}

void DialogWindow::setMessageResult(LRESULT result) const
{
    SetWindowLongPtrW(window(), DWLP_MSGRESULT, result);
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<DialogWindow*>(lParam);
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            self->window_.store(window);
        }
        auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
        if (self == nullptr) {
            return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT) and after WM_NCDESTROY
        }
        const INT_PTR answer = self->route(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, DWLP_USER, 0);
        }
        return answer;
    } catch (...) {
        SETUP_LOG(L"DialogWindow::DialogProc", L"ERROR: Unknown exception caught!");
        return FALSE;
    }
}

INT_PTR DialogWindow::route(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        return OnInitDialog();
    }
    INT_PTR answer = FALSE;
    return onMessage(message, wParam, lParam, answer) ? answer : FALSE;
}
