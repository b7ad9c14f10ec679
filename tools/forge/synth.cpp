// The forge's small synthesizer (see synth.h).
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace forge::synth {

double MidiHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

Buf Tone(double dur, const std::function<double(double)>& hz, Wave wave, const std::function<double(double)>& env,
         uint64_t seed) {
    int n = Samples(dur);
    Buf out(n);
    double phase = 0;
    Rng rng(seed);
    for (int i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / kRate;
        double v = 0;
        switch (wave) {
            case Wave::kSine: v = std::sin(2 * M_PI * phase); break;
            case Wave::kTriangle: v = 4 * std::abs(phase - std::floor(phase + 0.5)) - 1; break;
            case Wave::kSaw: v = 2 * (phase - std::floor(phase + 0.5)); break;
            case Wave::kSquare: v = phase - std::floor(phase) < 0.5 ? 1 : -1; break;
            case Wave::kNoise: v = rng.Range(-1, 1); break;
        }
        out[i] = static_cast<float>(v * env(t));
        phase += hz(t) / kRate;
        if (phase > 1e6) phase -= std::floor(phase);
    }
    return out;
}

std::function<double(double)> Adsr(double a, double d, double s, double r, double dur) {
    return [=](double t) {
        if (t < a) return t / a;
        if (t < a + d) return 1 - (1 - s) * (t - a) / d;
        if (t < dur - r) return s;
        if (t < dur) return s * (dur - t) / r;
        return 0.0;
    };
}

std::function<double(double)> Perc(double a, double decay) {
    return [=](double t) { return t < a ? t / a : std::exp(-(t - a) / decay); };
}

Buf Noise(double dur, uint64_t seed) {
    Rng rng(seed);
    Buf out(Samples(dur));
    for (float& s : out) s = static_cast<float>(rng.Range(-1, 1));
    return out;
}

Buf Pluck(double hz, double dur, double brightness, uint64_t seed) {
    int n = Samples(dur);
    int period = std::max(2, static_cast<int>(kRate / hz));
    Rng rng(seed);
    std::vector<double> line(period);
    for (double& v : line) v = rng.Range(-1, 1);
    // Soften the initial burst for a rounder, harp-like pluck.
    for (int k = 0; k < 2; ++k) {
        for (int i = 1; i < period; ++i) line[i] = 0.5 * (line[i] + line[i - 1]);
    }
    Buf out(n);
    int idx = 0;
    double damp = 0.5 + 0.49 * brightness;
    for (int i = 0; i < n; ++i) {
        int next = (idx + 1) % period;
        double v = line[idx];
        line[idx] = (damp * v + (1 - damp) * line[next]) * 0.996;
        out[i] = static_cast<float>(v);
        idx = next;
    }
    return out;
}

void LowPass(Buf& b, double cutoff) {
    double a = 1 - std::exp(-2 * M_PI * cutoff / kRate);
    double y = 0;
    for (float& s : b) {
        y += a * (s - y);
        s = static_cast<float>(y);
    }
}

void HighPass(Buf& b, double cutoff) {
    double a = 1 - std::exp(-2 * M_PI * cutoff / kRate);
    double y = 0;
    for (float& s : b) {
        y += a * (s - y);
        s = static_cast<float>(s - y);
    }
}

void BandPass(Buf& b, double centre, double q) {
    double w = 2 * M_PI * centre / kRate;
    double alpha = std::sin(w) / (2 * q);
    double b0 = alpha, b2 = -alpha, a0 = 1 + alpha, a1 = -2 * std::cos(w), a2 = 1 - alpha;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (float& s : b) {
        double x = s;
        double y = (b0 * x + b2 * x2 - a1 * y1 - a2 * y2) / a0;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        s = static_cast<float>(y);
    }
}

void Sweep(Buf& b, const std::function<double(double)>& cutoff) {
    double y = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        double a = 1 - std::exp(-2 * M_PI * cutoff(static_cast<double>(i) / kRate) / kRate);
        y += a * (b[i] - y);
        b[i] = static_cast<float>(y);
    }
}

