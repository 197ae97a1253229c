// art_shapes.h - signed distances of the 2D shapes the pictures are built from (negative
// inside, in pixels), their combinations, and a few painting shortcuts built on them:
// lit bevelled slabs, rivets, lines and glows.
//
// Used by the art_*.cpp files of the asset generator; pure functions, no state.
#pragma once

#include <vector>

#include "tools/assetgen/art_canvas.h"

// ---------------------------------------------------------------- distances
inline float SdCircle(Vec2 p, Vec2 centre, float radius) {
    return Length(p - centre) - radius;
}

// Axis-aligned box given by its centre and half size.
inline float SdBox(Vec2 p, Vec2 centre, Vec2 half) {
    const float dx = std::fabs(p.x - centre.x) - half.x, dy = std::fabs(p.y - centre.y) - half.y;
    const float ox = std::max(dx, 0.0f), oy = std::max(dy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(dx, dy), 0.0f);
}
// Box by its corners (x0, y0) - (x1, y1).
inline float SdRect(Vec2 p, float x0, float y0, float x1, float y1) {
    return SdBox(p, Vec2{(x0 + x1) / 2, (y0 + y1) / 2}, Vec2{(x1 - x0) / 2, (y1 - y0) / 2});
}
inline float SdRoundRect(Vec2 p, float x0, float y0, float x1, float y1, float radius) {
    return SdBox(p, Vec2{(x0 + x1) / 2, (y0 + y1) / 2},
                 Vec2{(x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius}) -
           radius;
}
// Box with its corners cut at 45 degrees by `cut` pixels.
inline float SdChamferRect(Vec2 p, float x0, float y0, float x1, float y1, float cut) {
    const Vec2 c{(x0 + x1) / 2, (y0 + y1) / 2};
    const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    const float box = SdBox(p, c, Vec2{hx, hy});
    const float ax = std::fabs(p.x - c.x), ay = std::fabs(p.y - c.y);
    const float diagonal = (ax + ay - (hx + hy - cut)) * 0.70710678f;
    return std::max(box, diagonal);
}
// Capsule (thick line) from a to b.
inline float SdSegment(Vec2 p, Vec2 a, Vec2 b, float radius) {
    const Vec2 pa = p - a, ba = b - a;
    const float den = Dot(ba, ba);
    const float h = den > 0 ? Clamp01(Dot(pa, ba) / den) : 0;
    return Length(pa - ba * h) - radius;
}
// Ring of mean radius r and half thickness t.
inline float SdRing(Vec2 p, Vec2 centre, float r, float t) {
    return std::fabs(Length(p - centre) - r) - t;
}
// Ellipse (approximate distance, good near the outline).
inline float SdEllipse(Vec2 p, Vec2 centre, Vec2 radii) {
    const Vec2 q{(p.x - centre.x) / radii.x, (p.y - centre.y) / radii.y};
    const float k = Length(q);
    if (k < 1e-6f) return -std::min(radii.x, radii.y);
    const Vec2 g{q.x / radii.x, q.y / radii.y};
    return (k - 1) * k / std::max(1e-6f, Length(g));
}
// Closed polygon (any winding), exact distance.
float SdPolygon(Vec2 p, const std::vector<Vec2>& points);

inline float Union(float a, float b) {
    return std::min(a, b);
}
inline float Intersect(float a, float b) {
    return std::max(a, b);
}
inline float Subtract(float a, float b) {
    return std::max(a, -b);
}
// Smooth union with a blend radius k.
inline float SmoothUnion(float a, float b, float k) {
    const float h = Clamp01(0.5f + 0.5f * (b - a) / k);
    return b + (a - b) * h - k * h * (1 - h);
}

// ---------------------------------------------------------------- painting shortcuts
// A lit slab: the shape filled with the material, its edge bevelled over `bevel` pixels
// (tilted by up to maxTilt degrees) and lit from the top left.
template <class Sdf>
void PaintSlab(Canvas& canvas, float x0, float y0, float x1, float y1, const Sdf& sdf,
               const Material& material, float bevel, float maxTilt = 55, bool round = true,
               int n = 4) {
    PaintShape(
        canvas, x0, y0, x1, y1, sdf,
        [&](Vec2 p) {
            return Shade(material,
                         BevelNormal(-sdf(p), SdfGradient(sdf, p), bevel, maxTilt, round));
        },
        n);
}

// Same, but the colour of the flat face may vary: face(p) gives the base colour.
template <class Sdf, class Face>
void PaintSlabFace(Canvas& canvas, float x0, float y0, float x1, float y1, const Sdf& sdf,
                   const Material& material, const Face& face, float bevel, float maxTilt = 55,
                   bool round = true, int n = 4) {
    PaintShape(
        canvas, x0, y0, x1, y1, sdf,
        [&](Vec2 p) {
            Material m = material;
            m.base = face(p);
            return Shade(m, BevelNormal(-sdf(p), SdfGradient(sdf, p), bevel, maxTilt, round));
        },
        n);
}

// A hemispherical bump (rivet, bolt head, lamp) of the material.
void PaintDome(Canvas& canvas, Vec2 centre, float radius, const Material& material);
// A rivet: a shadow below right, the dome, and a hot spot.
void PaintRivet(Canvas& canvas, Vec2 centre, float radius, Colour metal);
// A lit tube (pipe, bar) of radius r from a to b, cut square at the ends.
void PaintTube(Canvas& canvas, Vec2 a, Vec2 b, float r, const Material& material);
// A lit tube bent round `centre` at bend radius `bend`, from angle `from` to `to` (degrees,
// measured as on screen: 0 right, 90 down).
void PaintTubeArc(Canvas& canvas, Vec2 centre, float bend, float r, float from, float to,
                  const Material& material);
// A straight anti-aliased line of the given width.
void PaintLine(Canvas& canvas, Vec2 a, Vec2 b, float width, Colour colour, float opacity = 1);
// A soft round glow fading from the centre colour to nothing at the radius.
void PaintGlow(Canvas& canvas, Vec2 centre, float radius, Colour colour, float strength);
// Shadow cast by a shape: its distance field offset down right, darkening what lies below.
template <class Sdf>
void PaintDropShadow(Canvas& canvas, float x0, float y0, float x1, float y1, const Sdf& sdf,
                     Vec2 offset, float softness, float strength) {
    for (int y = std::max(0, int(y0)); y < std::min(canvas.height, int(y1)); y++)
        for (int x = std::max(0, int(x0)); x < std::min(canvas.width, int(x1)); x++) {
            const float d = sdf(Vec2{float(x) + 0.5f - offset.x, float(y) + 0.5f - offset.y});
            const float k = 1 - SmoothStep(-softness, softness, d);
            if (k > 0) BlendPixel(canvas, x, y, Colour{0.01f, 0.01f, 0.02f}, k * strength);
        }
}
