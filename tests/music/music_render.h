// music_render.h - module bytes through the game's song engine into 16-bit stereo, by blocks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "sound/xm_song.h"

struct RenderedSong {
    bool loaded = false;
    std::vector<int16_t> samples; // interleaved left, right at 48000 frames per second
    size_t Frames() const { return samples.size() / 2; }
};

// Renders until the song ends, maxSeconds pass or `more` says stop; `prepare` hooks the song.
inline RenderedSong RenderModule(const std::vector<uint8_t>& bytes, MusicEnding ending,
                                 double maxSeconds,
                                 const std::function<void(MusicContext&)>& prepare = {},
                                 const std::function<bool(size_t frames)>& more = {}) {
    RenderedSong out;
    ModuleData* module = LoadModule(bytes.data(), bytes.size());
    if (!module) return out;
    out.loaded = true;
    auto music = std::make_unique<MusicContext>(); // large: keep it off the stack
    StartMusic(music.get(), module, ending);
    if (prepare) prepare(*music);
    const int maxFrames = int(maxSeconds * MUSIC_RATE);
    std::vector<int32_t> acc(2 * 1024);
    std::vector<int16_t> block(2 * 1024);
    for (int got = 1024, want = 1024;
         got == want && int(out.Frames()) < maxFrames && (!more || more(out.Frames()));) {
        want = std::min(1024, maxFrames - int(out.Frames()));
        std::fill(acc.begin(), acc.end(), 0);
        got = RenderMusic(music.get(), acc.data(), want);
        ConvertAccumulator(acc.data(), got, 32768, block.data(), nullptr, nullptr);
        out.samples.insert(out.samples.end(), block.begin(), block.begin() + 2 * got);
    }
    FreeModule(module);
    return out;
}
