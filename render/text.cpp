// text.cpp - the glyph table, font loading and text drawing.
//
// A linearly filtered font is one texture with every glyph a part of it (TextureAtlas), so a
// line of text is one run of the draw queue, not a texture change a glyph; a font of any
// other filter has a texture a glyph. The picture is the same either way.
#include "render/text.h"

#include <cstring>

#include "render/draw.h"
#include "render/image.h"
#include "render/render_internal.h"

namespace {

struct Glyph {
    uint32_t texture = 0; // 0: no glyph
    bool part = false;    // a part of the font's texture
    TextureBox box;       // that part
    TextureBox ink;       // its ink box, within the part
};
Glyph Glyphs[FONT_SLOTS][FONT_CODES];

constexpr int SHEET_ROWS = 3, SHEET_COLUMNS = 20, CELL = 16;
constexpr int SHEET_GLYPHS = SHEET_ROWS * SHEET_COLUMNS; // codes 32 to 91
constexpr int FILTER_LINEAR = 1;

// One texture for the sheet's cells.
void CutIntoAtlas(int slot, int orientation) {
    int cells[SHEET_GLYPHS][2];
    TextureBox parts[SHEET_GLYPHS], inks[SHEET_GLYPHS];
    for (int n = 0; n < SHEET_GLYPHS; n++)
        cells[n][0] = CELL * (n % SHEET_COLUMNS), cells[n][1] = CELL * (n / SHEET_COLUMNS);
    const uint32_t texture =
        TextureAtlas(WorkImage, cells, SHEET_GLYPHS, CELL, 0, orientation, parts, inks);
    for (int n = 0; n < SHEET_GLYPHS; n++) {
        // A sheet too small for a cell leaves that glyph empty.
        if (!(parts[n].s2 > parts[n].s1)) continue;
        Glyphs[slot][32 + n] = {texture, true, parts[n], inks[n]};
    }
}

} // namespace

void ClearGlyphTable() {
    for (auto& slot : Glyphs)
        for (Glyph& g : slot) g = Glyph{};
}

uint32_t GlyphTexture(int slot, int code) {
    if (slot < 0 || slot >= FONT_SLOTS || code < 0 || code >= FONT_CODES) return 0;
    return Glyphs[slot][code].texture;
}

int LoadFont(int slot, const uint8_t* bmp, size_t size, int orientation, int filter) {
    if (slot < 0 || slot >= FONT_SLOTS) return 0;
    if (!CatchImage(WorkImage, bmp, size)) return 0;
    if (filter == FILTER_LINEAR) {
        CutIntoAtlas(slot, orientation);
        return 1;
    }
    for (int n = 0; n < SHEET_GLYPHS; n++) {
        // A sheet too small for a cell leaves that glyph empty.
        if (GrabImage(WorkImage, GrabImageNumber, CELL * (n % SHEET_COLUMNS),
                      CELL * (n / SHEET_COLUMNS), CELL, CELL))
            Glyphs[slot][32 + n] = {TextureFromImage(0, orientation, filter, 1), false, {}, {}};
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
        const Glyph* g =
            slot >= 0 && slot < FONT_SLOTS && code < FONT_CODES ? &Glyphs[slot][code] : nullptr;
        if (!g || !g->part || !RenderEnabled) {
            DrawSpriteEx(GlyphTexture(slot, code), gx, float(y), float(width), float(height), mode,
                         red, green, blue, alpha);
            continue;
        }
        // As DrawSpriteEx draws a sprite: the alpha test on, then the colour white and the
        // test off.
        const float colour[4] = {red, green, blue, alpha};
        QueuePart(g->texture, g->box, g->ink, true, gx, float(y), gx + float(width),
                  float(y + height), colour);
        SetColor(1, 1, 1, 1);
        Drawn.alphaTest = false;
    }
}

void DrawText(int slot, const char* text, int x, int y, int width, int height) {
    DrawTextEx(slot, text, x, y, width, height, 0, 1, 1, 1, 1);
}
