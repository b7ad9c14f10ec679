// Sound effects: short, punchy and mono (the game pans them). Loops start and end at silence or are
// crossfaded so they repeat without a click.
#include <cmath>
#include <string>

#include "forge.h"
#include "synth.h"

namespace forge {

namespace {

using namespace synth;

Buf Chirp(double dur, double f0, double f1, Wave w, double decay, uint64_t seed = 1) {
    return Tone(dur, [=](double t) { return f0 * std::pow(f1 / f0, t / dur); }, w, Perc(0.003, decay), seed);
}

Buf Blip(double dur, double hz, Wave w, double decay) { return Tone(dur, [=](double) { return hz; }, w, Perc(0.002, decay)); }

Buf NoiseBurst(double dur, double cutoff, double decay, uint64_t seed) {
    Buf n = Noise(dur, seed);
    LowPass(n, cutoff);
    Envelope(n, Perc(0.002, decay));
    return n;
}

// A bell-like chime: a few inharmonic partials.
Buf Chime(double hz, double dur, double decay) {
    Buf out(Samples(dur), 0.0f);
    const double partials[] = {1, 2.01, 2.76, 4.07};
    const double gains[] = {1, 0.5, 0.3, 0.15};
    for (int k = 0; k < 4; ++k) {
        AddAt(out, Tone(dur, [=](double) { return hz * partials[k]; }, Wave::kSine, Perc(0.002, decay / (1 + k * 0.6))), 0, gains[k]);
    }
    return out;
}

Buf Buzz(double dur, double hz, double wobble, double depth) {
    Buf b = Tone(dur, [=](double t) { return hz * (1 + depth * std::sin(2 * M_PI * wobble * t)); }, Wave::kSaw, Adsr(0.02, 0.05, 0.7, 0.08, dur));
    LowPass(b, 2200);
    return b;
}

void Out(Forge& f, const std::string& name, Buf b, double peak = 0.8, bool fade = true) {
    if (fade) FadeEdges(b, 2, 25);
    Normalize(b, peak);
    f.Sound(name, b, 1, kRate);
}

}  // namespace

void ForgeSoundEffects(Forge& f) {
    // ---- the laser ----
    {
        Buf z = Chirp(0.22, 1800, 300, Wave::kSquare, 0.07);
        LowPass(z, 5000);
        AddAt(z, Chirp(0.22, 3600, 600, Wave::kSine, 0.05), 0, 0.5);
        Out(f, "lazer_l.ogg", z, 0.7);  // ends in silence, so it also loops cleanly
    }
    {
        Buf s = Tone(0.55, [](double t) { return 900 + 500 * std::sin(t * 40); }, Wave::kSaw, Adsr(0.01, 0.1, 0.6, 0.25, 0.55));
        LowPass(s, 4000);
        AddAt(s, NoiseBurst(0.55, 6000, 0.2, 9), 0, 0.3);
        Out(f, "lazer_r.ogg", s, 0.7);
    }
    for (int i = 1; i <= 6; ++i) {
        Buf h = NoiseBurst(0.16, 3000 + i * 700, 0.03 + i * 0.006, 100 + i);
        AddAt(h, Chirp(0.12, 1200 + i * 180, 400, Wave::kTriangle, 0.03), 0, 0.6);
        Out(f, "lazer_hit_" + std::to_string(i) + ".ogg", h, 0.75);
    }

    // ---- bombs, freeze, missiles ----
    {
        Buf b = Chirp(0.35, 200, 700, Wave::kTriangle, 0.15);
        AddAt(b, NoiseBurst(0.3, 1500, 0.08, 11), 0, 0.7);
        Out(f, "bomb_launch.ogg", b);
    }
    Out(f, "bomb_signal.ogg", Blip(0.12, 1320, Wave::kSquare, 0.035), 0.5);
    Out(f, "mine_signal.ogg", Blip(0.14, 1760, Wave::kSine, 0.05), 0.5);
    {
        Buf e = NoiseBurst(1.4, 900, 0.35, 12);
        AddAt(e, Chirp(1.0, 120, 35, Wave::kSine, 0.3), 0, 1.2);
        AddAt(e, NoiseBurst(0.2, 5000, 0.05, 13), 0, 0.6);
        Out(f, "bomb_epxl.ogg", Reverb(e, 0.5, 0.25), 0.9);
    }
    {
        Buf m = Chirp(0.6, 300, 1200, Wave::kSaw, 0.3);
        LowPass(m, 2500);
        Buf whoosh = Noise(0.6, 14);
        Sweep(whoosh, [](double t) { return 500 + t * 5000; });
        Envelope(whoosh, Adsr(0.05, 0.2, 0.5, 0.3, 0.6));
        AddAt(m, whoosh, 0, 0.8);
        Out(f, "missle_launch2.ogg", m);
    }
    {
        Buf c = Reverb(Chime(2093, 0.9, 0.25), 0.4, 0.3);
        AddAt(c, NoiseBurst(0.4, 8000, 0.08, 15), 0, 0.4);
        Out(f, "freeze_explode.ogg", c);
    }
    for (auto [name, pitch] : {std::pair<const char*, double>{"Brake_ice.ogg", 1.0}, {"Brake_ice_spider.ogg", 0.7}}) {
        Buf b(Samples(0.6), 0.0f);
        Rng rng(static_cast<uint64_t>(pitch * 100));
        for (int k = 0; k < 9; ++k) {
            AddAt(b, Chime(rng.Range(2000, 4200) * pitch, 0.3, 0.06), k * 0.035 + rng.Range(0, 0.02), rng.Range(0.3, 0.7));
        }
        AddAt(b, NoiseBurst(0.25, 7000, 0.05, 16), 0, 0.6);
        Out(f, name, b);
    }
    {
        Buf a = NoiseBurst(2.0, 600, 0.6, 17);
        AddAt(a, Chirp(1.6, 90, 28, Wave::kSine, 0.5), 0, 1.3);
        for (int k = 0; k < 6; ++k) AddAt(a, Chirp(0.3, 2400 - k * 200, 600, Wave::kSaw, 0.08), 0.05 + k * 0.07, 0.2);
        Out(f, "alpha_missle.ogg", Reverb(a, 0.8, 0.35), 0.9);
    }
    {
        Buf w = Tone(1.4, [](double t) { return 600 * std::pow(0.25, t / 1.4); }, Wave::kTriangle, Adsr(0.05, 0.2, 0.7, 0.5, 1.4));
        AddAt(w, Tone(1.4, [](double t) { return 907 * std::pow(0.25, t / 1.4); }, Wave::kSine, Adsr(0.05, 0.2, 0.5, 0.5, 1.4)), 0, 0.5);
        Out(f, "activate_time_warp.ogg", Reverb(w, 0.7, 0.4));
    }
    {
        Buf s = Tone(0.8, [](double t) { return 300 + 500 * t; }, Wave::kSine, Adsr(0.05, 0.2, 0.6, 0.4, 0.8));
        AddAt(s, Tone(0.8, [](double t) { return 450 + 750 * t; }, Wave::kSine, Adsr(0.1, 0.2, 0.5, 0.4, 0.8)), 0, 0.6);
        Out(f, "shield_creation.ogg", Reverb(s, 0.6, 0.4));
    }
    {
        Buf l = Tone(0.5, [](double t) { return 700 + 120 * std::sin(t * 30); }, Wave::kSine, Perc(0.01, 0.15));
        Out(f, "lure_module.ogg", Reverb(l, 0.5, 0.3), 0.6);
    }
    {
        Buf r(Samples(0.45), 0.0f);
        AddAt(r, NoiseBurst(0.08, 4000, 0.02, 18), 0);
        AddAt(r, NoiseBurst(0.08, 3000, 0.02, 19), 0.12);
        AddAt(r, Chime(1568, 0.3, 0.1), 0.2, 0.6);
        Out(f, "reload_weapon.ogg", r);
    }
    {
        Buf c = NoiseBurst(0.7, 2500, 0.15, 20);
        AddAt(c, Chirp(0.25, 500, 150, Wave::kSquare, 0.06), 0, 0.3);
        Buf hiss = Noise(0.7, 21);
        HighPass(hiss, 3000);
        Envelope(hiss, Adsr(0.05, 0.1, 0.5, 0.5, 0.7));
        AddAt(c, hiss, 0.05, 0.5);
        Out(f, "container_break.ogg", c);
    }

    // ---- flies and spiders ----
    Out(f, "fly_free.ogg", Buzz(0.7, 220, 9, 0.08), 0.6);
    Out(f, "butterfly_flys.ogg", [] {
        Buf b(Samples(0.8), 0.0f);
        for (int k = 0; k < 6; ++k) AddAt(b, NoiseBurst(0.1, 1200, 0.03, 30 + k), k * 0.13, 0.6);
        return b;
    }(), 0.5);
    Out(f, "fly_catched.ogg", [] {
        Buf b = Buzz(0.5, 260, 14, 0.2);
        AddAt(b, Chirp(0.2, 900, 500, Wave::kTriangle, 0.06), 0.05, 0.4);
        return b;
    }(), 0.55);
    Out(f, "free_sound.ogg", [] {
        Buf b(Samples(0.6), 0.0f);
        AddAt(b, Chime(1047, 0.5, 0.18), 0, 0.7);
        AddAt(b, Chime(1568, 0.45, 0.15), 0.07, 0.6);
        return Reverb(b, 0.3, 0.2);
    }(), 0.7);
    Out(f, "fly_dead.ogg", Chirp(0.5, 700, 180, Wave::kTriangle, 0.2), 0.5);
    Out(f, "Creating_cocon.ogg", [] {
        Buf b(Samples(0.7), 0.0f);
        for (int k = 0; k < 5; ++k) {
            Buf s = Noise(0.12, 40 + k);
            BandPass(s, 2500 + k * 300, 3);
            Envelope(s, Adsr(0.03, 0.03, 0.5, 0.05, 0.12));
            AddAt(b, s, k * 0.12, 1);
        }
        return b;
    }(), 0.5);
    Out(f, "spider_death.ogg", [] {
        Buf b = Tone(1.0, [](double t) { return 320 * std::pow(0.3, t); }, Wave::kSaw, Adsr(0.01, 0.2, 0.6, 0.4, 1.0));
        LowPass(b, 1500);
        AddAt(b, Chirp(0.25, 900, 300, Wave::kSquare, 0.08), 0, 0.2);
        return Reverb(b, 0.4, 0.25);
    }());
    Out(f, "spider2_enter.ogg", [] {
        Buf b(Samples(1.0), 0.0f);
        const double notes[] = {45, 48, 51, 54};
        for (int k = 0; k < 4; ++k) AddAt(b, Pluck(MidiHz(notes[k]), 0.5, 0.3, 50 + k), k * 0.12, 0.8);
        return Reverb(b, 0.5, 0.3);
    }());
    for (int i = 1; i <= 4; ++i) {
        std::string name = i == 1 ? "Spider_boost.ogg" : "Spider_boost" + std::to_string(i) + ".ogg";
        Buf b(Samples(0.6), 0.0f);
        for (int k = 0; k < 8; ++k) AddAt(b, NoiseBurst(0.04, 1800 + i * 300, 0.012, 60 + i * 10 + k), k * (0.045 + i * 0.004), 0.7);
        AddAt(b, Chirp(0.3, 200 + i * 40, 500 + i * 80, Wave::kSaw, 0.12), 0, 0.25);
        Out(f, name, b, 0.6);
    }

    // ---- the robot ----
    Out(f, "Wingtron_moves.ogg", [] {
        Buf b = Tone(0.9, [](double t) { return 180 + 60 * std::sin(t * 60); }, Wave::kSaw, Adsr(0.1, 0.2, 0.7, 0.3, 0.9));
        LowPass(b, 1800);
        AddAt(b, Chirp(0.6, 400, 900, Wave::kSine, 0.3), 0, 0.3);
        return b;
    }(), 0.55);
    Out(f, "Wingtron_climbs.ogg", [] {
        Buf b(Samples(0.8), 0.0f);
        for (int k = 0; k < 5; ++k) AddAt(b, Blip(0.08, 500 + k * 90, Wave::kSquare, 0.02), k * 0.13, 0.5);
        LowPass(b, 3000);
        return b;
    }(), 0.5);
    Out(f, "wingtron_broken.ogg", [] {
        Buf b = Tone(1.0, [](double t) { return 600 * std::pow(0.15, t); }, Wave::kSquare, Adsr(0.005, 0.3, 0.5, 0.4, 1.0));
        LowPass(b, 2500);
        AddAt(b, NoiseBurst(0.5, 6000, 0.1, 70), 0, 0.5);
        return b;
    }(), 0.7);
    Out(f, "wingtron_negative.ogg", [] {
        Buf b(Samples(0.45), 0.0f);
        AddAt(b, Blip(0.18, 330, Wave::kSquare, 0.08), 0, 0.6);
        AddAt(b, Blip(0.22, 247, Wave::kSquare, 0.1), 0.17, 0.6);
        LowPass(b, 2500);
        return b;
    }(), 0.55);
    Out(f, "fixed.ogg", [] {
        Buf b(Samples(0.7), 0.0f);
        const double notes[] = {72, 76, 79, 84};
        for (int k = 0; k < 4; ++k) AddAt(b, Blip(0.25, MidiHz(notes[k]), Wave::kTriangle, 0.08), k * 0.08, 0.6);
        return Reverb(b, 0.3, 0.2);
    }(), 0.6);
    Out(f, "fix_click.ogg", [] {
        Buf b = NoiseBurst(0.1, 5000, 0.015, 71);
        AddAt(b, Blip(0.08, 1400, Wave::kSquare, 0.015), 0, 0.3);
        return b;
    }(), 0.6);
    Out(f, "miss.ogg", Chirp(0.25, 400, 200, Wave::kTriangle, 0.08), 0.5);
    Out(f, "weapon_pick_up.ogg", [] {
        Buf b(Samples(0.6), 0.0f);
        const double notes[] = {67, 71, 74, 79};
        for (int k = 0; k < 4; ++k) AddAt(b, Chime(MidiHz(notes[k]), 0.35, 0.1), k * 0.06, 0.5);
        return Reverb(b, 0.3, 0.25);
    }(), 0.65);
    Out(f, "cooling_item.ogg", [] {
        Buf b = Noise(0.8, 72);
        Sweep(b, [](double t) { return 6000 - t * 6000; });
        Envelope(b, Adsr(0.02, 0.2, 0.5, 0.5, 0.8));
        AddAt(b, Chime(1760, 0.5, 0.15), 0, 0.5);
        return b;
    }(), 0.6);

    // ---- interface ----
    Out(f, "click.ogg", [] {
        Buf b = Blip(0.06, 1800, Wave::kSine, 0.012);
        AddAt(b, NoiseBurst(0.03, 6000, 0.005, 73), 0, 0.4);
        return b;
    }(), 0.6);
    Out(f, "caution.ogg", Blip(0.2, 988, Wave::kTriangle, 0.06), 0.45);
    Out(f, "stars_cnt.ogg", [] {
        Buf b(Samples(0.9), 0.0f);
        AddAt(b, Chime(1319, 0.8, 0.3), 0, 0.7);
        AddAt(b, Chime(1976, 0.8, 0.25), 0.05, 0.5);
        return Reverb(b, 0.5, 0.3);
    }(), 0.7);
    Out(f, "max_achive.ogg", [] {
        Buf b(Samples(1.0), 0.0f);
        const double notes[] = {72, 76, 79, 84, 88};
        for (int k = 0; k < 5; ++k) AddAt(b, Chime(MidiHz(notes[k]), 0.5, 0.15), k * 0.07, 0.5);
        return Reverb(b, 0.5, 0.3);
    }(), 0.7);

    // ---- loops ----
    {
        // Overheat alarm: two falling beeps per second, each ending at silence before the seam.
        Buf b(Samples(1.0), 0.0f);
        for (int k = 0; k < 2; ++k) {
            Buf beep = Tone(0.3, [](double t) { return 1200 - t * 900; }, Wave::kSquare, Adsr(0.005, 0.05, 0.7, 0.1, 0.3));
            LowPass(beep, 3000);
            AddAt(b, beep, k * 0.5, 0.6);
        }
        b.resize(Samples(1.0));
        Normalize(b, 0.55);
        f.Sound("wingtron_overheated.ogg", b, 1, kRate);
    }
    {
        // Electric crackle of the broken robot, crossfaded into a seamless loop.
        Buf b(Samples(2.3), 0.0f);
        Rng rng(80);
        for (int k = 0; k < 40; ++k) AddAt(b, NoiseBurst(0.05, rng.Range(3000, 9000), rng.Range(0.005, 0.02), 81 + k), rng.Range(0, 2.25), rng.Range(0.3, 1));
        Buf hum = Tone(2.3, [](double) { return 100; }, Wave::kSaw, [](double) { return 0.15; });
        LowPass(hum, 600);
        AddAt(b, hum, 0);
        Buf loop = LoopCrossfade(b, 0.3);
        Normalize(loop, 0.55);
        f.Sound("wingtron_sparkles.ogg", loop, 1, kRate);
    }
    {
        // Score counting: a quick tick train; each tick ends before the next, so the seam is silent.
        Buf b(Samples(0.8), 0.0f);
        for (int k = 0; k < 12; ++k) {
            Buf t = Blip(0.05, k % 2 ? 2400 : 2100, Wave::kSine, 0.01);
            FadeEdges(t, 1, 10);
            AddAt(b, t, k * (0.8 / 12), 0.5);
        }
        b.resize(Samples(0.8));
        Normalize(b, 0.5);
        f.Sound("score_count.ogg", b, 1, kRate);
    }
}

}  // namespace forge
