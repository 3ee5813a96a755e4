#pragma once
#include "sys/ScopedHandle.h"
#include "ui/DialogWindow.h"
#include "ui/GdiHandles.h"

#include <windows.h>

#include <atomic>
#include <string>

// The small always-on-top window that shows Setup is working: a caption, one line of text, a
// picture and a progress bar that keeps moving (dialog template 146).
//
// While shown it runs on two threads of its own: the dialog thread owns the window, the progress
// thread moves the bar by posting messages to it. The main thread talks to it only through
// ShowDialog, CloseDialog, suspendProgressBar and resumeProgressBar.
class CProgressDialog : public DialogWindow {
public:
    static constexpr unsigned kTemplateId = 146;
    static constexpr int kProgressBarId = 1000;
    static constexpr int kTextId = 1006;
    static constexpr int kPictureId = 1001;
    // Dialog, text line and bar are made this many pixels wider than the template says.
    static constexpr int kExtraWidth = 100;

    explicit CProgressDialog(HWND parent = nullptr);
    ~CProgressDialog() override;

    // Sets caption, text and "ProgressDlgState"; starts the threads when the dialog is hidden.
    // The two further values are kept but not used.
    void ShowDialog(const std::wstring& title, const std::wstring& text, int state, int value1 = 0,
                    int value2 = 0);
    // Runs the bar to its end, stops both threads and writes "ProgressDlgState" 0; nothing
    // happens when the dialog is hidden. The stop cuts the bar's current rest short, so the close
    // takes the run to the end (at most 99 steps of 10 ms) and the final 250 ms. A frozen bar is
    // thawed first: the wait for the progress thread has no limit.
    void CloseDialog();
    // Freeze and thaw the bar (counted) while "ProgressDlgState" holds an install, uninstall or
    // repair state.
    void suspendProgressBar();
    void resumeProgressBar();

    // A roll-back dialog runs its bar backwards. Set it before ShowDialog.
    void setRollBackMode(bool backwards) { rollBackMode = backwards; }
    bool getRollBackMode() const { return rollBackMode; }
    bool isDisplayed() const { return bDisplayed; }
    // Where the bar starts at the next ShowDialog (by default 0 forwards and 100 backwards).
    void setStartPosition(int position) { startPosition_ = position; }

    static DWORD WINAPI DialogThread(LPVOID dialog);
    static DWORD WINAPI ProgressThread(LPVOID dialog);

protected:
    BOOL OnInitDialog() override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& answer) override;

private:
    void LoopProgress();
    void startThreads();
    void updateTexts(const std::wstring& title, const std::wstring& text);
    void thawBeforeClosing();
    void stopDialogThread();
    void setBar(UINT message, WPARAM wParam, LPARAM lParam) const;
    void setBarPosition(int position) const;
    void runToEnd(int position);
    void loadPicture();

    UniqueIcon hIcon;
    UniqueHandle dialogThread;
    UniqueHandle progressThread;
    std::wstring strText;
    std::wstring strTitle;
    std::atomic<HWND> progressCtrl{nullptr};
    HWND textEdit = nullptr;
    bool bDisplayed = false;
    std::atomic<bool> stopProgress{false};
    bool rollBackMode = false;
    HWND iconStatic = nullptr;

    // Wakes the progress thread from its rest when the dialog closes.
    UniqueHandle stopEvent_;
    // Set by the dialog thread once its window exists (or could not be created).
    UniqueHandle dialogReady_;
    DWORD dialogThreadId_ = 0;
    int startPosition_ = -1;
    int values_[2] = {0, 0};
};
