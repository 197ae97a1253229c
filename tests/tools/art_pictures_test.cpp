// art_pictures_test.cpp - the pictures as the picture makers paint them, decoded as the game
// decodes them and judged by measures: each one in the place, shape and colours the screens
// rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "render/image.h"
#include "tools/assetgen/art_pictures.h"

namespace {

constexpr int SHEET = 3002;

struct Rgb {
    int r, g, b;
};
Rgb Split(uint32_t n) { // the decoder's colour numbers have red in the lowest byte
    return {int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF)};
}
bool Load(const PictureBytes& bytes) {
    return !bytes.empty() && CatchImage(SHEET, bytes.data(), bytes.size());
}
uint32_t At(int x, int y) {
    return ImagePixel(SHEET, x, y);
}
constexpr auto Opaque = [](Rgb c) { return c.r || c.g || c.b; };
constexpr auto Yellow = [](Rgb c) { return c.r > 180 && c.g > 120 && c.b < 90; };

// The pixels of a box that count (by default those not key black), their mean column within
// the box and their mean colour.
struct Ink {
    int count = 0;
    double meanX = 0, r = 0, g = 0, b = 0;
};
Ink InkOf(int x0, int y0, int w, int h, bool (*counts)(Rgb) = Opaque) {
    Ink ink;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) {
            const Rgb s = Split(At(x, y));
            if (!counts(s)) continue;
            ink.count++, ink.meanX += x - x0, ink.r += s.r, ink.g += s.g, ink.b += s.b;
        }
    if (ink.count)
        for (double* v : {&ink.meanX, &ink.r, &ink.g, &ink.b}) *v /= ink.count;
    return ink;
}
int KeyPixels(int x0, int y0, int w, int h) {
    return w * h - InkOf(x0, y0, w, h).count;
}
std::vector<uint32_t> Box(int x0, int y0, int w, int h) {
    std::vector<uint32_t> pixels;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) pixels.push_back(At(x, y));
    return pixels;
}

} // namespace

TEST(PlayerPicture, RobotFacesLeftWithItsJetPackBehindAndLegPosesMakeAWalkCycle) {
    ASSERT_TRUE(Load(MakeTorso()));
    const Ink visor =
        InkOf(0, 0, 64, 64, [](Rgb c) { return c.b > 235 && c.g > 190 && c.r < 200; });
    ASSERT_GT(visor.count, 6);
    EXPECT_LT(visor.meanX, 28) << "the visor looks left";
    EXPECT_GT(InkOf(0, 0, 16, 64).count, 0) << "the gun reaches out in front";
    EXPECT_GT(InkOf(45, 0, 19, 64).count, 0) << "the jet pack sits behind";
    EXPECT_EQ(KeyPixels(0, 48, 64, 16), 64 * 16) << "the legs own the bottom rows";

    ASSERT_TRUE(Load(MakeLegs()));
    std::set<std::vector<uint32_t>> poses;
    for (int pose = 0; pose < 5; pose++) {
        EXPECT_GT(InkOf(64 * pose, 60, 64, 4).count, 0) << "pose " << pose << " stands";
        EXPECT_EQ(KeyPixels(64 * pose, 0, 64, 20), 64 * 20) << "pose " << pose << " in the chest";
        poses.insert(Box(64 * pose, 0, 64, 64));
    }
    EXPECT_EQ(poses.size(), 5u) << "a pose repeats";
}

