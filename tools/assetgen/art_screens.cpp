// art_screens.cpp - the screen pictures: the robot sheet with the headings (4 bits, 16
// colours) and the title logo (8 bits).
//
// screens.bmp: two rows of three 256 x 256 pictures. Row 0 shows the robot three times,
// a wireframe from the side, a shaded three-quarter view and an outline drawing from above (the
// menu shows the two wireframes, the shop the shaded view); row 1 the headings MENU, SCORE
// and SHOP in chrome letters, kept in the upper part of their squares because the screens
// that show them put text close below.
//
// logo.bmp: "MORVEXA" in large orange letters with the robot hovering below them, drawn by
// the menu as three 256 x 256 thirds side by side.
#include "tools/assetgen/art_letters.h"
#include "tools/assetgen/art_palette.h"
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/art_robot.h"
#include "tools/assetgen/art_shapes.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

const Colour WIRE = {0.45f, 0.9f, 1.0f};
const Colour WIRE_GLOW = {0.05f, 0.25f, 0.6f};
const Colour OUTLINE = {0.03f, 0.03f, 0.06f};

// A wireframe with a dark blue halo under its bright lines; lines behind the model are
// drawn dim, as on a designer's screen.
void PaintWireframe(Canvas& c, const std::vector<RobotShape>& robot, const RobotView& view) {
    DrawRobotWireframe(c, robot, view, WireStyle{WIRE_GLOW, 3.2f, WIRE_GLOW, 0});
    DrawRobotWireframe(c, robot, view, WireStyle{WIRE, 1.1f, WIRE_GLOW * 1.4f, 0.9f});
}

Canvas RobotSide() {
    Canvas c = MakeCanvas(256, 256);
    RobotView view;
    view.scale = 3.5f;
    view.origin = {132, 240};
    PaintWireframe(c, BuildRobot(RobotPose{}), view);
    return c;
}

Canvas RobotTop() {
    Canvas c = MakeCanvas(256, 256);
    RobotView view;
    view.yaw = -90;  // facing up the picture
    view.pitch = 90; // seen from straight above
    view.scale = 5.0f;
    view.origin = {128, 128};
    // seen from above the parts overlap too much for a full wireframe: outlines only
    DrawRobotOutline(c, BuildRobot(RobotPose{}), view, WIRE, WIRE_GLOW * 2.4f, WIRE_GLOW * 0.9f);
    AddOutline(c, WIRE_GLOW, true);
    return c;
}

RobotView ShadedView(float scale, Vec2 origin) {
    RobotView view;
    view.yaw = 35;
    view.pitch = 12;
    view.scale = scale;
    view.origin = origin;
    return view;
}

Canvas RobotShaded(float scale, Vec2 origin, int size) {
    Canvas c = RenderRobot(BuildRobot(RobotPose{}), ShadedView(scale, origin), size, size, 2);
    AddOutline(c, OUTLINE, true);
    return c;
}

// A jet flame hanging from a nozzle mouth, length in pixels.
void PaintJetFlame(Canvas& c, Vec2 mouth, float width, float length) {
    auto flame = [=](Vec2 p) {
        const float t = (p.y - mouth.y) / length; // 0 at the mouth .. 1 at the tip
        const float half = width * (1 - t) * (0.8f + 0.4f * std::sin(t * 3.14159f));
        return std::max(std::fabs(p.x - mouth.x) - half, std::max(-t, t - 1) * length);
    };
    PaintShape(c, mouth.x - width - 2, mouth.y - 2, mouth.x + width + 2, mouth.y + length + 2,
               flame, [=](Vec2 p) {
                   const float t =
                       Clamp01((p.y - mouth.y) / length + std::fabs(p.x - mouth.x) / width * 0.35f);
                   return Ramp({Hex(0xFFFFF0), Hex(0xFFE070), Hex(0xFF9020), Hex(0xE04010)}, t);
               });
}

