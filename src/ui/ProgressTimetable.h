#pragma once
#include <windows.h>

// The timetable of the progress bar. The bar measures nothing: it moves on this timetable, slower
// as it advances, and runs quickly to its end when the dialog closes.
//
// Forwards the bar shows 0, 1, ..., 99 once and then 1, ..., 99 over and over, resting
// 1000 + p*p ms at position p. Backwards (a roll-back) it shows 100, 99, ..., 1 once and then
// 99, ..., 1 over and over, resting 1000 ms at each position.
namespace ProgressTimetable {

constexpr int kLowest = 0;
constexpr int kHighest = 100;
constexpr int kForwardStart = 0;
constexpr int kBackwardStart = 100;
// The run to the end after a stop: one position every 10 ms, then a last pause.
constexpr DWORD kRunStepMs = 10;
constexpr DWORD kFinalPauseMs = 250;

DWORD restMs(int position, bool backwards);
int next(int position, bool backwards);
// The last position of the run to the end: 99 forwards, 1 backwards.
int runEnd(bool backwards);
// The number of positions the run to the end shows from `position` on.
int runSteps(int position, bool backwards);

}  // namespace ProgressTimetable
