// xm_fuzzer.cpp - any byte sequence given to the XM parser is refused or played: parse it and
// render half a second of it (looping, so jumps and loops are walked), never out of bounds.
//
// The mixer mixes a voice in long runs and leaves its fast path each time the voice comes
// round its sample loop, so the cost of a block grows with the loop turns in it: a module of
// 64 channels all on a one-sample loop turns every voice round every frame: 0.4 s an input
// here, 30 times the same module with long loops. Such a module plays correctly; the
// render stops once the loop turns of this input would pass WRAP_BUDGET, which bounds every
// input to a few milliseconds and still mixes some blocks of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sound/xm_song.h"

namespace {

constexpr int BLOCK_FRAMES = 1024;
constexpr int BLOCKS = 24; // half a second: long enough for envelopes, loops and jumps
constexpr int64_t WRAP_BUDGET = 20000;

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ModuleData* module = LoadModule(data, size);
    if (!module) return 0;
    static MusicContext music;
    StartMusic(&music, module, MUSIC_STOP_AT_REPEAT);
    static int32_t acc[2 * BLOCK_FRAMES];
    static int16_t out[2 * BLOCK_FRAMES];
    int64_t turns = 0;
    for (int block = 0; block < BLOCKS; block++) {
        turns += LoopTurnsAhead(music, BLOCK_FRAMES);
        if (turns > WRAP_BUDGET) break;
        std::memset(acc, 0, sizeof acc);
        const int got = RenderMusic(&music, acc, BLOCK_FRAMES);
        ConvertAccumulator(acc, got, 32768, out, nullptr, nullptr);
        if (got < BLOCK_FRAMES) break;
    }
    FreeModule(module);
    return 0;
}
