// art_tools_test.cpp - the painting tools under the pictures: coverage and the key colour,
// distances, palettes, the letter alphabets and the robot model's legs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

#include "tools/assetgen/art_canvas.h"
#include "tools/assetgen/art_letters.h"
#include "tools/assetgen/art_palette.h"
#include "tools/assetgen/art_robot.h"
#include "tools/assetgen/art_shapes.h"

TEST(ArtCanvas, HalfCoveredEdgesAntiAliasAndOnlyThinCoverageBecomesTheKey) {
    Canvas c = MakeCanvas(20, 4);
    // a box whose right edge runs down the middle of column 10
    PaintShape(
        c, 0, 0, 20, 4, [](Vec2 p) { return SdRect(p, -5, -5, 10.5f, 10); },
        [](Vec2) {
            return Colour{0, 0, 0};
        });
    EXPECT_FLOAT_EQ(c.At(9, 1).a, 1.0f);
    EXPECT_FLOAT_EQ(c.At(10, 1).a, 0.5f);
    EXPECT_FLOAT_EQ(c.At(11, 1).a, 0.0f);
    c.At(12, 1) = Pixel{Colour{0.9f, 0.9f, 0.9f}, 0.49f};
    // Opaque black is lifted off the key; half coverage counts as opaque; below half is key.
    const std::vector<uint8_t> rgb = CanvasToRgb(c);
    EXPECT_EQ(std::vector<uint8_t>(&rgb[(20 + 9) * 3], &rgb[(20 + 13) * 3]),
              (std::vector<uint8_t>{1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(ArtShapes, PolygonDistanceIsNegativeInsideAndTrueOutsideEitherWinding) {
    const std::vector<Vec2> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<Vec2> backwards(square.rbegin(), square.rend());
    for (const auto* poly : {&square, &backwards}) {
        EXPECT_FLOAT_EQ(SdPolygon({5, 5}, *poly), -5.0f);
        EXPECT_FLOAT_EQ(SdPolygon({13, 5}, *poly), 3.0f);
        EXPECT_FLOAT_EQ(SdPolygon({13, 14}, *poly), 5.0f);
    }
    // a chamfered box loses exactly its corners
    EXPECT_LT(SdChamferRect({1, 5}, 0, 0, 10, 10, 2), 0.0f);
    EXPECT_GT(SdChamferRect({0.5f, 0.5f}, 0, 0, 10, 10, 2), 0.0f);
}

TEST(ArtPalette, KeyStaysIndexZeroAndNoOpaquePixelEverMapsToIt) {
    Canvas c = MakeCanvas(8, 8);
    const Colour colours[3] = {{0.8f, 0.1f, 0.1f}, {0.1f, 0.8f, 0.1f}, {0, 0, 0}};
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            if ((x + y) % 4 != 3) c.At(x, y) = Pixel{colours[(x + y) % 4 % 3], 1};
    const IndexedPicture reduced = ReduceToPalette(c, 16, 0);
    ASSERT_GE(reduced.palette.size(), 2u);
    EXPECT_LE(reduced.palette.size(), 16u);
    EXPECT_EQ(reduced.palette[0], 0x000000u);
    for (size_t i = 1; i < reduced.palette.size(); i++) EXPECT_NE(reduced.palette[i], 0x000000u);
    std::set<uint32_t> used;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++) {
            const uint8_t index = reduced.indices[y * 8 + x];
            EXPECT_EQ(index == 0, (x + y) % 4 == 3) << x << ", " << y;
            if (index) used.insert(reduced.palette[index]);
        }
    // three colours fit easily: each comes back exactly (black as the lifted near-black)
    EXPECT_EQ(used, (std::set<uint32_t>{0xCC1A1A, 0x1ACC1A, 0x010101}));

    // mapping onto a fixed palette picks the nearest colour other than the key
    const IndexedPicture mapped = MapToPalette(c, {0x000000, 0x404040, 0xD02020, 0x20D020}, 0);
    EXPECT_EQ(mapped.indices[0], 2); // red
    EXPECT_EQ(mapped.indices[1], 3); // green
    EXPECT_EQ(mapped.indices[2], 1); // black takes the dark grey, never the key
    EXPECT_EQ(mapped.indices[3], 0); // clear stays clear
}

TEST(ArtLetters, SmallCellsAreWellFormedAndLargeLettersCoverTheTitleAndHeadings) {
    for (int code = 0; code < 128; code++) {
        const char* const* rows = SmallGlyphRows(code);
        ASSERT_EQ(rows != nullptr, code >= 32 && code <= 91) << code;
        for (int r = 0; rows && r < SMALL_GLYPH_ROWS; r++) {
            ASSERT_EQ(std::strlen(rows[r]), size_t(SMALL_GLYPH_COLUMNS)) << code;
            EXPECT_EQ(std::strspn(rows[r], ".#1379"), size_t(SMALL_GLYPH_COLUMNS)) << code;
        }
    }
    // A cell's distance: inside a full cell, outside the empty half of a half cell.
    EXPECT_LT(SmallGlyphSdf('I', {2.5f, 3.5f}), 0.0f);
    EXPECT_GT(SmallGlyphSdf('I', {0.5f, 3.5f}), 0.0f);
    EXPECT_GT(SmallGlyphSdf('O', {0.1f, 0.1f}), 0.0f); // the cut corner of the O
    EXPECT_LT(SmallGlyphSdf('O', {0.9f, 0.9f}), 0.0f);

    for (const char* word : {"MORVEXA", "MENU", "SCORE", "SHOP"}) {
        float x = 0;
        for (const char* c = word; *c; c++) {
            const float w = LargeLetterWidth(*c);
            ASSERT_GT(w, 0.0f) << *c;
            bool inked = false; // the stroke passes through the letter's box
            for (float y = 0.5f; y < 10 && !inked; y += 0.5f)
                for (float u = 0.25f; u < w && !inked; u += 0.5f)
                    inked = LargeLetterSdf(*c, {u, y}) < 0;
            EXPECT_TRUE(inked) << *c;
            EXPECT_GT(LargeLetterSdf(*c, {w + 1, 5}), 0.0f) << *c;
            x += w;
        }
        EXPECT_GT(LargeWordWidth(word, 1), x) << "letters are spaced";
    }
    EXPECT_EQ(LargeLetterWidth('Q'), 0.0f);
}

TEST(RobotModel, LegsReachTheAnklesTheyAreGivenWithKneesForward) {
    const Vec2 targets[] = {{-7, 4.5f}, {6.6f, 5.6f}, {0.8f, 4.5f}, {-2, 9.6f}};
    for (const Vec2& ankle : targets) {
        RobotPose pose;
        pose.nearAnkle = ankle;
        pose.farAnkle = ankle;
        int shins = 0;
        for (const RobotShape& s : BuildRobot(pose)) {
            // the shin runs from the knee to the ankle: the thigh's length below the hip
            if (s.kind != ROBOT_CAPSULE || s.group != ROBOT_LEGS || s.radius != 2.4f) continue;
            shins++;
            EXPECT_NEAR(s.b.x, ankle.x, 1e-4f);
            EXPECT_NEAR(s.b.y, ankle.y, 1e-4f);
            const Vec2 hip{0.5f, 27}, knee{s.a.x, s.a.y};
            EXPECT_NEAR(Length(knee - hip), 12.0f, 1e-3f);
            EXPECT_NEAR(Length(Vec2{s.b.x, s.b.y} - knee), 12.0f, 1e-3f);
            // the knee bends towards the front (-x) of the line from hip to ankle
            const Vec2 d = Vec2{ankle.x, ankle.y} - hip, k = knee - hip;
            EXPECT_LT(d.x * k.y - d.y * k.x, 0.0f);
        }
        EXPECT_EQ(shins, 2);
    }
}
