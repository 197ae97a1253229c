// random.cpp - RANROT type W generator: 17 pairs of 32-bit words, lag 10, rotations 19 and 27.
// Called from the main thread by every part of the game that draws a random number.
#include "support/random.h"

#include "support/maths.h"

namespace {

constexpr int RANROT_PAIRS = 17;
uint32_t Pairs[RANROT_PAIRS][2];
int P1 = 0, P2 = 0;

uint32_t RotateLeft(uint32_t v, int r) {
    return (v << r) | (v >> (32 - r));
}

// One step of the generator; returns the 64-bit output y:z.
uint64_t RanrotStep() {
    const uint32_t y = RotateLeft(Pairs[P1][0], 19) + Pairs[P2][0];
    const uint32_t z = RotateLeft(Pairs[P1][1], 27) + Pairs[P2][1];
    Pairs[P1][0] = z;
    Pairs[P1][1] = y;
    if (--P1 < 0) P1 = RANROT_PAIRS - 1;
    if (--P2 < 0) P2 = RANROT_PAIRS - 1;
    return (uint64_t(y) << 32) | z;
}

} // namespace

void RandomSeed(uint32_t seed) {
    uint32_t s = seed;
    for (int i = 0; i < RANROT_PAIRS; i++) {
        for (int w = 0; w < 2; w++) {
            s = s * 2891336453u + 1u;
            Pairs[i][w] = s;
        }
    }
    P1 = 0;
    P2 = 10;
    for (int i = 0; i < 31; i++) RanrotStep();
}

int32_t RandomInt(int32_t n) {
    const uint64_t r = RanrotStep(); // a step is taken even for n < 0
    if (n < 0) return INT32_MIN;
    // High word of the exact 96-bit product r x (n + 1): uniform in 0 to n.
    const unsigned __int128 product =
        static_cast<unsigned __int128>(r) * (uint64_t(uint32_t(n)) + 1u);
    return int32_t(uint32_t(product >> 64));
}

float RandomRange(float lo, float hi) {
    return hi - float(RandomInt(RoundToInt(hi - lo)));
}
