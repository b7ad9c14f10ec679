// Frame pacing on the real backend: 600 paced frames (Flip(-1) at 60 Hz in a window)
// whose work varies from 1 to 11 ms, as a level's does. Reports the spread of the
// intervals between the moments each frame was presented, and how late each present
// was against its due time on the 16/17 ms grid (from the first present): once for the
// moment each frame was handed to the display, once for the moment the display took it.
//   bench_pacing [--frames N]      (use xvfb-run or SDL_VIDEODRIVER=offscreen)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/backend.h"
#include "platform/graphics.h"
#include "platform/real/gl_backend.h"

#include "bench_backend.h"

namespace {

using Clock = std::chrono::steady_clock;

// The real backend, with the moment each present() returned.
class TimedBackend final : public ForwardingBackend {
public:
    using ForwardingBackend::ForwardingBackend;
    std::vector<Clock::time_point> presents;  // when each present() returned
    std::vector<Clock::time_point> issued;    // when each was called
    void present() override
    {
        issued.push_back(Clock::now());
        ForwardingBackend::present();
        presents.push_back(Clock::now());
    }
};

// Busy work for ms milliseconds.
void work(double ms)
{
    const auto end = Clock::now() + std::chrono::duration<double, std::milli>(ms);
    volatile double sink = 0;
    while (Clock::now() < end)
        sink = sink + 1;
}

// The spread of the intervals between the last frames+1 moments, and how late each was
// against its due time on the 16/17 ms grid (20 frames of 16 ms and 40 of 17 ms a
// second) from the first.
void report(const char* what, const std::vector<Clock::time_point>& all, int frames)
{
    std::vector<Clock::time_point> t(all.end() - frames - 1, all.end());
    std::vector<double> iv;
    for (size_t i = 1; i < t.size(); ++i)
        iv.push_back(std::chrono::duration<double, std::milli>(t[i] - t[i - 1]).count());
    double mean = 0, var = 0;
    for (double v : iv)
        mean += v / iv.size();
    for (double v : iv)
        var += (v - mean) * (v - mean) / iv.size();
    double due = 0, worst = 0;
    int accumulator = 0, late = 0;
    for (size_t i = 1; i < t.size(); ++i) {
        due += 16;
        accumulator += 40;
        if (accumulator >= 60) {
            accumulator -= 60;
            due += 1;
        }
        const double at = std::chrono::duration<double, std::milli>(t[i] - t[0]).count();
        worst = std::max(worst, at - due);
        late += at - due > 1.0 ? 1 : 0;
    }
    std::printf("%-10s interval mean %.3f ms, standard deviation %.3f ms (the grid alone: 0.471), "
                "min %.3f, max %.3f\n",
                what, mean, std::sqrt(var), *std::min_element(iv.begin(), iv.end()),
                *std::max_element(iv.begin(), iv.end()));
    std::printf("%-10s against due time: latest %.3f ms after, %d frames more than 1 ms late\n", what, worst, late);
}

}  // namespace

int main(int argc, char** argv)
{
    int frames = 600;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::max(10, std::atoi(argv[++i]));
    }
    auto timed = std::make_unique<TimedBackend>(CreateGLBackend());
    TimedBackend* backend = timed.get();
    SetBackend(std::move(timed));
    Graphics(1024, 768, 0, 60, 0);
    Pixmap px;
    px.width = px.height = 64;
    px.rgba.assign(64 * 64 * 4, 200);
    TImage* sprite = CreateImageFromPixmap(px, kFilteredImage, "sprite");

    const int warm_up = 30;
    for (int f = 0; f < warm_up + frames; ++f) {
        Cls();
        SetBlend(kAlphaBlend);
        for (int i = 0; i < 50; ++i)
            DrawImage(sprite, static_cast<float>((f * 7 + i * 19) % 960), static_cast<float>(i * 14), 0);
        work(1 + (f * 7919 % 11));  // 1..11 ms, varying from frame to frame
        Flip(-1);
    }

    std::printf("frames             %d intervals, work 1-11 ms a frame\n", frames);
    report("presented", backend->issued, frames);
    report("shown", backend->presents, frames);
    std::vector<double> took;
    for (size_t i = backend->issued.size() - frames; i < backend->issued.size(); ++i)
        took.push_back(std::chrono::duration<double, std::milli>(backend->presents[i] - backend->issued[i]).count());
    std::sort(took.begin(), took.end());
    std::printf("present() took     median %.3f ms, max %.3f ms\n", took[took.size() / 2], took.back());
    FreeImage(sprite);
    EndGraphics();
    return 0;
}
