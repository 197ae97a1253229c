// art_tools_test.cpp - the painting tools that decide what turns transparent (coverage and the
// key colour, palettes that keep index 0 for the key) and the large letters of the title and
// the headings.
#include <gtest/gtest.h>

#include <set>

#include "tools/assetgen/art_canvas.h"
#include "tools/assetgen/art_letters.h"
#include "tools/assetgen/art_palette.h"
#include "tools/assetgen/art_shapes.h"

TEST(ArtCanvas, HalfCoveredEdgesAntiAliasAndOnlyThinCoverageBecomesTheKey) {
    Canvas c = MakeCanvas(20, 4);
    // a black box whose right edge runs down the middle of column 10
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

TEST(ArtPalette, KeyStaysIndexZeroAndNoOpaquePixelEverMapsToIt) {
    Canvas c = MakeCanvas(8, 8); // red, green, black and clear on diagonals
    const Colour colours[3] = {{0.8f, 0.1f, 0.1f}, {0.1f, 0.8f, 0.1f}, {0, 0, 0}};
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            if ((x + y) % 4 != 3) c.At(x, y) = Pixel{colours[(x + y) % 4 % 3], 1};
    const IndexedPicture reduced = ReduceToPalette(c, 16, 0);
    ASSERT_TRUE(reduced.palette.size() >= 2 && reduced.palette.size() <= 16);
    EXPECT_EQ(reduced.palette[0], 0x000000u);
    std::set<uint32_t> used;
    for (int i = 0; i < 64; i++) {
        const uint8_t index = reduced.indices[i];
        EXPECT_EQ(index == 0, (i % 8 + i / 8) % 4 == 3) << "pixel " << i;
        if (index) used.insert(reduced.palette[index]);
    }
    // three colours fit easily: each comes back exactly (black as the lifted near-black)
    EXPECT_EQ(used, (std::set<uint32_t>{0xCC1A1A, 0x1ACC1A, 0x010101}));

    // mapping onto a fixed palette picks the nearest colour other than the key
    const IndexedPicture mapped = MapToPalette(c, {0x000000, 0x404040, 0xD02020, 0x20D020}, 0);
    EXPECT_EQ(std::vector<uint8_t>(mapped.indices.begin(), mapped.indices.begin() + 4),
              (std::vector<uint8_t>{2, 3, 1, 0})); // red, green, black as grey, clear as key
}

// (The font pictures' test shows every small glyph inked in its cell.)
TEST(ArtLetters, EveryLetterOfTheTitleAndHeadingsIsInkedWithinItsWidthAndSpaced) {
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
}
