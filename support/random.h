// random.h - the game's seeded pseudo-random generator (RANROT type W, 17 pairs, lag 10).
//
// Start-up seeds it with the tick count, so two runs started in different milliseconds
// differ, while a run on the scripted backend's virtual clock repeats exactly. Main thread
// only.
#pragma once

#include <cstdint>

// Uniform whole number from 0 to n inclusive; n < 0 gives INT32_MIN.
int32_t RandomInt(int32_t n);

// hi - RandomInt(round(hi - lo)), as a float: hi minus a whole number.
float RandomRange(float lo, float hi);

// Sets the generator's whole state from one seed.
void RandomSeed(uint32_t seed);
