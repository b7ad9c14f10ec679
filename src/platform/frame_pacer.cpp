// Frame pacing arithmetic and the wait for the due time.
#include "platform/frame_pacer.h"

void FramePacer::start(int hz, int64_t now)
{
    hz_ = hz;
    due_ = now;
    if (hz <= 0)
        return;  // no pacing
    frame_ms_ = 1000 / hz;
    remainder_ = 1000 - frame_ms_ * hz;
    accumulator_ = 0;
}

int64_t FramePacer::next_due(int64_t now)
{
    if (hz_ <= 0)
        return now;
    due_ += frame_ms_;
    accumulator_ += remainder_;
    if (accumulator_ >= hz_) {
        accumulator_ -= hz_;
        due_ += 1;
    }
    if (due_ < now)
        due_ = now;
    return due_;
}

int64_t FramePacer::wait_until(int64_t due, const std::function<int64_t()>& now,
                               const std::function<void(int)>& sleep_ms)
{
    while (true) {
        const int64_t t = now();
        const int64_t left = due - t;
        if (left <= 0)
            return t;
        sleep_ms(left > kSpinMs ? static_cast<int>(left - kSpinMs) : 0);
    }
}
