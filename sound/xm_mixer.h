// xm_mixer.h - the integer voice mixer and the conversion of the accumulator to 16-bit output.
//
// A voice plays one decoded sample at a 32.32 fixed-point step per output frame, linearly
// interpolated, into an accumulator of interleaved left/right i32. Every change of a voice's
// gain is reached in a ramp of MIX_RAMP_FRAMES frames. Used by the song engine (xm_song.cpp)
// on whichever thread renders: the mixing thread, the renderer tool, tests, the benchmark.
#pragma once

#include <cstdint>

#include "sound/xm_module.h"

constexpr int MIX_RAMP_FRAMES = 64;
constexpr int32_t MIX_GAIN_SHIFT = 3; // accumulator += (sample x gain) >> 3
// A voice's gain at full volume and full pan. It puts a full-scale note at the level other
// players give a module at full volume (the XM reference kit's renderings, within 0.1 dB).
constexpr int32_t MIX_GAIN_FULL = 24406;
// Channels whose voices, all full scale at full gain, still sum to less than 2^31 in one
// accumulator: 21 x 32768 x 24406 >> 3 < 2^31 (a channel's old note fades out while its new
// one fades in, so together they never pass one full gain).
constexpr int MIX_CHANNELS_PER_GROUP = 21;

struct MixVoice {
    const ModuleSample* sample;  // nullptr: silent
    int64_t position;            // sample index << 32 | fraction
    int64_t step;                // per output frame, 32.32; negative while a ping-pong runs back
    int32_t gainLeft, gainRight; // current gain << 16
    int32_t targetLeft, targetRight; // gain << 16
    int32_t rampLeft, rampRight;     // per-frame step while ramping
    int32_t rampFrames;              // frames of the ramp still to run
    bool active;
    bool fading; // ends when its ramp has run out (the old note of a channel)
};

// Starts a voice on a sample at a whole sample offset with zero gain (it ramps in).
void StartVoice(MixVoice* v, const ModuleSample* sample, int32_t offset);
// Sets the step from a playback rate in Hz at 48 kHz output.
void SetVoiceRate(MixVoice* v, double hz);
// Sets the gains (0..32767 each) the voice ramps to over MIX_RAMP_FRAMES frames.
void SetVoiceGains(MixVoice* v, int32_t left, int32_t right);
// Mixes frames of the voice into acc (2 x frames i32); a voice that reaches the end of an
// unlooped sample, or whose fade-out ramp reaches 0, becomes inactive.
void MixVoiceFrames(MixVoice* v, int32_t* acc, int frames);

// acc[i] += src[i] for `values` values, held at the i32 limits instead of wrapping.
void AddSaturated(int32_t* acc, const int32_t* src, int values);

// Output conversion of accumulated values: |v| / 8160 rounded half up, clamped to 32767, times
// master / 32768, sign restored. Also gives the average absolute level of each channel.
void ConvertAccumulator(const int32_t* acc, int frames, int32_t master, int16_t* out,
                        int32_t* levelLeft, int32_t* levelRight);
