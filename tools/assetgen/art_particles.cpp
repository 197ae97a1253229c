// art_particles.cpp - the particle sheet, ten pictures of 32 x 32: 0 white dot, 1 orange ring
// of flame (the jet's exhaust puffs), 2 white ball with an orange rim, 3 to 5 metal wreckage of a
// destroyed drone, 6 white smoke puff, 7 brown dust cloud, 8 cyan spark, 9 flame.
//
// Particles are drawn faded but keyed, with no soft alpha of their own; soft edges are made
// by dithering the coverage, which the game's linear filtering smooths back into a fade.
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/art_shapes.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

const Colour OUTLINE = {0.04f, 0.03f, 0.05f};

// Turns partial coverage into an ordered pattern of opaque and clear pixels.
void DitherCoverage(Canvas& c) {
    for (int y = 0; y < c.height; y++)
        for (int x = 0; x < c.width; x++) {
            Pixel& p = c.At(x, y);
            p.a = p.a > BayerThreshold(x, y) + 0.5f ? 1.0f : 0.0f;
        }
}

Material Metal(Colour base) {
    Material m;
    m.base = base;
    m.ambient = 0.35f;
    m.gloss = 0.8f;
    m.shininess = 18;
    return m;
}

// A soft ball: coverage falls off over the outer `soft` part of the radius.
void PaintSoftBall(Canvas& c, Vec2 centre, float r, float soft, Colour lit, Colour shade) {
    for (int y = 0; y < c.height; y++)
        for (int x = 0; x < c.width; x++) {
            const Vec2 p{float(x) + 0.5f, float(y) + 0.5f};
            const float d = Length(p - centre) / r;
            if (d >= 1) continue;
            const float cover = 1 - SmoothStep(1 - soft, 1.0f, d);
            const Vec2 q = (p - centre) * (1 / r);
            const float light = Clamp01(0.55f - (q.x + q.y) * 0.45f);
            BlendPixel(c, x, y, Mix(shade, lit, light), cover);
        }
}

// A puff of cloud: a few overlapping soft balls.
Canvas Cloud(Colour lit, Colour shade, uint32_t seed, float softness) {
    Canvas c = MakeCanvas(32, 32);
    ArtRandom random{seed};
    const Vec2 lumps[5] = {{16, 17}, {10, 19}, {22, 19}, {13, 12}, {20, 12}};
    for (const Vec2& lump : lumps) {
        const Vec2 at = lump + Vec2{RandomBetween(random, -1, 1), RandomBetween(random, -1, 1)};
        PaintSoftBall(c, at, RandomBetween(random, 6.5f, 8.5f), softness, lit, shade);
    }
    DitherCoverage(c);
    return c;
}

Canvas Wreck(int piece) {
    Canvas c = MakeCanvas(32, 32);
    switch (piece) {
    case 0: { // a torn red plate with a rivet
        auto plate = [](Vec2 p) {
            return SdPolygon(
                p, {{5, 9}, {19, 5}, {27, 12}, {23, 17}, {26, 24}, {14, 27}, {11, 21}, {6, 22}});
        };
        PaintSlab(c, 3, 3, 29, 29, plate, Metal(Colour{0.72f, 0.12f, 0.1f}), 2.5f, 55, false);
        PaintShape(
            c, 3, 3, 29, 29,
            [](Vec2 p) {
                return SdSegment(p, {8, 15}, {22, 9}, 0.8f);
            },
            [](Vec2) {
                return Colour{0.95f, 0.6f, 0.5f};
            },
            4, 0.7f);
        PaintRivet(c, {18, 19}, 1.8f, Colour{0.7f, 0.72f, 0.8f});
        break;
    }
    case 1: { // half a cog
        const Vec2 centre{16, 17};
        auto cog = [=](Vec2 p) {
            const Vec2 q = p - centre;
            const float a = std::atan2(q.y, q.x);
            const float teeth = 9.5f + (std::cos(a * 8) > 0.1f ? 2.6f : 0.0f);
            return Intersect(Subtract(Length(q) - teeth, SdCircle(p, centre, 3.5f)),
                             p.y - 21.5f + q.x * 0.3f);
        };
        PaintSlab(c, 2, 2, 30, 30, cog, Metal(Colour{0.6f, 0.63f, 0.7f}), 2.0f, 55, true);
        break;
    }
    default: { // a bent strut with a broken end
        auto strut = [](Vec2 p) {
            return Union(SdSegment(p, {5, 24}, {15, 15}, 3.0f),
                         SdSegment(p, {15, 15}, {27, 12}, 2.6f));
        };
        PaintSlab(c, 1, 6, 31, 29, strut, Metal(Colour{0.4f, 0.42f, 0.5f}), 2.2f, 60, true);
        PaintShape(
            c, 22, 7, 31, 17,
            [](Vec2 p) {
                return SdPolygon(p, {{24, 10}, {29, 9}, {28, 13}, {25, 14.5f}});
            },
            [](Vec2) {
                return Colour{0.85f, 0.5f, 0.2f};
            });
        PaintRivet(c, {15, 15}, 2.0f, Colour{0.75f, 0.75f, 0.8f});
        break;
    }
    }
    SharpenCanvas(c, 0.25f);
    AddOutline(c, OUTLINE, false);
    return c;
}

