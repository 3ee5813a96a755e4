#include "ui/ProgressTimetable.h"

namespace ProgressTimetable {

DWORD restMs(int position, bool backwards)
{
    if (backwards) {
        return 1000;
    }
    return 1000 + static_cast<DWORD>(position * position);
}

int next(int position, bool backwards)
{
    if (backwards) {
        return (position == 1 ? 100 : position) - 1;
    }
    return (position == 99 ? 0 : position) + 1;
}

int runEnd(bool backwards)
{
    return backwards ? 1 : 99;
}

int runSteps(int position, bool backwards)
{
    const int steps = backwards ? position - runEnd(true) + 1 : runEnd(false) - position + 1;
    return steps > 0 ? steps : 0;
}

}  // namespace ProgressTimetable
