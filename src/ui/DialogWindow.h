#pragma once
#include <windows.h>

#include <atomic>

// A dialog built from a template of the resource library in the current language and run in a
// message loop of its own on the calling thread.
//
// The dialog procedure routes every message to its object: the object's address arrives with
// WM_INITDIALOG and is kept in the window (DWLP_USER). No exception ever leaves the procedure
// into the system; one that reaches it is logged and the message counts as not handled.
class DialogWindow {
public:
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // The dialog's window while it exists, otherwise null; any thread may ask.
    HWND window() const { return window_.load(); }

protected:
    DialogWindow() = default;
    virtual ~DialogWindow() = default;

    // Creates the dialog from template `templateId` in the current language, without owner, and
    // runs it until endDialog (its result), until WM_QUIT reaches this thread, or when the
    // dialog cannot be created (both -1).
    INT_PTR runModal(unsigned templateId);
    // Ends the run of the dialog with `result` once the current message has been handled.
    void endDialog(INT_PTR result);

    // WM_INITDIALOG: the controls exist. TRUE lets the system set the focus.
    virtual BOOL OnInitDialog() = 0;
    // Any other message; true when handled, with the procedure's return value in `answer`.
    virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& answer);
    // The result of a handled message that answers through DWLP_MSGRESULT.
    void setMessageResult(LRESULT result) const;
    HWND item(int id) const { return GetDlgItem(window(), id); }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR route(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR messageLoop(HWND dialog);

    std::atomic<HWND> window_{nullptr};
    bool ended_ = false;
    INT_PTR result_ = 0;
};
