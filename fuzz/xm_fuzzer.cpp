// xm_fuzzer.cpp - any byte sequence given to the XM parser is refused or played: parse it and
// render half a second of it (looping, so jumps and loops are walked), never out of bounds.
//
// Two kinds of module cost the instrumented fuzz build far more than their length, and the
// render stops before either passes its budget (the budget keeps each input to a few
// milliseconds and mixes what fits):
// - many channels at a high tempo: the loader caps a header's tempo at 255 BPM, yet half a
//   second of 64 channels still holds 3,300 ticks of every channel's effects and envelopes;
// - voices on loops shorter than their step: the mixer folds them frame by frame, which in
//   release costs about what any voice does, but under the address checks 64 channels on
//   one-sample loops still take 0.2 to 0.4 s an input, ten times one with long loops.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sound/xm_song.h"

namespace {

constexpr int BLOCK_FRAMES = 1024;
constexpr int BLOCKS = 24; // half a second: long enough for envelopes, loops and jumps
// Channel ticks: 255 BPM gives 52 ticks in half a second, 64 channels 3328 channel ticks.
constexpr int64_t TICK_BUDGET = 4096;
constexpr int64_t LOOP_TURN_BUDGET = 20000;

// The loop turns the active voices will take in the next `frames` frames, at their step now:
// at least one run per voice, at most two per frame.
int64_t LoopTurnsAhead(const MusicContext& music, int frames) {
    int64_t turns = 0;
    for (int c = 0; c < music.module->channels; c++) {
        for (const MixVoice& v : music.voices[c]) {
            if (!v.active || !v.sample || v.sample->loopType == SAMPLE_LOOP_NONE) continue;
            const int64_t loop = int64_t(v.sample->loopEnd - v.sample->loopStart) << 32;
            const int64_t travel = std::llabs(v.step) * frames;
            const int64_t t = loop > 0 ? travel / loop + 1 : 2 * int64_t(frames);
            turns += t < 2 * int64_t(frames) ? t : 2 * int64_t(frames);
        }
    }
    return turns;
}

// The channel ticks the next `frames` frames hold at the tempo now.
int64_t ChannelTicksAhead(const MusicContext& music, int frames) {
    const int64_t perTick = music.samplesPerTick > 0 ? music.samplesPerTick : 1;
    return (frames / perTick + 1) * music.module->channels;
}

} // namespace

// libFuzzer's entry point (the tests build it in under another name).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ModuleData* module = LoadModule(data, size);
    if (!module) return 0;
    static MusicContext music;
    StartMusic(&music, module, MUSIC_STOP_AT_REPEAT);
    static int32_t acc[2 * BLOCK_FRAMES];
    static int16_t out[2 * BLOCK_FRAMES];
    int64_t turns = 0, ticks = 0;
    for (int block = 0; block < BLOCKS; block++) {
        turns += LoopTurnsAhead(music, BLOCK_FRAMES);
        ticks += ChannelTicksAhead(music, BLOCK_FRAMES);
        if (turns > LOOP_TURN_BUDGET || ticks > TICK_BUDGET) break;
        std::memset(acc, 0, sizeof acc);
        const int got = RenderMusic(&music, acc, BLOCK_FRAMES);
        ConvertAccumulator(acc, got, 32768, out, nullptr, nullptr);
        if (got < BLOCK_FRAMES) break;
    }
    FreeModule(module);
    return 0;
}
