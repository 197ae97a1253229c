// wav_writer.h - mono PCM WAV files as the game's sound bank reads them: "RIFF", a leading
// "fmt " chunk (16 bytes, or 18 with an empty extension), optional chunks before and after
// "data" ("fact" before, "LIST"/"INFO" after), 8-bit unsigned or 16-bit signed samples.
//
// Used by the effects part of the asset generator and by the content tests. Pure byte work.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WavLayout {
    uint32_t rate = 22050;
    int bits = 16;               // 8 (unsigned) or 16 (signed)
    bool extendedFormat = false; // "fmt " of 18 bytes (extension size 0) instead of 16
    bool factChunk = false;      // "fact" (sample count) between "fmt " and "data"
    std::string listName;        // non-empty: a "LIST"/"INFO" chunk after "data" naming it
};

// Samples in -1 .. 1 (clipped outside), quantised to the layout's depth; 8-bit samples get a
// little triangular dither from a fixed seed, so the same input gives the same bytes.
std::vector<uint8_t> EncodeWav(const std::vector<float>& samples, const WavLayout& layout);
