// The progress thread: the bar moves on its timetable until the dialog closes.
#include "ui/CProgressDialog.h"

#include "log/CLog.h"
#include "ui/ProgressTimetable.h"

#include <commctrl.h>

namespace {

constexpr DWORD kDialogReadyWaitMs = 5000;

// Keeps the steps of the run to the end on a 10 ms grid from its start, so that a coarse system
// timer cannot stretch the run: a late step makes the next one shorter.
class StepPacer {
public:
    StepPacer()
    {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    void waitUntil(DWORD sinceStartMs) const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const LONGLONG elapsedMs = (now.QuadPart - start_.QuadPart) * 1000 / frequency_.QuadPart;
        if (elapsedMs < static_cast<LONGLONG>(sinceStartMs)) {
            Sleep(static_cast<DWORD>(sinceStartMs - elapsedMs));
        }
    }

private:
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
};

}  // namespace

DWORD WINAPI CProgressDialog::ProgressThread(LPVOID dialog)
{
    try {
        SETUP_LOG(L"ProgressThread", L"Progress bar thread started");
        static_cast<CProgressDialog*>(dialog)->LoopProgress();
        SETUP_LOG(L"ProgressThread", L"Progress bar thread stopped");
    } catch (...) {
        SETUP_LOG(L"ProgressThread", L"ERROR: Unknown exception caught!");
    }
    return 0;
}

// From its first log line to its return the loop only posts messages to the bar and waits: it
// logs nothing, allocates nothing and takes no lock, so that the main thread may suspend it at
// any instant.
void CProgressDialog::LoopProgress()
{
    const bool backwards = rollBackMode;
    SETUP_LOG(L"CProgressDialog::LoopProgress", backwards ? L"rollBackMode=TRUE" : L"rollBackMode=FALSE");
    // The timetable starts when the bar exists, so that its first position is seen (a stop or a
    // dialog that cannot be created ends the wait too).
    const HANDLE startSignals[] = {dialogReady_.get(), stopEvent_.get()};
    WaitForMultipleObjects(2, startSignals, FALSE, kDialogReadyWaitMs);
    setBar(PBM_SETRANGE, 0, MAKELPARAM(ProgressTimetable::kLowest, ProgressTimetable::kHighest));
    setBar(PBM_SETSTEP, 1, 0);

    int position = startPosition_ >= 0 ? startPosition_
                   : backwards        ? ProgressTimetable::kBackwardStart
                                      : ProgressTimetable::kForwardStart;
    while (!stopProgress.load()) {
        setBarPosition(position);
        // A stop ends the rest at once.
        WaitForSingleObject(stopEvent_.get(), ProgressTimetable::restMs(position, backwards));
        position = ProgressTimetable::next(position, backwards);
    }
    runToEnd(position);
    Sleep(ProgressTimetable::kFinalPauseMs);
}

void CProgressDialog::runToEnd(int position)
{
    const bool backwards = rollBackMode;
    const int steps = ProgressTimetable::runSteps(position, backwards);
    const StepPacer pacer;
    for (int step = 0; step < steps; ++step) {
        setBarPosition(backwards ? position - step : position + step);
        pacer.waitUntil(static_cast<DWORD>(step + 1) * ProgressTimetable::kRunStepMs);
    }
}

void CProgressDialog::setBar(UINT message, WPARAM wParam, LPARAM lParam) const
{
    // Posted, so that the bar never holds up the progress thread; before the window exists
    // (and after it is gone) there is no bar and nothing is posted.
    HWND bar = progressCtrl.load();
    if (bar != nullptr) {
        PostMessageW(bar, message, wParam, lParam);
    }
}

void CProgressDialog::setBarPosition(int position) const
{
    setBar(PBM_SETPOS, static_cast<WPARAM>(position), 0);
}
