// text_test.cpp - font sheets cut into glyphs and text placed glyph by glyph.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/draw.h"
#include "render/text.h"
#include "tests/render/render_fixture.h"

namespace {

// A 320-wide sheet with the cells of the given characters filled with palette index `fill`
// (8 bits) and everything else index 0 (black); `height` 48 or 49, the extra row in red.
std::vector<uint8_t> FontSheet(const char* filled, int height, int bits = 8) {
    BmpSpec s;
    s.width = 320, s.height = height, s.bits = bits;
    const uint32_t white = bits == 8 ? 1 : 0xFFFFFF, red = bits == 8 ? 2 : 0xFF0000;
    if (bits == 8) s.palette = {0x000000, 0xFFFFFF, 0xFF0000};
    s.pixels.assign(size_t(320) * height, 0);
    for (const char* c = filled; *c; c++) {
        const int n = *c - 32, row = n / 20, column = n % 20;
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
                s.pixels[size_t(16 * row + y) * 320 + 16 * column + x] = white;
    }
    for (int y = 48; y < height; y++)
        for (int x = 0; x < 320; x++) s.pixels[size_t(y) * 320 + x] = red;
    return MakeBmp(s);
}

} // namespace

using Text = RenderTest;

TEST_F(Text, GlyphKStartsOneGlyphWidthAndAPixelRightOfX) {
    const std::vector<uint8_t> sheet = FontSheet("A", 48, 32);
    ASSERT_NE(LoadFont(1, sheet.data(), sheet.size(), 0, 1), 0);
    ASSERT_NE(GlyphTexture(1, 'A'), 0u);
    DrawText(1, "A", 100, 50, 20, 20);
    DrawText(1, "A A", 100, 100, 20, 20);
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 121, 50, 20, 20, 0xFFFFFF), 0); // 121 to 140
    EXPECT_TRUE(PixelIs(p, 120, 60, GAME_CLEAR, 0));
    EXPECT_TRUE(PixelIs(p, 141, 60, GAME_CLEAR, 0));
    EXPECT_TRUE(PixelIs(p, 130, 49, GAME_CLEAR, 0));
    EXPECT_TRUE(PixelIs(p, 130, 70, GAME_CLEAR, 0));
    // "A A": glyphs at 121, 141 (a space: its empty cell draws nothing) and 161.
    EXPECT_EQ(CountOther(p, 121, 100, 20, 20, 0xFFFFFF), 0);
    EXPECT_EQ(CountOther(p, 141, 100, 20, 20, GAME_CLEAR), 0);
    EXPECT_EQ(CountOther(p, 161, 100, 20, 20, 0xFFFFFF), 0);
    EXPECT_TRUE(PixelIs(p, 181, 110, GAME_CLEAR, 0));
}

TEST_F(Text, ColouredTextTintsTheGlyphs) {
    const std::vector<uint8_t> sheet = FontSheet("Z", 48);
    ASSERT_NE(LoadFont(0, sheet.data(), sheet.size(), 0, 1), 0);
    DrawTextEx(0, "Z", 0, 0, 10, 30, 0, 0, 1, 0, 1);
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 11, 0, 10, 30, 0x00FF00), 0);
    EXPECT_TRUE(PixelIs(p, 16, 30, GAME_CLEAR, 0));
}

TEST_F(Text, CodesWithoutAGlyphDrawASolidBlockInTheTextsColour) {
    const std::vector<uint8_t> sheet = FontSheet("A", 48);
    ASSERT_NE(LoadFont(0, sheet.data(), sheet.size(), 0, 1), 0);
    DrawTextEx(0, "a", 100, 100, 20, 20, 0, 1, 0, 0, 1); // lower case: no glyph
    DrawText(0, "\x7F", 100, 200, 20, 20);               // past the table's 121 codes
    DrawText(5, "A", 100, 300, 20, 20);                  // a slot never loaded
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 121, 100, 20, 20, 0xFF0000), 0);
    EXPECT_TRUE(PixelIs(p, 141, 110, GAME_CLEAR, 0));
    EXPECT_EQ(CountOther(p, 121, 200, 20, 20, 0xFFFFFF), 0);
    EXPECT_EQ(CountOther(p, 121, 300, 20, 20, 0xFFFFFF), 0);
}

TEST_F(Text, EmptyTextDrawsNothing) {
    const std::vector<uint8_t> sheet = FontSheet("A", 48);
    ASSERT_NE(LoadFont(0, sheet.data(), sheet.size(), 0, 1), 0);
    DrawText(0, "", 100, 100, 20, 20);
    DrawTextEx(0, "", 100, 100, 20, 20, 0, 1, 0, 0, 1);
    DrawText(0, nullptr, 100, 100, 20, 20);
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 0, 0, 800, 600, GAME_CLEAR), 0);
}

TEST_F(Text, ASheetFortyNineRowsHighLoadsAsOneOfFortyEight) {
    // 'H' sits in the first cell of the last row of cells (y 32 to 47); row 48 is red and
    // must never reach a glyph, whatever order the file stores its rows in.
    const std::vector<uint8_t> tall = FontSheet("H[", 49), plain = FontSheet("H[", 48);
    ASSERT_NE(LoadFont(0, tall.data(), tall.size(), 0, 0), 0);
    ASSERT_NE(LoadFont(1, plain.data(), plain.size(), 0, 0), 0);
    DrawText(0, "H[", 0, 100, 16, 16);
    DrawText(1, "H[", 0, 200, 16, 16);
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 17, 100, 32, 16, 0xFFFFFF), 0);
    EXPECT_EQ(CountOther(p, 17, 200, 32, 16, 0xFFFFFF), 0);
    EXPECT_TRUE(PixelIs(p, 20, 116, GAME_CLEAR, 0));
    EXPECT_TRUE(PixelIs(p, 20, 99, GAME_CLEAR, 0));
}

TEST(FontLoading, ASheetThatDoesNotDecodeLoadsNothing) {
    const std::vector<uint8_t> junk(100, 0x42);
    EXPECT_EQ(LoadFont(2, junk.data(), junk.size(), 0, 1), 0);
    EXPECT_EQ(GlyphTexture(2, 'A'), 0u);
    EXPECT_EQ(LoadFont(21, nullptr, 0, 0, 1), 0);
    EXPECT_EQ(GlyphTexture(21, 'A'), 0u);
    EXPECT_EQ(GlyphTexture(0, 121), 0u);
    EXPECT_EQ(GlyphTexture(0, -1), 0u);
}
