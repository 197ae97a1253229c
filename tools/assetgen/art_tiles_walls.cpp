// art_tiles_walls.cpp - wall blocks, map codes 1 to 17: grey and brown riveted plates,
// braces, grids, girder frames, pipe walls, lamps and vents. Code 1 (the wall that never
// hurts the head) carries a yellow and black stripe so the player can learn it.
#include <initializer_list>

#include "tools/assetgen/art_tiles.h"

namespace {

const float S = float(TILE);

Material PipeSteel(Colour base) {
    Material m;
    m.base = base;
    m.ambient = 0.3f;
    m.gloss = 0.7f;
    m.shininess = 22;
    return m;
}

Canvas Plate(Colour base, uint32_t seed, bool rusty, float bevel = 3) {
    Canvas t = MakeCanvas(TILE, TILE);
    PaintPlate(t, 0, 0, S, S, bevel, [=](Vec2 p) {
        return rusty ? RustyMetal(p, base, seed) : BrushedMetal(p, base, seed);
    });
    return t;
}

void Rivets(Canvas& t, std::initializer_list<Vec2> at, float r, Colour metal = STEEL * 1.15f) {
    for (Vec2 p : at) PaintRivet(t, p, r, metal);
}

void CornerRivets(Canvas& t, float inset, float r) {
    Rivets(t, {{inset, inset}, {S - inset, inset}, {inset, S - inset}, {S - inset, S - inset}}, r);
}

// A dark cavity behind a frame, lit faintly from inside.
void PaintCavity(Canvas& t, float x0, float y0, float x1, float y1, Colour glow) {
    PaintRecess(
        t, x0, y0, x1, y1, [=](Vec2 p) { return SdRect(p, x0, y0, x1, y1); },
        Colour{0.035f, 0.04f, 0.055f});
    PaintGlow(t, {(x0 + x1) / 2, (y0 + y1) / 2}, (x1 - x0) * 0.6f, glow, 0.25f);
}

// A steel beam between two points, width w, with its cast shadow.
void PaintBeam(Canvas& t, Vec2 a, Vec2 b, float w, Colour base, uint32_t seed) {
    auto sdf = [=](Vec2 p) { return SdSegment(p, a, b, w / 2); };
    const float x0 = std::min(a.x, b.x) - w, y0 = std::min(a.y, b.y) - w;
    const float x1 = std::max(a.x, b.x) + w, y1 = std::max(a.y, b.y) + w;
    PaintDropShadow(t, x0, y0, x1 + 3, y1 + 3, sdf, {2, 2}, 1.2f, 0.55f);
    Material m;
    m.ambient = 0.42f;
    m.gloss = 0.3f;
    PaintSlabFace(
        t, x0, y0, x1, y1, sdf, m, [=](Vec2 p) { return BrushedMetal(p, base, seed); }, 2.2f, 50,
        false);
}

void PaintHorizontalPipes(Canvas& t, Colour base) {
    for (int i = 0; i < 3; i++) {
        const float y = 13 + 19 * float(i);
        PaintDropShadow(
            t, 0, y - 9, S, y + 12, [=](Vec2 p) { return std::fabs(p.y - y) - 7.5f; }, {0, 2.5f},
            1.5f, 0.6f);
        PaintTube(t, {-1, y}, {S + 1, y}, 7.5f, PipeSteel(base));
        for (float x : {14.0f, 50.0f})
            PaintTube(t, {x - 2.5f, y}, {x + 2.5f, y}, 8.6f, PipeSteel(DARK_STEEL * 1.4f));
    }
}

void PaintVerticalPipes(Canvas& t, Colour base) {
    for (int i = 0; i < 3; i++) {
        const float x = 13 + 19 * float(i);
        PaintDropShadow(
            t, x - 9, 0, x + 12, S, [=](Vec2 p) { return std::fabs(p.x - x) - 7.5f; }, {2.5f, 0},
            1.5f, 0.6f);
        PaintTube(t, {x, -1}, {x, S + 1}, 7.5f, PipeSteel(base));
        for (float y : {14.0f, 50.0f})
            PaintTube(t, {x, y - 2.5f}, {x, y + 2.5f}, 8.6f, PipeSteel(DARK_STEEL * 1.4f));
    }
}

// A glowing dome lamp with a dark collar.
void PaintLamp(Canvas& t, Vec2 at, float r, Colour colour) {
    PaintShape(
        t, at.x - r - 4, at.y - r - 4, at.x + r + 4, at.y + r + 4,
        [=](Vec2 p) { return SdCircle(p, at, r + 2.2f); },
        [](Vec2) {
            return Colour{0.08f, 0.08f, 0.1f};
        });
    Material glass;
    glass.base = colour;
    glass.ambient = 0.75f;
    glass.gloss = 1.0f;
    glass.shininess = 40;
    PaintDome(t, at, r, glass);
    PaintGlow(t, at, r * 2.6f, colour, 0.35f);
}

Canvas Tile(int code) {
    switch (code) {
    case 1: { // harmless wall: grey panel crossed by a hazard stripe
        Canvas t = Plate(STEEL * 1.05f, 1, false);
        auto band = [](Vec2 p) {
            return Intersect(std::fabs((p.x + p.y - S) * 0.70710678f) - 11,
                             SdRect(p, 5, 5, S - 5, S - 5));
        };
        PaintHazard(t, 0, 0, S, S, band, 5, 1.5f);
        PaintGroove(t, band, 0.7f);
        Rivets(t, {{12, 12}, {S - 12, S - 12}}, 2.4f);
        return t;
    }
    case 2: { // plain riveted plate
        Canvas t = Plate(STEEL, 2, false);
        PaintGroove(t, [](Vec2 p) { return SdRoundRect(p, 10, 10, S - 10, S - 10, 3); });
        CornerRivets(t, 5.5f, 2.3f);
        return t;
    }
    case 3: { // cross-braced plate
        Canvas t = Plate(STEEL * 0.86f, 3, false);
        PaintBeam(t, {7, 7}, {S - 7, S - 7}, 9, STEEL * 1.1f, 31);
        PaintBeam(t, {S - 7, 7}, {7, S - 7}, 9, STEEL * 1.1f, 32);
        Rivets(t, {{32, 32}}, 3.6f);
        CornerRivets(t, 7, 2.4f);
        return t;
    }
    case 4: { // rusty brown plate with riveted seams
        Canvas t = Plate(RUST, 4, true);
        for (float y : {12.0f, 52.0f})
            PaintGroove(
                t, [=](Vec2 p) { return p.y - y; }, 0.6f);
        for (float x = 8; x < S; x += 12) Rivets(t, {{x, 5.5f}, {x, S - 5.5f}}, 1.9f, RUST * 1.5f);
        return t;
    }
    case 5: { // brown plate with vent slots
        Canvas t = Plate(RUST * 0.95f, 5, true);
        for (int i = 0; i < 4; i++) {
            const float y = 14 + 10 * float(i);
            PaintRecess(
                t, 10, y - 1, S - 10, y + 7,
                [=](Vec2 p) { return SdRoundRect(p, 12, y, S - 12, y + 5, 2.5f); },
                Colour{0.03f, 0.025f, 0.02f});
        }
        CornerRivets(t, 5.5f, 2.0f);
        return t;
    }
    case 6: { // grid: a mesh over a dark cavity
        Canvas t = Plate(DARK_STEEL * 1.3f, 6, false, 3.5f);
        PaintCavity(t, 7, 7, S - 7, S - 7, CYAN_GLOW * 0.5f);
        Material m;
        m.ambient = 0.4f;
        m.gloss = 0.5f;
        auto mesh = [](Vec2 p) {
            const float a = std::fabs(std::fmod(p.x + p.y + 640, 10.0f) - 5) - 1.2f;
            const float b = std::fabs(std::fmod(p.x - p.y + 640, 10.0f) - 5) - 1.2f;
            return Intersect(Union(a, b), SdRect(p, 7, 7, S - 7, S - 7));
        };
        PaintDropShadow(t, 7, 7, S - 7, S - 7, mesh, {1.5f, 1.5f}, 0.8f, 0.6f);
        PaintSlabFace(
            t, 7, 7, S - 7, S - 7, mesh, m, [](Vec2 p) { return BrushedMetal(p, STEEL, 61); }, 1.0f,
            45, true);
        PaintGroove(
            t, [](Vec2 p) { return SdRect(p, 7, 7, S - 7, S - 7); }, 0.5f);
        return t;
    }
    case 7: { // girder frame with a diagonal strut
        Canvas t = MakeCanvas(TILE, TILE);
        PaintCavity(t, 0, 0, S, S, Colour{0.3f, 0.35f, 0.45f});
        PaintBeam(t, {9, S - 9}, {S - 9, 9}, 8, STEEL * 0.95f, 71);
        Material m;
        m.ambient = 0.42f;
        m.gloss = 0.3f;
        auto frame = [](Vec2 p) {
            return Subtract(SdRect(p, 0, 0, S, S), SdRect(p, 8, 8, S - 8, S - 8));
        };
        PaintDropShadow(t, 0, 0, S, S, frame, {2, 2}, 1.0f, 0.6f);
        PaintSlabFace(
            t, -1, -1, S + 1, S + 1, frame, m,
            [](Vec2 p) { return BrushedMetal(p, STEEL * 1.02f, 72); }, 2.5f, 50, false);
        for (Vec2 g : {Vec2{8, S - 8}, Vec2{S - 8, 8}})
            PaintSlab(
                t, g.x - 9, g.y - 9, g.x + 9, g.y + 9,
                [=](Vec2 p) {
                    return SdPolygon(p, {{g.x, g.y},
                                         {g.x + (g.x < 32 ? 9.0f : -9.0f), g.y},
                                         {g.x, g.y + (g.y < 32 ? 9.0f : -9.0f)}});
                },
                Material{STEEL * 1.05f, {1, 1, 1}, 0.42f, 0.3f, 16}, 1.5f, 50, false);
        CornerRivets(t, 4, 1.9f);
        Rivets(t, {{12, S - 12}, {S - 12, 12}}, 1.9f);
        return t;
    }
    case 8: {
        Canvas t = Plate(DARK_STEEL, 8, false, 2);
        PaintHorizontalPipes(t, STEEL * 1.05f);
        return t;
    }
    case 9: {
        Canvas t = Plate(DARK_STEEL, 9, false, 2);
        PaintVerticalPipes(t, STEEL * 1.05f);
        return t;
    }
    case 10: { // warning lamp over a grille
        Canvas t = Plate(STEEL * 0.95f, 10, false);
        for (int i = 0; i < 4; i++) {
            const float y = 38 + 5.5f * float(i);
            PaintRecess(
                t, 12, y - 1, S - 12, y + 4,
                [=](Vec2 p) { return SdRoundRect(p, 14, y, S - 14, y + 3, 1.5f); },
                Colour{0.03f, 0.03f, 0.04f});
        }
        PaintLamp(t, {32, 19}, 8, ORANGE_GLOW);
        for (float x : {27.0f, 32.0f, 37.0f})
            PaintLine(t, {x, 10.5f}, {x, 27.5f}, 1.3f, Colour{0.1f, 0.1f, 0.12f}, 0.8f);
        CornerRivets(t, 5.5f, 2.1f);
        return t;
    }
    case 11: { // heavy plate with a raised boss and big bolts
        Canvas t = Plate(STEEL * 0.82f, 11, false, 4);
        PaintDropShadow(
            t, 14, 14, S, S, [](Vec2 p) { return SdChamferRect(p, 16, 16, S - 16, S - 16, 5); },
            {2, 2}, 1.2f, 0.5f);
        PaintPlate(
            t, 16, 16, S - 16, S - 16, 3,
            [](Vec2 p) { return BrushedMetal(p, STEEL * 1.08f, 111); }, 5);
        for (Vec2 b : {Vec2{9, 9}, Vec2{S - 9, 9}, Vec2{9, S - 9}, Vec2{S - 9, S - 9}}) {
            PaintShape(
                t, b.x - 6, b.y - 6, b.x + 6, b.y + 6,
                [=](Vec2 p) {
                    const Vec2 q = p - b;
                    const float hex =
                        std::max(std::fabs(q.x) * 0.866f + std::fabs(q.y) * 0.5f, std::fabs(q.y)) -
                        4.6f;
                    return hex;
                },
                [](Vec2) {
                    return Colour{0.12f, 0.12f, 0.14f};
                });
            PaintRivet(t, b, 3.4f, STEEL * 1.2f);
        }
        return t;
    }
    case 12: { // control panel: a screen, a light strip and status lamps
        Canvas t = Plate(DARK_STEEL * 1.35f, 12, false);
        PaintRecess(
            t, 8, 8, S - 8, 33, [](Vec2 p) { return SdRoundRect(p, 9, 9, S - 9, 32, 2); },
            Colour{0.02f, 0.06f, 0.1f});
        for (int y = 12; y < 30; y += 3)
            PaintLine(t, {12, float(y) + 0.5f}, {12 + 12 + float((y * 7) % 23), float(y) + 0.5f}, 1,
                      CYAN_GLOW * 0.55f, 0.7f);
        PaintShape(
            t, 8, 37, S - 8, 46, [](Vec2 p) { return SdRoundRect(p, 10, 39, S - 10, 44, 2.5f); },
            [](Vec2 p) {
                return Mix(CYAN_GLOW, Colour{0.9f, 1, 1}, 1 - std::fabs(p.y - 41.5f) / 2.5f);
            });
        PaintGlow(t, {32, 41.5f}, 26, CYAN_GLOW * 0.5f, 0.25f);
        const Colour leds[3] = {ORANGE_GLOW, CYAN_GLOW, Colour{0.3f, 1, 0.4f}};
        for (int i = 0; i < 3; i++) PaintLamp(t, {14 + 8 * float(i), 54}, 2.2f, leds[i]);
        Rivets(t, {{S - 10, 54}}, 2.4f);
        return t;
    }
    case 13: { // corrugated brown sheet
        Canvas t = MakeCanvas(TILE, TILE);
        Material m;
        m.ambient = 0.42f;
        m.gloss = 0.35f;
        auto face = [](Vec2 p) {
            const float phase = p.y * 6.2831853f / 8.0f;
            const Vec3 rib = Normalise(Vec3{0, -std::sin(phase) * 0.9f, 1});
            const float lit = Dot(rib, LIGHT_DIRECTION);
            return RustyMetal(p, RUST * 1.05f, 13) * (0.55f + 0.6f * lit);
        };
        PaintPlate(t, 0, 0, S, S, 3, face);
        Rivets(t, {{6, 6}, {S - 6, 6}, {6, S - 6}, {S - 6, S - 6}, {32, 6}, {32, S - 6}}, 1.9f,
               RUST * 1.5f);
        return t;
    }
    case 14: { // four small plates
        Canvas t = MakeCanvas(TILE, TILE);
        for (int k = 0; k < 4; k++) {
            const float x = 32 * float(k % 2), y = 32 * float(k / 2);
            const Colour base = STEEL * (0.9f + 0.06f * float((k * 5) % 3));
            PaintPlate(t, x, y, x + 32, y + 32, 2.5f,
                       [=](Vec2 p) { return BrushedMetal(p, base, 140 + uint32_t(k)); });
            Rivets(t, {{x + (k % 2 ? 26.0f : 6.0f), y + (k / 2 ? 26.0f : 6.0f)}}, 2.0f);
        }
        return t;
    }
    case 15: { // round fan vent
        Canvas t = Plate(STEEL * 0.9f, 15, false);
        const Vec2 c{32, 32};
        PaintGroove(
            t, [=](Vec2 p) { return SdCircle(p, c, 26); }, 0.6f);
        PaintRecess(
            t, 6, 6, S - 6, S - 6, [=](Vec2 p) { return SdCircle(p, c, 23); },
            Colour{0.03f, 0.035f, 0.045f});
        Material blade;
        blade.base = STEEL * 0.7f;
        blade.ambient = 0.45f;
        blade.gloss = 0.4f;
        for (int k = 0; k < 6; k++) {
            const float a = 60 * float(k) + 12;
            auto sdf = [=](Vec2 p) {
                const Vec2 q = Rotate(p - c, -a);
                return Intersect(SdEllipse(q, {12, 0}, {10.5f, 4.2f}), SdCircle(p, c, 21.5f));
            };
            PaintSlab(t, 8, 8, S - 8, S - 8, sdf, blade, 1.5f, 45, true);
        }
        PaintRivet(t, c, 5, STEEL * 1.1f);
        CornerRivets(t, 5.5f, 2.0f);
        return t;
    }
    case 16: { // dark girder frame with a cyan lamp
        Canvas t = MakeCanvas(TILE, TILE);
        PaintCavity(t, 0, 0, S, S, CYAN_GLOW * 0.6f);
        PaintBeam(t, {0, 32}, {S, 32}, 7, DARK_STEEL * 1.6f, 161);
        Material m;
        m.ambient = 0.42f;
        m.gloss = 0.3f;
        auto frame = [](Vec2 p) {
            return Subtract(SdRect(p, 0, 0, S, S), SdRect(p, 7, 7, S - 7, S - 7));
        };
        PaintDropShadow(t, 0, 0, S, S, frame, {2, 2}, 1.0f, 0.6f);
        PaintSlabFace(
            t, -1, -1, S + 1, S + 1, frame, m,
            [](Vec2 p) { return BrushedMetal(p, DARK_STEEL * 1.7f, 162); }, 2.5f, 50, false);
        PaintLamp(t, {32, 32}, 5, CYAN_GLOW);
        CornerRivets(t, 3.6f, 1.7f);
        return t;
    }
    default: { // 17: pipe junction with an orange valve wheel
        Canvas t = Plate(DARK_STEEL, 17, false, 2);
        PaintDropShadow(
            t, 0, 0, S, S,
            [](Vec2 p) { return Union(std::fabs(p.y - 32) - 8, std::fabs(p.x - 32) - 8); },
            {2.5f, 2.5f}, 1.5f, 0.6f);
        PaintTube(t, {-1, 32}, {S + 1, 32}, 8, PipeSteel(STEEL * 1.05f));
        PaintTube(t, {32, -1}, {32, S + 1}, 8, PipeSteel(STEEL * 1.05f));
        PaintPlate(
            t, 19, 19, 45, 45, 2.5f, [](Vec2 p) { return BrushedMetal(p, STEEL * 0.9f, 171); }, 4);
        Material wheel;
        wheel.base = ORANGE_GLOW * 0.95f;
        wheel.ambient = 0.4f;
        wheel.gloss = 0.6f;
        const Vec2 c{32, 32};
        auto rim = [=](Vec2 p) {
            const float ring = SdRing(p, c, 10, 1.8f);
            const float spokes =
                Union(SdSegment(p, c + Vec2{-10, -10} * 0.7f, c + Vec2{10, 10} * 0.7f, 1.3f),
                      SdSegment(p, c + Vec2{10, -10} * 0.7f, c + Vec2{-10, 10} * 0.7f, 1.3f));
            return Union(ring, spokes);
        };
        PaintDropShadow(t, 18, 18, 48, 48, rim, {1.5f, 1.5f}, 0.8f, 0.7f);
        PaintSlab(t, 18, 18, 46, 46, rim, wheel, 1.4f, 55, true);
        PaintRivet(t, c, 3, STEEL * 1.2f);
        return t;
    }
    }
}

} // namespace

Canvas PaintWallTile(int code) {
    return Tile(code);
}
