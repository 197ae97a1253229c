// xm_mixer.cpp - fixed-point voice mixing with linear interpolation and 64-frame gain ramps.
//
// Spans are split where the sample ends or loops and where a ramp ends, so the inner loops
// have no branches: one for constant gains, one for ramping gains, and a silent path that
// only moves the position. A voice on a loop it crosses in a few frames (one sample long,
// say, at any pitch) is instead mixed frame by frame inside the loop, so that its cost stays
// that of any other voice. Sample data carries guard values after its end (xm_module.cpp), so
// the interpolation may always read the value after the current one.
#include "sound/xm_mixer.h"

#include <cmath>
#include <cstdlib>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define MVX_MIX_AVX2 1
#endif

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
        // A ping-pong loop of L values takes 2L steps to come round, as in FT2: unfolded into
        // a coordinate u that always grows, u runs forwards over the loop for L steps, then the
        // position runs back from loopEnd (the guard after the loop repeats its last value)
        // for L steps down to just above loopStart.
        const int64_t length = int64_t(s->loopEnd - s->loopStart) << 32;
        const int64_t rel = v->position - start;
        int64_t u = (v->step >= 0 ? rel : 2 * length - rel) % (2 * length);
        if (u < 0) u += 2 * length;
        if (u < length) {
            v->position = start + u;
            v->step = std::llabs(v->step);
        } else {
            v->position = start + 2 * length - u;
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

static void MixConstantScalar(const int16_t* d, int64_t pos, int64_t step, int32_t* acc, int n,
                              int32_t gl, int32_t gr) {
    for (int i = 0; i < n; i++) {
        const int32_t s = SampleAt(d, pos);
        acc[2 * i] += (s * gl) >> MIX_GAIN_SHIFT;
        acc[2 * i + 1] += (s * gr) >> MIX_GAIN_SHIFT;
        pos += step;
    }
}

static void MixRampScalar(const int16_t* d, int64_t pos, int64_t step, int32_t* acc, int n,
                          int32_t gl, int32_t gr, int32_t rl, int32_t rr) {
    for (int i = 0; i < n; i++) {
        const int32_t s = SampleAt(d, pos);
        acc[2 * i] += (s * (gl >> 16)) >> MIX_GAIN_SHIFT;
        acc[2 * i + 1] += (s * (gr >> 16)) >> MIX_GAIN_SHIFT;
        gl += rl;
        gr += rr;
        pos += step;
    }
}

// A loop that the voice crosses in fewer frames than this is mixed frame by frame with its
// position kept inside the loop, instead of in runs that end at every turn (a one-sample loop
// played above its rate turns every frame, and each run costs two divisions and a wrap).
constexpr int64_t SHORT_LOOP_FRAMES = 16;

// Frames of a voice on a short loop. Its place is u, the distance travelled since loopStart
// taken modulo the loop's period (L for a forward loop, 2L for a ping-pong loop, which plays
// u < L forwards and u >= L backwards from loopEnd, as WrapPosition folds it), so each frame
// is one step of u and at most one subtraction: the same positions as the runs would mix.
template <bool PINGPONG, bool RAMP>
static void MixShortLoopScalar(const int16_t* d, int64_t start, int64_t length, int64_t* u,
                               int64_t inc, int32_t* acc, int n, int32_t gl, int32_t gr, int32_t rl,
                               int32_t rr) {
    const int64_t period = PINGPONG ? 2 * length : length;
    int64_t w = *u;
    for (int i = 0; i < n; i++) {
        const int32_t s = SampleAt(d, PINGPONG && w >= length ? start + period - w : start + w);
        if (RAMP) {
            acc[2 * i] += (s * (gl >> 16)) >> MIX_GAIN_SHIFT;
            acc[2 * i + 1] += (s * (gr >> 16)) >> MIX_GAIN_SHIFT;
            gl += rl;
            gr += rr;
        } else {
            acc[2 * i] += (s * gl) >> MIX_GAIN_SHIFT;
            acc[2 * i + 1] += (s * gr) >> MIX_GAIN_SHIFT;
        }
        w += inc;
        if (w >= period) w -= period;
    }
    *u = w;
}

#ifdef MVX_MIX_AVX2
// Eight frames at a time: one 32-bit gather fetches each frame's sample and the next one
// (they sit side by side), then the same integer arithmetic as the scalar loop, so both give
// identical results. Positions are taken relative to the lowest sample index of the span,
// so that the eight lane offsets are small and never negative.
__attribute__((target("avx2"))) static void MixConstantAvx2(const int16_t* d, int64_t pos,
                                                            int64_t step, int32_t* acc, int n,
                                                            int32_t gl, int32_t gr) {
    const int64_t last = pos + step * (n - 1);
    const int64_t base = (step >= 0 ? pos : last) >> 32;
    const int32_t* words = reinterpret_cast<const int32_t*>(d + base); // 2-byte steps below
    int64_t rel = pos - (base << 32);
    const __m256i inc = _mm256_set1_epi64x(step * 8);
    __m256i r0 = _mm256_set_epi64x(rel + 3 * step, rel + 2 * step, rel + step, rel);
    __m256i r1 = _mm256_add_epi64(r0, _mm256_set1_epi64x(step * 4));
    const __m256i order = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    const __m256i vgl = _mm256_set1_epi32(gl), vgr = _mm256_set1_epi32(gr);
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        // Whole parts (high halves) and fractions (low halves) of the eight positions.
        const __m256i hi = _mm256_blend_epi32(_mm256_srli_epi64(r0, 32), r1, 0xAA);
        const __m256i lo = _mm256_blend_epi32(r0, _mm256_slli_epi64(r1, 32), 0xAA);
        const __m256i idx = _mm256_permutevar8x32_epi32(hi, order);
        const __m256i frac = _mm256_srli_epi32(_mm256_permutevar8x32_epi32(lo, order), 17);
        const __m256i w = _mm256_i32gather_epi32(words, idx, 2);
        const __m256i a = _mm256_srai_epi32(_mm256_slli_epi32(w, 16), 16);
        const __m256i b = _mm256_srai_epi32(w, 16);
        const __m256i sv = _mm256_add_epi32(
            a, _mm256_srai_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(b, a), frac), 15));
        const __m256i l = _mm256_srai_epi32(_mm256_mullo_epi32(sv, vgl), MIX_GAIN_SHIFT);
        const __m256i r = _mm256_srai_epi32(_mm256_mullo_epi32(sv, vgr), MIX_GAIN_SHIFT);
        const __m256i ilo = _mm256_unpacklo_epi32(l, r); // frames 0 1 | 4 5
        const __m256i ihi = _mm256_unpackhi_epi32(l, r); // frames 2 3 | 6 7
        __m256i* out = reinterpret_cast<__m256i*>(acc + 2 * i);
        const __m256i o0 = _mm256_loadu_si256(out), o1 = _mm256_loadu_si256(out + 1);
        _mm256_storeu_si256(out, _mm256_add_epi32(o0, _mm256_permute2x128_si256(ilo, ihi, 0x20)));
        _mm256_storeu_si256(out + 1,
                            _mm256_add_epi32(o1, _mm256_permute2x128_si256(ilo, ihi, 0x31)));
        r0 = _mm256_add_epi64(r0, inc);
        r1 = _mm256_add_epi64(r1, inc);
    }
    if (i < n) MixConstantScalar(d, pos + step * i, step, acc + 2 * i, n - i, gl, gr);
}

