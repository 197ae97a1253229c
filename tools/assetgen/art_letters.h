// art_letters.h - the letter shapes of the game: a small 5 x 7 cell alphabet for the two
// bitmap fonts (character codes 32 to 91) and a large vector alphabet for the headings and
// the title logo. Both are given as signed distances so they can be painted at any size
// with anti-aliasing and lit like every other part of the art.
//
// Used by art_fonts.cpp and art_screens.cpp; pure functions, no state.
#pragma once

#include "tools/assetgen/art_canvas.h"

// ---------------------------------------------------------------- small alphabet
constexpr int SMALL_GLYPH_COLUMNS = 5;
constexpr int SMALL_GLYPH_ROWS = 7;

// The cell grid of a character code 32 to 91 (7 rows of 5 characters: '.' empty, '#' full,
// '1' '3' '7' '9' a half cell whose filled corner is where that digit sits on a number pad);
// nullptr for codes outside the alphabet.
const char* const* SmallGlyphRows(int code);

// Distance to the glyph at point p given in cell units (x 0..5, y 0..7); stair steps between
// diagonal neighbours are bridged so slanted strokes read as lines.
float SmallGlyphSdf(int code, Vec2 p);

// ---------------------------------------------------------------- large alphabet
// Letters drawn 10 units high with strokes 2.6 units wide and chamfered corners; the
// width of each letter in units (0 for a letter the alphabet lacks).
float LargeLetterWidth(char letter);
// Distance in units at point p (x from 0 to the width, y from 0 at the top to 10 at the base).
float LargeLetterSdf(char letter, Vec2 p);
// Width in units of a word with `gap` units between letters.
float LargeWordWidth(const char* word, float gap);
// Distance to a whole word laid out from x = 0.
float LargeWordSdf(const char* word, float gap, Vec2 p);