// Chrome letters of a word, `unit` pixels a letter unit, top left at (x, y), with a dark
// extruded body below right and a dark outline.
void PaintChromeWord(Canvas& c, const char* word, float unit, float x, float y) {
    const float gap = 1.2f, width = LargeWordWidth(word, gap) * unit, height = 10 * unit;
    auto sdf = [=](Vec2 p) {
        return LargeWordSdf(word, gap, Vec2{(p.x - x) / unit, (p.y - y) / unit}) * unit;
    };
    const float x0 = x - 8, y0 = y - 8, x1 = x + width + 12, y1 = y + height + 12;
    // extrusion: the letter repeated down right in deepening blue-grey
    for (int k = 6; k >= 1; k--) {
        const float o = float(k);
        PaintShape(
            c, x0, y0, x1, y1,
            [&](Vec2 p) {
                return sdf(p - Vec2{o * 0.7f, o}) - 1.5f;
            },
            [=](Vec2) { return Mix(Hex(0x506080), Hex(0x141828), float(k) / 6); });
    }
    PaintShape(
        c, x0, y0, x1, y1, [&](Vec2 p) { return sdf(p) - 1.5f; }, [](Vec2) { return OUTLINE; });
    PaintShape(c, x0, y0, x1, y1, sdf, [&](Vec2 p) {
        const Vec3 n = BevelNormal(-sdf(p), SdfGradient(sdf, p), unit * 0.55f, 55, false);
        return ChromeShade((p.y - y) / height, n, Hex(0x9CC8FF), Hex(0xB08868));
    });
}

// A glint: a soft white glow, a small hot centre and two long thin rays, large enough to
// survive the reduction to a few colours as a star, not a speck.
void PaintGlint(Canvas& c, Vec2 at, float size) {
    PaintGlow(c, at, size * 0.55f, Colour{1, 1, 0.92f}, 0.7f);
    for (int k = 0; k < 2; k++) {
        const float length = k == 0 ? size : size * 0.7f, width = std::max(1.3f, size * 0.09f);
        auto ray = [=](Vec2 p) {
            const Vec2 q = k == 0 ? p - at : Vec2{p.y - at.y, p.x - at.x};
            return (std::fabs(q.x) / length + std::fabs(q.y) / width - 1) * width;
        };
        PaintShape(c, at.x - size - 1, at.y - size - 1, at.x + size + 1, at.y + size + 1, ray,
                   [=](Vec2 p) {
                       return Mix(Colour{1, 1, 1}, Hex(0xFFF0C0), Clamp01(Length(p - at) / length));
                   });
    }
    PaintShape(
        c, at.x - 4, at.y - 4, at.x + 4, at.y + 4,
        [=](Vec2 p) { return SdCircle(p, at, std::max(1.5f, size * 0.12f)); },
        [](Vec2) {
            return Colour{1, 1, 1};
        });
}

Canvas Heading(const char* word) {
    Canvas c = MakeCanvas(256, 256);
    const float unit = 5.3f;
    const float width = LargeWordWidth(word, 1.2f) * unit;
    PaintChromeWord(c, word, unit, 128 - width / 2 - 2, 38);
    PaintGlint(c, {128 - width / 2 + 8, 42}, 14);
    return c;
}

