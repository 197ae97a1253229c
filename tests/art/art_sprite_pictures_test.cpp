// art_sprite_pictures_test.cpp - the small pictures as the screens use them: shots fly right,
// the ring is open at one quarter, gauges join into bars, buttons share one frame, the
// particles are what the effects ask for, and the big pictures keep clear of the texts the
// screens print next to them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "render/image.h"
#include "tests/testkit.h"

namespace {

constexpr int SHEET = 3004;

struct Rgb {
    int r, g, b;
};
Rgb Split(uint32_t n) {
    return {int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF)};
}

bool LoadSheet(const std::string& name) {
    const std::vector<uint8_t> bytes = ReadFileBytes(SourcePath("assets/" + name));
    return !bytes.empty() && CatchImage(SHEET, bytes.data(), bytes.size());
}

uint32_t At(int x, int y) {
    return ImagePixel(SHEET, x, y);
}

// Opaque pixels of a box, their mean column (relative to the box) and mean colour.
struct Ink {
    int count = 0;
    double meanX = 0;
    double r = 0, g = 0, b = 0;
};
Ink InkOf(int x0, int y0, int w, int h) {
    Ink ink;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) {
            const uint32_t c = At(x, y);
            if (c == 0) continue;
            const Rgb s = Split(c);
            ink.count++;
            ink.meanX += x - x0;
            ink.r += s.r, ink.g += s.g, ink.b += s.b;
        }
    if (ink.count) {
        ink.meanX /= ink.count;
        ink.r /= ink.count, ink.g /= ink.count, ink.b /= ink.count;
    }
    return ink;
}

} // namespace

TEST(ShotPictures, ShotsLeadWithTheirHeadsToTheRight) {
    ASSERT_TRUE(LoadSheet("shots.bmp"));
    // mirror 0 is used for shots flying right: bullet head, fireball and crescent bow lead
    for (int type : {0, 2, 4}) EXPECT_GT(InkOf(16 * type, 0, 16, 16).meanX, 8.0) << "shot " << type;
    // every shot keeps clear corners, so it draws as a shape and not a square
    for (int type = 0; type < 5; type++) {
        EXPECT_EQ(At(16 * type, 0), 0u) << type;
        EXPECT_EQ(At(16 * type + 15, 15), 0u) << type;
        EXPECT_GT(InkOf(16 * type, 0, 16, 16).count, 30) << type;
    }
    const Ink bolt = InkOf(16, 0, 16, 16), plasma = InkOf(48, 0, 16, 16),
              crescent = InkOf(64, 0, 16, 16);
    EXPECT_GT(bolt.r, 2 * bolt.b) << "the bolt is red";
    EXPECT_GT(plasma.r, plasma.b + 80) << "the plasma ball is orange";
    EXPECT_GT(crescent.b, crescent.r + 60) << "the crescent is blue";
}

TEST(RingPicture, ThickThreeQuarterRingFromBlueToGrey) {
    ASSERT_TRUE(LoadSheet("ring.bmp"));
    // on the ring's middle radius: open in the top right quarter, solid elsewhere
    const double r = 23;
    int open = 0, solid = 0;
    for (int a = 0; a < 360; a += 5) {
        const double rad = a * 3.14159265 / 180;
        const int x = int(32 + r * std::cos(rad)), y = int(32 + r * std::sin(rad)); // y down
        if (a > 290 && a < 340) open += At(x, y) == 0; // clear of the rounded ends
        if (a >= 100 && a <= 260) solid += At(x, y) != 0;
    }
    EXPECT_EQ(open, 9);
    EXPECT_EQ(solid, 33);
    EXPECT_EQ(At(32, 32), 0u) << "the middle is clear for the orb";
    // the end at the top is blue, the end at the right grey
    const Rgb top = Split(At(32, 9 + 3)), right = Split(At(55 - 3, 32));
    EXPECT_GT(top.b, top.r + 60);
    EXPECT_LT(std::abs(right.b - right.r), 60);
}

