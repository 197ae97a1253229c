// music_synth.cpp - synthesises the song instruments: oscillators, pads, drums, noise.
//
// Sections
//   1. settings and small helpers (noise generator, filters, envelopes)
//   2. storing a wave as an XM sample (normalising, quantising, tuning)
//   3. cycle oscillators: saw, square, pulse, triangle, sine (leads, basses, plucks, arps)
//   4. chord pads
//   5. FM bells and keys, drawbar organ
//   6. drums: kick and tom, snare, clap, hats, tick
//   7. looping noise (crash, sweeps, wind)
//   8. the preset table and the common instrument settings
//
// Tonal waves are built cycle by cycle from harmonics (additive synthesis), band-limited to
// what the sample can hold, so that a note played high does not turn into aliasing fizz.
// A "cycle" is `period` samples at the C-4 rate, so C-4 sounds 261.63 Hz.
#include "tools/assetgen/music_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <sstream>

#include "support/maths.h"

namespace {

constexpr double PI = std::numbers::pi;
constexpr double MIDDLE_C = 261.6255653; // Hz at note C-4
constexpr double XM_C4_RATE = 8363.0;    // the format's rate of C-4 with no relative note

// ============================================================ 1. settings and helpers

struct SynthError {
    std::string why;
};

// Throws SynthError when the value lies outside [lo, hi].
double Ranged(const InstrumentSettings& s, const std::string& key, double fallback, double lo,
              double hi) {
    const double v = s.Number(key, fallback);
    if (!(v >= lo && v <= hi)) {
        std::ostringstream why;
        why << key << "=" << v << " is outside " << lo << ".." << hi;
        throw SynthError{why.str()};
    }
    return v;
}

int RangedInt(const InstrumentSettings& s, const std::string& key, int fallback, int lo, int hi) {
    const double v = Ranged(s, key, fallback, lo, hi);
    if (v != std::floor(v)) throw SynthError{key + " must be a whole number"};
    return int(v);
}

// A fixed-seed noise source (32-bit linear congruential), values -1..1.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    double Next() {
        state = state * 1664525u + 1013904223u;
        return double(int32_t(state)) / 2147483648.0;
    }
};

// Second-order filter (the usual audio-cookbook forms), direct form I.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double Run(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        return y;
    }
};

enum FilterKind { FILTER_LOWPASS, FILTER_HIGHPASS, FILTER_BANDPASS };

Biquad MakeFilter(FilterKind kind, double hz, double q, double rate) {
    const double w = 2 * PI * std::min(hz, rate * 0.45) / rate;
    const double alpha = std::sin(w) / (2 * q), c = std::cos(w);
    double b0, b1, b2;
    switch (kind) {
    case FILTER_LOWPASS: b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2; break;
    case FILTER_HIGHPASS: b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2; break;
    default: b0 = alpha, b1 = 0, b2 = -alpha; break;
    }
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0 = b0 / a0, f.b1 = b1 / a0, f.b2 = b2 / a0, f.a1 = -2 * c / a0, f.a2 = (1 - alpha) / a0;
    return f;
}

// Runs the filters named by the settings (lp, hp, bp in Hz; q) over a block of samples.
void ApplySettingsFilters(const InstrumentSettings& s, double rate, std::vector<double>* v) {
    const double q = Ranged(s, "q", 0.707, 0.1, 20);
    std::vector<Biquad> chain;
    if (s.Has("lp"))
        chain.push_back(MakeFilter(FILTER_LOWPASS, Ranged(s, "lp", 0, 20, 24000), q, rate));
    if (s.Has("hp"))
        chain.push_back(MakeFilter(FILTER_HIGHPASS, Ranged(s, "hp", 0, 20, 24000), q, rate));
    if (s.Has("bp"))
        chain.push_back(MakeFilter(FILTER_BANDPASS, Ranged(s, "bp", 0, 20, 24000), q, rate));
    for (Biquad& f : chain)
        for (double& x : *v) x = f.Run(x);
}

double Decay(double t, double seconds) {
    return std::exp(-t / std::max(seconds, 1e-6));
}

// Gentle saturation that keeps the wave's sign and shape at low levels.
double Drive(double x, double amount) {
    if (amount <= 0) return x;
    return std::tanh(x * (1 + amount)) / std::tanh(1 + amount);
}

// Marks everything from `start` to the end of the wave as its forward loop.
void LoopFrom(SynthWave* w, size_t start) {
    w->loopStart = start;
    w->loopLength = w->values.size() - start;
    w->loopType = XM_LOOP_FORWARD;
}

