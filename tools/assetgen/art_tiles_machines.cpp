// art_tiles_machines.cpp - the three machines the player uses with the down key, each two
// cells wide (codes 18/19 shop, 20/21 teleporter, 22/23 base): a cabinet under a yellow and
// black striped top, its large sign straddling the two halves. Each machine has its own
// cabinet colour so that a player tells them apart from across the screen: a green shop with
// a lightning bolt, a violet teleporter with a star burst, an orange base with an orb.
#include "tools/assetgen/art_tiles.h"

namespace {

// cabinet colours: shop, teleporter, base
const Colour CABINET[3] = {{0.12f, 0.46f, 0.2f}, {0.4f, 0.16f, 0.62f}, {0.78f, 0.36f, 0.08f}};
constexpr float W = 128, H = 64;
constexpr float SIGN_R = 20;    // outer radius of the sign's bezel
constexpr float EMBLEM = 1.45f; // the symbols, scaled up to fill the larger sign

void PaintBody(Canvas& c, Colour cabinet, uint32_t seed) {
    // the striped top the robot stands on, with a steel lip under it
    PaintHazard(
        c, 0, 0, W, 13, [](Vec2 p) { return SdRect(p, 0, 0, W, 13); }, 6, 2.0f);
    PaintPlate(c, 0, 13, W, 17, 1.2f,
               [](Vec2 p) { return BrushedMetal(p, DARK_STEEL * 1.5f, 181); });
    // the cabinet in the machine's own colour
    PaintPlate(c, 0, 17, W, 57, 3, [=](Vec2 p) {
        const float shade = 1.1f - 0.25f * (p.y - 17) / 40;
        return BrushedMetal(p, cabinet * shade, seed);
    });
    // ribbed side vents
    for (float x0 : {6.0f, 104.0f})
        for (int i = 0; i < 5; i++) {
            const float y = 22 + 6.5f * float(i);
            PaintRecess(
                c, x0 - 1, y - 1, x0 + 19, y + 4,
                [=](Vec2 p) { return SdRoundRect(p, x0, y, x0 + 18, y + 3, 1.5f); },
                Colour{0.02f, 0.03f, 0.06f});
        }
    // foot plate
    PaintPlate(c, 0, 57, W, H, 1.5f,
               [](Vec2 p) { return BrushedMetal(p, DARK_STEEL * 1.3f, 182); });
    for (float x = 6; x < W; x += 14) PaintRivet(c, {x, 60.5f}, 1.5f, STEEL);
    for (Vec2 r : {Vec2{30, 22}, Vec2{98, 22}, Vec2{30, 52}, Vec2{98, 52}})
        PaintRivet(c, r, 1.8f, STEEL * 1.1f);
}

// The round sign in the middle, its symbol painted by the caller.
void PaintSignBezel(Canvas& c, Vec2 centre, Colour inside) {
    PaintDropShadow(
        c, 36, 12, 96, 64, [=](Vec2 p) { return SdCircle(p, centre, SIGN_R); }, {2, 2}, 1.5f, 0.6f);
    Material steel;
    steel.base = STEEL * 1.1f;
    steel.ambient = 0.4f;
    steel.gloss = 0.8f;
    steel.shininess = 20;
    PaintSlab(
        c, centre.x - SIGN_R - 1, centre.y - SIGN_R - 1, centre.x + SIGN_R + 1,
        centre.y + SIGN_R + 1, [=](Vec2 p) { return SdRing(p, centre, SIGN_R - 2.2f, 2.2f); },
        steel, 2.2f, 60, true);
    const float r = SIGN_R - 4.2f;
    PaintShape(
        c, centre.x - r - 1, centre.y - r - 1, centre.x + r + 1, centre.y + r + 1,
        [=](Vec2 p) { return SdCircle(p, centre, r); },
        [=](Vec2 p) { return inside * (1.2f - 0.5f * Length(p - centre) / r); });
}

} // namespace