// Steps below 2 (every note up to two octaves above the sample's own rate): the eight frames
// read at most 16 neighbouring values, so one load and two permutes replace the gather.
// With RAMP the gains are 16.16 values that grow by rl and rr a frame, one lane a frame.
template <bool RAMP>
__attribute__((target("avx2"))) static void
MixWindowAvx2(const int16_t* d, int64_t pos, int64_t step, int32_t* acc, int n, int32_t gl,
              int32_t gr, int32_t rl, int32_t rr) {
    const __m256i k0 = _mm256_set_epi64x(3 * step, 2 * step, step, 0);
    const __m256i k1 = _mm256_set_epi64x(7 * step, 6 * step, 5 * step, 4 * step);
    const int64_t lowest = step >= 0 ? 0 : 7 * step; // the lane with the smallest position
    const __m256i order = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
    const __m256i seven = _mm256_set1_epi32(7), one = _mm256_set1_epi32(1);
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    __m256i vgl = _mm256_set1_epi32(gl), vgr = _mm256_set1_epi32(gr);
    if (RAMP) {
        vgl = _mm256_add_epi32(vgl, _mm256_mullo_epi32(lanes, _mm256_set1_epi32(rl)));
        vgr = _mm256_add_epi32(vgr, _mm256_mullo_epi32(lanes, _mm256_set1_epi32(rr)));
    }
    const __m256i moveL = _mm256_set1_epi32(rl * 8), moveR = _mm256_set1_epi32(rr * 8);
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const int64_t first = pos + step * i;
        const int64_t w = (first + lowest) >> 32; // the window's first value
        const __m256i rel = _mm256_set1_epi64x(first - (w << 32));
        const __m256i r0 = _mm256_add_epi64(rel, k0), r1 = _mm256_add_epi64(rel, k1);
        const __m256i hi = _mm256_blend_epi32(_mm256_srli_epi64(r0, 32), r1, 0xAA);
        const __m256i lo = _mm256_blend_epi32(r0, _mm256_slli_epi64(r1, 32), 0xAA);
        const __m256i idx = _mm256_permutevar8x32_epi32(hi, order); // 0..14
        const __m256i idx1 = _mm256_add_epi32(idx, one);
        const __m256i frac = _mm256_srli_epi32(_mm256_permutevar8x32_epi32(lo, order), 17);
        const __m256i window = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + w));
        const __m256i v0 = _mm256_cvtepi16_epi32(_mm256_castsi256_si128(window));
        const __m256i v1 = _mm256_cvtepi16_epi32(_mm256_extracti128_si256(window, 1));
        const __m256i a = _mm256_blendv_epi8(_mm256_permutevar8x32_epi32(v0, idx),
                                             _mm256_permutevar8x32_epi32(v1, idx),
                                             _mm256_cmpgt_epi32(idx, seven));
        const __m256i b = _mm256_blendv_epi8(_mm256_permutevar8x32_epi32(v0, idx1),
                                             _mm256_permutevar8x32_epi32(v1, idx1),
                                             _mm256_cmpgt_epi32(idx1, seven));
        const __m256i sv = _mm256_add_epi32(
            a, _mm256_srai_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(b, a), frac), 15));
        const __m256i gainL = RAMP ? _mm256_srai_epi32(vgl, 16) : vgl;
        const __m256i gainR = RAMP ? _mm256_srai_epi32(vgr, 16) : vgr;
        const __m256i l = _mm256_srai_epi32(_mm256_mullo_epi32(sv, gainL), MIX_GAIN_SHIFT);
        const __m256i r = _mm256_srai_epi32(_mm256_mullo_epi32(sv, gainR), MIX_GAIN_SHIFT);
        if (RAMP) {
            vgl = _mm256_add_epi32(vgl, moveL);
            vgr = _mm256_add_epi32(vgr, moveR);
        }
        const __m256i ilo = _mm256_unpacklo_epi32(l, r);
        const __m256i ihi = _mm256_unpackhi_epi32(l, r);
        __m256i* out = reinterpret_cast<__m256i*>(acc + 2 * i);
        const __m256i o0 = _mm256_loadu_si256(out), o1 = _mm256_loadu_si256(out + 1);
        _mm256_storeu_si256(out, _mm256_add_epi32(o0, _mm256_permute2x128_si256(ilo, ihi, 0x20)));
        _mm256_storeu_si256(out + 1,
                            _mm256_add_epi32(o1, _mm256_permute2x128_si256(ilo, ihi, 0x31)));
    }
    if (i < n) {
        if (RAMP)
            MixRampScalar(d, pos + step * i, step, acc + 2 * i, n - i, gl + rl * i, gr + rr * i, rl,
                          rr);
        else
            MixConstantScalar(d, pos + step * i, step, acc + 2 * i, n - i, gl, gr);
    }
}

