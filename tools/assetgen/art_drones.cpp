// art_drones.cpp - the enemy drones, 32 x 32 each, and beside each its silhouette in plain
// white that the game shows for one frame after a hit. Row 0 rocket drone, row 1 spiked
// mine, row 2 skull robot. The drones spin as they circle, so each reads at any angle.
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/art_shapes.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

const Colour OUTLINE = {0.04f, 0.03f, 0.05f};
const Colour RED_PAINT = {0.78f, 0.1f, 0.08f};

Material Metal(Colour base, float gloss = 0.6f) {
    Material m;
    m.base = base;
    m.ambient = 0.35f;
    m.gloss = gloss;
    m.shininess = 20;
    return m;
}

Canvas RocketDrone() {
    Canvas c = MakeCanvas(32, 32);
    // exhaust flame below the engine
    PaintShape(
        c, 10, 22, 22, 32,
        [](Vec2 p) {
            return SdPolygon(p, {{12.5f, 24}, {19.5f, 24}, {16, 31.5f}});
        },
        [](Vec2 p) {
            return Ramp({Hex(0xFFFFD0), Hex(0xFFC030), Hex(0xF05010)}, (p.y - 24) / 7);
        });
    // fins
    for (float s : {-1.0f, 1.0f}) {
        auto fin = [s](Vec2 p) {
            return SdPolygon(
                p,
                {{16 + s * 4, 14}, {16 + s * 10.5f, 22}, {16 + s * 10.5f, 26}, {16 + s * 4, 23}});
        };
        PaintSlab(c, 4, 12, 28, 28, fin, Metal(RED_PAINT), 1.2f, 50, false);
    }
    // engine bell and body
    PaintSlab(
        c, 10, 20, 22, 27,
        [](Vec2 p) {
            return SdPolygon(p, {{13, 21}, {19, 21}, {20.5f, 25.5f}, {11.5f, 25.5f}});
        },
        Metal(Colour{0.22f, 0.23f, 0.28f}), 1.2f, 50, true);
    PaintSlab(
        c, 9, 5, 23, 24,
        [](Vec2 p) {
            return SdSegment(p, {16, 11}, {16, 20}, 5.4f);
        },
        Metal(Colour{0.62f, 0.66f, 0.74f}, 0.9f), 4.0f, 70, true);
    // nose cone
    PaintSlab(
        c, 9, 1, 23, 12,
        [](Vec2 p) {
            return SdPolygon(p, {{10.6f, 10}, {16, 1.5f}, {21.4f, 10}});
        },
        Metal(RED_PAINT), 2.5f, 60, true);
    // cyan window
    Material glass = Metal(Colour{0.3f, 0.85f, 1.0f}, 1.0f);
    glass.ambient = 0.6f;
    PaintShape(
        c, 12, 10, 20, 18,
        [](Vec2 p) {
            return SdCircle(p, {16, 14}, 3.3f);
        },
        [](Vec2) {
            return Colour{0.1f, 0.1f, 0.14f};
        });
    PaintDome(c, {16, 14}, 2.4f, glass);
    // a band of rivets round the waist
    for (float x : {12.5f, 16.0f, 19.5f})
        PaintRivet(c, {x, 19.5f}, 0.9f, Colour{0.7f, 0.72f, 0.8f});
    return c;
}

Canvas SpikedMine() {
    Canvas c = MakeCanvas(32, 32);
    const Vec2 centre{16, 16};
    for (int k = 0; k < 8; k++) {
        const float a = 45 * float(k) + 22.5f;
        auto spike = [=](Vec2 p) {
            const Vec2 q = Rotate(p - centre, -a);
            return SdPolygon(q, {{7, -2.6f}, {14.6f, 0}, {7, 2.6f}});
        };
        PaintSlab(c, 0, 0, 32, 32, spike, Metal(Colour{0.72f, 0.74f, 0.8f}, 0.9f), 1.5f, 55, true);
    }
    PaintDome(c, centre, 9.0f, Metal(Colour{0.36f, 0.37f, 0.42f}, 0.7f));
    // a painted band and bolts
    PaintShape(
        c, 6, 13, 26, 19,
        [=](Vec2 p) { return Intersect(std::fabs(p.y - 16) - 1.6f, SdCircle(p, centre, 8.6f)); },
        [](Vec2 p) { return RED_PAINT * (1.2f - 0.5f * std::fabs(p.x - 14) / 9); });
    for (Vec2 b : {Vec2{11, 12}, Vec2{21, 12}, Vec2{11, 20.5f}, Vec2{21, 20.5f}})
        PaintRivet(c, b, 1.0f, Colour{0.8f, 0.8f, 0.85f});
    // blinking red lamp
    Material lamp = Metal(Colour{1.0f, 0.2f, 0.1f}, 1.0f);
    lamp.ambient = 0.8f;
    PaintDome(c, centre, 2.6f, lamp);
    return c;
}