Canvas PaintMachineTiles(int machine) {
    Canvas c = MakeCanvas(int(W), int(H));
    PaintBody(c, CABINET[machine], 190 + uint32_t(machine));
    const Vec2 centre{64, 37};
    switch (machine) {
    case 0: { // shop: a lightning bolt
        PaintSignBezel(c, centre, Colour{0.1f, 0.08f, 0.02f});
        PaintGlow(c, centre, 19, HAZARD_YELLOW * 0.7f, 0.5f);
        auto bolt = [=](Vec2 p) {
            return SdPolygon((p - centre) * (1 / EMBLEM),
                             {{3, -12}, {-7, 2}, {-1, 2}, {-4, 12}, {7, -3}, {1, -3}}) *
                   EMBLEM;
        };
        Material m;
        m.base = Colour{1.0f, 0.85f, 0.2f};
        m.ambient = 0.7f;
        m.gloss = 0.8f;
        PaintDropShadow(c, 44, 17, 86, 58, bolt, {1.5f, 1.5f}, 0.7f, 0.7f);
        PaintSlab(c, 44, 17, 84, 57, bolt, m, 1.6f, 50, false);
        break;
    }
    case 1: { // teleporter: a star burst
        PaintSignBezel(c, centre, Colour{0.03f, 0.06f, 0.14f});
        PaintGlow(c, centre, 18, CYAN_GLOW, 0.8f);
        for (int k = 0; k < 8; k++) {
            const float a = 45 * float(k);
            const float len = (k % 2 ? 7.5f : 12.5f) * EMBLEM;
            const Vec2 dir = Rotate(Vec2{1, 0}, a);
            auto ray = [=](Vec2 p) {
                const Vec2 q = Rotate(p - centre, -a);
                return SdPolygon(q, {{0, -3.0f}, {len, 0}, {0, 3.0f}});
            };
            PaintShape(
                c, centre.x - 19, centre.y - 19, centre.x + 19, centre.y + 19, ray, [=](Vec2 p) {
                    return Mix(Colour{1, 1, 1}, CYAN_GLOW, Clamp01(Dot(p - centre, dir) / len));
                });
        }
        PaintShape(
            c, centre.x - 6, centre.y - 6, centre.x + 6, centre.y + 6,
            [=](Vec2 p) { return SdCircle(p, centre, 4.4f); },
            [](Vec2) {
                return Colour{1, 1, 1};
            });
        break;
    }
    default: { // base: an orb with its orange cross
        PaintSignBezel(c, centre, Colour{0.08f, 0.03f, 0.1f});
        Material orb;
        orb.base = Colour{0.62f, 0.25f, 0.95f};
        orb.ambient = 0.35f;
        orb.gloss = 1.0f;
        orb.shininess = 30;
        PaintGlow(c, centre, 19, Colour{0.6f, 0.3f, 1.0f}, 0.4f);
        PaintDome(c, centre, 13.5f, orb);
        auto cross = [=](Vec2 p) {
            return Intersect(
                Union(SdRect(p, centre.x - 2.2f, centre.y - 12, centre.x + 2.2f, centre.y + 12),
                      SdRect(p, centre.x - 12, centre.y - 2.2f, centre.x + 12, centre.y + 2.2f)),
                SdCircle(p, centre, 12));
        };
        PaintShape(
            c, centre.x - 14, centre.y - 14, centre.x + 14, centre.y + 14, cross, [=](Vec2 p) {
                return Mix(Colour{1, 0.85f, 0.4f}, ORANGE_GLOW, Clamp01(Length(p - centre) / 11));
            });
        PaintShape(
            c, centre.x - 10, centre.y - 10, centre.x, centre.y,
            [=](Vec2 p) {
                return SdCircle(p, centre + Vec2{-5, -5}, 2.4f);
            },
            [](Vec2) {
                return Colour{1, 1, 1};
            },
            4, 0.8f);
        break;
    }
    }
    // status lamps either side of the sign
    for (Vec2 at : {Vec2{34, 42}, Vec2{94, 42}}) {
        PaintShape(
            c, at.x - 4, at.y - 4, at.x + 4, at.y + 4,
            [=](Vec2 p) { return SdCircle(p, at, 3.4f); },
            [](Vec2) {
                return Colour{0.05f, 0.05f, 0.07f};
            });
        Material lamp;
        lamp.base = machine == 1 ? CYAN_GLOW : ORANGE_GLOW;
        lamp.ambient = 0.75f;
        lamp.gloss = 1;
        PaintDome(c, at, 2.3f, lamp);
    }
    return c;
}
