// copper_bars.h - eleven full-width rainbow bars swaying in a travelling wave behind the
// high-score table.
//
// Called by the high-score mode once per drawn frame in 2D, after its heading picture and
// before its table. The bars' angles (BarPhase) and colour rows (BarColourRow) live for the
// whole run from start-up on; the step counter that paces the colours belongs to one visit
// and the mode sets it to 0 on entry. Main thread.
#pragma once

#include <cstdint>

constexpr int COPPER_BARS = 11;

extern int32_t BarColourRow[COPPER_BARS]; // a row of CopperColours per bar
extern int32_t BarPhase[COPPER_BARS];     // degrees along the bar's swing

// Start-up: bar i starts at colour row 12 i and at 10 i + 9 degrees.
void ResetCopperBars();

// Bar updates counted towards the next colour step; every third update advances the colour
// row of the bar being updated. Set to 0 by the high-score mode on each entry.
extern int32_t CopperBarStep;

// Moves every bar 2 degrees along its swing and draws the eleven 800 x 20 bars from the
// highlight-bar texture, each tinted with its row of CopperColours; advances the colour rows
// as it goes (rows run up to 599 and wrap to 2).
void DrawCopperBars();
