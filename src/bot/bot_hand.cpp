// The bot's hand: human-like pointer reaches, clicks, drags, keys and the wheel, posted
// into the input queue one frame at a time.
#include "bot/bot_hand.h"

#include <algorithm>
#include <cmath>

#include "platform/input.h"
#include "platform/input_script.h"

uint64_t BotRandom::next()
{
    // splitmix64: small, fast and the same on every machine.
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double BotRandom::uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

double BotRandom::range(double lo, double hi) { return lo + uniform() * (hi - lo); }

double BotRandom::gaussian()
{
    // Box-Muller from two uniforms; u1 kept away from 0.
    double u1 = std::max(uniform(), 1e-12);
    double u2 = uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
}

namespace {

// Minimum-jerk profile: the share of the way covered after the share t of the time.
double smooth_share(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * t * (10 - 15 * t + 6 * t * t);
}

}  // namespace

void BotHand::see_pointer(int x, int y)
{
    if (x == x_ && y == y_)
        return;
    // The game moved the pointer (level start, a shaking reticle): carry on from there.
    x_ = x;
    y_ = y;
    if (reaching_) {
        from_x_ = x;
        from_y_ = y;
        reach_frames_ = std::max(1, reach_frames_ - reach_done_);
        reach_done_ = 0;
    }
}

void BotHand::post_pointer(double x, double y)
{
    int px = std::clamp(static_cast<int>(std::lround(x)), 0, kScreenW - 1);
    int py = std::clamp(static_cast<int>(std::lround(y)), 0, kScreenH - 1);
    if (px == x_ && py == y_)
        return;
    x_ = px;
    y_ = py;
    PostMouseMove(px, py);
}

void BotHand::start_reach(Step& s)
{
    from_x_ = x_;
    from_y_ = y_;
    to_x_ = s.x;
    to_y_ = s.y;
    off_x_ = off_y_ = 0;
    if (!s.exact) {
        off_x_ = random_.gaussian() * style_.spread * s.width;
        off_y_ = random_.gaussian() * style_.spread * s.width;
        if (random_.chance(style_.slip_chance)) {
            double a = random_.range(0, 6.283185307179586);
            off_x_ += std::cos(a) * s.width * 0.9;
            off_y_ += std::sin(a) * s.width * 0.9;
        }
    }
    double d = std::hypot(to_x_ + off_x_ - from_x_, to_y_ + off_y_ - from_y_);
    double bits = std::log2(1 + d / std::max(4.0, s.width));
    double frames = (style_.reach_base + style_.reach_per_bit * bits) * random_.range(0.85, 1.15);
    reach_frames_ = d < 1 ? 1 : std::max(1, static_cast<int>(std::lround(frames)));
    reach_done_ = 0;
    reaching_ = true;
}

void BotHand::step()
{
    while (!steps_.empty()) {
        Step& s = steps_.front();
        switch (s.kind) {
        case Step::Reach: {
            if (!reaching_)
                start_reach(s);
            ++reach_done_;
            double share = smooth_share(static_cast<double>(reach_done_) / reach_frames_);
            post_pointer(from_x_ + (to_x_ + off_x_ - from_x_) * share, from_y_ + (to_y_ + off_y_ - from_y_) * share);
            if (reach_done_ >= reach_frames_) {
                reaching_ = false;
                steps_.pop_front();
            }
            return;
        }
        case Step::Press:
            held_[s.code] = true;
            PostMouseButton(s.code, true);
            steps_.pop_front();
            return;
        case Step::Release:
            if (!held_[s.code]) {
                steps_.pop_front();
                continue;
            }
            held_[s.code] = false;
            PostMouseButton(s.code, false);
            steps_.pop_front();
            return;
        case Step::KeyDown:
            key_held_[s.code] = true;
            PostKeyEvent(s.code, true);
            steps_.pop_front();
            return;
        case Step::KeyUp:
            key_held_[s.code] = false;
            PostKeyEvent(s.code, false);
            steps_.pop_front();
            return;
        case Step::Char:
            PostChar(s.code);
            steps_.pop_front();
            continue;  // with the key that went down this frame
        case Step::Wheel:
            PostWheel(s.code);
            steps_.pop_front();
            return;
        case Step::Wait:
            if (--s.frames <= 0)
                steps_.pop_front();
            return;
        }
    }
}

void BotHand::cancel()
{
    steps_.clear();
    reaching_ = false;
    for (int b = 1; b <= 3; ++b) {
        if (held_[b]) {
            held_[b] = false;
            PostMouseButton(b, false);
        }
    }
    for (int k = 0; k < 256; ++k) {
        if (key_held_[k]) {
            key_held_[k] = false;
            PostKeyEvent(k, false);
        }
    }
}

void BotHand::reach(double x, double y, double width)
{
    Step s;
    s.kind = Step::Reach;
    s.x = x;
    s.y = y;
    s.width = width;
    steps_.push_back(s);
}

void BotHand::retarget(double x, double y)
{
    if (steps_.empty() || steps_.front().kind != Step::Reach)
        return;
    steps_.front().x = x;
    steps_.front().y = y;
    if (reaching_) {
        to_x_ = x;
        to_y_ = y;
    }
}

void BotHand::click(int button, double x, double y, double width)
{
    press_at(button, x, y, width);
    wait(style_.press_frames);
    release(button);
}

void BotHand::press_at(int button, double x, double y, double width)
{
    reach(x, y, width);
    Step s;
    s.kind = Step::Press;
    s.code = std::clamp(button, 1, 3);
    steps_.push_back(s);
}

void BotHand::release(int button)
{
    Step s;
    s.kind = Step::Release;
    s.code = std::clamp(button, 1, 3);
    steps_.push_back(s);
}

void BotHand::drag(int button, double x0, double y0, double x1, double y1)
{
    press_at(button, x0, y0, 16);
    wait(2);
    Step s;
    s.kind = Step::Reach;
    s.x = x1;
    s.y = y1;
    s.width = 40;
    s.exact = true;
    steps_.push_back(s);
    wait(2);
    release(button);
}

void BotHand::tap_key(int key)
{
    Step s;
    s.kind = Step::KeyDown;
    s.code = std::clamp(key, 0, 255);
    steps_.push_back(s);
    wait(2);
    s.kind = Step::KeyUp;
    steps_.push_back(s);
}

void BotHand::type_char(unsigned char c)
{
    constexpr int kLeftShift = 160;
    const auto [key, shifted] = KeyOfCharacter(c);
    auto push = [&](Step::Kind kind, int code, bool wanted) {
        Step s;
        s.kind = kind;
        s.code = code;
        if (wanted)
            steps_.push_back(s);
    };
    push(Step::KeyDown, kLeftShift, shifted);
    push(Step::KeyDown, key, key != 0);
    push(Step::Char, c, true);
    wait(1);
    push(Step::KeyUp, key, key != 0);
    push(Step::KeyUp, kLeftShift, shifted);
}

void BotHand::turn_wheel(int dz)
{
    Step s;
    s.kind = Step::Wheel;
    s.code = dz;
    steps_.push_back(s);
}

void BotHand::wait(int frames)
{
    if (frames <= 0)
        return;
    Step s;
    s.kind = Step::Wait;
    s.frames = frames;
    steps_.push_back(s);
}
