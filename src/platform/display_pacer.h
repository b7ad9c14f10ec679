// Pacing against a display that shows frames on its own beat (a browser's animation
// frames): the game's clock stays at 60 frames a second whatever the display's rate. On
// a faster display a frame waits for further animation frames until its due time. When
// the game has fallen a whole frame behind (a slower display, or drawing that takes
// longer than a frame), every other frame goes without waiting; nobody would see it, as
// the next frame is drawn over it before the display shows anything, so it need not be
// drawn at all.
#pragma once

class DisplayPacer {
public:
    static constexpr double kFrameMs = 1000.0 / 60.0;

    // A frame begins at `now` (ms): whether it is already a whole frame late and so will
    // go unseen. After a stall (a hidden tab) the clock starts again from here.
    bool begin(double now);
    // The frame is done at `now`: whether it waits for animation frames, which every frame
    // does but an unseen one (`unseen` as begin() said).
    bool should_wait(double now, bool unseen);
    // While waiting: whether an animation frame at `now` is close enough to the due time.
    bool due(double now) const { return now >= due_ - 0.25 * kFrameMs; }
    // The frame has gone out (after its waiting, if any).
    void end() { due_ += kFrameMs; }

private:
    void catch_up(double now);

    double due_ = 0;
    bool skipped_ = false;  // the last frame went without waiting
};
