// art_tiles_background.cpp - what the player passes in front of, codes 24 to 41: blue-grey
// pipes with their bends and joints, the four-tile gate (28 and 29 over 34 and 35) with its
// striped lintel, dark red field and red glowing columns, a hazard-striped beam (36), a
// grating (37) and four dark cells (38 to 41): shadowed panels (a hatch, small plates, a
// vent, a fan), darker than everything else but never a featureless hole.
//
// Pieces are darker and bluer than the walls and keep pure black round them, so they read as
// scenery behind the robot.
#include "tools/assetgen/art_tiles.h"

namespace {

const float S = float(TILE);
const Colour PIPE_BLUE = {0.3f, 0.38f, 0.52f};
constexpr float PIPE_R = 9;

Material PipeMaterial(Colour base) {
    Material m;
    m.base = base;
    m.ambient = 0.32f;
    m.gloss = 0.45f;
    m.shininess = 18;
    return m;
}

// A flange: a short, wider collar across a pipe running along `axis` at point `at`.
void PaintFlange(Canvas& t, Vec2 at, Vec2 axis, float halfLength) {
    PaintTube(t, at - axis * halfLength, at + axis * halfLength, PIPE_R + 2.2f,
              PipeMaterial(PIPE_BLUE * 0.8f));
    const Vec2 across{-axis.y, axis.x};
    for (float s : {-1.0f, 1.0f})
        PaintRivet(t, at + across * (s * (PIPE_R + 0.2f)), 1.1f, PIPE_BLUE * 1.4f);
}

void PaintStraight(Canvas& t, bool horizontal) {
    const Vec2 axis = horizontal ? Vec2{1, 0} : Vec2{0, 1};
    const Vec2 a = horizontal ? Vec2{-1, 32} : Vec2{32, -1},
               b = horizontal ? Vec2{S + 1, 32} : Vec2{32, S + 1};
    PaintTube(t, a, b, PIPE_R, PipeMaterial(PIPE_BLUE));
    PaintFlange(t, horizontal ? Vec2{2, 32} : Vec2{32, 2}, axis, 2.5f);
    PaintFlange(t, horizontal ? Vec2{S - 2, 32} : Vec2{32, S - 2}, axis, 2.5f);
}

// A quarter bend round a tile corner, with flanges where it meets the edges.
void PaintBend(Canvas& t, Vec2 corner, float from, float to) {
    PaintTubeArc(t, corner, 32, PIPE_R, from, to, PipeMaterial(PIPE_BLUE));
    for (float a : {from, to}) {
        const Vec2 dir = Rotate(Vec2{1, 0}, a);
        const Vec2 at = corner + dir * 32;
        // the flange sits just inside the tile, along the pipe's direction at that end
        const Vec2 tangent{-dir.y, dir.x};
        Vec2 inward = tangent;
        const Vec2 probe = at + tangent * 4;
        if (probe.x < 0 || probe.y < 0 || probe.x > S || probe.y > S) inward = tangent * -1;
        PaintFlange(t, at + inward * 2, inward, 2.5f);
    }
}

// The gate, 128 x 128: a striped lintel, red glowing columns and a dark red field.
Canvas PaintGate() {
    Canvas g = MakeCanvas(128, 128);
    // the field: dark red with slow horizontal waves of light
    PaintEverywhere(g, [](Vec2 p) {
        const float wave = 0.5f + 0.5f * std::sin(p.y * 0.35f + std::sin(p.x * 0.09f) * 2.2f);
        const float edge = SmoothStep(0.0f, 30.0f, std::min(p.x - 20, 108 - p.x));
        const Colour deep{0.16f, 0.01f, 0.03f}, lit{0.42f, 0.04f, 0.07f};
        return Mix(deep, lit, wave * 0.35f * (0.4f + 0.6f * edge) + (1 - edge) * 0.3f);
    });
    // the columns: a steel housing round a glowing red tube
    for (float x0 : {0.0f, 106.0f}) {
        PaintPlate(g, x0, 18, x0 + 22, 128, 2.5f,
                   [=](Vec2 p) { return BrushedMetal(p, DARK_STEEL * 1.4f, 281); });
        PaintShape(
            g, x0 + 5, 20, x0 + 17, 128,
            [=](Vec2 p) { return SdRect(p, x0 + 6, 20, x0 + 16, 128); },
            [=](Vec2 p) {
                const float across = 1 - std::fabs(p.x - (x0 + 11)) / 5;
                return Mix(Colour{0.6f, 0.02f, 0.02f}, Colour{1.0f, 0.75f, 0.6f}, across * across);
            });
        for (float y = 30; y < 128; y += 24)
            PaintPlate(g, x0 + 3, y, x0 + 19, y + 4, 1.2f,
                       [=](Vec2 p) { return BrushedMetal(p, STEEL, 282); });
        PaintGlow(g, {x0 + 11, 74}, 40, Colour{0.8f, 0.05f, 0.05f}, 0.3f);
    }
    // the lintel across the top
    PaintPlate(g, 0, 0, 128, 20, 2.5f, [](Vec2 p) { return BrushedMetal(p, STEEL * 0.9f, 283); });
    PaintHazard(
        g, 4, 4, 124, 16, [](Vec2 p) { return SdRect(p, 4, 4, 124, 16); }, 5, 1.2f);
    for (float x : {2.5f, 125.5f}) PaintRivet(g, {x, 10}, 1.6f, STEEL);
    PaintDropShadow(
        g, 20, 18, 108, 26, [](Vec2 p) { return SdRect(p, 0, 0, 128, 20); }, {0, 3}, 1.5f, 0.7f);
    return g;
}

Canvas Cut(const Canvas& from, int x, int y) {
    Canvas t = MakeCanvas(TILE, TILE);
    DrawCanvas(t, from, -x, -y);
    return t;
}

} // namespace

