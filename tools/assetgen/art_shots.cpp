// art_shots.cpp - the five shots (16 x 16 each, flying right as drawn; the game mirrors them
// for shots flying left) and the same shapes at any size for the weapon buttons.
//
//   0 three-part bullet: a hot slug with two tracer pieces behind it
//   1 red bolt           2 fireball with a flame tail
//   3 orange plasma ball 4 blue crescent, its bow leading
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/art_shapes.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

// Hot glowing colour ramp: core (t = 0) to rim (t = 1).
Colour Heat(const std::vector<Colour>& ramp, float t) {
    return Ramp(ramp, Clamp01(t));
}

} // namespace

void PaintShotShape(Canvas& c, int type, Vec2 centre, float scale) {
    // Shapes are laid out on a 16 x 16 design with (8, 8) in the middle.
    auto at = [&](float x, float y) { return centre + Vec2{(x - 8) * scale, (y - 8) * scale}; };
    auto local = [&](Vec2 p) {
        return Vec2{(p.x - centre.x) / scale + 8, (p.y - centre.y) / scale + 8};
    };
    const Vec2 lo = at(-1, -1), hi = at(17, 17);
    switch (type) {
    case 0: {
        const std::vector<Colour> ramp{Hex(0xFFFFF0), Hex(0xFFE060), Hex(0xF08010)};
        // head, middle and tail: from x, to x, radius
        const float pieces[3][3] = {{10.4f, 13.8f, 2.2f}, {4.6f, 5.8f, 1.6f}, {0.9f, 1.3f, 1.05f}};
        for (const auto& piece : pieces) {
            auto sdf = [&](Vec2 p) {
                return SdSegment(local(p), {piece[0], 8}, {piece[1], 8}, piece[2]) * scale;
            };
            PaintShape(c, lo.x, lo.y, hi.x, hi.y, sdf, [&](Vec2 p) {
                const Vec2 q = local(p);
                return Heat(ramp, std::fabs(q.y - 8) / piece[2] * 0.7f + (piece[2] < 2 ? 0.3f : 0));
            });
        }
        break;
    }
    case 1: {
        const std::vector<Colour> ramp{Hex(0xFFF0F0), Hex(0xFF6050), Hex(0xD01010), Hex(0x800008)};
        auto sdf = [&](Vec2 p) {
            const Vec2 q = local(p);
            return SdPolygon(q, {{1, 6.6f}, {11, 5.6f}, {15.5f, 8}, {11, 10.4f}, {1, 9.4f}}) *
                   scale;
        };
        PaintShape(c, lo.x, lo.y, hi.x, hi.y, sdf, [&](Vec2 p) {
            const Vec2 q = local(p);
            return Heat(ramp, std::fabs(q.y - 8) / 2.6f * 0.8f + (12 - q.x) * 0.02f);
        });
        break;
    }
    case 2: {
        const std::vector<Colour> ramp{Hex(0xFFFFE0), Hex(0xFFE040), Hex(0xFF8010), Hex(0xC02008)};
        auto sdf = [&](Vec2 p) {
            const Vec2 q = local(p);
            const float ball = SdCircle(q, {10, 8}, 4.8f);
            // the tail licks back in three tongues
            const float wobble = std::sin(q.x * 1.7f) * 0.9f;
            const float tail = SdPolygon(q, {{10, 3.4f},
                                             {1.0f, 5.5f + wobble},
                                             {4.5f, 8},
                                             {0.2f, 10.4f + wobble},
                                             {10, 12.6f}});
            return SmoothUnion(ball, tail, 1.5f) * scale;
        };
        PaintShape(c, lo.x, lo.y, hi.x, hi.y, sdf, [&](Vec2 p) {
            const Vec2 q = local(p);
            const float r = Length(q - Vec2{11, 8}) / 7.5f;
            return Heat(ramp, r * 0.9f + FractalNoise(q.x * 4, q.y * 4, 6, 21) * 0.25f);
        });
        break;
    }
    case 3: {
        const std::vector<Colour> ramp{Hex(0xFFFFF0), Hex(0xFFD060), Hex(0xFF8018), Hex(0xFFB040)};
        auto sdf = [&](Vec2 p) { return SdCircle(local(p), {8, 8}, 6.4f) * scale; };
        PaintShape(c, lo.x, lo.y, hi.x, hi.y, sdf, [&](Vec2 p) {
            const Vec2 q = local(p);
            const float r = Length(q - Vec2{7.2f, 7.2f}) / 6.4f;
            // a bright rim ring round a hot core
            return r > 0.78f ? Hex(0xFFC860) : Heat(ramp, r * 0.95f);
        });
        break;
    }
    default: {
        const std::vector<Colour> ramp{Hex(0xF0FFFF), Hex(0x70D8FF), Hex(0x2060F0), Hex(0x1830A0)};
        auto sdf = [&](Vec2 p) {
            const Vec2 q = local(p);
            return Subtract(SdCircle(q, {7.5f, 8}, 6.8f), SdCircle(q, {4.0f, 8}, 6.2f)) * scale;
        };
        PaintShape(c, lo.x, lo.y, hi.x, hi.y, sdf, [&](Vec2 p) {
            const Vec2 q = local(p);
            return Heat(ramp, 1 - Clamp01((Length(q - Vec2{4.0f, 8}) - 6.2f) / 4.0f) +
                                  std::fabs(q.y - 8) * 0.02f);
        });
        break;
    }
    }
}

PictureBytes MakeShots() {
    Canvas sheet = MakeCanvas(80, 16);
    const Colour rims[5] = {Hex(0x502000), Hex(0x400004), Hex(0x501000), Hex(0x582000),
                            Hex(0x081850)};
    for (int type = 0; type < 5; type++) {
        Canvas shot = MakeCanvas(16, 16);
        PaintShotShape(shot, type, {8, 8}, 1);
        AddOutline(shot, rims[type], false);
        DrawCanvas(sheet, shot, 16 * type, 0);
    }
    return EncodeBmpDirect(80, 16, CanvasToRgb(sheet), 24);
}