// A one-shot drum of `length` seconds at `rate`: each sample from its time in seconds, the
// last `fade` seconds faded so that the sample ends at zero. Filters inside `at` run in
// order, one call per sample.
SynthWave OneShot(double rate, double length, double fade,
                  const std::function<double(double)>& at) {
    SynthWave w;
    w.rateAtC4 = rate;
    const size_t n = size_t(length * rate);
    w.values.resize(n);
    for (size_t i = 0; i < n; i++)
        w.values[i] = at(double(i) / rate) * std::min(1.0, double(n - i) / (fade * rate));
    return w;
}

// ============================================================ 2. storing a wave

double Peak(const std::vector<double>& v) {
    double peak = 0;
    for (double x : v) peak = std::max(peak, std::fabs(x));
    return peak;
}

// Semitones from the format's C-4 rate to `rate`, split into relative note and finetune.
void SetTuning(double rate, double transpose, XmSample* s) {
    const double semitones = 12.0 * std::log2(rate / XM_C4_RATE) + transpose;
    const int relative = RoundToInt(semitones);
    const int fine = RoundToInt((semitones - relative) * 128.0);
    s->relativeNote = int8_t(std::clamp(relative, -96, 95));
    s->finetune = int8_t(std::clamp(fine, -128, 127));
}

// A crossfaded noise loop: `length` samples whose end runs seamlessly into its start.
std::vector<double> SeamlessLoop(const std::vector<double>& raw, size_t length) {
    const size_t fade = raw.size() - length; // raw holds length + fade samples
    std::vector<double> out(length);
    for (size_t i = 0; i < length; i++) {
        const double cont = raw[i + fade];
        if (i + fade < length) {
            out[i] = cont;
        } else {
            const double t = double(i + fade - length) / double(fade);
            out[i] = cont * std::cos(t * PI / 2) + raw[i + fade - length] * std::sin(t * PI / 2);
        }
    }
    return out;
}

} // namespace

XmSample StoreWave(const SynthWave& wave, bool sixteenBit, double peak, double transpose) {
    XmSample s;
    s.sixteenBit = sixteenBit;
    const double full = sixteenBit ? 32767.0 : 127.0;
    const double p = Peak(wave.values);
    const double gain = p > 0 ? peak * full / p : 0.0;
    s.data.reserve(wave.values.size());
    for (double x : wave.values) {
        const int v = std::clamp(RoundToInt(x * gain), -int(full) - 1, int(full));
        s.data.push_back(int16_t(v));
    }
    if (wave.loopLength > 0 && wave.loopType != XM_LOOP_NONE) {
        s.loopStart = uint32_t(wave.loopStart);
        s.loopLength = uint32_t(wave.loopLength);
        s.loopType = wave.loopType;
    }
    SetTuning(wave.rateAtC4, transpose, &s);
    return s;
}

bool ParseEnvelopePoints(const std::string& text, XmEnvelope* envelope, std::string* error) {
    envelope->points.clear();
    std::stringstream in(text);
    std::string item;
    int lastTick = -1;
    while (std::getline(in, item, ',')) {
        const size_t colon = item.find(':');
        int tick = -1, value = -1;
        try {
            if (colon == std::string::npos) throw 0;
            size_t used1 = 0, used2 = 0;
            tick = std::stoi(item.substr(0, colon), &used1);
            value = std::stoi(item.substr(colon + 1), &used2);
            if (used1 != colon || used2 != item.size() - colon - 1) throw 0;
        } catch (...) {
            *error = "envelope point '" + item + "' is not tick:value";
            return false;
        }
        if (tick <= lastTick || tick > 65535 || value < 0 || value > 64) {
            *error = "envelope point '" + item + "': ticks must rise, values lie in 0..64";
            return false;
        }
        if (envelope->points.size() == 12) {
            *error = "an envelope holds at most 12 points";
            return false;
        }
        envelope->points.emplace_back(uint16_t(tick), uint16_t(value));
        lastTick = tick;
    }
    if (envelope->points.empty() || envelope->points[0].first != 0) {
        *error = "an envelope starts at tick 0";
        return false;
    }
    envelope->on = true;
    return true;
}

bool InstrumentSettings::Has(const std::string& key) const {
    used.insert(key);
    return values.count(key) != 0;
}

