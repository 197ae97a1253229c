// screen_parts.h - the pieces that the main menu and the high-score screen share: the
// pulse of the highlight colour, the highlight bar, item texts with their shadows, the
// frame bars along the top and bottom edges, and the wrapping cursor.
//
// Called by MenuMode and HighScoreMode inside a drawn frame, in 2D. Main thread.
#pragma once

#include <cstdint>

// A = |SinDeg(pulse)| / 2: 0 to 0.5, a period of 36 drawn frames at +5 degrees a frame.
float PulseAmount(float pulse);

// The full-width bar, 30 pixels high from y = top, in magenta pulsing towards (1, 0.5, 1).
void DrawHighlightBar(float top, float amount);

// Texts drawn with a shadow 4 pixels right of and below them in (0.1, 0.1, 0.1); every
// shadow of the group comes before the first text.
struct ShadowedText {
    const char* text;
    int32_t x, y;
};
void DrawItemTexts(const ShadowedText* items, int count); // white texts, font slot 0, 20 x 20

// Piece 1 of the pipe frame squashed to 64 x 30, fourteen times along y = 0 and y = 570.
void DrawFrameBars();

// The cursor after one poll of the up and down arrows: up first, then down, each wrapping
// within 0 to last. Returns how many arrows were held (each one a move).
int WrapCursor(int32_t* cursor, int32_t last, bool up, bool down);
