// music_render.h - plays module bytes through the game's own song engine into 16-bit stereo,
// block by block as the player's mixing thread does, for the music tests.
#pragma once

#include <cstdint>
#include <vector>

#include "sound/xm_song.h"

struct RenderedSong {
    bool loaded = false;
    std::vector<int16_t> samples; // interleaved left, right at 48000 frames per second
    size_t Frames() const { return samples.size() / 2; }
};

// Renders until the song ends (`ending`) or maxSeconds have been made.
RenderedSong RenderModule(const std::vector<uint8_t>& bytes, MusicEnding ending, double maxSeconds);