TEST(GaugePictures, SegmentsJoinIntoABlueAndARedBarWhenDrawnSideBySide) {
    for (const char* file : {"fuel_segment.bmp", "energy_segment.bmp"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(LoadSheet(file));
        int across = 0;
        for (int x = 0; x < 32; x++) across += At(x, 16) != 0;
        EXPECT_GE(across, 28) << "nearly the full width, so neighbours meet";
        EXPECT_EQ(InkOf(0, 0, 32, 4).count, 0) << "clear above";
        EXPECT_EQ(InkOf(0, 28, 32, 4).count, 0) << "clear below";
        const Ink ink = InkOf(0, 0, 32, 32);
        if (std::string(file) == "fuel_segment.bmp") {
            EXPECT_GT(ink.b, ink.r + 60);
        } else {
            EXPECT_GT(ink.r, ink.b + 60);
        }
    }
}

TEST(ButtonPictures, SixButtonsShareOneFrameAndOnlyTheLastIsEmpty) {
    ASSERT_TRUE(LoadSheet("buttons.bmp"));
    // the frame: identical edge rows in every button
    for (int j = 1; j < 6; j++)
        for (int x = 0; x < 64; x++) {
            ASSERT_EQ(At(64 * j + x, 1), At(x, 1)) << "button " << j;
            ASSERT_EQ(At(64 * j + x, 62), At(x, 62)) << "button " << j;
        }
    // no key colour anywhere in the six buttons, and a dark blue face
    EXPECT_EQ(InkOf(0, 0, 384, 64).count, 384 * 64);
    const Rgb face = Split(At(64 * 5 + 12, 12));
    EXPECT_GT(face.b, 2 * std::max(face.r, face.g));
    // icons: every weapon button differs from the empty one in its middle
    for (int j = 0; j < 5; j++) {
        int differ = 0;
        for (int y = 16; y < 48; y++)
            for (int x = 16; x < 48; x++) differ += At(64 * j + x, y) != At(64 * 5 + x, y);
        EXPECT_GT(differ, 150) << "weapon " << j;
    }
}

TEST(ParticlePictures, EveryParticleIsThereInTheColoursTheEffectsNeed) {
    ASSERT_TRUE(LoadSheet("particles.bmp"));
    std::vector<Ink> inks;
    for (int i = 0; i < 10; i++) {
        inks.push_back(InkOf(32 * i, 0, 32, 32));
        EXPECT_GT(inks.back().count, 40) << "particle " << i;
        EXPECT_EQ(At(32 * i, 0), 0u) << "particle " << i << " keeps clear corners";
    }
    auto white = [](const Ink& k) { return k.r > 200 && k.g > 200 && k.b > 200; };
    EXPECT_TRUE(white(inks[0])) << "white dot";
    EXPECT_TRUE(inks[1].r > 200 && inks[1].g > 100 && inks[1].b < 80) << "orange ring";
    EXPECT_EQ(At(32 + 16, 16), 0u) << "the ring is hollow";
    EXPECT_TRUE(inks[2].r > 220 && inks[2].b < inks[2].r - 30) << "white ball, orange rim";
    EXPECT_GT(inks[6].b, 200) << "white smoke";
    EXPECT_TRUE(inks[7].r > inks[7].g && inks[7].g > inks[7].b && inks[7].r < 200) << "brown dust";
    // three different pieces of wreckage
    std::set<std::vector<uint32_t>> wrecks;
    for (int i = 3; i <= 5; i++) {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) pixels.push_back(At(32 * i + x, y));
        wrecks.insert(pixels);
    }
    EXPECT_EQ(wrecks.size(), 3u);
}

TEST(ScreenPictures, HeadingsKeepToTheUpperHalfAndTheSheetToSixteenColours) {
    const std::vector<uint8_t> bytes = ReadFileBytes(SourcePath("assets/screens.bmp"));
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[28], 4);
    ASSERT_TRUE(LoadSheet("screens.bmp"));
    std::set<uint32_t> colours;
    for (int y = 0; y < 512; y++)
        for (int x = 0; x < 768; x++) colours.insert(At(x, y));
    EXPECT_LE(colours.size(), 16u);
    EXPECT_GE(colours.size(), 12u) << "the sheet should use its palette";
    for (int j = 0; j < 3; j++) {
        // the screens print their texts close below the headings' middle
        EXPECT_GT(InkOf(256 * j, 256, 256, 128).count, 2000) << "heading " << j;
        EXPECT_EQ(InkOf(256 * j, 256 + 128, 256, 128).count, 0) << "heading " << j;
        // the robots: each view shows plenty of robot and clear surroundings
        const Ink robot = InkOf(256 * j, 0, 256, 256);
        EXPECT_GT(robot.count, 3000) << "robot " << j;
        EXPECT_EQ(InkOf(256 * j, 0, 256, 8).count, 0) << "robot " << j;
    }
    // the wireframes are cyan lines, the middle view the red robot
    EXPECT_GT(InkOf(0, 0, 256, 256).b, InkOf(0, 0, 256, 256).r + 80);
    EXPECT_GT(InkOf(512, 0, 256, 256).b, InkOf(512, 0, 256, 256).r + 80);
    int red = 0;
    for (int y = 0; y < 256; y++)
        for (int x = 256; x < 512; x++) {
            const Rgb c = Split(At(x, y));
            red += c.r > 150 && c.g < 60 && c.b < 60;
        }
    EXPECT_GT(red, 1000);
}

TEST(LogoPicture, OrangeNameAcrossAllThreeThirdsWithTheRobotInFront) {
    ASSERT_TRUE(LoadSheet("logo.bmp"));
    for (int j = 0; j < 3; j++) {
        const Ink third = InkOf(256 * j, 0, 256, 256);
        EXPECT_GT(third.count, 8000) << "third " << j;
        EXPECT_GT(third.r, third.b + 60) << "third " << j << " is mostly orange";
    }
    // the robot's red armour and cyan visor stand out in the middle third, over the letters
    int red = 0, visor = 0;
    for (int y = 0; y < 256; y++)
        for (int x = 256; x < 512; x++) {
            const Rgb c = Split(At(x, y));
            red += c.r > 150 && c.g < 50 && c.b < 50;
            visor += c.b > 220 && c.g > 180 && c.r < 200;
        }
    EXPECT_GT(red, 300);
    EXPECT_GT(visor, 20);
    EXPECT_EQ(At(0, 255), 0u);
    EXPECT_EQ(At(767, 255), 0u);
}

TEST(MachinePictures, EachSignStraddlesTheTwoHalvesOfItsMachine) {
    ASSERT_TRUE(LoadSheet("tiles.bmp"));
    // the sign's round steel bezel crosses the seam between the halves: just below the
    // striped top the seam shows grey steel where the rest of that row is blue cabinet
    for (int machine = 0; machine < 3; machine++) {
        const int left = 18 + 2 * machine;
        const int x = 64 * (left % 6) + 63, y = 64 * (left / 6);
        int steel = 0;
        for (int dy = 18; dy <= 21; dy++)
            for (int dx = 0; dx <= 1; dx++) {
                const Rgb c = Split(At(x + dx, y + dy));
                steel += c.r > 100 && c.b - c.r < 40;
            }
        EXPECT_GE(steel, 6) << "machine " << machine;
        const Rgb cabinet = Split(At(x - 22, y + 20));
        EXPECT_GT(cabinet.b, cabinet.r + 80) << "machine " << machine;
    }
}
