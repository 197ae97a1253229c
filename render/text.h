// text.h - bitmap-font text: 21 font slots of 121 glyph textures, drawn glyph by glyph.
//
// Glyph k (1-based) of a text starts at x + k w + 1: the first character stands one glyph
// width plus a pixel to the right of x. Codes without a glyph draw a solid block.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int FONT_SLOTS = 21;
constexpr int FONT_CODES = 121;

// Empties every slot (the layer's start-up; a new game in the same process starts afresh).
void ClearGlyphTable();

// Glyph table entry (0 when the slot or code has no glyph, or lies outside the table).
uint32_t GlyphTexture(int slot, int code);

// Cuts the 320-pixel-wide sheet (3 rows of 20 cells of 16 x 16, codes 32 to 91) into the slot.
// Returns 0 when the sheet does not decode.
int LoadFont(int slot, const uint8_t* bmp, size_t size, int orientation, int filter);

void DrawText(int slot, const char* text, int x, int y, int width, int height);
void DrawTextEx(int slot, const char* text, int x, int y, int width, int height, int mode,
                float red, float green, float blue, float alpha);