static const bool HaveAvx2 = __builtin_cpu_supports("avx2");
#endif

static void MixConstant(const int16_t* d, int64_t pos, int64_t step, int32_t* acc, int n,
                        int32_t gl, int32_t gr) {
#ifdef MVX_MIX_AVX2
    if (HaveAvx2 && n >= 16) {
        if (step < (int64_t(2) << 32) && step > -(int64_t(2) << 32))
            return MixWindowAvx2<false>(d, pos, step, acc, n, gl, gr, 0, 0);
        return MixConstantAvx2(d, pos, step, acc, n, gl, gr);
    }
#endif
    MixConstantScalar(d, pos, step, acc, n, gl, gr);
}

static void MixRamp(const int16_t* d, int64_t pos, int64_t step, int32_t* acc, int n, int32_t gl,
                    int32_t gr, int32_t rl, int32_t rr) {
#ifdef MVX_MIX_AVX2
    if (HaveAvx2 && n >= 16 && step < (int64_t(2) << 32) && step > -(int64_t(2) << 32))
        return MixWindowAvx2<true>(d, pos, step, acc, n, gl, gr, rl, rr);
#endif
    MixRampScalar(d, pos, step, acc, n, gl, gr, rl, rr);
}

// Whether the voice's loop is shorter than SHORT_LOOP_FRAMES of its steps (the step keeps its
// size through a call of MixVoiceFrames; only a ping-pong turn changes its sign).
static bool HasShortLoop(const MixVoice* v) {
    const ModuleSample* s = v->sample;
    const int64_t length = int64_t(s->loopEnd - s->loopStart) << 32;
    return s->loopType != SAMPLE_LOOP_NONE && length > 0 &&
           std::llabs(v->step) * SHORT_LOOP_FRAMES > length;
}