double InstrumentSettings::Number(const std::string& key, double fallback) const {
    used.insert(key);
    const auto it = values.find(key);
    if (it == values.end()) return fallback;
    size_t n = 0;
    double v = 0;
    try {
        v = std::stod(it->second, &n);
    } catch (...) {
        n = 0;
    }
    if (n == 0 || n != it->second.size())
        throw SynthError{key + "=" + it->second + " is not a number"};
    return v;
}

std::string InstrumentSettings::Text(const std::string& key, const std::string& fallback) const {
    used.insert(key);
    const auto it = values.find(key);
    return it == values.end() ? fallback : it->second;
}

namespace {

// ============================================================ 3. cycle oscillators

enum WaveShape { SHAPE_SAW, SHAPE_SQUARE, SHAPE_PULSE, SHAPE_TRIANGLE, SHAPE_SINE };

// Lowpass response of harmonic h for a cutoff (in harmonics), with a resonant bump there.
double FilterGain(double h, double cutoff, double resonance, double slope) {
    const double r = h / std::max(cutoff, 0.5);
    double g = 1.0 / std::sqrt(1.0 + std::pow(r, 2 * slope));
    if (resonance > 0) {
        const double width = 0.18 * cutoff + 0.8;
        g *= 1.0 + resonance * std::exp(-((h - cutoff) / width) * ((h - cutoff) / width));
    }
    return g;
}

// One sample of a band-limited shape at `phase` (cycles), harmonics 1..top, each weighted.
double ShapeSample(WaveShape shape, double phase, double duty, int top,
                   const std::function<double(int)>& weight) {
    double sum = 0;
    for (int h = 1; h <= top; h++) {
        // Lanczos smoothing keeps the band limit from ringing.
        const double x = PI * h / (top + 1);
        const double sigma = std::sin(x) / x;
        const double a = 2 * PI * h * phase;
        double term = 0;
        switch (shape) {
        case SHAPE_SAW: term = std::sin(a) / h; break;
        case SHAPE_SQUARE: term = (h % 2) ? std::sin(a) / h : 0.0; break;
        case SHAPE_PULSE: term = (std::sin(a) - std::sin(a - 2 * PI * h * duty)) / h; break;
        case SHAPE_TRIANGLE:
            term = (h % 2) ? ((h / 2) % 2 ? -1.0 : 1.0) * std::sin(a) / (h * h) : 0;
            break;
        case SHAPE_SINE: term = h == 1 ? std::sin(a) : 0.0; break;
        }
        if (term != 0) sum += term * sigma * weight(h);
    }
    return sum;
}

WaveShape ShapeNamed(const std::string& name) {
    if (name == "saw") return SHAPE_SAW;
    if (name == "square") return SHAPE_SQUARE;
    if (name == "pulse") return SHAPE_PULSE;
    if (name == "tri") return SHAPE_TRIANGLE;
    if (name == "sine") return SHAPE_SINE;
    throw SynthError{"wave=" + name + " is not saw, square, pulse, tri or sine"};
}

// The oscillator behind the tonal presets. The sample is an attack section of `sweep`
// cycles, in which the cutoff glides from cut0 to cut, followed by a loop of whole cycles:
// one cycle, or `detune` cycles (two more voices make detune - 1 and detune + 1 cycles in that
// time, a slow chorus beat), or `pwmcycles` cycles (the pulse width swings once per loop).
SynthWave Oscillator(const InstrumentSettings& s, const std::string& defaultShape) {
    const WaveShape shape = ShapeNamed(s.Text("wave", defaultShape));
    const int period = RangedInt(s, "period", 32, 8, 1024);
    const int top = period / 2 - 1;
    const double duty = Ranged(s, "duty", 0.5, 0.02, 0.5);
    const double pwm = Ranged(s, "pwm", 0, 0, 0.45);
    const double cut = Ranged(s, "cut", top, 0.5, top);
    const double cut0 = Ranged(s, "cut0", cut, 0.5, top);
    const double resonance = Ranged(s, "res", 0, 0, 8);
    const double slope = Ranged(s, "slope", 2, 0.5, 8);
    const int sweep = RangedInt(s, "sweep", 0, 0, 512);
    const int detune = RangedInt(s, "detune", 0, 0, 512);
    const double detuneMix = Ranged(s, "dmix", 0.7, 0, 1);
    const double octave = Ranged(s, "oct", 0, 0, 1);
    const double drive = Ranged(s, "drive", 0, 0, 8);
    int loopCycles = 1;
    if (pwm > 0) loopCycles = RangedInt(s, "pwmcycles", 64, 2, 1024);
    if (detune > 0) {
        if (pwm > 0 && detune != loopCycles)
            throw SynthError{"pwm with detune needs pwmcycles = detune"};
        loopCycles = detune;
    }
    if (shape != SHAPE_PULSE && pwm > 0) throw SynthError{"pwm needs wave=pulse"};

    SynthWave w;
    w.rateAtC4 = MIDDLE_C * period;
    const size_t loopStart = size_t(sweep) * period;
    const size_t loopLength = size_t(loopCycles) * period;
    w.values.resize(loopStart + loopLength);
    const double loopSamples = double(loopLength);
    for (size_t t = 0; t < w.values.size(); t++) {
        const double sinceLoop = double(t) - double(loopStart);
        const double progress = sweep > 0 ? std::min(double(t) / double(loopStart), 1.0) : 1.0;
        const double c = cut0 * std::pow(cut / cut0, progress);
        const auto weight = [&](int h) { return FilterGain(h, c, resonance, slope); };
        const double d =
            std::clamp(duty + pwm * std::sin(2 * PI * sinceLoop / loopSamples), 0.02, 0.98);
        const double phase = double(t % period) / period;
        double v = ShapeSample(shape, phase, d, top, weight);
        if (octave > 0)
            v += octave * ShapeSample(shape, std::fmod(2 * phase, 1.0), d, top / 2, weight);
        if (detune > 0) {
            // One voice a cycle flat and one a cycle sharp over the loop: the beating stays
            // centred on the note, so a detuned lead is as in tune as a plain one.
            double chorus = 0;
            for (int side = -1; side <= 1; side += 2) {
                double p2 = std::fmod(sinceLoop * double(detune + side) / loopSamples, 1.0);
                if (p2 < 0) p2 += 1.0;
                chorus += ShapeSample(shape, p2, d, top * detune / (detune + 1), weight);
            }
            v = (1 - 0.5 * detuneMix) * v + 0.5 * detuneMix * chorus;
        }
        w.values[t] = Drive(v, drive);
    }
    LoopFrom(&w, loopStart);
    return w;
}

// ============================================================ 4. chord pads

// Just-intonation chords as whole-number frequency ratios, root first.
struct ChordRatios {
    const char* name;
    std::vector<int> ratios;
};
const ChordRatios CHORDS[] = {
    {"single", {1}},
    {"fifth", {2, 3}},
    {"maj", {4, 5, 6}},
    {"min", {10, 12, 15}},
    {"sus4", {6, 8, 9}},
    {"maj7", {8, 10, 12, 15}},
    {"min7", {10, 12, 15, 18}},
    {"dom7", {20, 25, 30, 36}},
};

// A looping chord: every tone of the chord, each with two slightly detuned neighbours, whole
// numbers of cycles in one loop so that the loop is seamless. `cycles` root cycles per loop
// (a multiple of the chord's root ratio) set how slowly the chorus beats.
SynthWave Pad(const InstrumentSettings& s) {
    const std::string chordName = s.Text("chord", "maj");
    const ChordRatios* chord = nullptr;
    for (const ChordRatios& c : CHORDS)
        if (chordName == c.name) chord = &c;
    if (!chord) throw SynthError{"chord=" + chordName + " is unknown"};
    const WaveShape shape = ShapeNamed(s.Text("wave", "saw"));
    const int period = RangedInt(s, "period", 32, 8, 256);
    const int cycles = RangedInt(s, "cycles", 120, 8, 1024);
    const double spread = Ranged(s, "spread", 0.6, 0, 1);
    const double cut = Ranged(s, "cut", 6, 0.5, 64); // in harmonics of each tone
    const double low = Ranged(s, "low", 0, 0, 1);    // a root an octave down
    const int root = chord->ratios[0];
    if (cycles % (2 * root) != 0)
        throw SynthError{"cycles must be a multiple of twice the chord's root ratio"};

    SynthWave w;
    const size_t length = size_t(cycles) * period;
    w.rateAtC4 = MIDDLE_C * period;
    w.values.assign(length, 0.0);
    struct Tone {
        int cyclesPerLoop;
        double amp;
    };
    std::vector<Tone> tones;
    for (int r : chord->ratios) {
        const int k = cycles / root * r;
        tones.push_back({k, 1.0});
        if (spread > 0) {
            tones.push_back({k - 1, spread * 0.7});
            tones.push_back({k + 1, spread * 0.7});
        }
    }
    if (low > 0) tones.push_back({cycles / 2, low});
    for (const Tone& tone : tones) {
        const int top = std::max(1, int(double(length) / (2.0 * tone.cyclesPerLoop)) - 1);
        const auto weight = [&](int h) { return FilterGain(h, cut, 0, 2); };
        for (size_t t = 0; t < length; t++) {
            const double phase = std::fmod(double(t) * tone.cyclesPerLoop / double(length), 1.0);
            w.values[t] += tone.amp * ShapeSample(shape, phase, 0.5, std::min(top, 48), weight);
        }
    }
    LoopFrom(&w, 0);
    return w;
}

// ============================================================ 5. FM keys and organ

// Two-operator FM: a sine carrier phase-modulated by a sine at `ratio` times its frequency.
// The attack section lets the modulation index fall from idx to idx1 (bright strike, mellow
// tail); the loop holds `loopcycles` cycles so that ratios such as 3.5 still repeat.
SynthWave FmKeys(const InstrumentSettings& s) {
    const int period = RangedInt(s, "period", 64, 16, 1024);
    const double ratio = Ranged(s, "ratio", 2, 0.5, 16);
    const int loopCycles = RangedInt(s, "loopcycles", 1, 1, 16);
    const double index0 = Ranged(s, "idx", 3, 0, 20);
    const double index1 = Ranged(s, "idx1", 0.5, 0, 20);
    const int sweep = RangedInt(s, "sweep", 48, 0, 1024);
    const double top = Ranged(s, "top", 0, 0, 64); // highest partial kept (0: all)
    if (std::fabs(ratio * loopCycles - std::round(ratio * loopCycles)) > 1e-9)
        throw SynthError{"ratio x loopcycles must be a whole number for a seamless loop"};

    SynthWave w;
    w.rateAtC4 = MIDDLE_C * period;
    const size_t loopStart = size_t(sweep) * period;
    const size_t loopStartAligned = loopStart - loopStart % (size_t(loopCycles) * period);
    const size_t loopLength = size_t(loopCycles) * period;
    w.values.resize(loopStartAligned + loopLength);
    for (size_t t = 0; t < w.values.size(); t++) {
        const double progress =
            loopStartAligned ? std::min(double(t) / loopStartAligned, 1.0) : 1.0;
        const double index = index0 + (index1 - index0) * (1 - std::pow(1 - progress, 2.0));
        const double phase = double(t) / period;
        w.values[t] = std::sin(2 * PI * phase + index * std::sin(2 * PI * ratio * phase));
    }
    // FM's sidebands reach far above the note: a bell played in the top octaves would put
    // them past the output's band, where they fold back as steady whistles. A windowed-sinc
    // lowpass at `top` harmonics keeps them out; the loop is filtered as the circle it plays.
    if (top > 0) {
        const double fc = top / period; // cycles a sample
        const int half = std::max(8, int(4 * period / top));
        const size_t n = w.values.size();
        auto at = [&](long t) {
            if (t < 0) return 0.0;
            if (size_t(t) >= n) t = long(loopStartAligned + (size_t(t) - n) % loopLength);
            return w.values[size_t(t)];
        };
        std::vector<double> out(n);
        for (size_t t = 0; t < n; t++) {
            double sum = 0;
            for (int k = -half; k <= half; k++) {
                const double x = 2 * PI * fc * k;
                const double sinc = k == 0 ? 1.0 : std::sin(x) / x;
                const double window = 0.5 + 0.5 * std::cos(PI * k / (half + 1));
                sum += 2 * fc * sinc * window * at(long(t) + k);
            }
            out[t] = sum;
        }
        w.values = out;
    }
    LoopFrom(&w, loopStartAligned);
    return w;
}

// Drawbar organ: nine sine drawbars (16', 5 1/3', 8', 4', 2 2/3', 2', 1 3/5', 1 1/3', 1'),
// each 0..8. The 16' bar sounds half the pitch, so the loop holds two cycles.
SynthWave Organ(const InstrumentSettings& s) {
    const double footage[9] = {0.5, 1.5, 1, 2, 3, 4, 5, 6, 8};
    std::vector<double> bars(9, 0.0);
    const std::string text = s.Text("bars", "888000000");
    if (text.size() != 9) throw SynthError{"bars= needs nine digits 0..8"};
    for (int i = 0; i < 9; i++) {
        if (text[i] < '0' || text[i] > '8') throw SynthError{"bars= needs nine digits 0..8"};
        bars[i] = text[i] == '0' ? 0.0 : std::pow(10.0, -(8 - (text[i] - '0')) * 3.0 / 20.0);
    }
    const int period = RangedInt(s, "period", 64, 16, 512);
    const double percussion = Ranged(s, "perc", 0, 0, 2);
    const int sweep = RangedInt(s, "sweep", 16, 0, 256) / 2 * 2;
    SynthWave w;
    w.rateAtC4 = MIDDLE_C * period;
    const size_t loopStart = size_t(sweep) * period;
    w.values.resize(loopStart + 2 * size_t(period));
    for (size_t t = 0; t < w.values.size(); t++) {
        const double phase = double(t) / period;
        double v = 0;
        for (int i = 0; i < 9; i++)
            if (bars[i] > 0 && footage[i] * 2 < period)
                v += bars[i] * std::sin(2 * PI * footage[i] * phase);
        if (percussion > 0 && loopStart > 0) {
            const double fade = std::max(0.0, 1.0 - double(t) / loopStart);
            v += percussion * fade * fade * std::sin(2 * PI * 3 * phase);
        }
        w.values[t] = v;
    }
    LoopFrom(&w, loopStart);
    return w;
}

// ============================================================ 6. drums

// Kick and tom: a sine whose pitch falls from f0 to f1, with an amplitude decay and a click.
SynthWave Kick(const InstrumentSettings& s, double f0Default, double f1Default,
               double decayDefault) {
    const double rate = Ranged(s, "rate", 16000, 4000, 48000);
    const double f0 = Ranged(s, "f0", f0Default, 20, 2000);
    const double f1 = Ranged(s, "f1", f1Default, 20, 2000);
    const double pitchDecay = Ranged(s, "pdecay", 0.035, 0.001, 1);
    const double decay = Ranged(s, "decay", decayDefault, 0.01, 2);
    const double click = Ranged(s, "click", 0.3, 0, 2);
    const double drive = Ranged(s, "drive", 1.0, 0, 8);
    const double length = Ranged(s, "len", decay * 2.2, 0.02, 2);
    Noise noise(7);
    double phase = 0;
    return OneShot(rate, length, 0.01, [&](double t) {
        phase += (f1 + (f0 - f1) * Decay(t, pitchDecay)) / rate;
        const double body = std::sin(2 * PI * phase) * Decay(t, decay);
        return Drive(body + click * noise.Next() * Decay(t, 0.002), drive);
    });
}

// Snare: a falling tone for the drum body and band-passed noise for the wires.
SynthWave Snare(const InstrumentSettings& s) {
    const double rate = Ranged(s, "rate", 22050, 4000, 48000);
    const double tone = Ranged(s, "tone", 190, 50, 1000);
    const double toneDecay = Ranged(s, "tdecay", 0.06, 0.005, 1);
    const double noiseDecay = Ranged(s, "decay", 0.14, 0.01, 2);
    const double snap = Ranged(s, "snap", 1.0, 0, 4);
    const double body = Ranged(s, "body", 0.8, 0, 4);
    const double centre = Ranged(s, "centre", 4200, 200, 12000);
    const double length = Ranged(s, "len", noiseDecay * 2.5, 0.05, 2);
    Noise noise(11);
    Biquad band = MakeFilter(FILTER_BANDPASS, centre, 0.6, rate);
    Biquad high = MakeFilter(FILTER_HIGHPASS, 900, 0.7, rate);
    double phase = 0;
    return OneShot(rate, length, 0.01, [&](double t) {
        phase += tone * (1 + 0.5 * Decay(t, 0.01)) / rate;
        const double drum = body * std::sin(2 * PI * phase) * Decay(t, toneDecay);
        const double wires = snap * high.Run(band.Run(noise.Next())) * 2.2 * Decay(t, noiseDecay);
        return Drive(drum + wires, 0.8);
    });
}

// Clap: three quick noise bursts then a short reverberant tail, band-passed.
SynthWave Clap(const InstrumentSettings& s) {
    const double rate = Ranged(s, "rate", 22050, 4000, 48000);
    const double decay = Ranged(s, "decay", 0.12, 0.01, 1);
    const double centre = Ranged(s, "centre", 1400, 200, 8000);
    const double length = Ranged(s, "len", decay * 2.5 + 0.03, 0.05, 2);
    Noise noise(23);
    Biquad band = MakeFilter(FILTER_BANDPASS, centre, 0.9, rate);
    return OneShot(rate, length, 0.01, [&](double t) {
        double env = 0;
        for (int b = 0; b < 3; b++) {
            const double tb = t - 0.011 * b;
            if (tb >= 0 && tb < 0.011) env = std::max(env, Decay(tb, 0.004));
        }
        if (t >= 0.033) env = std::max(env, 0.8 * Decay(t - 0.033, decay));
        return band.Run(noise.Next()) * env;
    });
}

// Hats: six detuned square partials (a metallic ring) mixed with noise, high-passed.
SynthWave Hat(const InstrumentSettings& s) {
    const double rate = Ranged(s, "rate", 32000, 8000, 48000);
    const double decay = Ranged(s, "decay", 0.035, 0.003, 2);
    const double metal = Ranged(s, "metal", 0.6, 0, 2);
    const double length = Ranged(s, "len", decay * 3, 0.01, 2);
    const double hp = Ranged(s, "hp", 6500, 1000, 15000);
    const double ratios[6] = {2.0, 3.0, 4.16, 5.43, 6.79, 8.21};
    Noise noise(5);
    Biquad high1 = MakeFilter(FILTER_HIGHPASS, hp, 0.7, rate);
    Biquad high2 = MakeFilter(FILTER_HIGHPASS, hp, 0.7, rate);
    return OneShot(rate, length, 0.004, [&](double t) {
        double ring = 0;
        for (double r : ratios) ring += std::fmod(t * 317.0 * r, 1.0) < 0.5 ? 1.0 : -1.0;
        return high2.Run(high1.Run(metal * ring / 6.0 + noise.Next())) * Decay(t, decay);
    });
}

// Tick: the clock of the countdown, a short woody knock of two high partials.
SynthWave Tick(const InstrumentSettings& s) {
    const double rate = Ranged(s, "rate", 22050, 4000, 48000);
    const double f = Ranged(s, "f", 1800, 200, 8000);
    const double decay = Ranged(s, "decay", 0.012, 0.001, 0.5);
    const double length = Ranged(s, "len", decay * 5, 0.005, 1);
    Noise noise(3);
    return OneShot(rate, length, 0.002, [&](double t) {
        const double v = std::sin(2 * PI * f * t) + 0.6 * std::sin(2 * PI * f * 1.71 * t) +
                         0.5 * noise.Next() * Decay(t, 0.0015);
        return v * Decay(t, decay);
    });
}

// ============================================================ 7. looping noise

// Filtered noise that loops seamlessly (crash, sweeps, wind). Its colour follows lp, hp and
// bp; the instrument's volume envelope shapes it, effects sweep it.
SynthWave LoopedNoise(const InstrumentSettings& s) {
    const double rate = Ranged(s, "rate", 22050, 4000, 48000);
    const int length = RangedInt(s, "samples", 4096, 256, 65536);
    const int seed = RangedInt(s, "seed", 1, 0, 1000000);
    const size_t fade = size_t(length) / 4;
    const size_t warm = 2048; // lets the filters settle before the kept part
    Noise noise{static_cast<uint32_t>(seed)};
    std::vector<double> raw(warm + length + fade);
    for (double& x : raw) x = noise.Next();
    ApplySettingsFilters(s, rate, &raw);
    raw.erase(raw.begin(), raw.begin() + long(warm));
    SynthWave w;
    w.rateAtC4 = rate;
    w.values = SeamlessLoop(raw, size_t(length));
    LoopFrom(&w, 0);
    return w;
}

// ============================================================ 8. presets and common settings

struct Preset {
    const char* name;
    bool sixteenBit; // default storage width
    std::function<SynthWave(const InstrumentSettings&)> make;
};

const Preset PRESETS[] = {
    {"saw", false, [](const InstrumentSettings& s) { return Oscillator(s, "saw"); }},
    {"square", false, [](const InstrumentSettings& s) { return Oscillator(s, "square"); }},
    {"pulse", false, [](const InstrumentSettings& s) { return Oscillator(s, "pulse"); }},
    {"tri", false, [](const InstrumentSettings& s) { return Oscillator(s, "tri"); }},
    {"sine", false, [](const InstrumentSettings& s) { return Oscillator(s, "sine"); }},
    {"pad", true, Pad},
    {"fm", true, FmKeys},
    {"organ", false, Organ},
    {"kick", false, [](const InstrumentSettings& s) { return Kick(s, 170, 46, 0.16); }},
    {"tom", false, [](const InstrumentSettings& s) { return Kick(s, 320, 150, 0.18); }},
    {"snare", false, Snare},
    {"clap", false, Clap},
    {"hat", false, Hat},
    {"tick", false, Tick},
    {"noise", false, LoopedNoise},
};

// Ping-pong loops: a loop of a symmetric part may bounce instead of wrapping.
void ApplyLoopMode(const InstrumentSettings& s, SynthWave* w) {
    const std::string mode = s.Text("loop", "");
    if (mode.empty()) return;
    if (mode == "none") {
        w->loopType = XM_LOOP_NONE, w->loopLength = 0;
    } else if (mode == "pingpong") {
        if (w->loopLength == 0) throw SynthError{"loop=pingpong on a wave without a loop"};
        w->loopType = XM_LOOP_PINGPONG;
    } else if (mode != "forward") {
        throw SynthError{"loop=" + mode + " is not forward, pingpong or none"};
    }
}

void ApplyEnvelope(const InstrumentSettings& s, const std::string& prefix, XmEnvelope* e) {
    if (!s.Has(prefix + "env")) return;
    std::string why;
    if (!ParseEnvelopePoints(s.Text(prefix + "env", ""), e, &why)) throw SynthError{why};
    const int last = int(e->points.size()) - 1;
    if (s.Has(prefix + "sus")) {
        e->sustain = true;
        e->sustainPoint = uint8_t(RangedInt(s, prefix + "sus", 0, 0, last));
    }
    if (s.Has(prefix + "envloop")) {
        const std::string text = s.Text(prefix + "envloop", "");
        int a = -1, b = -1;
        if (std::sscanf(text.c_str(), "%d-%d", &a, &b) != 2 || a < 0 || b < a || b > last)
            throw SynthError{prefix + "envloop=" + text + " is not first-last point"};
        e->loop = true;
        e->loopStart = uint8_t(a);
        e->loopEnd = uint8_t(b);
    }
}

} // namespace