void Gain(Buf& b, double g) {
    for (float& s : b) s = static_cast<float>(s * g);
}

void Envelope(Buf& b, const std::function<double(double)>& env) {
    for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<float>(b[i] * env(static_cast<double>(i) / kRate));
}

void AddAt(Buf& dst, const Buf& src, double at, double gain) {
    int off = Samples(at);
    if (off < 0) off = 0;
    if (dst.size() < off + src.size()) dst.resize(off + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i) dst[off + i] += static_cast<float>(src[i] * gain);
}

void Normalize(Buf& b, double peak) {
    double m = 0;
    for (float s : b) m = std::max(m, static_cast<double>(std::abs(s)));
    if (m > 0) Gain(b, peak / m);
}

void FadeEdges(Buf& b, double in_ms, double out_ms) {
    int ni = std::min<int>(static_cast<int>(b.size()), Samples(in_ms / 1000));
    int no = std::min<int>(static_cast<int>(b.size()), Samples(out_ms / 1000));
    for (int i = 0; i < ni; ++i) b[i] = static_cast<float>(b[i] * (static_cast<double>(i) / ni));
    for (int i = 0; i < no; ++i) b[b.size() - 1 - i] = static_cast<float>(b[b.size() - 1 - i] * (static_cast<double>(i) / no));
}

Buf Reverb(const Buf& dry, double room, double wet, int variant) {
    // Schroeder: four parallel combs into two allpasses.
    const int combs[2][4] = {{1557, 1617, 1491, 1422}, {1580, 1640, 1514, 1445}};
    const int alls[2][2] = {{225, 556}, {248, 579}};
    size_t n = dry.size() + Samples(room * 1.5);
    Buf acc(n, 0.0f);
    double fb = 0.7 + 0.28 * std::min(1.0, room);
    for (int c = 0; c < 4; ++c) {
        int d = combs[variant % 2][c];
        std::vector<double> line(d, 0.0);
        int idx = 0;
        double lp = 0;
        for (size_t i = 0; i < n; ++i) {
            double x = i < dry.size() ? dry[i] : 0.0;
            double y = line[idx];
            lp = y * 0.6 + lp * 0.4;  // damping
            line[idx] = x + lp * fb;
            acc[i] += static_cast<float>(y * 0.25);
            if (++idx == d) idx = 0;
        }
    }
    for (int a = 0; a < 2; ++a) {
        int d = alls[variant % 2][a];
        std::vector<double> line(d, 0.0);
        int idx = 0;
        for (size_t i = 0; i < n; ++i) {
            double x = acc[i];
            double y = line[idx];
            line[idx] = x + y * 0.5;
            acc[i] = static_cast<float>(y - x * 0.5);
            if (++idx == d) idx = 0;
        }
    }
    Buf out(n);
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<float>((i < dry.size() ? dry[i] : 0.0f) * (1 - wet * 0.5) + acc[i] * wet);
    return out;
}

Buf LoopCrossfade(const Buf& b, double xfade) {
    int x = Samples(xfade);
    int len = static_cast<int>(b.size()) - x;
    Buf out(b.begin(), b.begin() + len);
    for (int i = 0; i < x; ++i) {
        double t = static_cast<double>(i) / x;
        double gin = std::sin(t * M_PI / 2), gout = std::cos(t * M_PI / 2);
        out[i] = static_cast<float>(b[i] * gin + b[len + i] * gout);
    }
    return out;
}

std::vector<float> Stereo(const Buf& l, const Buf& r) {
    size_t n = std::max(l.size(), r.size());
    std::vector<float> out(n * 2, 0.0f);
    for (size_t i = 0; i < n; ++i) {
        out[i * 2] = i < l.size() ? l[i] : 0.0f;
        out[i * 2 + 1] = i < r.size() ? r[i] : 0.0f;
    }
    return out;
}

}  // namespace forge::synth
