// draw_test.cpp - sprites and primitives with their state rules, read back from the test
// display, and the distance test of the game objects.
#include <gtest/gtest.h>

#include "render/display.h"
#include "render/draw.h"
#include "tests/render/render_fixture.h"

using Sprites = RenderTest;

TEST_F(Sprites, ZeroWidthOrHeightDrawsNothing) {
    const uint32_t white = SolidTexture(0xFFFFFF);
    DrawSprite(white, 100, 100, 0, 50);
    DrawSprite(white, 200, 100, 50, 0);
    DrawSpriteEx(0, 300, 100, 0, 50, 0, 1, 0, 0, 1);
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 90, 90, 280, 70, GAME_CLEAR), 0);
}

TEST_F(Sprites, RotatedSpriteTakesTheCurrentColourAndTheNextSpriteIsWhiteAgain) {
    const uint32_t white = SolidTexture(0xFFFFFF);
    SetColor(1, 0, 0, 1);
    DrawSpriteRotated(white, 100, 100, 0, 40); // tinted red
    DrawSpriteRotated(white, 200, 100, 0, 40); // the colour was left as found: red again
    DrawSprite(white, 280, 80, 40, 40);        // always white
    DrawSpriteRotated(white, 400, 100, 0, 40); // DrawSprite left white behind
    const Picture p = ReadBackBuffer();
    EXPECT_TRUE(PixelIs(p, 100, 100, 0xFF0000));
    EXPECT_TRUE(PixelIs(p, 200, 100, 0xFF0000));
    EXPECT_TRUE(PixelIs(p, 300, 100, 0xFFFFFF));
    EXPECT_TRUE(PixelIs(p, 400, 100, 0xFFFFFF));
}

TEST_F(Sprites, RotationTurnsClockwiseOnScreenAboutTheCentre) {
    // Left half red, right half green; a quarter turn (90) puts red on top.
    std::vector<uint32_t> pixels(16 * 16);
    for (int i = 0; i < 256; i++) pixels[i] = i % 16 < 8 ? 0xFF0000 : 0x00FF00;
    const uint32_t t = MakeTexture(16, 16, pixels, 0xFFFFFFFF);
    DrawSpriteRotated(t, 200, 200, 90, 100);
    DrawSpriteFaded(t, 400, 200, 180, 100, 60, 1.0f); // half a turn, 100 wide, 60 high
    const Picture p = ReadBackBuffer();
    EXPECT_TRUE(PixelIs(p, 200, 170, 0xFF0000));
    EXPECT_TRUE(PixelIs(p, 200, 230, 0x00FF00));
    EXPECT_TRUE(PixelIs(p, 370, 200, 0x00FF00));
    EXPECT_TRUE(PixelIs(p, 430, 200, 0xFF0000));
    EXPECT_TRUE(PixelIs(p, 400, 235, GAME_CLEAR, 0)); // 60 high: ends at 230
}

TEST_F(Sprites, FadedSpriteAtAlphaPointOneDrawsNothingEvenWithBlending) {
    const uint32_t white = SolidTexture(0xFFFFFF);
    AlphaBlendOn();
    DrawSpriteFaded(white, 100, 100, 0, 40, 40, 0.1f);
    DrawSpriteFaded(white, 200, 100, 0, 40, 40, 0.11f);
    DrawSpriteFaded(white, 300, 100, 0, 40, 40, 0.5f);
    AlphaBlendOff();
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 75, 75, 50, 50, GAME_CLEAR), 0);
    // 11 % white over (41, 63, 111), and half way.
    EXPECT_TRUE(PixelIs(p, 200, 100, 0x41547F, 3));
    EXPECT_TRUE(PixelIs(p, 300, 100, 0x949FB7, 3));
}

TEST_F(Sprites, AfterAlphaBlendOffDrawingIsOpaqueAgain) {
    const uint32_t white = SolidTexture(0xFFFFFF);
    AlphaBlendOn();
    DrawSpriteEx(white, 100, 100, 40, 40, 0, 1, 0, 0, 0.5f); // blended half way
    AlphaBlendOff();
    DrawSpriteEx(white, 200, 100, 40, 40, 0, 1, 0, 0, 0.5f); // written as it is
    DrawGradientQuad(300, 100, 340, 140, 0, 1, 0, 0, 1, 0);
    DrawLine(400, 120, 440, 120, 0, 0, 1, 0.3f, 3);
    const Picture p = ReadBackBuffer();
    EXPECT_TRUE(PixelIs(p, 120, 120, 0x941F37, 3));
    EXPECT_TRUE(PixelIs(p, 220, 120, 0xFF0000));
    EXPECT_TRUE(PixelIs(p, 320, 120, 0x00FF00));
    EXPECT_TRUE(PixelIs(p, 420, 120, 0x0000FF));
}

