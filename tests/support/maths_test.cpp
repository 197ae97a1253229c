// maths_test.cpp - rounding, truncation, degree sine and cosine and AngleTo; the RANROT
// generator against a model written here from the algorithm's description, with the 96-bit
// product taken in 32-bit limbs. Number text shows in the high-score golden picture.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/platform.h"
#include "platform/scripted.h"
#include "support/maths.h"
#include "support/random.h"

TEST(Conversions, StoringRoundsHalvesToEvenTruncationCutsTowardsZeroBothSaturate) {
    const struct {
        double x;
        int32_t rounded, truncated;
    } cases[] = {{2.5, 2, 2}, {3.5, 4, 3},    {-2.5, -2, -2},
                 {2.6, 3, 2}, {-2.9, -3, -2}, {0.7f, 1, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToInt(c.x), c.rounded) << c.x;
        EXPECT_EQ(TruncToInt(c.x), c.truncated) << c.x;
    }
    EXPECT_EQ(RoundToInt(1e12), INT32_MAX);
    EXPECT_EQ(TruncToInt(-3e9), INT32_MIN);
}

TEST(DegreeTrigonometry, UsesTheSinglePrecisionDegreeConstant) {
    EXPECT_EQ(SinDeg(90), 1.0f);
    // 90 x 0.0174532924f falls 1.2e-8 short of pi / 2: tiny, but not the 1e-16 of a double pi.
    EXPECT_NEAR(CosDeg(90), 1.2167964e-8f, 1e-12f);
}

TEST(AngleTo, WholeDegreesCutTowardsZeroThenTurnedIntoZeroTo359) {
    const struct {
        int32_t dy, dx, angle;
    } cases[] = {{0, 5, 0},     {5, 0, 90},    {0, -5, 180},  {-5, 0, 270},       {-1, 1, 315},
                 {1, -1, 135},  {-1, -1, 225}, {1, 2, 26},    {-1, 2, 334},       {2, -1, 117},
                 {-1, -2, 206}, {-1, 1000, 0}, {-1, 57, 359}, {INT32_MIN, 0, 270}};
    for (const auto& c : cases) EXPECT_EQ(AngleTo(c.dy, c.dx), c.angle) << c.dy << ", " << c.dx;
}

namespace {

// words[2 i] and words[2 i + 1] are pair i.
struct RanrotModel {
    uint32_t words[34];
    int p1 = 0, p2 = 10;
    explicit RanrotModel(uint32_t s) {
        for (uint32_t& w : words) w = s = s * 2891336453u + 1u;
        for (int i = 0; i < 31; i++) Int(0);
    }
    static uint32_t Rotl(uint32_t v, int r) { return (v << r) | (v >> (32 - r)); }
    int32_t Int(int32_t n) {
        const uint32_t y = Rotl(words[2 * p1], 19) + words[2 * p2];
        const uint32_t z = Rotl(words[2 * p1 + 1], 27) + words[2 * p2 + 1];
        words[2 * p1] = z, words[2 * p1 + 1] = y;
        p1 = (p1 + 16) % 17, p2 = (p2 + 16) % 17;
        if (n < 0) return INT32_MIN;
        const uint64_t m = uint64_t(n) + 1, low = uint64_t(z) * m;
        return int32_t(uint32_t((uint64_t(y) * m + (low >> 32)) >> 32));
    }
};

} // namespace

TEST(RandomNumbers, SequenceMatchesTheRanrotDescriptionBitForBit) {
    // A negative range gives the most negative number and still takes a step.
    const int32_t ranges[] = {0, 1, 6, 359, 600, 65535, -1, 1000000007, INT32_MAX, INT32_MIN};
    for (uint32_t seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        RandomSeed(seed);
        RanrotModel model(seed);
        for (int i = 0; i < 1000; i++)
            ASSERT_EQ(RandomInt(ranges[i % 10]), model.Int(ranges[i % 10])) << seed << ", " << i;
    }
}

TEST(RandomNumbers, FirstUseSeedsOnceFromTheTickCount) {
    const char* why = nullptr;
    ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << why;
    ScriptReset();
    ScriptAdvanceClock(2345);
    RandomUnseed();
    RanrotModel model(SCRIPT_CLOCK_START + 2345);
    EXPECT_EQ(RandomInt(1000000), model.Int(1000000));
    ScriptAdvanceClock(10);
    EXPECT_EQ(RandomInt(1000000), model.Int(1000000));
    PlatformShutdown();
}

TEST(RandomNumbers, RangeIsHighMinusAWholeDrawOfTheRoundedSpan) {
    const struct {
        float lo, hi;
        int32_t span; // hi - lo rounded, halves to even
    } cases[] = {{100, 700, 600}, {-50, 50, 100}, {0.3f, 1.0f, 1}, {3, 6, 3}, {0, 2.5f, 2}};
    RandomSeed(9);
    RanrotModel model(9);
    for (const auto& c : cases)
        for (int i = 0; i < 100; i++)
            ASSERT_EQ(RandomRange(c.lo, c.hi), c.hi - float(model.Int(c.span))) << c.lo;
}
