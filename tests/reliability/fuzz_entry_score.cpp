// fuzz_entry_score.cpp - the score fuzz target's body, built into the replay test under its own
// name.
#define LLVMFuzzerTestOneInput FuzzScoreInput
#include "fuzz/score_fuzzer.cpp"
