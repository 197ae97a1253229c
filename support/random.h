// random.h - the game's seeded pseudo-random generator (RANROT type W, 17 pairs, lag 10).
//
// The first call of RandomInt in the process seeds the generator from GetTickCount, so two
// runs started in different milliseconds differ, while a run on the scripted backend's
// virtual clock repeats exactly. Main thread only.
#pragma once

#include <cstdint>

// Uniform whole number from 0 to n inclusive; n < 0 gives INT32_MIN.
int32_t RandomInt(int32_t n);

// hi - RandomInt(round(hi - lo)), as a float: hi minus a whole number.
float RandomRange(float lo, float hi);

// Seeds explicitly (tests); RandomUnseed makes the next RandomInt seed from the clock again.
void RandomSeed(uint32_t seed);
void RandomUnseed();
