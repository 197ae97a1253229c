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

// Root mean square of one channel (0 left, 1 right) or both (-1) over frames [from, to), in
// dB relative to full scale; -200 for silence.
double RmsDb(const RenderedSong& song, int channel, size_t from, size_t to);

// Pitch in Hz of the left channel over frames [from, to), from its rising zero crossings.
double MeasurePitch(const RenderedSong& song, size_t from, size_t to);
