// art_metal.h - the finishes the whole art set is made of: brushed and rusty metal, bevelled
// plates, engraved grooves, recesses and yellow and black hazard paint, with the palette of
// named colours they share (steel, dark steel, rust, hazard yellow, orange and cyan light).
//
// Used by the tile, HUD, panel and button pictures of the asset generator; pure functions.
#pragma once

#include <cstdint>

#include "tools/assetgen/art_canvas.h"
#include "tools/assetgen/art_shapes.h"

const Colour STEEL = {0.44f, 0.47f, 0.54f};
const Colour DARK_STEEL = {0.19f, 0.21f, 0.26f};
const Colour RUST = {0.46f, 0.30f, 0.20f};
const Colour HAZARD_YELLOW = {0.98f, 0.76f, 0.10f};
const Colour HAZARD_BLACK = {0.07f, 0.07f, 0.08f};
const Colour ORANGE_GLOW = {1.0f, 0.55f, 0.12f};
const Colour CYAN_GLOW = {0.25f, 0.88f, 1.0f};

// Brushed metal: the base with fine horizontal streaks and soft blotches.
Colour BrushedMetal(Vec2 p, Colour base, uint32_t seed);
// Rusty metal: brushed metal eaten by orange-brown patches.
Colour RustyMetal(Vec2 p, Colour base, uint32_t seed);

// A bevelled plate filling the box, its face from face(p).
template <class Face>
void PaintPlate(Canvas& c, float x0, float y0, float x1, float y1, float bevel, const Face& face,
                float cut = 0) {
    Material m;
    m.ambient = 0.42f;
    m.gloss = 0.25f;
    m.shininess = 16;
    auto sdf = [=](Vec2 p) {
        return cut > 0 ? SdChamferRect(p, x0, y0, x1, y1, cut) : SdRect(p, x0, y0, x1, y1);
    };
    PaintSlabFace(c, x0 - 1, y0 - 1, x1 + 1, y1 + 1, sdf, m, face, bevel, 50, false);
}

// An engraved line along the outline of a shape: a dark cut with a lit lower-right lip.
template <class Sdf> void PaintGroove(Canvas& c, const Sdf& sdf, float opacity = 0.8f) {
    PaintShape(
        c, 0, 0, float(c.width), float(c.height),
        [&](Vec2 p) {
            return std::fabs(sdf(p - Vec2{1, 1})) - 0.5f;
        },
        [](Vec2) {
            return Colour{0.85f, 0.88f, 0.95f};
        },
        4, opacity * 0.35f);
    PaintShape(
        c, 0, 0, float(c.width), float(c.height), [&](Vec2 p) { return std::fabs(sdf(p)) - 0.55f; },
        [](Vec2) {
            return Colour{0.03f, 0.03f, 0.05f};
        },
        4, opacity);
}

// Yellow and black stripes at 45 degrees inside the shape, `width` pixels each.
template <class Sdf>
void PaintHazard(Canvas& c, float x0, float y0, float x1, float y1, const Sdf& sdf, float width,
                 float bevel) {
    Material m;
    m.ambient = 0.5f;
    m.gloss = 0.3f;
    PaintSlabFace(
        c, x0 - 1, y0 - 1, x1 + 1, y1 + 1, sdf, m,
        [=](Vec2 p) {
            const float band = std::fmod(p.x + p.y + 1000 * width, 2 * width);
            const Colour paint = band < width ? HAZARD_YELLOW : HAZARD_BLACK;
            // worn paint: a few scuffs of bare steel
            const float wear = ValueNoise(p.x, p.y, 2.5f, 77) * ValueNoise(p.x, p.y, 9, 78);
            return Mix(paint, STEEL * 0.75f, SmoothStep(0.5f, 0.7f, wear) * 0.7f);
        },
        bevel, 50, false);
}

// A dark recess (slot, hole) with its lower-right wall catching the light.
template <class Sdf>
void PaintRecess(Canvas& c, float x0, float y0, float x1, float y1, const Sdf& sdf, Colour floor) {
    PaintShape(c, x0, y0, x1, y1, sdf, [&](Vec2 p) {
        const float d = -sdf(p);
        const Vec2 g = SdfGradient(sdf, p);
        // inner walls: the ones facing up-left (lower-right side of the hole) are lit
        const float lit = (g.x + g.y) * 0.7071f;
        if (d < 1.6f)
            return lit > 0.2f ? Colour{0.62f, 0.66f, 0.74f} * (0.6f + 0.4f * lit) : floor * 0.5f;
        return floor;
    });
}
