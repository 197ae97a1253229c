// text.cpp - the glyph table, font loading and text drawing.
#include "render/text.h"

#include <cstring>

#include "render/draw.h"
#include "render/image.h"

namespace {

uint32_t Glyphs[FONT_SLOTS][FONT_CODES];

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
    int n = 0;
    for (int row = 0; row <= 2; row++) {
        for (int column = 0; column <= 19; column++) {
            // A sheet too small for a cell leaves that glyph empty.
            if (GrabImage(WorkImage, GrabImageNumber, 16 * column, 16 * row, 16, 16))
                Glyphs[slot][32 + n] = TextureFromImage(0, orientation, filter, 1);
            n++;
        }
    }
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