// Where the voice is inside its short loop, mixes up to `frames` frames of it (to the end of a
// ramp) and answers how many; 0 when the position is not inside the loop yet.
static int MixShortLoop(MixVoice* v, int32_t* acc, int frames) {
    const ModuleSample* s = v->sample;
    const int64_t start = int64_t(s->loopStart) << 32, end = int64_t(s->loopEnd) << 32;
    const int64_t length = end - start, step = std::llabs(v->step);
    const bool pingpong = s->loopType == SAMPLE_LOOP_PINGPONG;
    if (!pingpong && v->step < 0) return 0; // never so: only a ping-pong loop runs back
    // u from the position; a position the runs would first wrap is left to them.
    int64_t u;
    if (v->step >= 0) {
        if (v->position < start || v->position >= end) return 0;
        u = v->position - start;
    } else {
        if (v->position <= start || v->position > end) return 0;
        u = 2 * length - (v->position - start);
    }
    const int64_t period = pingpong ? 2 * length : length;
    const int64_t inc = step % period;
    int m = frames;
    if (v->rampFrames > 0) {
        if (m > v->rampFrames) m = v->rampFrames;
        if (pingpong)
            MixShortLoopScalar<true, true>(s->data, start, length, &u, inc, acc, m, v->gainLeft,
                                           v->gainRight, v->rampLeft, v->rampRight);
        else
            MixShortLoopScalar<false, true>(s->data, start, length, &u, inc, acc, m, v->gainLeft,
                                            v->gainRight, v->rampLeft, v->rampRight);
    } else if (v->gainLeft | v->gainRight) {
        if (pingpong)
            MixShortLoopScalar<true, false>(s->data, start, length, &u, inc, acc, m,
                                            v->gainLeft >> 16, v->gainRight >> 16, 0, 0);
        else
            MixShortLoopScalar<false, false>(s->data, start, length, &u, inc, acc, m,
                                             v->gainLeft >> 16, v->gainRight >> 16, 0, 0);
    } else {
        // Silent: only the place moves (m x inc may pass 64 bits).
        const unsigned __int128 travel = static_cast<unsigned __int128>(inc) * unsigned(m);
        u = int64_t((travel + uint64_t(u)) % uint64_t(period));
    }
    if (!pingpong || u < length) {
        v->position = start + u;
        v->step = step;
    } else {
        v->position = start + period - u;
        v->step = -step;
    }
    return m;
}

// Ends a run of m frames: the ramp moves on, and a fading voice whose ramp has run out ends.
static void EndRun(MixVoice* v, int m) {
    if (v->rampFrames <= 0) return;
    v->rampFrames -= m;
    if (v->rampFrames == 0) {
        v->gainLeft = v->targetLeft;
        v->gainRight = v->targetRight;
        if (v->fading) v->active = false;
    } else {
        v->gainLeft += v->rampLeft * m;
        v->gainRight += v->rampRight * m;
    }
}

void MixVoiceFrames(MixVoice* v, int32_t* acc, int frames) {
    if (!v->active) return;
    const ModuleSample* s = v->sample;
    const int16_t* d = s->data;
    const bool shortLoop = HasShortLoop(v);
    while (frames > 0) {
        int k;
        if (shortLoop && (k = MixShortLoop(v, acc, frames)) > 0) {
            EndRun(v, k);
            acc += 2 * k;
            frames -= k;
            if (!v->active) return;
            continue;
        }
        // Frames until the position leaves the played range.
        int64_t n;
        if (v->step >= 0) {
            const int64_t bound = int64_t(s->length) << 32;
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
            if (v->position <= low) {
                WrapPosition(v);
                continue;
            }
            n = (v->position - low - v->step - 1) / -v->step;
        }
        int m = n < frames ? int(n) : frames;
        if (v->rampFrames > 0) {
            if (m > v->rampFrames) m = v->rampFrames;
            MixRamp(d, v->position, v->step, acc, m, v->gainLeft, v->gainRight, v->rampLeft,
                    v->rampRight);
        } else if (v->gainLeft | v->gainRight) {
            MixConstant(d, v->position, v->step, acc, m, v->gainLeft >> 16, v->gainRight >> 16);
        }
        EndRun(v, m);
        v->position += v->step * m;
        acc += 2 * m;
        frames -= m;
        if (!v->active) return;
    }
}

