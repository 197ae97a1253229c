// art_buttons.cpp - the weapon buttons: square steel-framed buttons with a dark blue face,
// one for each weapon (three bullets, two red bolts, a fireball, a plasma ball, a blue double
// crescent) and an empty one for leaving the shop. The play screen shows them at 25 pixels,
// the shop at 40 and 60, so the icons are large and simple.
#include "tools/assetgen/art_metal.h"
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

const Colour GROUND = {0.04f, 0.07f, 0.24f};

void PaintButton(Canvas& c) {
    // the steel frame
    PaintPlate(
        c, 0, 0, 64, 64, 3.5f, [](Vec2 p) { return BrushedMetal(p, STEEL * 1.05f, 501); }, 6);
    // the dark blue face, lit a little from its upper left
    PaintShape(
        c, 5, 5, 59, 59, [](Vec2 p) { return SdChamferRect(p, 6, 6, 58, 58, 4); },
        [](Vec2 p) {
            const float t = Clamp01((p.x + p.y - 12) / 104);
            Colour face = Mix(GROUND * 1.9f, GROUND * 0.8f, t);
            if ((int(p.x) % 8 == 0 || int(p.y) % 8 == 0)) face = face * 1.18f; // a faint grid
            return face;
        });
    PaintGroove(
        c, [](Vec2 p) { return SdChamferRect(p, 6, 6, 58, 58, 4); }, 0.7f);
    for (Vec2 r : {Vec2{4, 32}, Vec2{60, 32}, Vec2{32, 3.5f}, Vec2{32, 60.5f}})
        PaintRivet(c, r, 1.4f, STEEL * 1.2f);
}

// A brass cartridge pointing up and to the right.
void PaintCartridge(Canvas& c, Vec2 base, float length) {
    const Vec2 dir = Rotate(Vec2{0, -1}, 30);
    const Vec2 tip = base + dir * length;
    Material brass;
    brass.base = Colour{0.85f, 0.62f, 0.18f};
    brass.ambient = 0.35f;
    brass.gloss = 0.9f;
    brass.shininess = 22;
    Material copper = brass;
    copper.base = Colour{0.85f, 0.38f, 0.2f};
    PaintDropShadow(
        c, 0, 0, 64, 64, [=](Vec2 p) { return SdSegment(p, base, tip, 3.6f); }, {2, 2}, 1.2f, 0.6f);
    PaintTube(c, base, base + dir * (length * 0.62f), 3.6f, brass);
    PaintTube(c, base + dir * (length * 0.62f), tip - dir * 1.5f, 3.1f, copper);
    PaintShape(
        c, 0, 0, 64, 64, [=](Vec2 p) { return SdCircle(p, tip - dir * 1.8f, 3.1f); },
        [=](Vec2 p) {
            return Shade(copper, Normalise(Vec3{(p - tip).x * 0.2f, (p - tip).y * 0.2f, 1}));
        });
    PaintTube(c, base - dir * 1.2f, base + dir * 0.6f, 4.0f, brass);
}

void PaintIcon(Canvas& c, int weapon) {
    switch (weapon) {
    case 0:
        for (int k = 0; k < 3; k++) PaintCartridge(c, {18 + 10 * float(k), 48 - 2 * float(k)}, 24);
        break;
    case 1:
        PaintShotShape(c, 1, {29, 25}, 2.6f);
        PaintShotShape(c, 1, {35, 40}, 2.6f);
        break;
    case 2: PaintShotShape(c, 2, {31, 32}, 3.1f); break;
    case 3: PaintShotShape(c, 3, {32, 32}, 3.0f); break;
    case 4:
        PaintShotShape(c, 4, {25, 32}, 2.7f);
        PaintShotShape(c, 4, {38, 32}, 2.7f);
        break;
    default: break; // the empty button
    }
}

} // namespace

PictureBytes MakeButtons() {
    Canvas sheet = MakeCanvas(512, 64);
    FillCanvas(sheet, GROUND * 0.7f);
    for (int j = 0; j < 6; j++) {
        Canvas button = MakeCanvas(64, 64);
        PaintButton(button);
        Canvas icon = MakeCanvas(64, 64);
        PaintIcon(icon, j);
        AddOutline(icon, Colour{0.02f, 0.02f, 0.05f}, false);
        DrawCanvas(button, icon, 0, 0);
        DrawCanvas(sheet, button, 64 * j, 0);
    }
    return EncodeBmpDirect(512, 64, CanvasToRgb(sheet), 24);
}
