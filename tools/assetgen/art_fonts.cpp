// art_fonts.cpp - the two font sheets: light blue and white letters for the play screens
// (font slot 1) and grey chrome letters for the menus (font slot 0).
//
// Both share the small alphabet: cells of 16 x 16 pixels, character codes 32 to 91 in three
// rows of twenty. A glyph's body is 11 x 14 pixels (two pixels a cell unit, strokes
// thickened by one pixel to the right) inside a one-pixel dark outline, so it stays
// crisp when the game stretches it to 20 x 20 with linear filtering.
#include <functional>

#include "tools/assetgen/art_canvas.h"
#include "tools/assetgen/art_letters.h"
#include "tools/assetgen/art_palette.h"
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

constexpr int CELL = 16;
constexpr float UNIT = 2.0f;   // pixels per cell unit
constexpr float BODY_X = 2.0f; // left edge of the glyph body in its cell
constexpr float BODY_Y = 1.0f;

// Glyph colour of a body pixel: height t (0 top, 1 bottom) and where it lies on the rim
// (+1 on an upper or left edge, -1 on a lower or right edge, 0 inside).
using GlyphShade = std::function<Colour(float t, int rim)>;

void PaintGlyphSheet(Canvas& sheet, const GlyphShade& shade, Colour outline) {
    // First the glyph bodies as coverage, then a pixel-exact bevel from the neighbours.
    Canvas mask = MakeCanvas(sheet.width, sheet.height);
    for (int n = 0; n < 60; n++) {
        const int code = 32 + n;
        const float ox = float(CELL * (n % 20)) + BODY_X, oy = float(CELL * (n / 20)) + BODY_Y;
        auto sdf = [&](Vec2 p) {
            const Vec2 u{(p.x - ox) / UNIT, (p.y - oy) / UNIT};
            const Vec2 shifted{(p.x - 1 - ox) / UNIT, (p.y - oy) / UNIT};
            return std::min(SmallGlyphSdf(code, u), SmallGlyphSdf(code, shifted)) * UNIT;
        };
        PaintShape(mask, ox - 1, oy - 1, ox + 14, oy + 15, sdf, [](Vec2) {
            return Colour{1, 1, 1};
        });
    }
    auto solid = [&](int x, int y) { return mask.Inside(x, y) && mask.At(x, y).a >= 0.5f; };
    for (int y = 0; y < sheet.height; y++)
        for (int x = 0; x < sheet.width; x++) {
            if (!solid(x, y)) continue;
            const int rim = (!solid(x, y - 1) || !solid(x - 1, y))   ? 1
                            : (!solid(x, y + 1) || !solid(x + 1, y)) ? -1
                                                                     : 0;
            const float t = (float(y % CELL) - BODY_Y + 0.5f) / 14.0f;
            sheet.At(x, y) = Pixel{shade(t, rim), 1};
        }
    AddOutline(sheet, outline, true);
}

} // namespace

PictureBytes MakeFontSheetBlue() {
    Canvas sheet = MakeCanvas(320, 48);
    const std::vector<Colour> ramp{Hex(0xFFFFFF), Hex(0xE8F6FF), Hex(0xA8DCFF), Hex(0x6CB4FF),
                                   Hex(0x4C8CF0)};
    PaintGlyphSheet(
        sheet,
        [&](float t, int rim) {
            // a lit upper-left rim and a deeper blue lower-right rim
            const Colour c = Ramp(ramp, t);
            return rim > 0 ? Mix(c, Colour{1, 1, 1}, 0.55f) : (rim < 0 ? c * 0.7f : c);
        },
        Hex(0x0A1440));
    return EncodeBmpDirect(320, 48, CanvasToRgb(sheet), 32);
}

PictureBytes MakeFontSheetChrome() {
    Canvas sheet = MakeCanvas(320, 49);
    PaintGlyphSheet(
        sheet,
        [&](float t, int rim) {
            // sky above the horizon, a dark ground line just below it, warm grey below
            Colour c;
            if (t < 0.5f)
                c = Mix(Hex(0x8C96A8), Hex(0xFFFFFF), SmoothStep(0.0f, 0.5f, t));
            else
                c = Mix(Hex(0x34363E), Hex(0xC8C4C0), SmoothStep(0.52f, 1.0f, t));
            return rim > 0 ? Mix(c, Colour{1, 1, 1}, 0.45f) : (rim < 0 ? c * 0.68f : c);
        },
        Hex(0x0C0C10));
    // The 49th row stays key black: the font loader never reads it.
    const IndexedPicture picture = ReduceToPalette(sheet, 256, 0);
    return EncodeBmpIndexed(320, 49, picture.indices, picture.palette, 8);
}
