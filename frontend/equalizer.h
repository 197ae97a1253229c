// equalizer.h - four wire-frame columns turning in 3D, rising and falling with the audio
// input; the main menu draws them behind its items.
//
// Called by the menu once per drawn frame, in its 3D projection (Begin3D(800, 600, 120, 50)
// and ResetTransform done by the caller). The spin and the held peaks live for the whole run,
// so the columns carry on where they stopped when the menu is entered again. Main thread.
#pragma once

#include <cstdint>

#include "render/display.h"

constexpr int EQUALIZER_COLUMNS = 4;

extern float EqualizerSpin; // degrees about the vertical axis; +0.5 per drawn frame, never wrapped

// The raw level of one sample: (sample / 456, truncated) x levelScale, rounded to the nearest
// integer, halves to even. Between -3635 and 3635.
int32_t EqualizerLevel(int16_t sample);

// One column's update: lowers its held peak by 4, clamps the level (above the ceiling it
// becomes one below the ceiling) and returns the larger of the level and the held peak,
// which becomes the new peak.
int32_t UpdateEqualizerColumn(int column, int16_t sample);

// Turns the spin, updates the four columns from samples 0, 64, 128 and 192 of the capture
// buffer and draws them as boxes of greyish-blue lines, 2 pixels wide. Leaves the colour
// white, polygons filled and the transform stack as it found it.
void DrawEqualizer();

// The part of the frame the next DrawEqualizer may draw in, whatever the capture buffer
// holds by then, under Begin3D(800, 600, far plane, fieldOfView).
FrameArea EqualizerArea(float fieldOfView);