TEST(TilePictures, WallsAndMachinesAreSolidWhileSceneryLetsTheBackdropThrough) {
    ASSERT_TRUE(Load(MakeTiles()));
    auto keyed = [](int t) { return KeyPixels(64 * (t % 6), 64 * (t / 6), 64, 64); };
    EXPECT_EQ(keyed(0), 64 * 64) << "tile 0 is never drawn and stays black";
    for (int t = 1; t <= 23; t++) EXPECT_EQ(keyed(t), 0) << "wall tile " << t << " has a hole";
    for (int t : {24, 25, 26, 27, 30, 31, 32, 33, 36, 37})
        EXPECT_GT(keyed(t), 64 * 64 / 4) << "scenery tile " << t << " hides the backdrop";
    for (int t : {28, 29, 34, 35, 38, 39, 40, 41}) EXPECT_EQ(keyed(t), 0) << "tile " << t;
    for (int t = 38; t <= 41; t++) { // dark, but with a structure that reads, not a hole
        const Ink ink = InkOf(64 * (t % 6), 64 * (t / 6), 64, 64);
        EXPECT_LT(std::max({ink.r, ink.g, ink.b}), 48) << "dark tile " << t;
        std::vector<int> light;
        for (uint32_t n : Box(64 * (t % 6), 64 * (t / 6), 64, 64))
            light.push_back(std::max({Split(n).r, Split(n).g, Split(n).b}));
        std::sort(light.begin(), light.end());
        EXPECT_GT(light[light.size() * 9 / 10] - light[light.size() / 10], 20) << "flat tile " << t;
    }
    for (int t = 18; t <= 23; t++) // the machines' striped top
        EXPECT_GT(InkOf(64 * (t % 6), 64 * (t / 6) + 6, 64, 1, Yellow).count, 16) << "tile " << t;
}

TEST(DronePictures, FlashSilhouettesAreTheDronesOutlineInPlainWhite) {
    ASSERT_TRUE(Load(MakeEnemies()));
    for (int row = 0; row < 3; row++) {
        int opaque = 0, wrong = 0;
        for (int y = 32 * row; y < 32 * row + 32; y++)
            for (int x = 0; x < 32; x++) {
                wrong += At(32 + x, y) != (At(x, y) ? 0xFFFFFFu : 0u);
                opaque += At(x, y) != 0;
            }
        EXPECT_EQ(wrong, 0) << "row " << row;
        EXPECT_TRUE(opaque > 200 && opaque < 32 * 32 - 100) << "row " << row << ": " << opaque;
    }
}

TEST(SmallSpritePictures, ShotsLeadRightInTheirColoursTheCrosshairIsAGridAndTheRingIsOpen) {
    ASSERT_TRUE(Load(MakeShots()));
    for (int type = 0; type < 5; type++) {
        EXPECT_EQ(At(16 * type, 0) | At(16 * type + 15, 15), 0u) << "corners of " << type;
        EXPECT_GT(InkOf(16 * type, 0, 16, 16).count, 30) << type;
        EXPECT_TRUE(type % 2 || InkOf(16 * type, 0, 16, 16).meanX > 8.0) << "head of " << type;
    }
    const Ink bolt = InkOf(16, 0, 16, 16), plasma = InkOf(48, 0, 16, 16),
              crescent = InkOf(64, 0, 16, 16);
    EXPECT_GT(bolt.r, 2 * bolt.b) << "the bolt is red";
    EXPECT_GT(plasma.r, plasma.b + 80) << "the plasma ball is orange";
    EXPECT_GT(crescent.b, crescent.r + 60) << "the crescent is blue";

    ASSERT_TRUE(Load(MakeItems())); // item 2: an opaque near-black grid with clear panes
    for (const uint32_t c : {At(64 + 16, 10), At(64 + 3, 20)})
        EXPECT_TRUE(c != 0 && Split(c).r + Split(c).g + Split(c).b < 60) << "the grid " << c;
    for (int q = 0; q < 4; q++)
        EXPECT_EQ(At(64 + 10 + 12 * (q % 2), 10 + 12 * (q / 2)), 0u) << "pane " << q;
    EXPECT_EQ(KeyPixels(0, 32, 128, 2), 256) << "the spare rows stay black";

    ASSERT_TRUE(Load(MakeRing()));       // thick, open at the top right, from blue to grey
    for (int a = 100; a < 340; a += 5) { // on the middle radius, clear of the rounded ends
        const uint32_t c =
            At(int(32 + 23 * std::cos(a * M_PI / 180)), int(32 + 23 * std::sin(a * M_PI / 180)));
        EXPECT_TRUE((a > 260 && a <= 290) || (c == 0) == (a > 290)) << a << " degrees";
    }
    EXPECT_EQ(At(32, 32), 0u) << "the middle is clear for the orb";
    const Rgb top = Split(At(32, 12)), right = Split(At(52, 32));
    EXPECT_TRUE(top.b > top.r + 60 && std::abs(right.b - right.r) < 60);
}

