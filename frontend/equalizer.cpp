// equalizer.cpp - the menu's wire-frame equalizer.
#include "frontend/equalizer.h"

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