std::vector<std::string> SynthPresetNames() {
    std::vector<std::string> names;
    for (const Preset& p : PRESETS) names.push_back(p.name);
    return names;
}

bool SynthesiseInstrument(const std::string& presetName, const InstrumentSettings& s,
                          XmInstrument* out, std::string* error) {
    const Preset* preset = nullptr;
    for (const Preset& p : PRESETS)
        if (presetName == p.name) preset = &p;
    if (!preset) {
        *error = "no instrument preset named '" + presetName + "'";
        return false;
    }
    try {
        s.used.clear();
        SynthWave wave = preset->make(s);
        ApplyLoopMode(s, &wave);
        const int bits = RangedInt(s, "bits", preset->sixteenBit ? 16 : 8, 8, 16);
        if (bits != 8 && bits != 16) throw SynthError{"bits must be 8 or 16"};
        XmSample sample = StoreWave(wave, bits == 16, Ranged(s, "peak", 0.97, 0.05, 1.0),
                                    Ranged(s, "tr", 0, -48, 48));
        sample.volume = uint8_t(RangedInt(s, "vol", 64, 0, 64));
        sample.panning = uint8_t(RangedInt(s, "pan", 128, 0, 255));
        sample.name = presetName;

        XmInstrument ins;
        ins.name = s.Text("name", presetName);
        ins.samples.push_back(std::move(sample));
        ApplyEnvelope(s, "", &ins.volumeEnvelope);
        ApplyEnvelope(s, "pan", &ins.panningEnvelope);
        ins.fadeout = uint16_t(RangedInt(s, "fade", 0, 0, 4095));
        if (s.Has("vib")) {
            int type = 0, sweep = 0, depth = 0, rate = 0;
            const std::string v = s.Text("vib", "");
            if (std::sscanf(v.c_str(), "%d,%d,%d,%d", &type, &sweep, &depth, &rate) != 4 ||
                type < 0 || type > 3 || sweep < 0 || sweep > 255 || depth < 0 || depth > 15 ||
                rate < 0 || rate > 63)
                throw SynthError{"vib=" + v + " is not type(0..3),sweep,depth(0..15),rate(0..63)"};
            ins.vibratoType = uint8_t(type), ins.vibratoSweep = uint8_t(sweep);
            ins.vibratoDepth = uint8_t(depth), ins.vibratoRate = uint8_t(rate);
        }
        for (const auto& [key, value] : s.values)
            if (!s.used.count(key))
                throw SynthError{"setting '" + key + "' means nothing to " + presetName};
        *out = std::move(ins);
        return true;
    } catch (const SynthError& e) {
        *error = presetName + ": " + e.why;
        return false;
    }
}
