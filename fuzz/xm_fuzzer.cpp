// xm_fuzzer.cpp - any byte sequence given to the XM parser is refused or played: parse it and
// render a few seconds of it (looping, so jumps and loops are walked), never out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "sound/xm_song.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ModuleData* module = LoadModule(data, size);
    if (!module) return 0;
    static MusicContext music;
    StartMusic(&music, module, MUSIC_STOP_AT_REPEAT);
    static int32_t acc[2 * 1024];
    static int16_t out[2 * 1024];
    // At most half a second of song: long enough for envelopes, loops and jumps, short enough
    // to keep the fuzzer fast.
    for (int block = 0; block < 24; block++) {
        std::memset(acc, 0, sizeof acc);
        const int got = RenderMusic(&music, acc, 1024);
        ConvertAccumulator(acc, got, 32768, out, nullptr, nullptr);
        if (got < 1024) break;
    }
    FreeModule(module);
    return 0;
}
