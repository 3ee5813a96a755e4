// How long CProgressDialog::CloseDialog takes with the bar in a given position:
//   ui_close_latency.exe [runs per position, default 5]
// The worst positions are a stop during the longest rest forwards (at 99, after which the bar
// runs from 1 to 99) and during a rest at 1 backwards (after which it runs from 99 to 1).
// Prints one line per position with every close time in milliseconds; exits with 1 when a close
// took longer than the target of 1300 ms.
#include "ui/CProgressDialog.h"
#include "ui/ProgressTimetable.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

const wchar_t* const kApplicationKey = L"Software\\Brennik\\{4F1D8A20-73C6-4B59-A2E7-91C0D35B6E84}";
constexpr double kTargetMs = 1300.0;

struct Position {
    bool backwards;
    int bar;
};

double now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool barShows(const CProgressDialog& dialog, int position)
{
    for (int i = 0; i < 500; ++i) {
        HWND window = dialog.window();
        if (window != nullptr && SendDlgItemMessageW(window, CProgressDialog::kProgressBarId, PBM_GETPOS, 0, 0) == position) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

// One close, timed: the dialog is shown with its bar at `position`, and closed while it rests there.
double closeTime(const Position& position)
{
    CProgressDialog dialog;
    dialog.setRollBackMode(position.backwards);
    dialog.setStartPosition(position.bar);
    dialog.ShowDialog(L"Close latency", L"Measuring", 0);
    if (!barShows(dialog, position.bar)) {
        std::printf("the bar never showed %d\n", position.bar);
    }
    Sleep(300);
    const double start = now();
    dialog.CloseDialog();
    return now() - start;
}

// What the close took when the thread slept through its rest: the rest of that rest (all of it,
// at worst), the run to the end and the final pause.
double sleepingWorstMs(const Position& position)
{
    const int from = ProgressTimetable::next(position.bar, position.backwards);
    return ProgressTimetable::restMs(position.bar, position.backwards) +
           ProgressTimetable::runSteps(from, position.backwards) * ProgressTimetable::kRunStepMs +
           ProgressTimetable::kFinalPauseMs;
}

bool applicationKeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kApplicationKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : 5;
    const bool keyExisted = applicationKeyExists();
    const Position positions[] = {{false, 99}, {true, 1}, {false, 0}, {false, 50}, {true, 100}, {true, 50}};
    double worst = 0;
    std::printf("close latency of the progress dialog, %d runs a position (ms)\n", runs);
    for (const Position& position : positions) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            times.push_back(closeTime(position));
        }
        std::sort(times.begin(), times.end());
        worst = std::max(worst, times.back());
        std::printf("%-9s bar at %3d: min %7.1f  median %7.1f  max %7.1f   (sleeping through the rest: up to %5.0f)\n",
                    position.backwards ? "backwards" : "forwards", position.bar, times.front(), times[times.size() / 2],
                    times.back(), sleepingWorstMs(position));
    }
    std::printf("worst close: %.1f ms, target %.0f ms: %s\n", worst, kTargetMs, worst <= kTargetMs ? "met" : "MISSED");
    if (!keyExisted) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kApplicationKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kApplicationKey);
    }
    return worst <= kTargetMs ? 0 : 1;
}
