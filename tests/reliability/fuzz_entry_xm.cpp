// fuzz_entry_xm.cpp - the xm fuzz target's body, built into the replay test under its own name.
#define LLVMFuzzerTestOneInput FuzzXmInput
#include "fuzz/xm_fuzzer.cpp"
