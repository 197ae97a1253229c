// art_items.cpp - the pickup pictures and the ring that spins round them.
//
// items.bmp holds four 32 x 32 pictures side by side (two spare rows below): 0 the orb,
// violet with an orange cross; 1 a grey disc (a target just hit); 2 the crosshair, a
// near-black grid of four panes whose panes are see-through; 3 a red arrow pointing up (the
// pickup compass turns it). ring.bmp is a thick three-quarter ring running from blue to grey.
#include "tools/assetgen/art_metal.h"
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

const Colour OUTLINE = {0.04f, 0.03f, 0.06f};

Material Glossy(Colour base) {
    Material m;
    m.base = base;
    m.ambient = 0.32f;
    m.gloss = 1.0f;
    m.shininess = 26;
    return m;
}

Canvas Orb() {
    Canvas c = MakeCanvas(32, 32);
    const Vec2 centre{16, 16};
    PaintDome(c, centre, 12.5f, Glossy(Colour{0.58f, 0.22f, 0.92f}));
    // the cross, painted on the ball: bent to follow its surface
    auto cross = [=](Vec2 p) {
        return Intersect(Union(SdRect(p, 14, 4.5f, 18, 27.5f), SdRect(p, 4.5f, 14, 27.5f, 18)),
                         SdCircle(p, centre, 11.6f));
    };
    PaintShape(c, 3, 3, 29, 29, cross, [=](Vec2 p) {
        const Vec2 q = (p - centre) * (1 / 12.5f);
        const Vec3 n = Normalise(Vec3{q.x, q.y, std::sqrt(std::max(0.05f, 1 - Dot(q, q)))});
        return Shade(Glossy(Colour{1.0f, 0.56f, 0.12f}), n);
    });
    // a sharp window highlight
    PaintShape(
        c, 8, 7, 14, 13,
        [](Vec2 p) {
            return SdEllipse(p, {11, 10}, {2.6f, 1.8f});
        },
        [](Vec2) {
            return Colour{1, 1, 1};
        },
        4, 0.85f);
    AddOutline(c, OUTLINE, false);
    return c;
}

Canvas GreyDisc() {
    Canvas c = MakeCanvas(32, 32);
    Material steel = Glossy(Colour{0.62f, 0.64f, 0.7f});
    steel.gloss = 0.7f;
    PaintSlab(
        c, 2, 2, 30, 30,
        [](Vec2 p) {
            return SdCircle(p, {16, 16}, 12.5f);
        },
        steel, 4, 65, true);
    PaintGroove(
        c,
        [](Vec2 p) {
            return SdCircle(p, {16, 16}, 6.5f);
        },
        0.7f);
    PaintRivet(c, {16, 16}, 2.2f, Colour{0.75f, 0.77f, 0.82f});
    AddOutline(c, OUTLINE, false);
    return c;
}

Canvas Crosshair() {
    Canvas c = MakeCanvas(32, 32);
    auto grid = [](Vec2 p) {
        const float frame = Subtract(SdRect(p, 2, 2, 30, 30), SdRect(p, 5, 5, 27, 27));
        const float bars = Union(SdRect(p, 14.5f, 2, 17.5f, 30), SdRect(p, 2, 14.5f, 30, 17.5f));
        return Union(frame, bars);
    };
    // near-black bars with a thin cyan edge, so the sight shows on any backdrop
    PaintShape(c, 1, 1, 31, 31, grid, [&](Vec2 p) {
        return -grid(p) < 0.9f ? Colour{0.3f, 0.75f, 0.95f} : Colour{0.03f, 0.03f, 0.05f};
    });
    return c;
}

Canvas Arrow() {
    Canvas c = MakeCanvas(32, 32);
    auto arrow = [](Vec2 p) {
        return SdPolygon(p,
                         {{16, 2.5f}, {28, 15}, {21, 15}, {21, 29}, {11, 29}, {11, 15}, {4, 15}});
    };
    Material m = Glossy(Colour{0.9f, 0.12f, 0.1f});
    m.gloss = 0.5f;
    PaintSlab(c, 2, 1, 30, 31, arrow, m, 3, 55, false);
    AddOutline(c, OUTLINE, false);
    return c;
}

} // namespace

PictureBytes MakeItems() {
    Canvas sheet = MakeCanvas(128, 34);
    const Canvas items[4] = {Orb(), GreyDisc(), Crosshair(), Arrow()};
    for (int i = 0; i < 4; i++) DrawCanvas(sheet, items[i], 32 * i, 0);
    return EncodeBmpDirect(128, 34, CanvasToRgb(sheet), 24);
}

PictureBytes MakeRing() {
    Canvas c = MakeCanvas(64, 64);
    const Vec2 centre{32, 32};
    const float mean = 23, half = 6.5f;
    // three quarters of a torus, its colour running round from blue to grey
    auto shape = [=](Vec2 p) {
        const Vec2 q = p - centre;
        const float torus = SdRing(p, centre, mean, half);
        // the open quarter: x > 0 and y < 0 (top right), with round ends
        const float quarter = std::min(q.x, -q.y);
        const float end1 = SdCircle(p, centre + Vec2{0, -mean}, half);
        const float end2 = SdCircle(p, centre + Vec2{mean, 0}, half);
        return Union(Intersect(torus, quarter), Union(end1, end2));
    };
    PaintShape(c, 0, 0, 64, 64, shape, [=](Vec2 p) {
        const Vec2 q = p - centre;
        // 0 at the top end, running anticlockwise on screen through left and bottom to the right
        // end
        float angle = std::atan2(q.x, -q.y) * 57.29578f; // 0 up, 90 right, -90 left
        if (angle > 45) angle -= 360;                    // the right end comes last
        const float t = Clamp01(-angle / 270.0f);
        const Colour base = Mix(Colour{0.15f, 0.4f, 1.0f}, Colour{0.6f, 0.62f, 0.66f}, t);
        const float l = Length(q);
        const float off = std::clamp((l - mean) / half, -0.97f, 0.97f);
        const Vec2 radial = q * (1.0f / std::max(1e-6f, l));
        Vec3 n{radial.x * off, radial.y * off, std::sqrt(1 - off * off)};
        Material m = Glossy(base);
        m.ambient = 0.3f;
        return Shade(m, Normalise(n));
    });
    AddOutline(c, OUTLINE, false);
    return EncodeBmpDirect(64, 64, CanvasToRgb(c), 24);
}