TEST_F(Sprites, ASpriteTurnsOffTheAlphaTestThatAlphaBlendOnTurnedOn) {
    AlphaBlendOn();
    DrawLine(100, 100, 300, 100, 1, 1, 1, 0.05f, 4); // fails the alpha test: not drawn
    DrawSprite(SolidTexture(0xFFFFFF), 500, 500, 10, 10);
    DrawLine(100, 200, 300, 200, 1, 1, 1, 0.05f, 4); // test off, blending on: faint
    AlphaBlendOff();
    const Picture p = ReadBackBuffer();
    EXPECT_TRUE(PixelIs(p, 200, 100, GAME_CLEAR, 0));
    EXPECT_FALSE(PixelIs(p, 200, 200, GAME_CLEAR, 0));
    EXPECT_TRUE(PixelIs(p, 200, 200, 0x344976, 3)); // 5 % white over the clear colour
}

TEST_F(Sprites, TextureZeroDrawsASolidQuadInTheSpritesColour) {
    DrawSprite(0, 100, 100, 30, 30);
    DrawSpriteEx(0, 200, 100, 30, 30, 0, 0, 0, 1, 1);
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 100, 100, 30, 30, 0xFFFFFF), 0);
    EXPECT_EQ(CountOther(p, 200, 100, 30, 30, 0x0000FF), 0);
    EXPECT_TRUE(PixelIs(p, 130, 115, GAME_CLEAR, 0)); // corners (x, y) to (x + w, y + h)
    EXPECT_TRUE(PixelIs(p, 115, 130, GAME_CLEAR, 0));
}

using Primitives = RenderTest;

TEST_F(Primitives, GradientRunsFromTheFirstColourAtTopToTheSecondAtBottom) {
    DrawGradientQuad(100, 100, 300, 301, 1, 0, 0, 0, 0, 1);
    DrawSpriteRotated(SolidTexture(0xFFFFFF), 500, 200, 0, 20); // colour was reset to white
    const Picture p = ReadBackBuffer();
    EXPECT_TRUE(PixelIs(p, 200, 100, 0xFF0000, 3));
    EXPECT_TRUE(PixelIs(p, 200, 300, 0x0000FF, 3));
    EXPECT_TRUE(PixelIs(p, 150, 200, 0x80007F, 3));
    EXPECT_TRUE(PixelIs(p, 500, 200, 0xFFFFFF));
}

TEST_F(Primitives, PointsAndLinesHaveTheirSizeAndColour) {
    DrawPoint(100, 100, 0, 1, 0, 1, 10);
    DrawLine(200, 50, 200, 150, 1, 1, 0, 1, 6);
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 96, 96, 8, 8, 0x00FF00), 0);
    EXPECT_TRUE(PixelIs(p, 100, 110, GAME_CLEAR, 0));
    EXPECT_EQ(CountOther(p, 198, 60, 4, 80, 0xFFFF00), 0);
    EXPECT_TRUE(PixelIs(p, 207, 100, GAME_CLEAR, 0));
}

TEST_F(Primitives, WireframeDrawsOutlinesAndCulledFrontsLeaveTwoDimensionalQuads) {
    WireframeMode();
    DrawSpriteEx(0, 100, 100, 100, 100, 0, 1, 0, 0, 1);
    SolidMode();
    SetCullFront();
    CullingOn(); // 2D quads run clockwise on screen: back faces, still drawn
    DrawSpriteEx(0, 300, 100, 100, 100, 0, 0, 1, 0, 1);
    CullingOff();
    const Picture p = ReadBackBuffer();
    EXPECT_TRUE(PixelIs(p, 150, 99, 0xFF0000) || PixelIs(p, 150, 100, 0xFF0000));
    EXPECT_TRUE(PixelIs(p, 150, 150, GAME_CLEAR, 0));
    EXPECT_TRUE(PixelIs(p, 350, 150, 0x00FF00));
}

TEST(WithinRadius, StrictlyInsideTheCircle) {
    EXPECT_EQ(WithinRadius(5, 5, 5, 5, 0), 0);
    EXPECT_EQ(WithinRadius(5, 5, 5, 5, 1), 1);
    EXPECT_EQ(WithinRadius(0, 0, 3, 4, 5), 0); // exactly on the circle is outside
    EXPECT_EQ(WithinRadius(0, 0, 3, 4, 6), 1);
    EXPECT_EQ(WithinRadius(0, 0, -3, -4, 6), 1);
    EXPECT_EQ(WithinRadius(0, 0, 2.9f, 4, 5), 1);
    EXPECT_EQ(WithinRadius(1, 1, 1, 1, -1), 0);
    EXPECT_EQ(WithinRadius(-1000, 0, 1000, 0, 2001), 1);
}
