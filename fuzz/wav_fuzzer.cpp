// wav_fuzzer.cpp - any byte sequence given to the WAV chunk walk is refused or read inside
// its bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sound/wav_chunks.h"

// libFuzzer's entry point (the tests build it in under another name).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavSound w;
    if (!ReadWavChunks(data, size, &w)) return 0;
    if (w.samples < data || w.samples + w.bytes > data + size) std::abort();
    volatile uint32_t sum = 0;
    for (uint32_t i = 0; i < w.bytes; i++) sum = sum + w.samples[i]; // every byte readable
    return 0;
}
