// image_test.cpp - BMP decoding of every depth against known pixels, refusal of bad files,
// GrabImage, and the textures made from image 1000 (orientation, key colour, filters) as
// they appear on screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "tests/render/render_fixture.h"

namespace {

// Every pixel of image `number`, top row first, as 0xRRGGBB.
std::vector<uint32_t> Pixels(int number) {
    std::vector<uint32_t> out;
    for (int y = 0; y < ImageHeight(number); y++)
        for (int x = 0; x < ImageWidth(number); x++)
            out.push_back(ColourNumber(ImagePixel(number, x, y)));
    return out; // ColourNumber swaps red and blue both ways
}

const std::vector<uint32_t> SIXTEEN = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                       0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                       0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

} // namespace

TEST(BmpDecoding, FourBitsThroughTheSixteenColourPaletteHighNibbleLeft) {
    BmpSpec s;
    s.width = 5, s.height = 3, s.bits = 4, s.palette = SIXTEEN; // 3 bytes a row, padded to 4
    s.pixels = {9, 10, 12, 15, 0, 1, 2, 3, 4, 5, 11, 13, 14, 7, 8};
    for (bool topDown : {false, true}) {
        s.topDown = topDown;
        const std::vector<uint8_t> bmp = MakeBmp(s);
        ASSERT_NE(CatchImage(7, bmp.data(), bmp.size()), 0);
        EXPECT_EQ(ImageWidth(7), 5);
        EXPECT_EQ(ImageHeight(7), 3);
        std::vector<uint32_t> expected;
        for (uint32_t i : s.pixels) expected.push_back(SIXTEEN[i]);
        EXPECT_EQ(Pixels(7), expected) << (topDown ? "top-down" : "bottom-up");
    }
}

TEST(BmpDecoding, EightBitsWithAFullPaletteOrColoursUsedZero) {
    std::vector<uint32_t> palette(256);
    for (uint32_t i = 0; i < 256; i++) palette[i] = (i << 16) | ((255 - i) << 8) | (i * 7 & 255);
    BmpSpec s;
    s.width = 3, s.height = 2, s.bits = 8, s.palette = palette; // 3 bytes a row, padded to 4
    s.pixels = {0, 255, 128, 17, 200, 3};
    std::vector<uint32_t> expected;
    for (uint32_t i : s.pixels) expected.push_back(palette[i]);
    for (int64_t used : {256, 0}) {
        s.coloursUsed = used;
        const std::vector<uint8_t> bmp = MakeBmp(s);
        ASSERT_NE(CatchImage(8, bmp.data(), bmp.size()), 0) << "colours used " << used;
        EXPECT_EQ(Pixels(8), expected) << "colours used " << used;
    }
}

TEST(BmpDecoding, EightBitsWithAShortPaletteFindsThePixelsAfterIt) {
    BmpSpec s;
    s.width = 2, s.height = 2, s.bits = 8, s.palette = {0x102030, 0xA0B0C0};
    s.pixels = {1, 0, 0, 1};
    const std::vector<uint8_t> bmp = MakeBmp(s);
    ASSERT_NE(CatchImage(8, bmp.data(), bmp.size()), 0);
    EXPECT_EQ(Pixels(8), (std::vector<uint32_t>{0xA0B0C0, 0x102030, 0x102030, 0xA0B0C0}));
}

TEST(BmpDecoding, TwentyFourAndThirtyTwoBitsGiveTheSamePicture) {
    BmpSpec s;
    s.width = 3, s.height = 3; // 9 bytes a row at 24 bits, padded to 12
    s.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x010203, 0xFEFDFC,
                0x000000, 0x123456, 0x654321, 0xFFFFFF};
    for (bool topDown : {false, true}) {
        s.topDown = topDown;
        s.bits = 24;
        std::vector<uint8_t> bmp = MakeBmp(s);
        ASSERT_NE(CatchImage(24, bmp.data(), bmp.size()), 0);
        s.bits = 32;
        s.fourthByte = 0x00;
        bmp = MakeBmp(s);
        ASSERT_NE(CatchImage(32, bmp.data(), bmp.size()), 0);
        s.fourthByte = 0xFF;
        bmp = MakeBmp(s);
        ASSERT_NE(CatchImage(33, bmp.data(), bmp.size()), 0);
        EXPECT_EQ(Pixels(24), s.pixels);
        EXPECT_EQ(Pixels(32), s.pixels);
        EXPECT_EQ(Pixels(33), s.pixels);
    }
}

