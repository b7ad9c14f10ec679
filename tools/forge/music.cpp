// Music and ambience: small compositions in one cheerful, slightly mysterious garden mood (dorian and
// mixolydian colours, plucked strings, marimba and flute over soft pads), rendered in stereo. Looping
// tracks are rendered twice end to end and the second pass is kept, so tails wrap into the start and the
// seam is inaudible; ambience loops are crossfaded.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>
#include <string>
#include <vector>

#include "forge.h"
#include "synth.h"

namespace forge {

namespace {

using namespace synth;

enum class Lead { kFlute, kMarimba, kBell, kPluck };

struct Song {
    std::string name;
    double bpm;
    int bars;
    std::vector<std::vector<int>> chords;  // per bar (cycled), MIDI notes of the chord from its root
    std::vector<int> scale;                 // MIDI notes the melody may use (one octave, ascending)
    Lead lead;
    bool drums;
    bool loop;
    uint64_t seed;
    double fade_out = 0;                    // seconds of fade at the end (non-looping pieces)
};

struct Mix2 {
    Buf l, r, send_l, send_r;
    explicit Mix2(size_t n) : l(n, 0.0f), r(n, 0.0f), send_l(n, 0.0f), send_r(n, 0.0f) {}
    void Add(const Buf& b, double at, double gain, double pan, double reverb) {
        double a = (pan + 1) * M_PI / 4;  // pan -1 left .. 1 right
        double gl = std::cos(a) * gain, gr = std::sin(a) * gain;
        int off = Samples(at);
        for (size_t i = 0; i < b.size() && off + i < l.size(); ++i) {
            if (off + static_cast<long>(i) < 0) continue;
            l[off + i] += static_cast<float>(b[i] * gl);
            r[off + i] += static_cast<float>(b[i] * gr);
            send_l[off + i] += static_cast<float>(b[i] * gl * reverb);
            send_r[off + i] += static_cast<float>(b[i] * gr * reverb);
        }
    }
};

Buf Flute(double hz, double dur, uint64_t seed) {
    Buf b = Tone(dur, [=](double t) { return hz * (1 + 0.006 * std::sin(2 * M_PI * 5.2 * t) * std::min(1.0, t * 3)); }, Wave::kSine,
                 Adsr(0.06, 0.1, 0.8, 0.12, dur));
    Buf h = Tone(dur, [=](double) { return hz * 2; }, Wave::kSine, Adsr(0.08, 0.1, 0.6, 0.12, dur));
    AddAt(b, h, 0, 0.18);
    Buf breath = Noise(dur, seed);
    BandPass(breath, hz * 2, 2);
    Envelope(breath, Adsr(0.03, 0.1, 0.3, 0.1, dur));
    AddAt(b, breath, 0, 0.15);
    return b;
}

Buf Marimba(double hz, double dur) {
    Buf b = Tone(dur, [=](double) { return hz; }, Wave::kSine, Perc(0.002, 0.35));
    AddAt(b, Tone(dur, [=](double) { return hz * 3.98; }, Wave::kSine, Perc(0.001, 0.06)), 0, 0.35);
    AddAt(b, Tone(dur, [=](double) { return hz * 10.0; }, Wave::kSine, Perc(0.001, 0.015)), 0, 0.1);
    return b;
}

Buf Bell(double hz, double dur) {
    Buf b = Tone(dur, [=](double) { return hz; }, Wave::kSine, Perc(0.002, 0.8));
    AddAt(b, Tone(dur, [=](double) { return hz * 2.76; }, Wave::kSine, Perc(0.002, 0.3)), 0, 0.3);
    AddAt(b, Tone(dur, [=](double) { return hz * 5.4; }, Wave::kSine, Perc(0.001, 0.1)), 0, 0.12);
    return b;
}

Buf Pad(double hz, double dur, uint64_t seed) {
    Buf b(Samples(dur), 0.0f);
    for (int k = 0; k < 3; ++k) {
        double det = 1 + (k - 1) * 0.004;
        AddAt(b, Tone(dur, [=](double) { return hz * det; }, Wave::kSaw, Adsr(dur * 0.3, 0.2, 0.8, dur * 0.35, dur), seed + k), 0, 0.33);
    }
    LowPass(b, 900);
    LowPass(b, 1400);
    return b;
}

Buf Bass(double hz, double dur) {
    Buf b = Tone(dur, [=](double) { return hz; }, Wave::kTriangle, Adsr(0.01, 0.15, 0.6, 0.1, dur));
    AddAt(b, Tone(dur, [=](double) { return hz; }, Wave::kSine, Adsr(0.01, 0.2, 0.7, 0.1, dur)), 0, 0.8);
    LowPass(b, 700);
    return b;
}

Buf Kick() {
    Buf b = Tone(0.3, [](double t) { return 50 + 90 * std::exp(-t * 30); }, Wave::kSine, Perc(0.002, 0.09));
    return b;
}

Buf Shaker(uint64_t seed) {
    Buf b = Noise(0.08, seed);
    HighPass(b, 6000);
    Envelope(b, Perc(0.01, 0.02));
    return b;
}

Buf Snap(uint64_t seed) {
    Buf b = Noise(0.15, seed);
    BandPass(b, 1800, 1.2);
    Envelope(b, Perc(0.001, 0.04));
    AddAt(b, Tone(0.1, [](double) { return 330; }, Wave::kTriangle, Perc(0.001, 0.03)), 0, 0.4);
    return b;
}

// Rendered notes are reused: a chord that comes back, or the second pass of a loop, costs nothing.
class NoteCache {
public:
    const Buf& Get(int kind, double note, double dur, uint64_t variant, const std::function<Buf()>& make) {
        auto key = std::make_tuple(kind, static_cast<int>(note * 100), static_cast<int>(dur * 1000), variant);
        auto it = cache_.find(key);
        if (it == cache_.end()) it = cache_.emplace(key, make()).first;
        return it->second;
    }

private:
    std::map<std::tuple<int, int, int, uint64_t>, Buf> cache_;
};

// Places one pass of the song's notes starting at `at` seconds.
void Compose(const Song& s, Mix2& mix, double at, NoteCache& cache) {
    const double beat = 60.0 / s.bpm;
    const double bar = beat * 4;
    Rng rng(s.seed);
    // Melody motifs: two bars each, as (beat offset, length in beats, scale step) triples.
    struct Note {
        double pos, len;
        int step;
    };
    auto motif = [&](int base) {
        std::vector<Note> m;
        double pos = 0;
        int step = base;
        while (pos < 8 - 0.01) {
            double len = rng.Uniform() < 0.55 ? 1 : (rng.Uniform() < 0.5 ? 0.5 : 2);
            if (pos + len > 8) len = 8 - pos;
            if (rng.Uniform() < 0.15 && pos > 0) {  // breathe
                pos += len;
                continue;
            }
            step += rng.Int(-2, 2);
            step = std::clamp(step, 0, 9);
            m.push_back({pos, len, step});
            pos += len;
        }
        return m;
    };
    std::vector<Note> a = motif(4), b = motif(6);
    std::vector<Note> a2 = a;
    if (!a2.empty()) a2.back().step = 0;  // the answer resolves home
    auto scale_note = [&](int step) {
        int octave = step / static_cast<int>(s.scale.size());
        return s.scale[step % s.scale.size()] + 12 * octave;
    };
    for (int i = 0; i < s.bars; ++i) {
        double t0 = at + i * bar;
        const std::vector<int>& chord = s.chords[i % s.chords.size()];
        // Pad: the chord held over the bar, spread across the stereo field.
        for (size_t k = 0; k < chord.size(); ++k) {
            uint64_t seed = s.seed + k;
            const Buf& pad = cache.Get(0, chord[k], bar * 1.05, seed, [&] { return Pad(MidiHz(chord[k] + 12), bar * 1.05, seed); });
            mix.Add(pad, t0, 0.07, -0.6 + 1.2 * k / std::max<size_t>(1, chord.size() - 1), 0.5);
        }
        // Bass: root on one, fifth on three.
        mix.Add(cache.Get(1, chord[0] - 12, beat * 1.8, 0, [&] { return Bass(MidiHz(chord[0] - 12), beat * 1.8); }), t0, 0.32, 0, 0.1);
        mix.Add(cache.Get(1, chord[0] - 5, beat * 1.8, 0, [&] { return Bass(MidiHz(chord[0] - 5), beat * 1.8); }), t0 + beat * 2, 0.26,
                0, 0.1);
        // Plucked arpeggio in eighths.
        static const int pattern[8] = {0, 1, 2, 1, 3, 2, 1, 2};
        for (int e = 0; e < 8; ++e) {
            int idx = pattern[e] % chord.size();
            int note = chord[idx] + 12 + (pattern[e] >= static_cast<int>(chord.size()) ? 12 : 0);
            uint64_t seed = s.seed * 31 + e;
            mix.Add(cache.Get(2, note, 1.2, seed, [&] { return Pluck(MidiHz(note), 1.2, 0.35, seed); }), t0 + e * beat / 2,
                    e % 2 ? 0.1 : 0.14, 0.35, 0.35);
        }
        // Melody from the third bar on, as A A' B A'.
        if (i >= 2) {
            int phrase = ((i - 2) / 2) % 4;
            const std::vector<Note>& m = phrase == 2 ? b : (phrase == 3 ? a2 : a);
            int half = (i - 2) % 2;
            for (const Note& n : m) {
                if (n.pos < half * 4 || n.pos >= half * 4 + 4) continue;
                double t = t0 + (n.pos - half * 4) * beat;
                double hz = MidiHz(scale_note(n.step) + 12);
                double len = n.len * beat;
                const Buf& voice = cache.Get(3, scale_note(n.step), len, 0, [&] {
                    switch (s.lead) {
                        case Lead::kFlute: return Flute(hz, len * 0.95, s.seed + n.step);
                        case Lead::kMarimba: return Marimba(hz, std::max(0.6, len));
                        case Lead::kBell: return Bell(hz, std::max(1.2, len));
                        case Lead::kPluck: break;
                    }
                    return Pluck(hz, std::max(0.8, len), 0.6, s.seed + n.step);
                });
                mix.Add(voice, t, s.lead == Lead::kFlute ? 0.2 : 0.24, -0.25, 0.4);
            }
        }
        if (s.drums) {
            const Buf& kick = cache.Get(4, 0, 0, 0, [] { return Kick(); });
            mix.Add(kick, t0, 0.45, 0, 0.05);
            mix.Add(kick, t0 + beat * 2, 0.35, 0, 0.05);
            mix.Add(cache.Get(5, 0, 0, i % 4, [&] { return Snap(s.seed + i % 4); }), t0 + beat, 0.12, 0.15, 0.3);
            mix.Add(cache.Get(5, 0, 0, 4 + i % 4, [&] { return Snap(s.seed + 4 + i % 4); }), t0 + beat * 3, 0.12, 0.15, 0.3);
            for (int e = 0; e < 8; ++e) {
                mix.Add(cache.Get(6, 0, 0, e, [&] { return Shaker(s.seed + e); }), t0 + e * beat / 2, e % 2 ? 0.05 : 0.08, 0.5, 0.1);
            }
        }
    }
}

std::vector<float> Render(const Song& s) {
    const double length = s.bars * 4 * 60.0 / s.bpm;
    const double tail = 4;
    if (s.loop) {
        Mix2 mix(Samples(length * 2 + tail));
        NoteCache cache;
        Compose(s, mix, 0, cache);
        Compose(s, mix, length, cache);
        // Keep one period of the second pass, starting a moment before its downbeat so the loop point
        // falls in sustained sound rather than on a note's attack. The reverb only needs the few seconds
        // before that period (its tail dies well within them).
        int from = Samples(length - 0.012), n = Samples(length);
        int rev_from = Samples(length - 6);
        Buf sl(mix.send_l.begin() + rev_from, mix.send_l.end()), sr(mix.send_r.begin() + rev_from, mix.send_r.end());
        Buf wl = Reverb(sl, 0.8, 1.0, 0), wr = Reverb(sr, 0.8, 1.0, 1);
        Buf l(n), r(n);
        for (int i = 0; i < n; ++i) {
            l[i] = mix.l[from + i] + 0.35f * wl[from - rev_from + i];
            r[i] = mix.r[from + i] + 0.35f * wr[from - rev_from + i];
        }
        // The two passes differ a little at the seam (the reverb has heard more by the end), so the last
        // 50 ms blend into what leads up to the first sample: the sound just before `from`. The end then
        // runs on into the start in value and slope; the raised cosine adds no bend of its own.
        const int blend = Samples(0.05);
        for (int i = 0; i < blend; ++i) {
            const double w = 0.5 - 0.5 * std::cos(M_PI * (i + 1) / blend);
            const int lead_in = from - blend + i;
            const int at = n - blend + i;
            const double lead_l = mix.l[lead_in] + 0.35f * wl[lead_in - rev_from];
            const double lead_r = mix.r[lead_in] + 0.35f * wr[lead_in - rev_from];
            l[at] = static_cast<float>((1 - w) * l[at] + w * lead_l);
            r[at] = static_cast<float>((1 - w) * r[at] + w * lead_r);
        }
        double peak = 0;
        for (int i = 0; i < n; ++i) peak = std::max({peak, static_cast<double>(std::abs(l[i])), static_cast<double>(std::abs(r[i]))});
        Gain(l, 0.85 / peak);
        Gain(r, 0.85 / peak);
        return Stereo(l, r);
    }
    Mix2 mix(Samples(length + tail));
    NoteCache cache;
    Compose(s, mix, 0.3, cache);
    Buf wl = Reverb(mix.send_l, 0.8, 1.0, 0), wr = Reverb(mix.send_r, 0.8, 1.0, 1);
    int n = Samples(length + tail);
    Buf l(n), r(n);
    for (int i = 0; i < n; ++i) {
        l[i] = mix.l[i] + 0.35f * wl[i];
        r[i] = mix.r[i] + 0.35f * wr[i];
    }
    if (s.fade_out > 0) {
        int fo = Samples(s.fade_out);
        for (int i = 0; i < fo; ++i) {
            double g = static_cast<double>(i) / fo;
            l[n - 1 - i] *= static_cast<float>(g);
            r[n - 1 - i] *= static_cast<float>(g);
        }
    }
    Normalize(l, 0.85);
    Normalize(r, 0.85);
    return Stereo(l, r);
}

// ---- ambience ----

Buf Wind(double dur, uint64_t seed, double base, double depth) {
    Buf b = Noise(dur, seed);
    Rng rng(seed);
    double p1 = rng.Range(0, 6), p2 = rng.Range(0, 6);
    Sweep(b, [=](double t) { return base * (1 + depth * std::sin(t * 0.4 + p1) * std::sin(t * 0.13 + p2)); });
    LowPass(b, base * 2);
    Envelope(b, [=](double t) { return 0.6 + 0.4 * std::sin(t * 0.31 + p2); });
    return b;
}

Buf Bird(double hz, int notes, uint64_t seed) {
    Rng rng(seed);
    Buf b(Samples(notes * 0.12 + 0.3), 0.0f);
    for (int k = 0; k < notes; ++k) {
        double f0 = hz * rng.Range(0.9, 1.15), f1 = f0 * rng.Range(1.1, 1.5);
        Buf c = Tone(0.09, [=](double t) { return f0 + (f1 - f0) * std::sin(t / 0.09 * M_PI); }, Wave::kSine, Adsr(0.01, 0.02, 0.7, 0.04, 0.09));
        AddAt(b, c, k * rng.Range(0.09, 0.14), 1);
    }
    return b;
}

Buf DogBark(uint64_t seed) {
    Buf b(Samples(0.8), 0.0f);
    for (int k = 0; k < 2; ++k) {
        Buf w = Tone(0.18, [](double t) { return 420 - t * 600; }, Wave::kSaw, Perc(0.005, 0.06), seed + k);
        BandPass(w, 900, 1.5);
        Buf n = Noise(0.18, seed + 10 + k);
        BandPass(n, 1200, 2);
        Envelope(n, Perc(0.003, 0.04));
        AddAt(w, n, 0, 0.5);
        AddAt(b, w, k * 0.28, 1);
    }
    LowPass(b, 2000);  // far away
    return b;
}

std::vector<float> Ambience(int which) {
    const double dur = 36, xfade = 3;
    Mix2 mix(Samples(dur + 2));
    Rng rng(900 + which);
    if (which == 0) {  // forest: leaves in the breeze and birds
        mix.Add(Wind(dur, 901, 700, 0.5), 0, 0.25, -0.4, 0.2);
        mix.Add(Wind(dur, 902, 900, 0.5), 0, 0.25, 0.4, 0.2);
        for (int k = 0; k < 26; ++k) {
            double hz = std::vector<double>{2800, 3600, 4400}[k % 3];
            mix.Add(Bird(hz, rng.Int(2, 6), 910 + k), rng.Range(0.5, dur - 2), rng.Range(0.05, 0.12), rng.Range(-0.9, 0.9), 0.5);
        }
        for (int k = 0; k < 4; ++k) {  // a woodpecker far off
            double t = rng.Range(2, dur - 3);
            for (int h = 0; h < 8; ++h) {
                Buf knock = Tone(0.03, [](double) { return 900; }, Wave::kSine, Perc(0.001, 0.008));
                mix.Add(knock, t + h * 0.06, 0.06, -0.7, 0.6);
            }
        }
    } else if (which == 1) {  // near humans: a village hum, a dog, a bell
        Buf hum = Wind(dur, 920, 180, 0.3);
        mix.Add(hum, 0, 0.35, 0, 0.2);
        mix.Add(Tone(dur, [](double) { return 100; }, Wave::kSine, [](double t) { return 0.5 + 0.2 * std::sin(t * 0.5); }), 0, 0.03, 0, 0);
        for (int k = 0; k < 5; ++k) mix.Add(DogBark(930 + k), rng.Range(1, dur - 2), 0.12, rng.Range(-0.8, 0.8), 0.6);
        for (int k = 0; k < 3; ++k) {
            double t = 4 + k * 11 + rng.Range(0, 3);
            mix.Add(Bell(MidiHz(64), 3.5), t, 0.12, 0.6, 0.8);
            mix.Add(Bell(MidiHz(60), 3.5), t + 1.2, 0.1, 0.6, 0.8);
        }
        for (int k = 0; k < 8; ++k) mix.Add(Bird(3200, 3, 940 + k), rng.Range(0.5, dur - 2), 0.04, rng.Range(-0.9, 0.9), 0.5);
    } else {  // plains: wind through grass and a far tractor
        mix.Add(Wind(dur, 950, 500, 0.8), 0, 0.35, -0.5, 0.2);
        mix.Add(Wind(dur, 951, 1500, 0.6), 0, 0.15, 0.5, 0.2);
        Buf tractor = Tone(14, [](double) { return 55; }, Wave::kSaw, [](double t) {
            double am = 0.5 + 0.5 * std::sin(2 * M_PI * 7.5 * t);
            double swell = std::sin(t / 14 * M_PI);
            return am * swell;
        });
        LowPass(tractor, 300);
        mix.Add(tractor, 12, 0.2, 0.7, 0.5);
        for (int k = 0; k < 10; ++k) mix.Add(Bird(4200, 2, 960 + k), rng.Range(0.5, dur - 2), 0.04, rng.Range(-0.9, 0.9), 0.5);
    }
    Buf wl = Reverb(mix.send_l, 0.9, 1.0, 0), wr = Reverb(mix.send_r, 0.9, 1.0, 1);
    Buf l(Samples(dur)), r(Samples(dur));
    for (size_t i = 0; i < l.size(); ++i) {
        l[i] = mix.l[i] + 0.4f * wl[i];
        r[i] = mix.r[i] + 0.4f * wr[i];
    }
    l = LoopCrossfade(l, xfade);
    r = LoopCrossfade(r, xfade);
    double peak = 0;
    for (size_t i = 0; i < l.size(); ++i) peak = std::max({peak, static_cast<double>(std::abs(l[i])), static_cast<double>(std::abs(r[i]))});
    Gain(l, 0.7 / peak);
    Gain(r, 0.7 / peak);
    return Stereo(l, r);
}

std::vector<float> Jingle() {
    // The studio jingle: a rising chime arpeggio over a warm swell, ending on a bell.
    Mix2 mix(Samples(6.5));
    const int notes[] = {62, 66, 69, 74, 78, 81};
    for (int k = 0; k < 6; ++k) mix.Add(Bell(MidiHz(notes[k]), 2.5), 0.2 + k * 0.16, 0.22, -0.6 + k * 0.24, 0.6);
    for (int n : {50, 57, 62, 66}) mix.Add(Pad(MidiHz(n), 4.5, static_cast<uint64_t>(n)), 0.1, 0.12, 0, 0.6);
    mix.Add(Bell(MidiHz(86), 3.5), 1.4, 0.25, 0.2, 0.8);
    Buf wl = Reverb(mix.send_l, 0.9, 1.0, 0), wr = Reverb(mix.send_r, 0.9, 1.0, 1);
    Buf l(Samples(6.5)), r(Samples(6.5));
    for (size_t i = 0; i < l.size(); ++i) {
        l[i] = mix.l[i] + 0.45f * wl[i];
        r[i] = mix.r[i] + 0.45f * wr[i];
    }
    FadeEdges(l, 5, 800);
    FadeEdges(r, 5, 800);
    Normalize(l, 0.85);
    Normalize(r, 0.85);
    return Stereo(l, r);
}

}  // namespace

void ForgeMusic(Forge& f, int part) {
    // Chords as MIDI notes (octave 4); scales for the melodies.
    const std::vector<int> d_dorian = {62, 64, 65, 67, 69, 71, 72};
    const std::vector<int> a_dorian = {57, 59, 60, 62, 64, 66, 67};
    const std::vector<int> e_minor = {64, 66, 67, 69, 71, 72, 74};
    const std::vector<int> g_mixo = {55, 57, 59, 60, 62, 64, 65};
    const std::vector<int> c_dorian = {60, 62, 63, 65, 67, 69, 70};
    const std::vector<int> f_major = {65, 67, 69, 70, 72, 74, 76};
    const Song songs[] = {
        {"Menu_theme.ogg", 96, 16, {{50, 57, 60, 65}, {55, 59, 62, 65}, {46, 53, 57, 62}, {48, 55, 60, 64}}, d_dorian, Lead::kFlute, true, true, 1001},
        {"Main_track1.ogg", 104, 16, {{45, 52, 57, 60}, {50, 54, 57, 62}, {53, 57, 60, 64}, {55, 59, 62, 67}}, a_dorian, Lead::kMarimba, true, true, 1002},
        {"Main_track2.ogg", 92, 12, {{52, 59, 64, 67}, {57, 61, 64, 69}, {48, 55, 60, 64}, {50, 57, 62, 66}}, e_minor, Lead::kBell, true, true, 1003},
        {"Main_track3.ogg", 112, 16, {{55, 59, 62, 67}, {53, 57, 60, 65}, {48, 55, 60, 64}, {55, 62, 65, 71}}, g_mixo, Lead::kFlute, true, true, 1004},
        {"Main_track4.ogg", 100, 16, {{48, 55, 60, 63}, {53, 57, 60, 65}, {56, 60, 63, 67}, {58, 62, 65, 70}}, c_dorian, Lead::kPluck, true, true, 1005},
        {"intro_story.ogg", 70, 18, {{50, 57, 62, 65}, {46, 53, 58, 62}, {48, 55, 60, 64}, {45, 52, 57, 61}}, d_dorian, Lead::kFlute, false, false, 1006, 5},
        {"end_story.ogg", 76, 14, {{53, 60, 65, 69}, {48, 55, 60, 64}, {50, 57, 62, 65}, {46, 53, 58, 62}}, f_major, Lead::kBell, false, false, 1007, 5},
    };
    // Three parts of similar work, so they can run on separate threads.
    if (part == 0) {
        for (int i = 0; i < 5; ++i) f.Sound(songs[i].name, Render(songs[i]), 2, kRate);
    } else if (part == 1) {
        for (int i = 5; i < 7; ++i) f.Sound(songs[i].name, Render(songs[i]), 2, kRate);
        f.Sound("forest_lvl.ogg", Ambience(0), 2, kRate);
        f.Sound("near_humans_lvl.ogg", Ambience(1), 2, kRate);
    } else {
        f.Sound("plane_lv.ogg", Ambience(2), 2, kRate);
        f.Sound("oxbeam_intro.ogg", Jingle(), 2, kRate);
    }
}

}  // namespace forge
