// effect_sounds.cpp - GenerateSounds: synthesises the thirteen effect files sound00.wav to
// sound13.wav (slot 4 reuses sound03.wav at a lower rate, so it has no file).
//
// Sections: building blocks | the effects | finishing | the table and the files
//
// Every effect is synthesised at 44100 Hz in floating point, band-limited and resampled to
// its file's rate with a windowed-sinc filter, cleared of DC, given short fades so that
// nothing clicks, and normalised to a peak of -1 dBFS. All noise comes from fixed seeds, so
// two runs write the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/wav_writer.h"

namespace {

// ================================================================ building blocks
constexpr double SYNTH_RATE = 44100;
constexpr double TWO_PI = 6.283185307179586;
constexpr float PEAK = 0.8912509f; // -1 dBFS

using Signal = std::vector<float>;

struct Noise {
    uint32_t s;
    float Next() { // -1 .. 1
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return float(s >> 8) / 8388608.0f - 1.0f;
    }
};

// Sine oscillator with a phase accumulator, so the frequency may glide.
struct Sine {
    double phase = 0;
    float Next(double hz) {
        const float v = float(std::sin(phase));
        phase += TWO_PI * hz / SYNTH_RATE;
        if (phase > TWO_PI) phase -= TWO_PI;
        return v;
    }
};

// Sawtooth with a polynomial band-limited step (little aliasing even when it sweeps high).
struct Saw {
    double t = 0; // 0 .. 1
    float Next(double hz) {
        const double dt = hz / SYNTH_RATE;
        double v = 2 * t - 1;
        if (t < dt) {
            const double x = t / dt;
            v -= x + x - x * x - 1;
        } else if (t > 1 - dt) {
            const double x = (t - 1) / dt;
            v -= x * x + x + x + 1;
        }
        t += dt;
        if (t >= 1) t -= 1;
        return float(v);
    }
};

// Second-order filter (the usual audio cookbook forms), retuned whenever asked.
struct Biquad {
    enum Kind { LOW, HIGH, BAND };
    Kind kind;
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    explicit Biquad(Kind k) : kind(k) {}
    void Tune(double hz, double q) {
        hz = std::clamp(hz, 10.0, SYNTH_RATE * 0.45);
        const double w = TWO_PI * hz / SYNTH_RATE, c = std::cos(w), alpha = std::sin(w) / (2 * q);
        const double a0 = 1 + alpha;
        if (kind == LOW) b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2;
        if (kind == HIGH) b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2;
        if (kind == BAND) b0 = alpha, b1 = 0, b2 = -alpha;
        b0 /= a0, b1 /= a0, b2 /= a0;
        a1 = -2 * c / a0, a2 = (1 - alpha) / a0;
    }
    float Next(float x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return float(y);
    }
};

double Decay(double t, double seconds) {
    return std::exp(-t / seconds);
}

// Rises over `attack` seconds with a quarter sine, then decays exponentially.
double Strike(double t, double attack, double decay) {
    if (t < attack) return std::sin(0.5 * 3.141592653589793 * t / attack);
    return Decay(t - attack, decay);
}

// A frequency gliding exponentially from a to b over `seconds`, then holding b.
double Glide(double t, double a, double b, double seconds) {
    const double k = std::min(t / seconds, 1.0);
    return a * std::pow(b / a, k);
}

Signal Render(double seconds, const std::function<float(double t)>& voice) {
    Signal s(size_t(std::ceil(seconds * SYNTH_RATE)) + 64);
    for (size_t i = 0; i < s.size(); i++) s[i] = voice(double(i) / SYNTH_RATE);
    return s;
}

// ================================================================ the effects
// 0: the fast gun - a hard, short crack with a little low punch.
Signal FastGun() {
    Noise noise{0xA11CE001u};
    Biquad band(Biquad::BAND), body(Biquad::LOW);
    band.Tune(2600, 0.9);
    Sine thump;
    return Render(0.09, [&](double t) {
        body.Tune(Glide(t, 5000, 900, 0.05), 0.8);
        const float crack = band.Next(noise.Next()) * float(Strike(t, 0.0008, 0.012)) * 2.2f;
        const float hiss = body.Next(noise.Next()) * float(Strike(t, 0.001, 0.025)) * 0.8f;
        const float punch = thump.Next(Glide(t, 190, 70, 0.05)) * float(Strike(t, 0.002, 0.03));
        return crack + hiss + punch * 0.9f;
    });
}

// 1: a light shot meets a wall - a bright metallic ping of inharmonic partials.
Signal MetalPing() {
    const double partials[][3] = {{1870, 1.0, 0.045},
                                  {2987, 0.7, 0.035},
                                  {4410, 0.5, 0.025},
                                  {6120, 0.35, 0.018},
                                  {8350, 0.2, 0.012}};
    Sine osc[5];
    Noise noise{0xB0B0B0B1u};
    Biquad click(Biquad::HIGH);
    click.Tune(3000, 0.7);
    return Render(0.11, [&](double t) {
        float v = 0;
        for (int k = 0; k < 5; k++)
            v += osc[k].Next(partials[k][0]) *
                 float(partials[k][1] * Strike(t, 0.0005, partials[k][2]));
        v += click.Next(noise.Next()) * float(Decay(t, 0.003)) * 0.8f;
        return v;
    });
}

// 2: the fireball - a roaring whoosh whose resonance sweeps down as it leaves.
Signal FireballWhoosh() {
    Noise noise{0xF12EBA11u}, crackle{0x0C0FFEE5u};
    Biquad sweep(Biquad::BAND), roar(Biquad::LOW);
    roar.Tune(260, 0.7);
    return Render(0.43, [&](double t) {
        sweep.Tune(Glide(t, 2600, 380, 0.38), 2.2);
        const double env = t < 0.05 ? t / 0.05 : Decay(t - 0.05, 0.14);
        const float n = noise.Next();
        float v = sweep.Next(n) * 2.4f + roar.Next(n) * 3.0f;
        // Sparse crackles of burning.
        const float c = crackle.Next();
        if (c > 0.985f) v += (c - 0.985f) * 40.0f * float(Decay(t, 0.2));
        return v * float(env);
    });
}

// 3 (and 4, an octave-ish lower): the heavy bolt - a thick downward zap with a low body.
Signal HeavyBolt() {
    Saw saw1, saw2;
    Sine sub;
    Noise noise{0x5EAB0175u};
    Biquad tone(Biquad::LOW), punch(Biquad::BAND);
    punch.Tune(900, 1.2);
    return Render(0.30, [&](double t) {
        const double f = Glide(t, 980, 120, 0.26);
        tone.Tune(Glide(t, 4200, 700, 0.25), 1.4);
        const double wobble = 1 + 0.04 * std::sin(TWO_PI * 34 * t);
        const float zap = tone.Next(saw1.Next(f * wobble) + saw2.Next(f * 1.012));
        const float body = sub.Next(f / 2) * 0.7f;
        const float hit = punch.Next(noise.Next()) * float(Decay(t, 0.015)) * 1.8f;
        return (zap * 0.7f + body) * float(Strike(t, 0.003, 0.11)) + hit;
    });
}

// 5: a hit - a dry crack with a splintering tail and a dull thud under it.
Signal HitCrack() {
    Noise noise{0xC4AC4001u}, grit{0x6417E500u};
    Biquad crackBand(Biquad::BAND), tail(Biquad::HIGH);
    crackBand.Tune(1700, 1.1);
    tail.Tune(1200, 0.7);
    Sine thud;
    return Render(0.27, [&](double t) {
        const float crack = crackBand.Next(noise.Next()) * float(Strike(t, 0.0005, 0.018)) * 2.5f;
        float splinter = 0;
        const float g = grit.Next();
        if (g > 0.93f)
            splinter = tail.Next(g) * 3.0f * float(Decay(t, 0.07));
        else
            splinter = tail.Next(0) * float(Decay(t, 0.07));
        const float low = thud.Next(Glide(t, 160, 60, 0.12)) * float(Strike(t, 0.002, 0.06));
        return crack + splinter + low * 0.9f;
    });
}

// 6: the plasma ball - a warbling electric "pew" with a ring-modulated shimmer.
Signal PlasmaShot() {
    Sine carrier, ring, vibrato;
    Saw edge;
    Biquad soften(Biquad::LOW);
    soften.Tune(5000, 0.7);
    return Render(0.28, [&](double t) {
        const double f = Glide(t, 1900, 330, 0.22) * (1 + 0.06 * vibrato.Next(28));
        const float c = carrier.Next(f);
        const float shimmer = c * ring.Next(f * 1.51) * 0.5f;
        const float grit = soften.Next(edge.Next(f * 0.5)) * 0.25f;
        return (c + shimmer + grit) * float(Strike(t, 0.004, 0.085));
    });
}

// 7: the teleport - a long rising sweep of detuned voices with a quickening shimmer,
// sparkles at the top, then a fade.
Signal TeleportSweep() {
    Saw voices[3];
    Sine tremolo, sparkle;
    Noise noise{0x7E1E9027u}, twinkle{0x57A2D057u};
    Biquad tone(Biquad::LOW), air(Biquad::BAND);
    return Render(2.04, [&](double t) {
        const double rise = Glide(t, 110, 1400, 1.5);
        tone.Tune(Glide(t, 500, 6000, 1.4), 3.0);
        float v = 0;
        const double detune[3] = {1.0, 1.007, 0.993 * 1.5};
        for (int k = 0; k < 3; k++) v += voices[k].Next(rise * detune[k]);
        v = tone.Next(v) * 0.45f;
        const double trem = 0.65 + 0.35 * tremolo.Next(Glide(t, 4, 26, 1.6));
        air.Tune(Glide(t, 800, 5200, 1.6), 4.0);
        const float whoosh = air.Next(noise.Next()) * 0.9f;
        float spark = 0;
        if (t > 1.0) {
            const float tw = twinkle.Next();
            spark = sparkle.Next(2600 + 1400 * tw) * float(0.25 * std::min(1.0, (t - 1.0) / 0.3));
        }
        const double env = std::min(1.0, t / 0.12) * (t < 1.55 ? 1.0 : Decay(t - 1.55, 0.16));
        return float((v * trem + whoosh + spark) * env);
    });
}

// 8: a purchase - two quick bell notes, the second a fifth up.
Signal PurchaseChime() {
    Sine a1, a2, b1, b2;
    return Render(0.17, [&](double t) {
        const float first =
            (a1.Next(1318.5) + 0.35f * a2.Next(2637)) * float(Strike(t, 0.002, 0.05));
        float second = 0;
        if (t > 0.055) {
            const double u = t - 0.055;
            second = (b1.Next(1975.5) + 0.35f * b2.Next(3951)) * float(Strike(u, 0.002, 0.045));
        }
        return first * 0.8f + second;
    });
}

// 9: a menu blip - twenty milliseconds of a clean tone under a smooth window.
Signal MenuBlip() {
    Sine tone, octave;
    return Render(0.02, [&](double t) {
        const double w = std::sin(3.141592653589793 * std::min(t / 0.02, 1.0));
        return float((tone.Next(1480) + 0.3 * octave.Next(2960)) * w * w);
    });
}

// 10: an explosion - a blast of low noise, a falling rumble and scattered debris.
Signal Explosion() {
    Noise noise{0xB00B5E11u}, debris{0xDEB415A1u};
    Biquad low(Biquad::LOW), crack(Biquad::BAND), grit(Biquad::HIGH);
    crack.Tune(1500, 0.8);
    grit.Tune(2500, 0.7);
    Sine rumble;
    return Render(0.57, [&](double t) {
        low.Tune(Glide(t, 2400, 240, 0.35), 0.9);
        const float n = noise.Next();
        const float blast = low.Next(n) * float(Strike(t, 0.004, 0.16)) * 2.6f;
        const float snap = crack.Next(n) * float(Decay(t, 0.02)) * 1.8f;
        const float boom = rumble.Next(Glide(t, 90, 38, 0.4)) * float(Strike(t, 0.006, 0.18));
        const float d = debris.Next();
        const float bits = d > 0.97f ? grit.Next(d) * 4.0f * float(Decay(t, 0.15)) : grit.Next(0);
        return blast + snap + boom + bits * 0.6f;
    });
}

// 11: a landing and footstep - a heavy metal foot: a low thud and a short clank.
Signal FootThud() {
    Sine thud, clank1, clank2;
    Noise noise{0xF00757E9u};
    Biquad scuff(Biquad::LOW);
    scuff.Tune(900, 0.7);
    return Render(0.74, [&](double t) {
        const float low = thud.Next(Glide(t, 110, 46, 0.09)) * float(Strike(t, 0.003, 0.11));
        const float metal =
            (clank1.Next(620) * 0.5f + clank2.Next(1013) * 0.3f) * float(Strike(t, 0.001, 0.05));
        const float dirt = scuff.Next(noise.Next()) * float(Decay(t, 0.02)) * 1.4f;
        // A faint ring of the robot's frame settling.
        const float settle = clank1.Next(310) * float(0.12 * Decay(t, 0.25));
        return low * 1.2f + metal + dirt + settle;
    });
}

// 12: the head bonk - a hollow metal "bonk" that drops in pitch, with a wobbly ring.
Signal HeadBonk() {
    Sine fundamental, second, third, wobble;
    Noise noise{0xB0E4B0E4u};
    Biquad knock(Biquad::BAND);
    knock.Tune(1200, 1.5);
    return Render(0.44, [&](double t) {
        const double f = Glide(t, 420, 250, 0.08) * (1 + 0.015 * wobble.Next(7));
        const float body = fundamental.Next(f) * float(Strike(t, 0.002, 0.12)) +
                           second.Next(f * 2.76) * float(0.45 * Strike(t, 0.001, 0.06)) +
                           third.Next(f * 5.4) * float(0.25 * Strike(t, 0.001, 0.03));
        const float hit = knock.Next(noise.Next()) * float(Decay(t, 0.01)) * 1.5f;
        return body + hit;
    });
}

// 13: a pickup - a quick rising arpeggio of bright bell tones with a sparkle.
Signal PickupSparkle() {
    const double notes[4] = {1046.5, 1318.5, 1568.0, 2093.0};
    Sine tones[4], harmonics[4];
    Noise noise{0x5BA4C1E5u};
    Biquad shimmer(Biquad::HIGH);
    shimmer.Tune(4000, 0.7);
    return Render(0.26, [&](double t) {
        float v = 0;
        for (int k = 0; k < 4; k++) {
            const double start = 0.045 * k;
            if (t < start) continue;
            const double env = Strike(t - start, 0.002, 0.04);
            v += float((tones[k].Next(notes[k]) + 0.3 * harmonics[k].Next(notes[k] * 3)) * env);
        }
        v += shimmer.Next(noise.Next()) * float(0.15 * Strike(t, 0.01, 0.08));
        return v;
    });
}

// ================================================================ finishing
// Windowed-sinc resampling (Blackman window, cut-off below the new Nyquist frequency) from
// SYNTH_RATE to `rate`, giving exactly `count` samples.
Signal Resample(const Signal& in, double rate, size_t count) {
    if (rate == SYNTH_RATE)
        return Signal(in.begin(), in.begin() + std::ptrdiff_t(std::min(count, in.size())));
    const double ratio = SYNTH_RATE / rate;
    const double cutoff = 0.45 / ratio; // of SYNTH_RATE
    const int half = int(std::ceil(16 * ratio));
    Signal out(count, 0.0f);
    for (size_t i = 0; i < count; i++) {
        const double centre = double(i) * ratio;
        const int first = int(std::floor(centre)) - half, last = int(std::floor(centre)) + half;
        double sum = 0;
        for (int k = first; k <= last; k++) {
            if (k < 0 || size_t(k) >= in.size()) continue;
            const double x = double(k) - centre;
            const double w = 0.42 + 0.5 * std::cos(3.141592653589793 * x / (half + 1)) +
                             0.08 * std::cos(2 * 3.141592653589793 * x / (half + 1));
            const double arg = TWO_PI * cutoff * x;
            const double sinc = x == 0 ? 2 * cutoff : std::sin(arg) / (3.141592653589793 * x);
            sum += in[size_t(k)] * sinc * w;
        }
        out[i] = float(sum);
    }
    return out;
}

// DC blocker, edge fades, then the peak brought to -1 dBFS.
void Finish(Signal& s, double rate) {
    double x1 = 0, y1 = 0;
    const double r = std::exp(-TWO_PI * 25.0 / rate); // about 25 Hz
    for (float& v : s) {
        const double y = v - x1 + r * y1;
        x1 = v, y1 = y;
        v = float(y);
    }
    const size_t fadeIn = std::max<size_t>(2, size_t(rate * 0.0008));
    const size_t fadeOut = std::min(s.size() / 4, size_t(rate * 0.012));
    for (size_t i = 0; i < fadeIn && i < s.size(); i++) s[i] *= float(i) / float(fadeIn);
    for (size_t i = 0; i < fadeOut; i++) {
        const double k = double(i) / double(fadeOut); // 0 at the last sample
        s[s.size() - 1 - i] *= float(0.5 - 0.5 * std::cos(3.141592653589793 * k));
    }
    // What offset is left is taken out under a bump that is 0 at both ends, so the fades
    // stay silent.
    double sum = 0, weight = 0;
    for (size_t i = 0; i < s.size(); i++) {
        const double w = std::sin(3.141592653589793 * (double(i) + 0.5) / double(s.size()));
        sum += s[i], weight += w * w;
    }
    for (size_t i = 0; i < s.size(); i++) {
        const double w = std::sin(3.141592653589793 * (double(i) + 0.5) / double(s.size()));
        s[i] -= float(sum / weight * w * w);
    }
    float peak = 0;
    for (float v : s) peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        for (float& v : s) v *= PEAK / peak;
}

// ================================================================ the table and the files
struct EffectFile {
    const char* name;
    uint32_t rate;
    int bits;
    double seconds;
    Signal (*synth)();
    WavLayout extras; // rate and bits are filled in from the row
};

const EffectFile EFFECTS[] = {
    {"sound00.wav", 22050, 16, 0.09, FastGun, {}},
    {"sound01.wav", 44100, 8, 0.11, MetalPing, {}},
    {"sound02.wav", 11025, 16, 0.43, FireballWhoosh, {0, 0, false, true, ""}},
    {"sound03.wav", 11025, 8, 0.30, HeavyBolt, {}},
    {"sound05.wav", 11000, 8, 0.27, HitCrack, {}},
    {"sound06.wav", 22050, 8, 0.28, PlasmaShot, {0, 0, true, false, ""}},
    {"sound07.wav", 11025, 16, 2.04, TeleportSweep, {0, 0, false, true, "teleport"}},
    {"sound08.wav", 11025, 8, 0.17, PurchaseChime, {}},
    {"sound09.wav", 44100, 8, 0.02, MenuBlip, {}},
    {"sound10.wav", 11025, 8, 0.57, Explosion, {0, 0, false, false, "explosion"}},
    {"sound11.wav", 8363, 8, 0.74, FootThud, {0, 0, false, false, "footstep"}}, // odd length:
                                                                                // padded
    {"sound12.wav", 22050, 16, 0.44, HeadBonk, {0, 0, true, false, ""}},
    {"sound13.wav", 11025, 8, 0.26, PickupSparkle, {}},
};

} // namespace

bool GenerateSounds(const std::string& assetsDir) {
    bool ok = true;
    for (const EffectFile& e : EFFECTS) {
        const size_t count = size_t(std::lround(e.seconds * e.rate));
        Signal s = Resample(e.synth(), double(e.rate), count);
        Finish(s, double(e.rate));
        WavLayout layout = e.extras;
        layout.rate = e.rate;
        layout.bits = e.bits;
        ok = WriteAssetFile(assetsDir, e.name, EncodeWav(s, layout)) && ok;
    }
    return ok;
}
