// The autoplay bot's hand: it moves the pointer the way a person does (a quick, smooth
// reach whose time grows with distance over target size, landing a little off the aim
// point) and presses buttons and keys for a few frames at a time. Everything it does is
// posted into the input queue the window fills; it reads nothing of the game.
#pragma once

#include <cstdint>
#include <deque>

// A small, fully reproducible generator for the bot's own choices; the game's random
// numbers are never touched, so a replay without the bot draws exactly the same ones.
class BotRandom {
public:
    explicit BotRandom(uint64_t seed = 1) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {}
    uint64_t next();
    double uniform();                      // 0 .. 1
    double range(double lo, double hi);    // lo .. hi
    double gaussian();                     // mean 0, deviation 1
    bool chance(double p) { return uniform() < p; }

private:
    uint64_t state_;
};

// How a hand moves: reach time = base + per_bit x log2(1 + distance / width) frames
// (the pointing law measured on people), the landing spread as a share of the target's
// width, an occasional slip, and how long a button stays down.
struct HandStyle {
    double reach_base = 4;       // frames
    double reach_per_bit = 4;    // frames per bit of difficulty
    double spread = 0.1;         // landing deviation / target width
    double slip_chance = 0;      // chance that a reach lands a whole target width off
    int press_frames = 3;        // frames a click holds its button
};

class BotHand {
public:
    static constexpr int kScreenW = 1024, kScreenH = 768;

    BotHand(HandStyle style, BotRandom& random) : style_(style), random_(random) {}

    // The pointer as the game has it now (the game may move it itself); call first each frame.
    void see_pointer(int x, int y);
    // Performs this frame's part of the queued gestures.
    void step();
    bool busy() const { return !steps_.empty(); }
    // Drops the queued gestures and lets go of every button and key held.
    void cancel();

    // Reach for a target of the given width centred on (x, y).
    void reach(double x, double y, double width);
    // Moves the end of the reach under way (a moving target), keeping its remaining time.
    void retarget(double x, double y);
    // Reach and click; the button goes down once the pointer has arrived.
    void click(int button, double x, double y, double width);
    // Reach and keep the button down until release().
    void press_at(int button, double x, double y, double width);
    void release(int button);
    // Button down at (x0, y0), a smooth drag to (x1, y1), button up there.
    void drag(int button, double x0, double y0, double x1, double y1);
    void tap_key(int key);
    // Types a character as on a keyboard: its key (with shift where needed) and the character.
    void type_char(unsigned char c);
    void turn_wheel(int dz);
    void wait(int frames);

    int x() const { return x_; }
    int y() const { return y_; }
    bool holding(int button) const { return button >= 1 && button <= 3 && held_[button]; }

private:
    struct Step {
        enum Kind { Reach, Press, Release, KeyDown, KeyUp, Char, Wheel, Wait } kind = Wait;
        double x = 0, y = 0, width = 20;  // Reach: aim point and target width
        int code = 0;                     // button, key, character or wheel amount
        int frames = 0;                   // Wait: frames left
        bool exact = false;               // Reach: no landing spread (a drag's path)
    };

    // Starts the reach at the front of the queue: picks its landing point and time.
    void start_reach(Step& s);
    void post_pointer(double x, double y);

    HandStyle style_;
    BotRandom& random_;
    std::deque<Step> steps_;
    int x_ = 0, y_ = 0;  // pointer now
    bool held_[4] = {};
    bool key_held_[256] = {};

    // The reach under way.
    bool reaching_ = false;
    double from_x_ = 0, from_y_ = 0, to_x_ = 0, to_y_ = 0;
    double off_x_ = 0, off_y_ = 0;  // landing error added to the aim point
    int reach_frames_ = 0, reach_done_ = 0;
};
