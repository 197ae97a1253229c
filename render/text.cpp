// text.cpp - the glyph table, font loading and text drawing.
//
// A linearly filtered font's glyphs are parts of one texture (TexturesFromBoxes), so a line
// of text is one run of the draw queue rather than a texture change a glyph.
#include "render/text.h"

#include <cstring>

#include "render/draw.h"
#include "render/image.h"

namespace {

uint32_t Glyphs[FONT_SLOTS][FONT_CODES];

constexpr int SHEET_ROWS = 3, SHEET_COLUMNS = 20, CELL = 16;
constexpr int SHEET_GLYPHS = SHEET_ROWS * SHEET_COLUMNS; // codes 32 to 91
constexpr int FILTER_LINEAR = 1;

} // namespace

void ClearGlyphTable() {
    std::memset(Glyphs, 0, sizeof Glyphs);
}

uint32_t GlyphTexture(int slot, int code) {
    if (slot < 0 || slot >= FONT_SLOTS || code < 0 || code >= FONT_CODES) return 0;
    return Glyphs[slot][code];
}

int LoadFont(int slot, const uint8_t* bmp, size_t size, int orientation, int filter) {
    if (slot < 0 || slot >= FONT_SLOTS) return 0;
    if (!CatchImage(WorkImage, bmp, size)) return 0;
    // A sheet too small for a cell leaves that glyph empty.
    int cells[SHEET_GLYPHS][2];
    for (int n = 0; n < SHEET_GLYPHS; n++)
        cells[n][0] = CELL * (n % SHEET_COLUMNS), cells[n][1] = CELL * (n / SHEET_COLUMNS);
    if (filter == FILTER_LINEAR) {
        TexturesFromBoxes(WorkImage, cells, SHEET_GLYPHS, CELL, 0, orientation, 1,
                          &Glyphs[slot][32]);
        return 1;
    }
    for (int n = 0; n < SHEET_GLYPHS; n++)
        if (GrabImage(WorkImage, GrabImageNumber, cells[n][0], cells[n][1], CELL, CELL))
            Glyphs[slot][32 + n] = TextureFromImage(0, orientation, filter, 1);
    return 1;
}

void DrawTextEx(int slot, const char* text, int x, int y, int width, int height, int mode,
                float red, float green, float blue, float alpha) {
    if (!text) return;
    const size_t length = std::strlen(text);
    for (size_t k = 1; k <= length; k++) {
        const int code = static_cast<unsigned char>(text[k - 1]);
        const float gx = float(x + int(k) * width + 1);
        DrawSpriteEx(GlyphTexture(slot, code), gx, float(y), float(width), float(height), mode, red,
                     green, blue, alpha);
    }
}

void DrawText(int slot, const char* text, int x, int y, int width, int height) {
    DrawTextEx(slot, text, x, y, width, height, 0, 1, 1, 1, 1);
}