TEST(BmpDecoding, BadFilesAreRefusedAndStoreNothing) {
    BmpSpec good;
    good.width = 4, good.height = 4, good.bits = 8, good.palette = SIXTEEN;
    good.pixels.assign(16, 9);
    const std::vector<uint8_t> base = MakeBmp(good);
    auto patched = [&](size_t at, uint32_t v, int bytes = 4) {
        std::vector<uint8_t> b = base;
        for (int i = 0; i < bytes; i++) b[at + i] = uint8_t(v >> (8 * i));
        return b;
    };
    struct Bad {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Bad> bad = {
        {"no magic", patched(0, 'B' | ('X' << 8), 2)},
        {"pixel offset past the data", patched(10, uint32_t(base.size()) + 1)},
        {"pixel offset leaves too few rows", patched(10, 54 + 16 * 4 + 4)},
        {"huge pixel offset", patched(10, 0xFFFFFFF0u)},
        {"depth 16", patched(28, 16, 2)},
        {"depth 1", patched(28, 1, 2)},
        {"compressed", patched(30, 1)},
        {"huge width", patched(18, 0x7FFFFFFF)},
        {"huge height", patched(22, 0x40000000)},
        {"most negative height", patched(22, 0x80000000u)},
        {"zero width", patched(18, 0)},
        {"header size past the data", patched(14, 0xFFFFFFF0u)},
        {"truncated file", std::vector<uint8_t>(base.begin(), base.end() - 1)},
        {"header only", std::vector<uint8_t>(base.begin(), base.begin() + 40)},
        {"empty", {}},
    };
    // A palette of 16 colours that runs past the end of the data, while the one row of
    // pixels (placed over the palette's start) would fit.
    BmpSpec shortPalette = good;
    shortPalette.height = 1;
    shortPalette.pixels.assign(4, 1);
    std::vector<uint8_t> cut = MakeBmp(shortPalette);
    cut.resize(54 + 10 * 4);
    cut[10] = 54, cut[11] = 0;
    bad.push_back({"truncated palette", cut});

    const std::vector<uint8_t> keep =
        MakeBmp(BmpSpec{2, 1, 24, false, {}, -1, {0x112233, 0x445566}});
    for (const Bad& b : bad) {
        ASSERT_NE(CatchImage(12, keep.data(), keep.size()), 0);
        // Copied into a buffer of exactly its size: a read past it is a read out of bounds.
        std::vector<uint8_t> exact(b.bytes);
        EXPECT_EQ(CatchImage(12, exact.empty() ? nullptr : exact.data(), exact.size()), 0)
            << b.what;
        EXPECT_EQ(ImageWidth(12), 2) << b.what;
        EXPECT_EQ(Pixels(12), (std::vector<uint32_t>{0x112233, 0x445566})) << b.what;
    }
}

TEST(GrabImage, CopiesTheRectangleAndRefusesOneOutsideTheSource) {
    BmpSpec s;
    s.width = 4, s.height = 3;
    for (uint32_t i = 0; i < 12; i++) s.pixels.push_back(0x100000 * (i + 1) + i);
    const std::vector<uint8_t> bmp = MakeBmp(s);
    ASSERT_NE(CatchImage(WorkImage, bmp.data(), bmp.size()), 0);
    ASSERT_NE(GrabImage(WorkImage, 20, 1, 1, 2, 2), 0);
    EXPECT_EQ(Pixels(20),
              (std::vector<uint32_t>{s.pixels[5], s.pixels[6], s.pixels[9], s.pixels[10]}));

    struct Box {
        int x, y, w, h;
    };
    for (Box b : {Box{3, 0, 2, 1}, Box{0, 2, 1, 2}, Box{-1, 0, 2, 2}, Box{0, -1, 1, 1},
                  Box{0, 0, 0, 1}, Box{0, 0, 1, -1}, Box{0, 0, 5, 3}, Box{2147483647, 0, 1, 1}}) {
        EXPECT_EQ(GrabImage(WorkImage, 20, b.x, b.y, b.w, b.h), 0)
            << b.x << "," << b.y << " " << b.w << "x" << b.h;
        EXPECT_EQ(ImageWidth(20), 2);
    }
    EXPECT_EQ(GrabImage(4000, 20, 0, 0, 1, 1), 0); // no image there
    EXPECT_EQ(ImageWidth(20), 2);
}

// ---------------------------------------------------------------- textures on screen
using TextureOnScreen = RenderTest;

TEST_F(TextureOnScreen, OrientationsMirrorAndTurnThePicture) {
    // Quadrants: red top left, green top right, blue bottom left, white bottom right.
    std::vector<uint32_t> pixels(16 * 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            pixels[y * 16 + x] =
                y < 8 ? (x < 8 ? 0xFF0000 : 0x00FF00) : (x < 8 ? 0x0000FF : 0xFFFFFF);
    // What shows in the quadrants (TL, TR, BL, BR) for each orientation.
    const uint32_t shown[4][4] = {{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF},
                                  {0x00FF00, 0xFF0000, 0xFFFFFF, 0x0000FF},
                                  {0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00},
                                  {0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000}};
    for (int orientation = 0; orientation < 4; orientation++) {
        const uint32_t t = MakeTexture(16, 16, pixels, 0xFFFFFFFF, orientation, 0);
        ASSERT_NE(t, 0u);
        DrawSprite(t, float(10 + 170 * orientation), 100, 160, 160);
    }
    // Any other orientation gives a texture of zero bytes: alpha 0, nothing drawn.
    DrawSprite(MakeTexture(16, 16, pixels, 0xFFFFFFFF, 4, 0), 10, 300, 160, 160);
    const Picture p = ReadBackBuffer();
    for (int o = 0; o < 4; o++) {
        const int x = 10 + 170 * o;
        EXPECT_TRUE(PixelIs(p, x + 40, 140, shown[o][0])) << "orientation " << o;
        EXPECT_TRUE(PixelIs(p, x + 120, 140, shown[o][1])) << "orientation " << o;
        EXPECT_TRUE(PixelIs(p, x + 40, 220, shown[o][2])) << "orientation " << o;
        EXPECT_TRUE(PixelIs(p, x + 120, 220, shown[o][3])) << "orientation " << o;
    }
    EXPECT_EQ(CountOther(p, 10, 300, 160, 160, GAME_CLEAR), 0);
}

TEST_F(TextureOnScreen, KeyColourIsTransparentAndNothingElse) {
    // A 16 x 16 picture: the left half pure black, the right half (1, 0, 0), one green column.
    std::vector<uint32_t> pixels(16 * 16);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            pixels[y * 16 + x] = x < 8 ? 0x000000 : x == 12 ? 0x00FF00 : 0x010000;
    DrawSprite(MakeTexture(16, 16, pixels, 0), 100, 100, 160, 160); // key black
    DrawSprite(MakeTexture(16, 16, pixels, ColourNumber(0x00FF00)), 300, 100, 160,
               160); // key green
    const Picture p = ReadBackBuffer();
    EXPECT_TRUE(PixelIs(p, 140, 180, GAME_CLEAR, 0)); // black under key 0: not drawn
    EXPECT_TRUE(PixelIs(p, 210, 180, 0x010000, 0));   // colour (1, 0, 0) stays opaque
    EXPECT_TRUE(PixelIs(p, 225, 180, 0x00FF00, 0));
    EXPECT_TRUE(PixelIs(p, 340, 180, 0x000000, 0));   // black drawn under another key
    EXPECT_TRUE(PixelIs(p, 425, 180, GAME_CLEAR, 0)); // the green column is the key now
}

TEST_F(TextureOnScreen, MipmappedFilterAveragesWhenShrunk) {
    // 64 x 64: one white column in every eight. Shrunk eight times, the mipmapped texture
    // shows the average (an eighth of white); a plain linear one samples between columns.
    std::vector<uint32_t> pixels(64 * 64);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) pixels[y * 64 + x] = x % 8 == 0 ? 0xFFFFFF : 0x000001;
    DrawSprite(MakeTexture(64, 64, pixels, 0, 0, 2), 100, 100, 8, 8);
    DrawSprite(MakeTexture(64, 64, pixels, 0, 0, 1), 200, 100, 8, 8);
    EXPECT_EQ(MakeTexture(64, 64, pixels, 0, 0, 3), 0u); // no such filter: no texture
    const Picture p = ReadBackBuffer();
    for (int y = 100; y < 108; y++) {
        for (int x = 0; x < 8; x++) {
            EXPECT_TRUE(PixelIs(p, 100 + x, y, 0x202020, 3)) << x << "," << y;
            EXPECT_TRUE(PixelIs(p, 200 + x, y, 0x000001, 1)) << x << "," << y;
        }
    }
}

TEST_F(TextureOnScreen, PixelTexturesShowTheirFirstRowDownTheLeftEdge) {
    // 2 x 2 RGBA bytes, rows of two texels, no key colour. The design uploads them as they are
    // and its sprites run s down the screen, so the second texel of the first row shows at
    // the bottom left and the first of the second row at the top right; alpha 0 is not drawn.
    const uint8_t rgba[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 0};
    const uint32_t t = TextureFromPixels(rgba, 16, 2);
    ASSERT_NE(t, 0u);
    DrawSprite(t, 100, 100, 200, 200);
    const Picture p = ReadBackBuffer();
    // Texel centres (the wrap mode is repeat, so the edges blend with the far side).
    EXPECT_TRUE(PixelIs(p, 150, 150, 0xFF0000, 4));
    EXPECT_TRUE(PixelIs(p, 150, 250, 0x00FF00, 4));
    EXPECT_TRUE(PixelIs(p, 250, 150, 0x0000FF, 4));
    EXPECT_TRUE(PixelIs(p, 250, 250, GAME_CLEAR, 0));
}
