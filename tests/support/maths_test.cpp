// maths_test.cpp - rounding, truncation, degree sine and cosine, AngleTo and number text.
#include <gtest/gtest.h>

#include <cstdint>

#include "support/maths.h"

TEST(Conversions, StoringAFloatRoundsHalvesToEven) {
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
    EXPECT_EQ(RoundToInt(-2.5), -2);
    EXPECT_EQ(RoundToInt(-3.5), -4);
    EXPECT_EQ(RoundToInt(0.5), 0);
    EXPECT_EQ(RoundToInt(1.5), 2);
    EXPECT_EQ(RoundToInt(2.6), 3);
    EXPECT_EQ(RoundToInt(-2.6), -3);
    EXPECT_EQ(RoundToInt(2.4999), 2);
    EXPECT_EQ(RoundToInt(0.7f), 1); // the span of RandomRange(0.3, 1.0)
    EXPECT_EQ(RoundToInt(12.5f), 12);
    EXPECT_EQ(RoundToInt(2147483647.0), INT32_MAX);
    EXPECT_EQ(RoundToInt(-2147483648.0), INT32_MIN);
}

TEST(Conversions, TruncationCutsTowardsZero) {
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(-0.5), 0);
    EXPECT_EQ(TruncToInt(44.99999), 44);
    EXPECT_EQ(TruncToInt(2147483647.9), INT32_MAX);
    EXPECT_EQ(TruncToInt(-2147483648.9), INT32_MIN);
}

TEST(Conversions, OutOfRangeValuesSaturateInsteadOfWrapping) {
    EXPECT_EQ(RoundToInt(1e12), INT32_MAX);
    EXPECT_EQ(RoundToInt(-1e12), INT32_MIN);
    EXPECT_EQ(TruncToInt(3e9), INT32_MAX);
    EXPECT_EQ(TruncToInt(-3e9), INT32_MIN);
}

TEST(DegreeTrigonometry, UsesTheSinglePrecisionDegreeConstant) {
    EXPECT_EQ(SinDeg(0), 0.0f);
    EXPECT_EQ(SinDeg(90), 1.0f);
    EXPECT_EQ(CosDeg(0), 1.0f);
    EXPECT_EQ(CosDeg(180), -1.0f);
    EXPECT_FLOAT_EQ(SinDeg(30), 0.5f);
    EXPECT_FLOAT_EQ(CosDeg(60), 0.5f);
    EXPECT_FLOAT_EQ(SinDeg(-90), -1.0f);
    // 90 x 0.0174532924f falls 1.2e-8 short of pi / 2 and 180 x it 2.4e-8 short of pi, so
    // these are tiny but not zero (a double-precision pi / 180 would give about 1e-16).
    EXPECT_NEAR(CosDeg(90), 1.2167964e-8f, 1e-12f);
    EXPECT_NEAR(SinDeg(180), 2.4335928e-8f, 1e-12f);
    EXPECT_GT(CosDeg(90), 1e-9f);
}

TEST(AngleTo, QuadrantsAxesAndDiagonals) {
    EXPECT_EQ(AngleTo(0, 5), 0);
    EXPECT_EQ(AngleTo(5, 0), 90);
    EXPECT_EQ(AngleTo(0, -5), 180);
    EXPECT_EQ(AngleTo(-5, 0), 270);
    EXPECT_EQ(AngleTo(-1, 1), 315); // -45 + 360: the diagonal comes out whole
    EXPECT_EQ(AngleTo(1, 1), 45);
    EXPECT_EQ(AngleTo(1, -1), 135);
    EXPECT_EQ(AngleTo(-1, -1), 225);
    EXPECT_EQ(AngleTo(100, 100), 45);
    // Whole degrees cut towards zero before the quadrant is added.
    EXPECT_EQ(AngleTo(1, 2), 26);      // 26.57
    EXPECT_EQ(AngleTo(-1, 2), 334);    // -26.57 -> -26 -> 334
    EXPECT_EQ(AngleTo(2, -1), 117);    // -63.43 -> -63 + 180
    EXPECT_EQ(AngleTo(-1, -2), 206);   // 26.57 -> 26 + 180
    EXPECT_EQ(AngleTo(-1, 1000), 0);   // -0.057 cuts to 0: never 360
    EXPECT_EQ(AngleTo(1, -1000), 180); // -0.057 -> 0 + 180
}

TEST(AngleTo, StaysWithinZeroTo359ForAnyDirection) {
    for (int dy = -40; dy <= 40; dy++) {
        for (int dx = -40; dx <= 40; dx++) {
            if (dx == 0 && dy == 0) continue;
            const int32_t a = AngleTo(dy, dx);
            ASSERT_GE(a, 0) << dy << "," << dx;
            ASSERT_LE(a, 359) << dy << "," << dx;
        }
    }
    EXPECT_EQ(AngleTo(INT32_MIN, 0), 270);
    EXPECT_EQ(AngleTo(INT32_MAX, 1), 90);
}

TEST(NumberText, DecimalWithoutLeadingZerosOrPlus) {
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(-7), "-7");
    EXPECT_EQ(NumberToText(10), "10");
    EXPECT_EQ(NumberToText(2147483647), "2147483647");
    EXPECT_EQ(NumberToText(INT32_MIN), "-2147483648");
}
