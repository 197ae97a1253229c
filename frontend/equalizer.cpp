// equalizer.cpp - the menu's wire-frame equalizer.
#include "frontend/equalizer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "frontend/audio_input.h"
#include "render/display.h"
#include "render/draw.h"
#include "support/maths.h"

float EqualizerSpin = 0.0f;

int32_t EqualizerLevel(int16_t sample) {
    // Integer division first (truncating towards zero), then the float scale: the steps are
    // coarse on purpose, quiet input (|s| < 456) shows nothing.
    return RoundToInt(double(float(sample / 456) * AudioInput.levelScale));
}

int32_t UpdateEqualizerColumn(int column, int16_t sample) {
    int32_t level = EqualizerLevel(sample);
    int32_t& peak = AudioInput.peak[column];
    peak -= 4;
    // kept: a level above the ceiling drops to one below it, while exactly the ceiling stays.
    if (level > AudioInput.levelCeiling) level = AudioInput.levelCeiling - 1;
    if (peak < level)
        peak = level;
    else
        level = peak;
    return level;
}

void DrawEqualizer() {
    EqualizerSpin += 0.5f;
    SetLineWidth(2);
    SetColor(136.0f / 255.0f, 148.0f / 255.0f, 173.0f / 255.0f, 1);
    WireframeMode();
    PushTransform();
    Translate(0, -4, -20);
    RotateY(EqualizerSpin);
    for (int k = 0; k < EQUALIZER_COLUMNS; k++) {
        const int32_t level = UpdateEqualizerColumn(k, AudioInputSample(64 * k));
        PushTransform();
        Translate(float(-5 + 3 * k), 0, 0);
        DrawBox(1, float(level) / 80.0f, 1);
        PopTransform();
    }
    SetColor(1, 1, 1, 1);
    PopTransform();
    SolidMode();
}

FrameArea EqualizerArea(float fieldOfView) {
    // A column shows at least its held peak less 4 and at most the larger of that and the
    // ceiling; a negative level draws the box of its absolute value.
    const double spin = double(EqualizerSpin + 0.5f) * M_PI / 180.0;
    const double c = std::cos(spin), s = std::sin(spin);
    const double f = 1.0 / std::tan(double(fieldOfView) * M_PI / 360.0), aspect = 800.0 / 600.0;
    double left = 800, right = 0, top = 600, bottom = 0;
    for (int k = 0; k < EQUALIZER_COLUMNS; k++) {
        const int32_t low = AudioInput.peak[k] - 4;
        const int32_t most =
            std::max(std::abs(low), std::abs(std::max(low, AudioInput.levelCeiling)));
        const double half = double(most) / 80.0;
        for (int corner = 0; corner < 8; corner++) {
            // Translate(0, -4, -20), RotateY(spin), Translate(-5 + 3k, 0, 0), then the box.
            const double x = -5 + 3 * k + (corner & 1 ? 1 : -1);
            const double y = corner & 2 ? half : -half, z = corner & 4 ? 1 : -1;
            const double depth = 20 - (-s * x + c * z); // in front of the eye
            const double sx = (f / aspect * (c * x + s * z) / depth + 1) * 400;
            const double sy = (1 - f * (y - 4) / depth) * 300;
            left = std::min(left, sx), right = std::max(right, sx);
            top = std::min(top, sy), bottom = std::max(bottom, sy);
        }
    }
    // Widened for the lines, 2 pixels wide, and clamped to the frame.
    const int x1 = int(std::max(0.0, std::floor(left) - 3));
    const int y1 = int(std::max(0.0, std::floor(top) - 3));
    const int x2 = int(std::min(800.0, std::ceil(right) + 3));
    const int y2 = int(std::min(600.0, std::ceil(bottom) + 3));
    return {x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1)};
}