TEST(HudPictures, PipeFrameGaugeSegmentsAndButtonsFitTogether) {
    ASSERT_TRUE(Load(MakeHudFrame()));
    for (int piece : {1, 3}) { // pipes along the top, gauges hang below
        EXPECT_EQ(KeyPixels(64 * piece, 36, 64, 28), 64 * 28) << "piece " << piece;
        EXPECT_EQ(KeyPixels(64 * piece, 6, 64, 8) + KeyPixels(64 * piece, 20, 64, 8), 0) << piece;
    }
    EXPECT_GT(InkOf(192, 0, 64, 64, Yellow).count, 100) << "only piece 3 is banded";
    EXPECT_EQ(InkOf(64, 0, 64, 64, Yellow).count, 0);
    // The bends turn down to the bottom edge, the left one at the left, the right at the right.
    EXPECT_TRUE(InkOf(0, 63, 32, 1).count > 0 && InkOf(32, 63, 32, 1).count == 0);
    EXPECT_TRUE(InkOf(128, 63, 32, 1).count == 0 && InkOf(160, 63, 32, 1).count > 0);

    for (bool fuel : {true, false}) { // segments join into a blue and a red bar side by side
        SCOPED_TRACE(fuel ? "fuel" : "energy");
        ASSERT_TRUE(Load(fuel ? MakeFuelSegment() : MakeEnergySegment()));
        EXPECT_GE(InkOf(0, 16, 32, 1).count, 28) << "nearly the full width, so neighbours meet";
        EXPECT_EQ(InkOf(0, 0, 32, 4).count + InkOf(0, 28, 32, 4).count, 0) << "clear above, below";
        const Ink ink = InkOf(0, 0, 32, 32);
        EXPECT_GT(fuel ? ink.b - ink.r : ink.r - ink.b, 60);
    }

    ASSERT_TRUE(Load(MakeButtons())); // six buttons in one frame, the last one empty
    EXPECT_EQ(KeyPixels(0, 0, 384, 64), 0) << "no key colour anywhere in the buttons";
    const Rgb face = Split(At(64 * 5 + 12, 12));
    EXPECT_GT(face.b, 2 * std::max(face.r, face.g)) << "a dark blue face";
    for (int j = 0; j < 5; j++) {
        EXPECT_TRUE(Box(64 * j, 1, 64, 1) == Box(320, 1, 64, 1) &&
                    Box(64 * j, 62, 64, 1) == Box(320, 62, 64, 1))
            << "button " << j << "'s frame";
        int differ = 0; // every weapon's icon stands out from the empty button
        for (int y = 16; y < 48; y++)
            for (int x = 16; x < 48; x++) differ += At(64 * j + x, y) != At(64 * 5 + x, y);
        EXPECT_GT(differ, 150) << "weapon " << j;
    }
}

TEST(FontPictures, EveryCodeButSpaceHasAGlyphInsideItsCell) {
    for (bool blue : {true, false}) {
        SCOPED_TRACE(blue ? "font1" : "font0");
        ASSERT_TRUE(Load(blue ? MakeFontSheetBlue() : MakeFontSheetChrome()));
        for (int n = 0; n < 60; n++) {
            const int ink = InkOf(16 * (n % 20), 16 * (n / 20), 16, 16).count;
            EXPECT_TRUE(n == 0 ? ink == 0 : ink > 12) << "code " << 32 + n << ": " << ink;
        }
        EXPECT_EQ(InkOf(0, 48, 320, blue ? 0 : 1).count, 0) << "font 0's extra row stays black";
    }
}

