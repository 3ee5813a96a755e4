// Answers the dialogs and message boxes that this very thread shows modally. A thread timer
// brings it into the modal message loop of the box or dialog, where it finds the window and acts
// on it as a user would, so that no second thread is needed.
#pragma once
#include "support/Responder.h"

#include <windows.h>

#include <functional>
#include <vector>

class ModalAnswerer {
public:
    // Called on every tick while a dialog window of this thread is on screen; returns true when
    // it is done with it (typically after pressing a button).
    using Action = std::function<bool(HWND window)>;

    explicit ModalAnswerer(Action action);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    // Whether a window came and the action finished with it.
    bool done() const { return done_; }
    // How the window looked when the action was first called.
    const WindowSnapshot& seen() const { return seen_; }

    // An action that presses one button.
    static Action press(int buttonId);
    // An action of several steps, one a tick; done after the last.
    static Action steps(std::vector<std::function<void(HWND window)>> steps);

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void onTick();

    static ModalAnswerer* active_;
    Action action_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
    WindowSnapshot seen_;
};
