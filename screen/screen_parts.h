// screen_parts.h - the pieces that the main menu, the high-score screen and the between-level
// screens share: the pulse of the highlight colour, the highlight bar, item texts with their
// shadows, the frame bars along the top and bottom edges, the wrapping cursor and its key
// poll.
//
// Called by MenuMode, HighScoreMode, ShopMode and LevelEndMode inside a drawn frame, in 2D.
// Main thread.
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
// White texts, 20 x 20 glyphs, in font slot 0 unless told.
void DrawItemTexts(const ShadowedText* items, int count, int font = 0);

// A menu's items over its highlight bar: the bar behind the item under the cursor (30 pixels
// per item from barTop), then the items' texts.
void DrawMenuItems(const ShadowedText* items, int count, int32_t cursor, int32_t barTop,
                   float amount);

// Piece 1 of the pipe frame squashed to 64 x 30, fourteen times along y = 0 and y = 570.
void DrawFrameBars();

// The cursor after one poll of the up and down arrows: up first, then down, each wrapping
// within 0 to last. Returns how many arrows were held (each one a move).
int WrapCursor(int32_t* cursor, int32_t last, bool up, bool down);

// The menus look at their keys only now and then, so a held key repeats: the counter counts
// drawn frames, and when it passes `after` it starts again from 0 and the keys are polled.
// Returns true in the frames that poll.
bool KeyPollDue(int32_t* counter, int32_t after);

// One poll of a menu: the arrows move the cursor (WrapCursor), then the space bar is read.
struct MenuPoll {
    int moves;   // how many arrows moved the cursor
    bool choose; // the space bar was held
};
MenuPoll PollMenuCursor(int32_t* cursor, int32_t last);

// The pipe frame along the top and bottom edges, drawn over everything: the play mode's HUD
// and both screens of the level-end mode. Pieces of HudFrameImages, 50 x 50 each.
void DrawPipeFrame();
