// fuzz_entry_wav.cpp - the wav fuzz target's body, built into the replay test under its own name.
#define LLVMFuzzerTestOneInput FuzzWavInput
#include "fuzz/wav_fuzzer.cpp"
