// wav_chunks.h - reads the PCM sound of an embedded WAV: RIFF, a leading "fmt " chunk, and
// the chunk walk to "data". Bounds-checked: any byte sequence is refused or read inside its
// size. Called by the sound-effect bank (main thread), the tests and the WAV fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>

struct WavSound {
    uint16_t formatTag; // 1 = PCM
    uint16_t channels;
    uint32_t rate; // samples per second
    uint16_t bitsPerSample;
    const uint8_t* samples; // inside the given data
    uint32_t bytes;         // sample bytes, cut to what the data holds
};

// True when the data is RIFF with "fmt " at offset 12 (a format record of 16 bytes or more)
// and a "data" chunk found by walking the chunks after it. A "data" size past the end of the
// data is cut to the end.
bool ReadWavChunks(const uint8_t* data, size_t size, WavSound* out);
