// xm_mixer.cpp - fixed-point voice mixing with linear interpolation and 64-frame gain ramps.
//
// Spans are split where the sample ends or loops and where a ramp ends, so the inner loops
// have no branches: one for constant gains, one for ramping gains, and a silent path that
// only moves the position. Sample data carries guard values after its end (xm_module.cpp), so
// the interpolation may always read the value after the current one.
#include "sound/xm_mixer.h"

#include <cmath>
#include <cstdlib>

void StartVoice(MixVoice* v, const ModuleSample* sample, int32_t offset) {
    v->sample = sample;
    v->position = int64_t(offset) << 32;
    v->gainLeft = v->gainRight = 0;
    v->targetLeft = v->targetRight = 0;
    v->rampLeft = v->rampRight = 0;
    v->rampFrames = 0;
    v->fading = false;
    if (v->step < 0) v->step = -v->step;
    v->active = sample && sample->length > 0 && offset < sample->length;
}

void SetVoiceRate(MixVoice* v, double hz) {
    if (!(hz > 0)) hz = 0;
    if (hz > 1e9) hz = 1e9;
    const int64_t step = int64_t(std::llround(hz / 48000.0 * 4294967296.0));
    v->step = v->step < 0 ? -step : step;
}

void SetVoiceGains(MixVoice* v, int32_t left, int32_t right) {
    const int32_t tl = left << 16, tr = right << 16;
    if (tl == v->targetLeft && tr == v->targetRight) return;
    v->targetLeft = tl;
    v->targetRight = tr;
    v->rampLeft = (tl - v->gainLeft) / MIX_RAMP_FRAMES;
    v->rampRight = (tr - v->gainRight) / MIX_RAMP_FRAMES;
    v->rampFrames = MIX_RAMP_FRAMES;
}

// Puts a position that has left the played range back inside it (or ends the voice).
// Returns false when the voice has ended.
static bool WrapPosition(MixVoice* v) {
    const ModuleSample* s = v->sample;
    const int64_t start = int64_t(s->loopStart) << 32;
    switch (s->loopType) {
    case SAMPLE_LOOP_FORWARD: {
        const int64_t length = int64_t(s->loopEnd - s->loopStart) << 32;
        v->position = start + (v->position - start) % length;
        return true;
    }
    case SAMPLE_LOOP_PINGPONG: {
        // Unfold the bounce into one coordinate u that always grows, then fold it back.
        const int64_t span = int64_t(s->loopEnd - 1 - s->loopStart) << 32;
        const int64_t period = 2 * span;
        int64_t u = v->step >= 0 ? v->position - start : period - (v->position - start);
        u %= period;
        if (u <= span) {
            v->position = start + u;
            v->step = std::llabs(v->step);
        } else {
            v->position = start + (period - u);
            v->step = -std::llabs(v->step);
        }
        return true;
    }
    default: return false;
    }
}

static inline int32_t SampleAt(const int16_t* d, int64_t pos) {
    const int64_t i = pos >> 32;
    const int32_t frac = int32_t((uint32_t(pos) >> 17)); // 15 bits
    const int32_t a = d[i];
    return a + (((int32_t(d[i + 1]) - a) * frac) >> 15);
}

static void MixConstant(const int16_t* d, int64_t pos, int64_t step, int32_t* acc, int n,
                        int32_t gl, int32_t gr) {
    for (int i = 0; i < n; i++) {
        const int32_t s = SampleAt(d, pos);
        acc[2 * i] += (s * gl) >> MIX_GAIN_SHIFT;
        acc[2 * i + 1] += (s * gr) >> MIX_GAIN_SHIFT;
        pos += step;
    }
}

static void MixRamp(const int16_t* d, int64_t pos, int64_t step, int32_t* acc, int n, int32_t gl,
                    int32_t gr, int32_t rl, int32_t rr) {
    for (int i = 0; i < n; i++) {
        const int32_t s = SampleAt(d, pos);
        acc[2 * i] += (s * (gl >> 16)) >> MIX_GAIN_SHIFT;
        acc[2 * i + 1] += (s * (gr >> 16)) >> MIX_GAIN_SHIFT;
        gl += rl;
        gr += rr;
        pos += step;
    }
}

void MixVoiceFrames(MixVoice* v, int32_t* acc, int frames) {
    if (!v->active) return;
    const ModuleSample* s = v->sample;
    const int16_t* d = s->data;
    const bool pingpong = s->loopType == SAMPLE_LOOP_PINGPONG;
    while (frames > 0) {
        // Frames until the position leaves the played range.
        int64_t n;
        if (v->step >= 0) {
            const int64_t bound =
                pingpong ? (int64_t(s->loopEnd - 1) << 32) + 1 : int64_t(s->length) << 32;
            if (v->position >= bound) {
                if (!WrapPosition(v)) {
                    v->active = false;
                    return;
                }
                continue;
            }
            n = v->step == 0 ? frames : (bound - v->position + v->step - 1) / v->step;
        } else {
            const int64_t low = int64_t(s->loopStart) << 32;
            if (v->position < low) {
                WrapPosition(v);
                continue;
            }
            n = (v->position - low) / -v->step + 1;
        }
        int m = n < frames ? int(n) : frames;
        if (v->rampFrames > 0) {
            if (m > v->rampFrames) m = v->rampFrames;
            MixRamp(d, v->position, v->step, acc, m, v->gainLeft, v->gainRight, v->rampLeft,
                    v->rampRight);
            v->rampFrames -= m;
            if (v->rampFrames == 0) {
                v->gainLeft = v->targetLeft;
                v->gainRight = v->targetRight;
                if (v->fading) v->active = false;
            } else {
                v->gainLeft += v->rampLeft * m;
                v->gainRight += v->rampRight * m;
            }
        } else if (v->gainLeft | v->gainRight) {
            MixConstant(d, v->position, v->step, acc, m, v->gainLeft >> 16, v->gainRight >> 16);
        }
        v->position += v->step * m;
        acc += 2 * m;
        frames -= m;
        if (!v->active) return;
    }
}

void ConvertAccumulator(const int32_t* acc, int frames, int32_t master, int16_t* out,
                        int32_t* levelLeft, int32_t* levelRight) {
    int64_t sum[2] = {0, 0};
    for (int i = 0; i < 2 * frames; i++) {
        const int64_t v = acc[i];
        int64_t q = ((v < 0 ? -v : v) + 4080) / 8160; // |v| / 8160, halves up
        if (q > 32767) q = 32767;
        q = q * master / 32768;
        out[i] = int16_t(v < 0 ? -q : q);
        sum[i & 1] += q;
    }
    if (levelLeft) *levelLeft = frames ? int32_t(sum[0] / frames) : 0;
    if (levelRight) *levelRight = frames ? int32_t(sum[1] / frames) : 0;
}