#ifdef MVX_MIX_AVX2
// Sixteen values at a time, with the same integer results as the scalar loop: |v| is held
// below 32768 x 8160 (which converts to the clamp anyway), so (|v| + 4080) / 8160 =
// ((|v| + 4080) >> 5) / 255, and a 27-bit value divided by 255 is (y x 0x80808081) >> 39.
__attribute__((target("avx2"))) static inline __m256i ConvertEight(__m256i v, __m256i master,
                                                                   __m256i* sum) {
    const __m256i a = _mm256_min_epu32(_mm256_abs_epi32(v), _mm256_set1_epi32(32768 * 8160));
    const __m256i y = _mm256_srli_epi32(_mm256_add_epi32(a, _mm256_set1_epi32(4080)), 5);
    const __m256i magic = _mm256_set1_epi64x(0x80808081);
    const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32(y, magic), 39);
    const __m256i odd = _mm256_srli_epi64(_mm256_mul_epu32(_mm256_srli_epi64(y, 32), magic), 39);
    __m256i q = _mm256_blend_epi32(even, _mm256_slli_epi64(odd, 32), 0xAA);
    q = _mm256_min_epu32(q, _mm256_set1_epi32(32767));
    q = _mm256_srli_epi32(_mm256_mullo_epi32(q, master), 15);
    *sum = _mm256_add_epi32(*sum, q);
    return _mm256_sign_epi32(q, v);
}

__attribute__((target("avx2"))) static int ConvertAvx2(const int32_t* acc, int values, uint32_t m,
                                                       int16_t* out, uint64_t sums[2]) {
    const __m256i master = _mm256_set1_epi32(int32_t(m));
    __m256i sum = _mm256_setzero_si256();
    int i = 0;
    for (; i + 16 <= values && i < (1 << 16); i += 16) { // lane sums stay below 2^31
        const __m256i* in = reinterpret_cast<const __m256i*>(acc + i);
        const __m256i q0 = ConvertEight(_mm256_loadu_si256(in), master, &sum);
        const __m256i q1 = ConvertEight(_mm256_loadu_si256(in + 1), master, &sum);
        const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi32(q0, q1), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), packed);
    }
    alignas(32) uint32_t lanes[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), sum);
    sums[0] += uint64_t(lanes[0]) + lanes[2] + lanes[4] + lanes[6];
    sums[1] += uint64_t(lanes[1]) + lanes[3] + lanes[5] + lanes[7];
    return i;
}
#endif

void AddSaturated(int32_t* acc, const int32_t* src, int values) {
    for (int i = 0; i < values; i++) {
        const int64_t v = int64_t(acc[i]) + src[i];
        acc[i] = v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
    }
}

void ConvertAccumulator(const int32_t* acc, int frames, int32_t master, int16_t* out,
                        int32_t* levelLeft, int32_t* levelRight) {
    const uint32_t m = uint32_t(master < 0 ? 0 : master > 32768 ? 32768 : master);
    uint64_t sums[2] = {0, 0};
    int done = 0;
#ifdef MVX_MIX_AVX2
    if (HaveAvx2) done = ConvertAvx2(acc, 2 * frames, m, out, sums);
#endif
    for (int i = done; i < 2 * frames; i++) {
        // In unsigned 32 bits: |v| + 4080 stays below 2^32.
        const int32_t v = acc[i];
        const uint32_t magnitude = v < 0 ? 0u - uint32_t(v) : uint32_t(v);
        uint32_t x = (magnitude + 4080u) / 8160u; // |v| / 8160, halves up
        if (x > 32767u) x = 32767u;
        x = (x * m) >> 15; // x master / 32768
        out[i] = int16_t(v < 0 ? -int32_t(x) : int32_t(x));
        sums[i & 1] += x;
    }
    if (levelLeft) *levelLeft = frames ? int32_t(sums[0] / uint64_t(frames)) : 0;
    if (levelRight) *levelRight = frames ? int32_t(sums[1] / uint64_t(frames)) : 0;
}
