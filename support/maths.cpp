// maths.cpp - rounding, truncation, degree trigonometry, AngleTo and number text.
#include "support/maths.h"

#include <cmath>

int32_t RoundToInt(double x) {
    // lrint rounds in the current mode, which the game never changes from nearest-even.
    if (!(x > -2147483649.0 && x < 2147483648.0)) return x > 0 ? INT32_MAX : INT32_MIN;
    return int32_t(std::lrint(x));
}

int32_t TruncToInt(double x) {
    if (!(x > -2147483649.0 && x < 2147483648.0)) return x > 0 ? INT32_MAX : INT32_MIN;
    return int32_t(x);
}

// The product with the single-precision constant and the sine are taken in double and the
// result rounded once to float, as the original's x87 code does.
float SinDeg(float degrees) {
    return float(std::sin(double(degrees) * double(0.0174532924f)));
}
float CosDeg(float degrees) {
    return float(std::cos(double(degrees) * double(0.0174532924f)));
}

int32_t AngleTo(int32_t dy, int32_t dx) {
    if (dy == 0 && dx == 0) return 0; // no direction; its only caller accepts any value
    // Single precision throughout: atan(1) x 57.2957795 must come out at 45, not 44.99999...,
    // so that a diagonal truncates to 45 (AngleTo(-1, 1) is 315).
    const float ratio = float(dy) / float(dx);
    int32_t a = TruncToInt(std::atan(ratio) * 57.2957795f);
    if (dx < 0) a += 180;
    if (a < 0) a += 360;
    if (a > 359) a -= 360;
    return a;
}

std::string NumberToText(int32_t n) {
    return std::to_string(n);
}
