// The window side of the progress dialog: its thread, its initialisation and its messages.
#include "ui/CProgressDialog.h"

#include "lang/CLangUtilities.h"
#include "log/CLog.h"
#include "log/Format.h"
#include "ui/PictureLibrary.h"
#include "ui/WindowLayout.h"

#include <commctrl.h>

CProgressDialog::CProgressDialog(HWND /*parent*/)
    : stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      dialogReady_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    SETUP_LOG(L"CProgressDialog::CProgressDialog", L"Created");
}

CProgressDialog::~CProgressDialog()
{
    // Both threads use the object: they end before it does.
    CloseDialog();
    SETUP_LOG(L"CProgressDialog::~CProgressDialog", L"Destroyed");
}

DWORD WINAPI CProgressDialog::DialogThread(LPVOID dialog)
{
    auto* self = static_cast<CProgressDialog*>(dialog);
    try {
        SETUP_LOG(L"DialogThread", L"Dialog thread started");
        CLangUtilities& lang = CLangUtilities::getInstance();
        lang.setCurrentLanguage(lang.getCurrentLanguageId(), 1);
        const INT_PTR result = self->runModal(kTemplateId);
        const DWORD error = GetLastError();
        SetEvent(self->dialogReady_.get());
        if (result == -1) {
            SETUP_LOG(L"DialogThread", Format(L"ERROR: DoModal returned -1, errCode: %d", static_cast<int>(error)));
        }
        SETUP_LOG(L"DialogThread", L"Dialog thread stopped");
    } catch (...) {
        SetEvent(self->dialogReady_.get());
        SETUP_LOG(L"DialogThread", L"ERROR: Unknown exception caught!");
    }
    return 0;
}

BOOL CProgressDialog::OnInitDialog()
{
    HWND dialog = window();
    progressCtrl.store(item(kProgressBarId));
    textEdit = item(kTextId);
    iconStatic = item(kPictureId);
    if ((GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) {
        WindowLayout::readRightToLeft(textEdit);
    }
    loadPicture();

    SetWindowTextW(dialog, strTitle.c_str());
    SetWindowTextW(textEdit, strText.c_str());
    SendMessageW(iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(hIcon.get()), 0);

    WindowLayout::widen(dialog, kExtraWidth);
    WindowLayout::widen(textEdit, kExtraWidth);
    WindowLayout::widen(progressCtrl.load(), kExtraWidth);
    WindowLayout::showTopmostCentred(dialog);
    SetEvent(dialogReady_.get());
    return TRUE;
}

void CProgressDialog::loadPicture()
{
    const PictureLibrary pictures;
    if (!pictures.loaded()) {
        SETUP_LOG(L"CProgressDialog::OnInitDialog",
                  Format(L"ERROR: Failed to load Pictavo.dll, errCode: %d", static_cast<int>(pictures.loadError())));
        return;
    }
    hIcon = pictures.icon(PictureLibrary::kDialogIcon);
    SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon.get()));
    SendMessageW(iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(hIcon.get()), 0);
}

bool CProgressDialog::onMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& answer)
{
    switch (message) {
    case WM_COMMAND:
        // Enter and Escape do nothing: the user cannot close the dialog.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            answer = TRUE;
            return true;
        }
        return false;
    case WM_DESTROY:
        progressCtrl.store(nullptr);
        return false;
    default:
        return false;
    }
}