Canvas Particle(int index) {
    Canvas c = MakeCanvas(32, 32);
    const Vec2 centre{16, 16};
    switch (index) {
    case 0: // white dot with a soft halo
        PaintSoftBall(c, centre, 9, 0.6f, Colour{1, 1, 1}, Colour{0.85f, 0.9f, 1.0f});
        DitherCoverage(c);
        PaintShape(
            c, 10, 10, 22, 22, [=](Vec2 p) { return SdCircle(p, centre, 4.2f); },
            [](Vec2) {
                return Colour{1, 1, 1};
            });
        return c;
    case 1: { // the jet's exhaust: a ragged ring of flame, white-hot inside, licking outward
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                const Vec2 q = Vec2{float(x) + 0.5f, float(y) + 0.5f} - centre;
                const float r = Length(q), a = std::atan2(q.y, q.x);
                const float tongue =
                    ValueNoise(std::cos(a) * 5 + 9, std::sin(a) * 5 + 9, 1.3f, 191);
                const float inner =
                    4.5f + 2.5f * ValueNoise(std::cos(a) * 3, std::sin(a) * 3, 1, 192);
                const float outer = 9.5f + 6.0f * tongue;
                const float t = (r - inner) / (outer - inner); // 0 inner edge .. 1 flame tip
                if (t <= -0.25f || t >= 1) continue;
                const float cover = (1 - SmoothStep(0.55f, 1.0f, t)) * SmoothStep(-0.25f, 0.1f, t);
                BlendPixel(
                    c, x, y,
                    Ramp({Hex(0xFFF0A0), Hex(0xFFC040), Hex(0xFF8014), Hex(0xD83808)}, Clamp01(t)),
                    cover);
            }
        DitherCoverage(c);
        return c;
    }
    case 2: // white ball with an orange rim
        PaintShape(
            c, 0, 0, 32, 32, [=](Vec2 p) { return SdCircle(p, centre, 13); },
            [=](Vec2 p) {
                const float r = Length(p - centre) / 13;
                return r > 0.74f ? Mix(Hex(0xFFB030), Hex(0xF06008), (r - 0.74f) / 0.26f)
                                 : Mix(Colour{1, 1, 1}, Hex(0xFFF4D8), r / 0.74f);
            });
        return c;
    case 3:
    case 4:
    case 5: return Wreck(index - 3);
    case 6: return Cloud(Colour{1, 1, 1}, Colour{0.62f, 0.64f, 0.7f}, 0x51A3u, 0.45f);
    case 7: return Cloud(Hex(0xC49A6C), Hex(0x5A3C24), 0x77D1u, 0.6f);
    case 8: { // cyan spark: a four-pointed star
        auto star = [=](Vec2 p) {
            const Vec2 q = p - centre;
            return std::sqrt(std::fabs(q.x) + 0.01f) + std::sqrt(std::fabs(q.y) + 0.01f) - 3.6f;
        };
        PaintShape(c, 0, 0, 32, 32, star, [=](Vec2 p) {
            return Mix(Colour{1, 1, 1}, Hex(0x40D0FF), Clamp01(Length(p - centre) / 10));
        });
        return c;
    }
    default: { // a lick of flame
        auto flame = [=](Vec2 p) {
            const float sway = std::sin(p.y * 0.45f) * 1.6f;
            return SdEllipse(Vec2{p.x - sway, p.y}, {16, 18}, {6.5f, 12}) +
                   (p.y < 12 ? (12 - p.y) * 0.3f : 0);
        };
        PaintShape(c, 0, 0, 32, 32, flame, [=](Vec2 p) {
            return Ramp({Hex(0xFFFFE0), Hex(0xFFD040), Hex(0xFF7010), Hex(0xC02008)},
                        Clamp01(Length(p - Vec2{16, 22}) / 13));
        });
        return c;
    }
    }
}

} // namespace

PictureBytes MakeParticles() {
    Canvas sheet = MakeCanvas(320, 32);
    for (int i = 0; i < 10; i++) DrawCanvas(sheet, Particle(i), 32 * i, 0);
    return EncodeBmpDirect(320, 32, CanvasToRgb(sheet), 24);
}
