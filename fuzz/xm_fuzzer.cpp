// xm_fuzzer.cpp - any byte sequence given to the XM parser is refused or played: parse it and
// render half a second of it (looping, so jumps and loops are walked), never out of bounds.
//
// A tempo far above the 255 BPM an effect can set costs more than a module's length (the
// header's is taken as 255, but 64 channels at 255 BPM still hold 3328 channel ticks in half a
// second): the render stops before its channel ticks pass a budget, and mixes what fits. A
// module still plays correctly; the budget keeps each input to a few milliseconds. (Voices
// on loops much shorter than their step cost no more than others: the mixer folds them frame
// by frame.)
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "sound/xm_song.h"

namespace {

constexpr int BLOCK_FRAMES = 1024;
constexpr int BLOCKS = 24; // half a second: long enough for envelopes, loops and jumps
// Channel ticks: 255 BPM gives 52 ticks in half a second, 64 channels 3328 channel ticks.
constexpr int64_t TICK_BUDGET = 4096;

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
    int64_t ticks = 0;
    for (int block = 0; block < BLOCKS; block++) {
        ticks += ChannelTicksAhead(music, BLOCK_FRAMES);
        if (ticks > TICK_BUDGET) break;
        std::memset(acc, 0, sizeof acc);
        const int got = RenderMusic(&music, acc, BLOCK_FRAMES);
        ConvertAccumulator(acc, got, 32768, out, nullptr, nullptr);
        if (got < BLOCK_FRAMES) break;
    }
    FreeModule(module);
    return 0;
}
