// art_shapes.cpp - the polygon distance and the painting shortcuts of art_shapes.h.
#include "tools/assetgen/art_shapes.h"

float SdPolygon(Vec2 p, const std::vector<Vec2>& v) {
    if (v.size() < 3) return 1e9f;
    float d = Dot(p - v[0], p - v[0]);
    float s = 1;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, i++) {
        const Vec2 e = v[j] - v[i], w = p - v[i];
        const Vec2 b = w - e * Clamp01(Dot(w, e) / Dot(e, e));
        d = std::min(d, Dot(b, b));
        const bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

void PaintDome(Canvas& canvas, Vec2 centre, float radius, const Material& material) {
    PaintShape(
        canvas, centre.x - radius - 1, centre.y - radius - 1, centre.x + radius + 1,
        centre.y + radius + 1, [&](Vec2 p) { return SdCircle(p, centre, radius); },
        [&](Vec2 p) {
            const Vec2 q = (p - centre) * (1.0f / radius);
            const float z2 = 1 - Dot(q, q);
            return Shade(material, Normalise(Vec3{q.x, q.y, std::sqrt(std::max(0.05f, z2))}));
        },
        4);
}

void PaintRivet(Canvas& canvas, Vec2 centre, float radius, Colour metal) {
    PaintShape(
        canvas, centre.x - radius, centre.y - radius, centre.x + radius + 2, centre.y + radius + 2,
        [&](Vec2 p) {
            return SdCircle(p, centre + Vec2{0.8f, 0.8f}, radius);
        },
        [](Vec2) {
            return Colour{0.02f, 0.02f, 0.03f};
        },
        4, 0.6f);
    Material m;
    m.base = metal;
    m.gloss = 0.9f;
    m.shininess = 18;
    m.ambient = 0.3f;
    PaintDome(canvas, centre, radius, m);
}

void PaintLine(Canvas& canvas, Vec2 a, Vec2 b, float width, Colour colour, float opacity) {
    const float r = width / 2;
    PaintShape(
        canvas, std::min(a.x, b.x) - r - 1, std::min(a.y, b.y) - r - 1, std::max(a.x, b.x) + r + 1,
        std::max(a.y, b.y) + r + 1, [&](Vec2 p) { return SdSegment(p, a, b, r); },
        [&](Vec2) { return colour; }, 4, opacity);
}

void PaintGlow(Canvas& canvas, Vec2 centre, float radius, Colour colour, float strength) {
    for (int y = int(centre.y - radius) - 1; y <= int(centre.y + radius) + 1; y++)
        for (int x = int(centre.x - radius) - 1; x <= int(centre.x + radius) + 1; x++) {
            if (!canvas.Inside(x, y)) continue;
            const float d = Length(Vec2{float(x) + 0.5f, float(y) + 0.5f} - centre) / radius;
            if (d >= 1) continue;
            const float k = (1 - d) * (1 - d) * strength;
            Pixel& px = canvas.At(x, y);
            // light adds to what is there; it does not cover it
            px.c = px.c + colour * k;
            px.a = std::max(px.a, std::min(1.0f, k));
        }
}

void PaintTube(Canvas& canvas, Vec2 a, Vec2 b, float r, const Material& material) {
    const Vec2 axis = (b - a) * (1.0f / std::max(1e-6f, Length(b - a)));
    const Vec2 across{-axis.y, axis.x};
    const float len = Length(b - a);
    auto sdf = [&](Vec2 p) {
        const Vec2 q = p - a;
        const float along = Dot(q, axis), off = Dot(q, across);
        return std::max(std::fabs(off) - r, std::fabs(along - len / 2) - len / 2);
    };
    PaintShape(
        canvas, std::min(a.x, b.x) - r - 1, std::min(a.y, b.y) - r - 1, std::max(a.x, b.x) + r + 1,
        std::max(a.y, b.y) + r + 1, sdf,
        [&](Vec2 p) {
            const float off = std::clamp(Dot(p - a, across) / r, -0.98f, 0.98f);
            return Shade(material, Vec3{across.x * off, across.y * off, std::sqrt(1 - off * off)});
        },
        4);
}

void PaintTubeArc(Canvas& canvas, Vec2 centre, float bend, float r, float from, float to,
                  const Material& material) {
    const float lo = std::min(from, to), hi = std::max(from, to);
    auto sdf = [&](Vec2 p) {
        const Vec2 q = p - centre;
        float angle = std::atan2(q.y, q.x) * 57.29578f;
        while (angle < lo - 180) angle += 360;
        while (angle > lo + 180) angle -= 360;
        const float ring = std::fabs(Length(q) - bend) - r;
        // outside the angle range the distance grows with the arc length beyond its ends
        const float beyond = std::max(lo - angle, angle - hi) * 0.017453292f * Length(q);
        return std::max(ring, beyond);
    };
    const float extent = bend + r + 1;
    PaintShape(
        canvas, centre.x - extent, centre.y - extent, centre.x + extent, centre.y + extent, sdf,
        [&](Vec2 p) {
            const Vec2 q = p - centre;
            const float l = std::max(1e-6f, Length(q));
            const Vec2 radial = q * (1.0f / l);
            const float off = std::clamp((l - bend) / r, -0.98f, 0.98f);
            return Shade(material, Vec3{radial.x * off, radial.y * off, std::sqrt(1 - off * off)});
        },
        4);
}
