// maths.h - conversions and angle maths whose exact results the game relies on.
#pragma once

#include <cstdint>
#include <string>

// Storing a float into an integer: nearest, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Every float-to-integer store in the game goes through this one helper.
int32_t RoundToInt(double x);

// Truncation towards zero; the only conversion of the game that truncates.
int32_t TruncToInt(double x);

// Sine and cosine of degrees in single precision (angle x 0.0174532924).
float SinDeg(float degrees);
float CosDeg(float degrees);

// Whole-degree direction 0 to 359 of (dx, dy) with y pointing down: 0 right, 90 down.
// AngleTo(0, 0) is undefined in the design; here it returns 0.
int32_t AngleTo(int32_t dy, int32_t dx);

// Decimal text: "0", "-7", "-2147483648"; no leading zeros or plus sign.
std::string NumberToText(int32_t n);

// The screen test of the game objects: strictly inside (lo, hi) on one axis.
inline bool StrictlyBetween(float v, float lo, float hi) {
    return lo < v && v < hi;
}
