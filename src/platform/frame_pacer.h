// Frame pacing of Flip(-1) in a window: frame length 1000 / hz ms with the remainder
// spread by an accumulator, so 60 Hz gives 20 frames of 16 ms and 40 of 17 ms a second.
// Flip waits for the due time and only then presents, so frames leave on that grid
// whatever each frame's work took.
#pragma once

#include <cstdint>
#include <functional>

class FramePacer {
public:
    // How long before the due time sleeping stops and spinning takes over, in ms: the
    // system may wake a sleeping thread a little late, but a spinning one sees the due
    // millisecond begin.
    static constexpr int kSpinMs = 2;

    void start(int hz, int64_t now);
    int hz() const { return hz_; }
    // Due time of the next frame; a due time already passed is reset to now.
    int64_t next_due(int64_t now);

    // Sleeps, then spins, until now() reaches due; returns the time it saw then. Never
    // returns before due. sleep_ms(0) is called while spinning (a yield).
    static int64_t wait_until(int64_t due, const std::function<int64_t()>& now,
                              const std::function<void(int)>& sleep_ms);

private:
    int hz_ = 0;
    int frame_ms_ = 0;
    int remainder_ = 0;
    int accumulator_ = 0;
    int64_t due_ = 0;
};
