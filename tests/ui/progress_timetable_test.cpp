// The timetable the progress bar moves on, forwards and backwards.
#include "ui/ProgressTimetable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace ProgressTimetable;

std::vector<int> positions(int start, bool backwards, size_t count)
{
    std::vector<int> shown{start};
    while (shown.size() < count) {
        shown.push_back(next(shown.back(), backwards));
    }
    return shown;
}

// Forwards the bar shows 0 to 99 once, then 1 to 99 over and over, resting longer as it
// advances: one pass from 1 to 99 takes 427 350 ms.
TEST(ProgressTimetable, ForwardsSlowsDownAndStartsOverAtOne)
{
    const std::vector<int> shown = positions(kForwardStart, false, 200);
    EXPECT_EQ(shown[0], 0);
    EXPECT_EQ(shown[99], 99);
    EXPECT_EQ(shown[100], 1);
    EXPECT_EQ(shown[198], 99);
    EXPECT_EQ(shown[199], 1);
    EXPECT_EQ(restMs(0, false), 1000u);
    EXPECT_EQ(restMs(1, false), 1001u);
    EXPECT_EQ(restMs(99, false), 10801u);
    DWORD pass = 0;
    for (int p = 1; p <= 99; ++p) {
        pass += restMs(p, false);
    }
    EXPECT_EQ(pass, 427350u);
}

// Backwards it shows 100 to 1 once, then 99 to 1 over and over, a second each.
TEST(ProgressTimetable, BackwardsStartsFullAndStartsOverAt99)
{
    const std::vector<int> shown = positions(kBackwardStart, true, 201);
    EXPECT_EQ(shown[0], 100);
    EXPECT_EQ(shown[99], 1);
    EXPECT_EQ(shown[100], 99);
    EXPECT_EQ(shown[198], 1);
    EXPECT_EQ(shown[199], 99);
    for (const int p : {100, 50, 1}) {
        EXPECT_EQ(restMs(p, true), 1000u);
    }
}

// After a stop the bar runs to its end one position a step: the longest runs start right after
// the wrap, at 1 forwards and at 99 backwards (99 steps, 990 ms at 10 ms a step).
TEST(ProgressTimetable, RunToTheEndCoversTheRestOfTheBar)
{
    struct Case {
        int from;
        bool backwards;
        int steps;
    };
    const Case cases[] = {{1, false, 99}, {50, false, 50}, {99, false, 1}, {0, false, 100},
                          {99, true, 99}, {50, true, 50},  {1, true, 1},   {100, true, 100}};
    for (const Case& c : cases) {
        EXPECT_EQ(runSteps(c.from, c.backwards), c.steps) << c.from << (c.backwards ? " backwards" : " forwards");
    }
    EXPECT_EQ(next(99, false), 1) << "a stop during the rest at 99 runs from 1";
    EXPECT_EQ(next(1, true), 99) << "a stop during the rest at 1 runs from 99";
    EXPECT_EQ(runSteps(next(99, false), false) * static_cast<int>(kRunStepMs) + static_cast<int>(kFinalPauseMs), 1240);
}

}  // namespace
