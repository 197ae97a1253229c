// fuzz_entry_bmp.cpp - the bmp fuzz target's body, built into the replay test under its own name.
#define LLVMFuzzerTestOneInput FuzzBmpInput
#include "fuzz/bmp_fuzzer.cpp"
