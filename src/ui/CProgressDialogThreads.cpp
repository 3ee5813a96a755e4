// The main thread's side of the progress dialog: showing, closing, freezing and thawing.
#include "ui/CProgressDialog.h"

#include "log/CLog.h"
#include "log/Format.h"
#include "registry/CRegistryUtils.h"

namespace {

const wchar_t* boolText(bool value)
{
    return value ? L"TRUE" : L"FALSE";
}

// "ProgressDlgState" holds one of the states whose bar may be frozen: install, uninstall, repair.
bool freezableState(int state)
{
    return state >= 1001 && state <= 1003;
}

constexpr DWORD kDialogThreadWaitMs = 5000;
constexpr DWORD kThreadFailed = static_cast<DWORD>(-1);

}  // namespace

void CProgressDialog::ShowDialog(const std::wstring& title, const std::wstring& text, int state, int value1,
                                 int value2)
{
    const wchar_t* const fn = L"CProgressDialog::ShowDialog";
    try {
        SETUP_LOG(fn, Format(L"strTitle=\"%s\", strText=\"%s\", state=%d, bDisplayed=%s", title.c_str(), text.c_str(),
                             state, boolText(bDisplayed)));
        values_[0] = value1;
        values_[1] = value2;
        updateTexts(title, text);
        try {
            const bool stored = CRegistryUtils::getInstance().setProgressDlgState(state);
            SETUP_LOG(fn, stored ? L"setProgressDlgState returned true" : L"setProgressDlgState returned false");
        } catch (...) {
            SETUP_LOG(fn, L"ERROR: Unknown exception caught!");
        }
        SETUP_LOG(fn, L"Before Showdialog call");
        if (!bDisplayed) {
            startThreads();
        }
    } catch (...) {
        SETUP_LOG(fn, L"Unknown exception caught!");
    }
}

void CProgressDialog::updateTexts(const std::wstring& title, const std::wstring& text)
{
    if (bDisplayed) {
        // The dialog thread reads the texts while it creates the window; change them after that.
        WaitForSingleObject(dialogReady_.get(), kDialogThreadWaitMs);
    }
    strTitle = title;
    strText = text;
    HWND dialog = window();
    if (dialog != nullptr) {
        SetWindowTextW(dialog, strTitle.c_str());
        SetDlgItemTextW(dialog, kTextId, strText.c_str());
    }
}

void CProgressDialog::startThreads()
{
    const wchar_t* const fn = L"CProgressDialog::ShowDialog";
    SETUP_LOG(fn, L"Starting threads");
    try {
        bDisplayed = true;
        stopProgress.store(false);
        ResetEvent(stopEvent_.get());
        ResetEvent(dialogReady_.get());
        SETUP_LOG(fn, L"Starting dialog thread....");
        dialogThread.reset(CreateThread(nullptr, 0, &CProgressDialog::DialogThread, this, 0, &dialogThreadId_));
        SETUP_LOG(fn, L"Starting progress thread...");
        progressThread.reset(CreateThread(nullptr, 0, &CProgressDialog::ProgressThread, this, 0, nullptr));
        SETUP_LOG(fn, L"done...");
    } catch (...) {
        SETUP_LOG(fn, L"ERROR: Unknown exception caught.");
        throw;
    }
}

void CProgressDialog::CloseDialog()
{
    const wchar_t* const fn = L"CProgressDialog::CloseDialog";
    if (!bDisplayed) {
        return;
    }
    try {
        CRegistryUtils::getInstance().setProgressDlgState(0);
        SETUP_LOG(fn, L"Closing threads");
        stopProgress.store(true);
        SetEvent(stopEvent_.get());
        thawBeforeClosing();
        SETUP_LOG(fn, L"Waiting for progress thread to quit");
        WaitForSingleObject(progressThread.get(), INFINITE);
        SETUP_LOG(fn, L"Progress thread is dead");
        progressThread.reset();
        stopDialogThread();
        dialogThread.reset();
        bDisplayed = false;
        SETUP_LOG(fn, L"Threads closed");
    } catch (...) {
        SETUP_LOG(fn, L"ERROR: Unknown exception caught!");
    }
}

void CProgressDialog::thawBeforeClosing()
{
    // A frozen progress thread would never see the stop: the wait for it below has no limit.
    DWORD previous = ResumeThread(progressThread.get());
    if (previous == kThreadFailed || previous == 0) {
        return;
    }
    SETUP_LOG(L"CProgressDialog::CloseDialog",
              Format(L"Progress bar is frozen (suspend count %d), thawing it before closing", static_cast<int>(previous)));
    while (previous != kThreadFailed && previous > 1) {
        previous = ResumeThread(progressThread.get());
    }
}

void CProgressDialog::stopDialogThread()
{
    const wchar_t* const fn = L"CProgressDialog::CloseDialog";
    // Messages posted before the thread has its window (and its message queue) would be lost.
    WaitForSingleObject(dialogReady_.get(), kDialogThreadWaitMs);
    SETUP_LOG(fn, L"Stopping dialog thread, sending WM_CLOSE");
    PostThreadMessageW(dialogThreadId_, WM_CLOSE, 0, 0);
    SETUP_LOG(fn, L"Stopping dialog thread, sending WM_QUIT");
    PostThreadMessageW(dialogThreadId_, WM_QUIT, 0, 0);
    SETUP_LOG(fn, L"Waiting for dialog thread to quit (you have 5 seconds...)");
    WaitForSingleObject(dialogThread.get(), kDialogThreadWaitMs);
    SETUP_LOG(fn, L"Dialog thread is dead (or 5 seconds elapsed... we can't wait forever, can we? :))");
}

void CProgressDialog::suspendProgressBar()
{
    const wchar_t* const fn = L"CProgressDialog::suspendProgressBar";
    try {
        const int state = CRegistryUtils::getInstance().getProgressDlgState();
        SETUP_LOG(fn, Format(L"About to suspend progress bar, state=%d", state));
        if (!freezableState(state)) {
            SETUP_LOG(fn, L"Invalid state... i.e. there was nothing to suspend...");
            return;
        }
        if (!progressThread) {
            SETUP_LOG(fn, L"progressThread == NULL");
            return;
        }
        const DWORD result = SuspendThread(progressThread.get());
        if (result == kThreadFailed) {
            SETUP_LOG(fn, Format(L"Suspend failed, suspRes=%d, errCode=%d", static_cast<int>(result),
                                 static_cast<int>(GetLastError())));
        } else {
            SETUP_LOG(fn, Format(L"Suspend successful, suspRes=%d", static_cast<int>(result)));
        }
    } catch (...) {
        SETUP_LOG(fn, L"ERROR: Unknown exception caught!");
    }
}

void CProgressDialog::resumeProgressBar()
{
    const wchar_t* const fn = L"CProgressDialog::resumeProgressBar";
    try {
        const int state = CRegistryUtils::getInstance().getProgressDlgState();
        SETUP_LOG(fn, Format(L"About to resume progress bar, state=%d", state));
        if (!freezableState(state)) {
            SETUP_LOG(fn, L"Invalid state... i.e. there was nothing to resume...");
            return;
        }
        if (!progressThread) {
            SETUP_LOG(fn, L"progressThread == NULL");
            return;
        }
        const DWORD result = ResumeThread(progressThread.get());
        SETUP_LOG(fn, Format(L"resumeRes=%d", static_cast<int>(result)));
    } catch (...) {
        SETUP_LOG(fn, L"ERROR: Unknown exception caught!");
    }
}
