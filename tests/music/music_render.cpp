// music_render.cpp - renders module bytes through the song engine (see music_render.h).
#include "tests/music/music_render.h"

#include <algorithm>
#include <memory>

RenderedSong RenderModule(const std::vector<uint8_t>& bytes, MusicEnding ending,
                          double maxSeconds) {
    RenderedSong out;
    ModuleData* module = LoadModule(bytes.data(), bytes.size());
    if (!module) return out;
    out.loaded = true;
    auto music = std::make_unique<MusicContext>(); // large: keep it off the stack
    StartMusic(music.get(), module, ending);
    const uint64_t maxFrames = uint64_t(maxSeconds * MUSIC_RATE);
    std::vector<int32_t> acc(2 * 1024);
    std::vector<int16_t> block(2 * 1024);
    uint64_t frames = 0;
    while (frames < maxFrames) {
        const int want = int(std::min<uint64_t>(1024, maxFrames - frames));
        std::fill(acc.begin(), acc.end(), 0);
        const int got = RenderMusic(music.get(), acc.data(), want);
        ConvertAccumulator(acc.data(), got, 32768, block.data(), nullptr, nullptr);
        out.samples.insert(out.samples.end(), block.begin(), block.begin() + 2 * got);
        frames += uint64_t(got);
        if (got < want) break;
    }
    FreeModule(module);
    return out;
}