// Orange letters: a hot gradient under a white rim, a deep red extrusion, a dark outline.
void PaintLogoWord(Canvas& c, const char* word, float unit, float x, float y, float slant) {
    const float gap = 1.0f, width = LargeWordWidth(word, gap) * unit, height = 10 * unit;
    auto sdf = [=](Vec2 p) {
        const float ly = (p.y - y) / unit;
        const float lx = (p.x - x) / unit + (ly - 10) * slant; // lean the letters forward
        return LargeWordSdf(word, gap, Vec2{lx, ly}) * unit * 0.98f;
    };
    const float x0 = x - 20, y0 = y - 10, x1 = x + width + 30, y1 = y + height + 20;
    for (int k = 10; k >= 1; k--) {
        const float o = float(k);
        PaintShape(
            c, x0, y0, x1, y1,
            [&](Vec2 p) {
                return sdf(p - Vec2{o * 0.55f, o * 0.8f}) - 2.5f;
            },
            [=](Vec2) { return Mix(Hex(0x9A2A08), Hex(0x2A0804), float(k) / 10); });
    }
    PaintShape(
        c, x0, y0, x1, y1, [&](Vec2 p) { return sdf(p) - 2.5f; }, [](Vec2) { return OUTLINE; });
    const std::vector<Colour> ramp{Hex(0xFFF6C0), Hex(0xFFC430), Hex(0xFF8A10), Hex(0xE04A08),
                                   Hex(0xFF9A30)};
    PaintShape(c, x0, y0, x1, y1, sdf, [&](Vec2 p) {
        const float t = Clamp01((p.y - y) / height);
        const Vec3 n = BevelNormal(-sdf(p), SdfGradient(sdf, p), unit * 0.6f, 55, false);
        Material m;
        m.base = Ramp(ramp, t);
        m.ambient = 0.55f;
        m.gloss = 0.9f;
        m.shininess = 20;
        Colour col = Shade(m, n);
        // a thin cyan horizon line across the letters, the demo-scene signature
        if (std::fabs(t - 0.52f) < 0.018f) col = Mix(col, Hex(0xC0F4FF), 0.55f);
        return col;
    });
}

} // namespace

PictureBytes MakeScreens() {
    Canvas sheet = MakeCanvas(768, 512);
    DrawCanvas(sheet, RobotSide(), 0, 0);
    DrawCanvas(sheet, RobotShaded(3.4f, {132, 238}, 256), 256, 0);
    DrawCanvas(sheet, RobotTop(), 512, 0);
    DrawCanvas(sheet, Heading("MENU"), 0, 256);
    DrawCanvas(sheet, Heading("SCORE"), 256, 256);
    DrawCanvas(sheet, Heading("SHOP"), 512, 256);
    // sixteen colours chosen for this sheet: key, outline, steel ramp, reds, orange, the
    // wireframe blues, and the chrome letters' sky and ground
    const std::vector<uint32_t> palette{0x000000, 0x08080E, 0x2A2E40, 0x5C6478, 0xA0AABE, 0xF4F8FF,
                                        0x5E0E10, 0xB42420, 0xF06A58, 0xF08C28, 0x78E6FF, 0x144696,
                                        0x96C8FF, 0x5A3C28, 0xB08868, 0x161A2C};
    const IndexedPicture picture = MapToPalette(sheet, palette, 18);
    return EncodeBmpIndexed(768, 512, picture.indices, picture.palette, 4);
}

PictureBytes MakeLogo() {
    Canvas logo = MakeCanvas(768, 256);
    const char* word = "MORVEXA";
    const float unit = 10.4f;
    const float width = LargeWordWidth(word, 1.0f) * unit;
    PaintLogoWord(logo, word, unit, 384 - width / 2 - 4, 12, 0.16f);
    PaintGlint(logo, {108, 22}, 30);
    // the robot hovers on its jet under the middle of the name, clear of the letters
    const RobotView view = ShadedView(2.0f, {392, 250});
    for (const Vec3& nozzle : RobotNozzles()) {
        const Vec2 mouth = ProjectRobotPoint(view, nozzle);
        PaintJetFlame(logo, mouth, 4.5f, 34);
    }
    Canvas robot = RenderRobot(BuildRobot(RobotPose{}), view, 768, 256, 2);
    AddOutline(robot, OUTLINE, true);
    DrawCanvas(logo, robot, 0, 0);
    const IndexedPicture picture = ReduceToPalette(logo, 256, 3);
    return EncodeBmpIndexed(768, 256, picture.indices, picture.palette, 8);
}
