#include "platform/display_pacer.h"

void DisplayPacer::catch_up(double now)
{
    if (now - due_ > 4 * kFrameMs)
        due_ = now;
}

bool DisplayPacer::begin(double now)
{
    catch_up(now);
    return !skipped_ && now >= due_ + kFrameMs;
}

bool DisplayPacer::should_wait(double now, bool unseen)
{
    catch_up(now);
    skipped_ = unseen;
    return !unseen;  // a drawn frame is always shown
}
