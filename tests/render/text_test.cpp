// text_test.cpp - font sheets cut into glyphs and text placed glyph by glyph.
#include <gtest/gtest.h>

#include "render/text.h"
#include "tests/render/render_fixture.h"

namespace {

// A 320-wide 8-bit sheet with the cells of `filled` white and the rest black; a 49th row
// (red) lies below the three rows of cells when `height` is 49.
std::vector<uint8_t> FontSheet(const char* filled, int height) {
    std::vector<uint32_t> pixels(size_t(320) * height, 0);
    for (const char* c = filled; *c; c++)
        for (int i = 0; i < 256; i++)
            pixels[size_t(16 * ((*c - 32) / 20) + i / 16) * 320 + 16 * ((*c - 32) % 20) + i % 16] =
                1;
    for (int x = 48 * 320; x < height * 320; x++) pixels[x] = 2;
    return MakeBmp(320, height, 8, pixels, {0, 0xFFFFFF, 0xFF0000});
}

} // namespace

using Text = RenderTest;

TEST_F(Text, GlyphKStartsOneGlyphWidthAndAPixelRightOfXAndMissingGlyphsAreBlocks) {
    const std::vector<uint8_t> sheet = FontSheet("AH[", 49);
    ASSERT_EQ(LoadFont(1, sheet.data(), sheet.size(), 0, 0), 1);
    EXPECT_TRUE(GlyphTexture(1, 32) && GlyphTexture(1, 91) && !GlyphTexture(1, 92)) << "32 to 91";
    DrawText(1, "A A", 100, 100, 20, 20);               // the space's empty cell draws nothing
    DrawTextEx(1, "Aa", 0, 200, 10, 30, 0, 0, 1, 0, 1); // lower case has no glyph
    DrawText(1, "H[\x7F", 0, 300, 16, 16);              // row 48 of the sheet never reaches a glyph
    DrawText(5, "A", 400, 100, 20, 20);                 // a slot never loaded
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 121, 100, 20, 20, 0xFFFFFF) + CountOther(p, 161, 100, 20, 20, 0xFFFFFF),
              0);
    EXPECT_EQ(
        CountOther(p, 120, 99, 62, 1, GAME_CLEAR) + CountOther(p, 141, 100, 20, 20, GAME_CLEAR), 0);
    EXPECT_EQ(
        CountOther(p, 120, 100, 1, 21, GAME_CLEAR) + CountOther(p, 181, 100, 1, 21, GAME_CLEAR), 0);
    EXPECT_EQ(CountOther(p, 11, 200, 20, 30, 0x00FF00), 0);
    EXPECT_PIXEL(p, 16, 230, GAME_CLEAR, 0);
    EXPECT_EQ(CountOther(p, 17, 300, 48, 16, 0xFFFFFF), 0);
    EXPECT_PIXEL(p, 20, 316, GAME_CLEAR, 0);
    EXPECT_EQ(CountOther(p, 421, 100, 20, 20, 0xFFFFFF), 0);
}

TEST(FontLoading, ASheetThatDoesNotDecodeOrASlotOutsideLoadsNothing) {
    const std::vector<uint8_t> junk(100, 0x42);
    EXPECT_EQ(LoadFont(2, junk.data(), junk.size(), 0, 1), 0);
    EXPECT_EQ(GlyphTexture(2, 'A'), 0u);
    EXPECT_EQ(LoadFont(21, nullptr, 0, 0, 1), 0);
    EXPECT_EQ(GlyphTexture(21, 'A') + GlyphTexture(0, 121) + GlyphTexture(0, -1), 0u);
}