Canvas PaintBackgroundTile(int code) {
    Canvas t = MakeCanvas(TILE, TILE);
    switch (code) {
    case 24: PaintStraight(t, true); break;
    case 25: PaintStraight(t, false); break;
    case 26: PaintBend(t, {S, S}, 180, 270); break; // right and down
    case 27: PaintBend(t, {0, S}, 270, 360); break; // left and down
    case 30: PaintBend(t, {S, 0}, 90, 180); break;  // up and right
    case 31: PaintBend(t, {0, 0}, 0, 90); break;    // up and left
    case 28: return Cut(PaintGate(), 0, 0);
    case 29: return Cut(PaintGate(), TILE, 0);
    case 34: return Cut(PaintGate(), 0, TILE);
    case 35: return Cut(PaintGate(), TILE, TILE);
    case 32: { // cross joint
        PaintStraight(t, true);
        PaintStraight(t, false);
        PaintPlate(
            t, 17, 17, 47, 47, 3, [](Vec2 p) { return BrushedMetal(p, PIPE_BLUE * 0.95f, 321); },
            5);
        for (Vec2 r : {Vec2{22, 22}, Vec2{42, 22}, Vec2{22, 42}, Vec2{42, 42}})
            PaintRivet(t, r, 1.6f, PIPE_BLUE * 1.5f);
        break;
    }
    case 33: { // straight pipe with a pressure gauge and a valve
        PaintStraight(t, true);
        PaintTube(t, {32, 24}, {32, 16}, 2.2f, PipeMaterial(PIPE_BLUE * 0.9f));
        const Vec2 gauge{32, 11};
        PaintShape(
            t, 20, 0, 44, 23, [=](Vec2 p) { return SdCircle(p, gauge, 8.5f); },
            [](Vec2) {
                return Colour{0.1f, 0.11f, 0.14f};
            });
        PaintShape(
            t, 22, 2, 42, 20, [=](Vec2 p) { return SdCircle(p, gauge, 6.6f); },
            [=](Vec2 p) {
                return Colour{0.85f, 0.86f, 0.8f} * (1.05f - 0.3f * Length(p - gauge) / 6.6f);
            });
        for (int k = 0; k < 5; k++) {
            const Vec2 d = Rotate(Vec2{0, -1}, -70 + 35 * float(k));
            PaintLine(t, gauge + d * 4.6f, gauge + d * 6, 0.8f, Colour{0.1f, 0.1f, 0.1f});
        }
        PaintLine(t, gauge, gauge + Rotate(Vec2{0, -1}, 40) * 5.2f, 1.1f,
                  Colour{0.9f, 0.15f, 0.1f});
        PaintTube(t, {47, 24}, {47, 18}, 1.6f, PipeMaterial(PIPE_BLUE));
        PaintTube(t, {41, 17}, {53, 17}, 1.8f, PipeMaterial(ORANGE_GLOW * 0.8f));
        break;
    }
    case 36: { // a hazard-striped beam
        PaintPlate(t, -1, 20, S + 1, 44, 2,
                   [](Vec2 p) { return BrushedMetal(p, DARK_STEEL * 1.3f, 361); });
        PaintHazard(
            t, -1, 24, S + 1, 40, [](Vec2 p) { return SdRect(p, -2, 24, S + 2, 40); }, 6, 1.2f);
        for (float x : {8.0f, 56.0f})
            PaintRivet(t, {x, 22}, 1.2f, STEEL), PaintRivet(t, {x, 42}, 1.2f, STEEL);
        break;
    }
    case 37: { // grating: square holes show what lies behind
        Material m;
        m.ambient = 0.38f;
        m.gloss = 0.35f;
        auto grid = [](Vec2 p) {
            const float gx = std::fabs(std::fmod(p.x + 6, 16.0f) - 8) - 5.5f;
            const float gy = std::fabs(std::fmod(p.y + 6, 16.0f) - 8) - 5.5f;
            return Union(Subtract(SdRect(p, 0, 0, S, S), SdRect(p, 3, 3, S - 3, S - 3)),
                         -Intersect(gx, gy));
        };
        PaintSlabFace(
            t, -1, -1, S + 1, S + 1, grid, m,
            [](Vec2 p) { return BrushedMetal(p, PIPE_BLUE * 0.75f, 371); }, 1.6f, 50, false);
        break;
    }
    default: { // 38 to 41: dark cells, each a shadowed panel with a structure of its own
        const int k = code - 38;
        const Colour dark = DARK_STEEL * 0.5f, deep = Colour{0.015f, 0.018f, 0.03f};
        const uint32_t seed = 380 + uint32_t(k);
        PaintPlate(t, 0, 0, S, S, 2.2f, [=](Vec2 p) { return BrushedMetal(p, dark, seed); });
        switch (k) {
        case 0: // a recessed hatch with a seam across it
            PaintRecess(
                t, 6, 6, S - 6, S - 6, [](Vec2 p) { return SdRoundRect(p, 7, 7, S - 7, S - 7, 3); },
                deep);
            PaintPlate(
                t, 10, 10, S - 10, S - 10, 1.6f,
                [=](Vec2 p) { return BrushedMetal(p, dark * 1.15f, seed + 10); }, 3);
            PaintGroove(
                t, [](Vec2 p) { return p.y - S / 2; }, 0.7f);
            break;
        case 1: // four small plates
            for (int i = 0; i < 4; i++) {
                const float x = 4 + 29 * float(i % 2), y = 4 + 29 * float(i / 2);
                PaintPlate(
                    t, x, y, x + 27, y + 27, 1.4f,
                    [=](Vec2 p) {
                        return BrushedMetal(p, dark * (1.05f + 0.08f * float(i)), seed);
                    },
                    2);
            }
            break;
        case 2: // a vent of slanted slats
            PaintRecess(
                t, 5, 5, S - 5, S - 5, [](Vec2 p) { return SdRect(p, 6, 6, S - 6, S - 6); }, deep);
            for (int i = 0; i < 6; i++) {
                const float y = 10 + 8.4f * float(i);
                PaintPlate(t, 8, y, S - 8, y + 4.2f, 1.2f,
                           [=](Vec2 p) { return BrushedMetal(p, dark * 1.3f, seed); });
            }
            break;
        default: { // a round grille over a dark fan
            const Vec2 c{S / 2, S / 2};
            PaintRecess(
                t, 6, 6, S - 6, S - 6, [=](Vec2 p) { return SdCircle(p, c, 25); }, deep);
            for (int b = 0; b < 3; b++) {
                const float a = 120 * float(b) + 20;
                auto blade = [=](Vec2 p) {
                    const Vec2 q = Rotate(p - c, -a);
                    return SdEllipse(q, Vec2{11, 2.5f}, Vec2{10, 4.5f});
                };
                PaintSlab(t, 8, 8, S - 8, S - 8, blade, PipeMaterial(dark * 1.4f), 1.5f);
            }
            PaintDome(t, c, 4, PipeMaterial(dark * 1.6f));
            for (int i = -2; i <= 2; i++) {
                const float y = 9.5f * float(i), half = std::sqrt(25 * 25 - y * y) - 1;
                PaintLine(t, {c.x - half, c.y + y}, {c.x + half, c.y + y}, 1.3f, dark * 2.2f, 0.9f);
            }
            break;
        }
        }
        for (Vec2 r : {Vec2{4, 4}, Vec2{S - 4, 4}, Vec2{4, S - 4}, Vec2{S - 4, S - 4}})
            PaintRivet(t, r, 1.3f, STEEL * 0.6f);
        break;
    }
    }
    return t;
}
