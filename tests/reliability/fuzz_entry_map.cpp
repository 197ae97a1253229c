// fuzz_entry_map.cpp - the map fuzz target's body, built into the replay test under its own name.
#define LLVMFuzzerTestOneInput FuzzMapInput
#include "fuzz/map_fuzzer.cpp"