TEST(GradientPictures, RainbowBarAndGlowRunTheWayTheScreensUseThem) {
    // Rainbow: purple at both ends, red near the top, green in the middle, never black.
    ASSERT_TRUE(Load(MakeRainbow()));
    for (const Rgb end : {Split(At(0, 0)), Split(At(0, 599))})
        EXPECT_TRUE(end.r > end.g && end.b > end.g);
    const Rgb red = Split(At(0, 86)), green = Split(At(0, 342)), blue = Split(At(0, 514));
    EXPECT_TRUE(red.r > 200 && red.g < 80 && red.b < 80 && green.g > 200 && green.r < 100 &&
                blue.b > 200 && blue.r < 100);
    EXPECT_EQ(KeyPixels(0, 0, 1, 600), 0);

    // Highlight bar: grey rows, white in the middle falling to black, alike in every column.
    ASSERT_TRUE(Load(MakeHighlightBar()));
    EXPECT_EQ(At(10, 31), 0xFFFFFFu);
    EXPECT_EQ(At(10, 0) | At(10, 63), 0u);
    for (int y = 0; y < 64; y++) {
        const Rgb row = Split(At(0, y)),
                  outer = Split(At(0, std::clamp(y + (y <= 31 ? -1 : 1), 0, 63)));
        EXPECT_TRUE(row.r == row.b && row.r >= outer.r) << "row " << y << " grey, rising inwards";
        EXPECT_EQ(Box(0, y, 64, 1), std::vector<uint32_t>(64, At(0, y))) << "row " << y;
    }

    // Glow block: a white-yellow middle, orange on the way out, transparent black corners.
    const PictureBytes glow = MakeGlow();
    ASSERT_EQ(glow.size(), 16384u);
    auto texel = [&](int x, int y) { return &glow[(y * 64 + x) * 4]; };
    EXPECT_TRUE(texel(32, 32)[3] > 240 && texel(32, 32)[2] > 150) << "the middle is nearly white";
    EXPECT_GT(texel(32, 12)[0], texel(32, 12)[2] + 80) << "orange halfway out";
    for (int k = 0; k < 4; k++) EXPECT_EQ(texel(63 * (k % 2), 63 * (k / 2))[3], 0);
    EXPECT_EQ(texel(0, 0)[0] + texel(0, 0)[1] + texel(0, 0)[2], 0);
}

TEST(ParticlePictures, EveryParticleIsThereInTheColoursTheEffectsNeed) {
    ASSERT_TRUE(Load(MakeParticles()));
    std::vector<Ink> inks;
    for (int i = 0; i < 10; i++) {
        inks.push_back(InkOf(32 * i, 0, 32, 32));
        EXPECT_GT(inks.back().count, 40) << "particle " << i;
        EXPECT_EQ(At(32 * i, 0), 0u) << "particle " << i << " keeps clear corners";
    }
    EXPECT_TRUE(inks[0].r > 200 && inks[0].g > 200 && inks[0].b > 200) << "white dot";
    EXPECT_TRUE(inks[1].r > 200 && inks[1].g > 100 && inks[1].b < 80) << "orange ring";
    EXPECT_EQ(At(32 + 16, 16), 0u) << "the ring is hollow";
    EXPECT_TRUE(inks[2].r > 220 && inks[2].b < inks[2].r - 30) << "white ball, orange rim";
    EXPECT_GT(inks[6].b, 200) << "white smoke";
    EXPECT_TRUE(inks[7].r > inks[7].g && inks[7].g > inks[7].b && inks[7].r < 200) << "dust";
    EXPECT_EQ((std::set{Box(96, 0, 32, 32), Box(128, 0, 32, 32), Box(160, 0, 32, 32)}).size(), 3u)
        << "three different pieces of wreckage";
}

TEST(ScreenPictures, RobotsAndHeadingsKeepClearOfTheTextsAndTheLogoIsAnOrangeName) {
    ASSERT_TRUE(Load(MakeScreens()));
    for (int j = 0; j < 3; j++) {
        // The screens print their texts close below the headings' middle.
        EXPECT_GT(InkOf(256 * j, 256, 256, 128).count, 2000) << "heading " << j;
        EXPECT_EQ(InkOf(256 * j, 384, 256, 128).count, 0) << "heading " << j;
        EXPECT_GT(InkOf(256 * j, 0, 256, 256).count, 3000) << "robot " << j;
        EXPECT_EQ(InkOf(256 * j, 0, 256, 8).count, 0) << "robot " << j;
    }
    ASSERT_TRUE(Load(MakeLogo()));
    for (int j = 0; j < 3; j++) { // the name runs across all three thirds
        const Ink third = InkOf(256 * j, 0, 256, 256);
        EXPECT_TRUE(third.count > 8000 && third.r > third.b + 60) << "third " << j;
    }
    EXPECT_EQ(At(0, 255) | At(767, 255), 0u);
}
