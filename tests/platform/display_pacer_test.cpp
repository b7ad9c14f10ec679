#include <gtest/gtest.h>

#include <cmath>

#include "platform/display_pacer.h"

namespace {

struct Paced {
    int frames = 0;  // game frames
    int shown = 0;  // frames that waited for an animation frame
    int unseen = 0;  // frames begun late, not drawn
};

// One simulated second of the game on a display of `hz` animation frames a second, each
// frame's work taking `work_ms` (when drawn; an unseen frame costs a tenth of it).
Paced Simulate(double hz, double work_ms, double seconds = 1.0)
{
    const double vsync = 1000.0 / hz;
    double clock = 0;
    DisplayPacer pacer;
    Paced run;
    while (clock < seconds * 1000.0) {
        const bool unseen = pacer.begin(clock);
        clock += unseen ? work_ms / 10 : work_ms;
        const bool waits = pacer.should_wait(clock, unseen);
        if (waits) {
            do
                clock = (std::floor(clock / vsync + 1e-9) + 1) * vsync;  // the next animation frame
            while (!pacer.due(clock));
        }
        pacer.end();
        ++run.frames;
        run.shown += waits;
        run.unseen += unseen;
    }
    return run;
}

TEST(DisplayPacer, TheGameRunsAtSixtyWhateverTheDisplay)
{
    for (double hz : {60.0, 75.0, 120.0, 144.0}) {
        const Paced r = Simulate(hz, 2, 10);
        EXPECT_NEAR(r.frames, 600, 6) << hz << " Hz";
        EXPECT_EQ(r.unseen, 0) << hz << " Hz";
        EXPECT_EQ(r.shown, r.frames) << hz << " Hz";
    }
    // A 30 Hz display shows every other frame; the one between is never drawn.
    const Paced slow = Simulate(30, 2, 10);
    EXPECT_NEAR(slow.frames, 600, 6);
    EXPECT_NEAR(slow.unseen, 300, 3);
    EXPECT_EQ(slow.shown + slow.unseen, slow.frames);
}

TEST(DisplayPacer, DrawingSlowerThanTheDisplayKeepsTheClockAndNeverSkipsTwiceInARow)
{
    // Each drawn frame takes 25 ms on a 60 Hz display: every shown frame is followed by
    // one unseen frame, so the game still keeps up.
    const Paced r = Simulate(60, 25, 10);
    EXPECT_NEAR(r.frames, 600, 12);
    EXPECT_LE(r.unseen, r.shown);

    // Drawing far too slow for two frames per animation frame: the game slows down rather
    // than going unseen for good.
    const Paced crawl = Simulate(60, 60, 10);
    EXPECT_LT(crawl.frames, 400);
    EXPECT_LE(crawl.unseen, crawl.shown);
    EXPECT_GT(crawl.unseen, 0);
}

TEST(DisplayPacer, AStallRestartsTheClockInsteadOfRushing)
{
    DisplayPacer pacer;
    EXPECT_FALSE(pacer.begin(0));
    EXPECT_TRUE(pacer.should_wait(1, false));
    pacer.end();
    // A hidden tab gave no animation frames for a second: the next frame is not late.
    EXPECT_FALSE(pacer.begin(1000));
    EXPECT_TRUE(pacer.should_wait(1001, false));
    EXPECT_TRUE(pacer.due(1000));
}

}  // namespace