Canvas SkullRobot() {
    Canvas c = MakeCanvas(32, 32);
    const Material bone = Metal(Colour{0.7f, 0.72f, 0.78f}, 0.8f);
    // cranium and jaw
    PaintSlab(
        c, 3, 2, 29, 26,
        [](Vec2 p) {
            return SdEllipse(p, {16, 13}, {11.5f, 10.5f});
        },
        bone, 6, 75, true);
    PaintSlab(
        c, 7, 17, 25, 31, [](Vec2 p) { return SdRoundRect(p, 9, 19, 23, 29.5f, 3); },
        Metal(Colour{0.5f, 0.52f, 0.58f}), 2.5f, 55, true);
    // teeth grille
    for (float x = 11; x < 22; x += 2.6f)
        PaintShape(
            c, x - 1, 22, x + 1, 28.5f,
            [=](Vec2 p) { return SdRect(p, x - 0.5f, 22.5f, x + 0.5f, 28); },
            [](Vec2) {
                return Colour{0.06f, 0.06f, 0.08f};
            });
    // eye sockets with red glowing eyes
    for (float x : {11.0f, 21.0f}) {
        PaintShape(
            c, x - 5, 9, x + 5, 19,
            [=](Vec2 p) {
                return SdEllipse(p, {x, 14}, {3.9f, 3.3f});
            },
            [](Vec2) {
                return Colour{0.04f, 0.03f, 0.05f};
            });
        PaintShape(
            c, x - 3, 11, x + 3, 17,
            [=](Vec2 p) {
                return SdCircle(p, {x, 14.3f}, 1.9f);
            },
            [=](Vec2 p) {
                return Mix(Hex(0xFFE0C0), Hex(0xFF2010), Length(p - Vec2{x, 14.3f}) / 1.9f);
            });
    }
    // nose slot and a crest of plates
    PaintShape(
        c, 14, 16, 18, 22,
        [](Vec2 p) {
            return SdPolygon(p, {{16, 16.5f}, {17.6f, 20.5f}, {14.4f, 20.5f}});
        },
        [](Vec2) {
            return Colour{0.05f, 0.05f, 0.07f};
        });
    PaintSlab(
        c, 12, 0, 20, 6, [](Vec2 p) { return SdRoundRect(p, 13.5f, 1, 18.5f, 5, 1.2f); },
        Metal(RED_PAINT), 1.2f, 50, true);
    return c;
}

// The same outline, every visible pixel white.
Canvas WhiteSilhouette(const Canvas& sprite) {
    Canvas white = sprite;
    for (Pixel& p : white.pixels)
        if (p.a >= 0.5f)
            p = Pixel{Colour{1, 1, 1}, 1};
        else
            p = Pixel{};
    return white;
}

} // namespace

PictureBytes MakeEnemies() {
    Canvas sheet = MakeCanvas(64, 96);
    const Canvas drones[3] = {RocketDrone(), SpikedMine(), SkullRobot()};
    for (int row = 0; row < 3; row++) {
        Canvas sprite = drones[row];
        SharpenCanvas(sprite, 0.25f);
        AddOutline(sprite, OUTLINE, false);
        DrawCanvas(sheet, sprite, 0, 32 * row);
        DrawCanvas(sheet, WhiteSilhouette(sprite), 32, 32 * row);
    }
    return EncodeBmpDirect(64, 96, CanvasToRgb(sheet), 24);
}
