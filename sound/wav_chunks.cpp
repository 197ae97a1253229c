// wav_chunks.cpp - the RIFF chunk walk of the sound-effect bank.
#include "sound/wav_chunks.h"

#include <cstring>

static uint32_t U32At(const uint8_t* p) {
    return uint32_t(p[0] | p[1] << 8 | p[2] << 16) | uint32_t(p[3]) << 24;
}
static uint16_t U16At(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

bool ReadWavChunks(const uint8_t* data, size_t size, WavSound* out) {
    if (!data || size < 20) return false;
    if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 12, "fmt ", 4) != 0) return false;
    const uint32_t formatSize = U32At(data + 16);
    if (formatSize < 16 || formatSize > size - 20) return false;
    const uint8_t* f = data + 20;
    WavSound w{};
    w.formatTag = U16At(f);
    w.channels = U16At(f + 2);
    w.rate = U32At(f + 4);
    w.bitsPerSample = U16At(f + 14);
    // Walk the chunks after the format: each is skipped by 8 plus its size, until "data".
    // The walk stops at the end of the data (a WAV without "data" is refused).
    uint64_t at = 20 + uint64_t(formatSize);
    while (at + 8 <= size) {
        const uint8_t* chunk = data + at;
        const uint32_t chunkSize = U32At(chunk + 4);
        if (std::memcmp(chunk, "data", 4) == 0) {
            const uint64_t left = size - (at + 8);
            w.samples = chunk + 8;
            w.bytes = chunkSize <= left ? chunkSize : uint32_t(left);
            *out = w;
            return true;
        }
        at += 8 + uint64_t(chunkSize);
    }
    return false;
}
