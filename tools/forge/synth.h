// The forge's small synthesizer: oscillators, noise, envelopes, filters, a plucked string, a simple
// reverb and mixing helpers. Buffers are mono float samples at kRate unless said otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "canvas.h"

namespace forge::synth {

constexpr int kRate = 44100;
using Buf = std::vector<float>;

enum class Wave { kSine, kTriangle, kSaw, kSquare, kNoise };

inline int Samples(double secs) { return static_cast<int>(secs * kRate); }
double MidiHz(double note);

// Oscillator with a frequency that may change over time (Hz as a function of seconds); amplitude by env.
Buf Tone(double dur, const std::function<double(double)>& hz, Wave wave, const std::function<double(double)>& env,
         uint64_t seed = 1);
// Envelopes (functions of t in seconds).
std::function<double(double)> Adsr(double a, double d, double s, double r, double dur);
std::function<double(double)> Perc(double a, double decay);  // fast attack, exponential decay (time constant)
Buf Noise(double dur, uint64_t seed);
// Karplus-Strong plucked string.
Buf Pluck(double hz, double dur, double brightness, uint64_t seed);

// Filters (in place).
void LowPass(Buf& b, double cutoff_hz);
void HighPass(Buf& b, double cutoff_hz);
void BandPass(Buf& b, double centre_hz, double q);
// Time-varying low pass, cutoff as a function of seconds.
void Sweep(Buf& b, const std::function<double(double)>& cutoff_hz);

void Gain(Buf& b, double g);
void Envelope(Buf& b, const std::function<double(double)>& env);
void AddAt(Buf& dst, const Buf& src, double at_secs, double gain = 1.0);
void Normalize(Buf& b, double peak);
// Short fades so a sound starts and ends at silence (no click).
void FadeEdges(Buf& b, double in_ms, double out_ms);
Buf Reverb(const Buf& dry, double room, double wet, int variant = 0);
// Loops: blend the last `xfade` seconds of a buffer into its start, giving a seamless loop of the rest.
Buf LoopCrossfade(const Buf& b, double xfade);
// Interleave two mono buffers into stereo.
std::vector<float> Stereo(const Buf& l, const Buf& r);

}  // namespace forge::synth
