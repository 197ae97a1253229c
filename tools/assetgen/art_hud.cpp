// art_hud.cpp - the frame and gauges round the play screen: four pieces of a double steel
// pipe (0 left corner bend, 1 straight, 2 right corner bend, 3 straight with a yellow band),
// and the blue fuel and red energy segments.
//
// The game draws the frame pieces 50 x 50 along the top and bottom edges (and piece 1
// squashed to 64 x 30 in the menus), so the pipes run along the top part of each piece and
// the gauges hang just below them; the segments are drawn 12 x 25 side by side.
#include "tools/assetgen/art_metal.h"
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

constexpr float PIECE = 64;
constexpr float PIPE_R = 6.0f;
const float PIPE_Y[2] = {10.0f, 24.0f}; // the two pipes' centres in a straight piece

Material Chrome(Colour base) {
    Material m;
    m.base = base;
    m.ambient = 0.3f;
    m.gloss = 1.0f;
    m.shininess = 30;
    return m;
}

const Colour PIPE_STEEL = {0.56f, 0.6f, 0.68f};

// A clamp holding both pipes: a dark steel strap with a bolt.
void PaintClamp(Canvas& c, float x) {
    PaintPlate(c, x - 3, PIPE_Y[0] - PIPE_R - 1.5f, x + 3, PIPE_Y[1] + PIPE_R + 1.5f, 1.5f,
               [](Vec2 p) { return BrushedMetal(p, DARK_STEEL * 1.5f, 401); });
    PaintRivet(c, {x, (PIPE_Y[0] + PIPE_Y[1]) / 2}, 1.6f, STEEL * 1.2f);
}

void PaintStraightPipes(Canvas& c) {
    for (float y : PIPE_Y) PaintTube(c, {-1, y}, {PIECE + 1, y}, PIPE_R, Chrome(PIPE_STEEL));
}

// A bend from the right edge (or the left, mirrored) turning down to the bottom edge.
Canvas PaintBendPiece(bool left) {
    Canvas c = MakeCanvas(int(PIECE), int(PIECE));
    const Vec2 centre = left ? Vec2{PIECE, PIECE} : Vec2{0, PIECE};
    const float from = left ? 180 : 270, to = left ? 270 : 360;
    for (float y : PIPE_Y) PaintTubeArc(c, centre, PIECE - y, PIPE_R, from, to, Chrome(PIPE_STEEL));
    // the pipes end in flanges at the bottom edge
    for (float y : PIPE_Y) {
        const float x = left ? y : PIECE - y;
        PaintTube(c, {x, PIECE - 6}, {x, PIECE}, PIPE_R + 1.8f, Chrome(DARK_STEEL * 1.6f));
    }
    return c;
}

PictureBytes Segment(Colour core) {
    Canvas c = MakeCanvas(32, 32);
    const float x0 = 2, x1 = 30, y0 = 7, y1 = 25;
    auto bar = [=](Vec2 p) { return SdRoundRect(p, x0, y0, x1, y1, 3); };
    PaintShape(c, 0, 0, 32, 32, bar, [=](Vec2 p) {
        // a glassy tube of light: bright sheen above, the colour, a deep base
        const float t = (p.y - y0) / (y1 - y0);
        Colour col = Ramp({Mix(core, Colour{1, 1, 1}, 0.75f), core * 1.15f, core, core * 0.55f}, t);
        if (t > 0.12f && t < 0.24f) col = Mix(col, Colour{1, 1, 1}, 0.5f);
        return col;
    });
    AddOutline(c, core * 0.25f, false);
    return EncodeBmpDirect(32, 32, CanvasToRgb(c), 24);
}

} // namespace

PictureBytes MakeHudFrame() {
    Canvas sheet = MakeCanvas(256, 64);
    DrawCanvas(sheet, PaintBendPiece(true), 0, 0);
    Canvas straight = MakeCanvas(64, 64);
    PaintStraightPipes(straight);
    PaintClamp(straight, 32);
    DrawCanvas(sheet, straight, 64, 0);
    DrawCanvas(sheet, PaintBendPiece(false), 128, 0);
    Canvas banded = MakeCanvas(64, 64);
    PaintStraightPipes(banded);
    // a painted yellow collar round both pipes, edged with black
    for (float y : PIPE_Y) {
        PaintTube(banded, {18, y}, {46, y}, PIPE_R + 0.8f, Chrome(HAZARD_BLACK * 2.0f));
        PaintTube(banded, {20, y}, {44, y}, PIPE_R + 0.9f, Chrome(HAZARD_YELLOW * 0.9f));
    }
    PaintClamp(banded, 32);
    DrawCanvas(sheet, banded, 192, 0);
    return EncodeBmpDirect(256, 64, CanvasToRgb(sheet), 24);
}

PictureBytes MakeFuelSegment() {
    return Segment(Colour{0.15f, 0.45f, 1.0f});
}
PictureBytes MakeEnergySegment() {
    return Segment(Colour{1.0f, 0.14f, 0.08f});
}
