// copper_bars.cpp - the high-score mode's swaying copper bars.
#include "frontend/copper_bars.h"

#include "core/catalogue.h"
#include "render/draw.h"
#include "support/maths.h"

int32_t CopperBarStep = 0;
int32_t BarColourRow[COPPER_BARS];
int32_t BarPhase[COPPER_BARS];

void ResetCopperBars() {
    for (int i = 0; i < COPPER_BARS; i++) {
        BarColourRow[i] = 12 * i;
        BarPhase[i] = 10 * i + 9;
    }
}

void DrawCopperBars() {
    for (int j = 0; j < COPPER_BARS; j++) {
        BarPhase[j] += 2;
        if (BarPhase[j] > 359) BarPhase[j] -= 360;
    }
    for (int j = 0; j < COPPER_BARS; j++) {
        // The counter runs across bars and frames: since 11 and 3 share no factor, each bar
        // advances one row every third frame, the bars taking turns.
        CopperBarStep += 1;
        if (CopperBarStep > 2) {
            BarColourRow[j] += 1;
            if (BarColourRow[j] > 599) BarColourRow[j] = 2; // kept: rows 0 and 1 only at the start
            CopperBarStep = 0;
        }
        // Never index outside the colour table, whatever the rows hold.
        const int32_t row = BarColourRow[j];
        if (row < 0 || row > 600) continue;
        const float* colour = CopperColours[row];
        DrawSpriteEx(HighlightBarImage, 0, 100.0f * SinDeg(float(BarPhase[j])) + 400.0f, 800, 20, 0,
                     colour[0], colour[1], colour[2], 1);
    }
}
