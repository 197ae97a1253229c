// draw_test.cpp - the state rules of sprites and primitives (colour, alpha test, blending),
// read back from the test display, and the distance test of the game objects. Outlines and
// culling show in the golden pictures of the menu and of play.
#include <gtest/gtest.h>

#include "render/draw.h"
#include "tests/render/render_fixture.h"

using Sprites = RenderTest;

TEST_F(Sprites, OnlyRotatedSpritesKeepTheCurrentColourEverythingElseLeavesWhite) {
    const uint32_t white = WhiteTexture();
    SetColor(1, 0, 0, 1);
    DrawSpriteRotated(white, 100, 100, 0, 40);        // tinted red
    DrawSpriteRotated(white, 200, 100, 0, 40);        // left as found: red again
    DrawSpriteEx(0, 100, 200, 30, 30, 0, 0, 0, 1, 1); // texture 0: solid, (x, y) to (x + w, y + h)
    DrawSpriteRotated(white, 300, 100, 0, 40);
    SetColor(1, 0, 0, 1);
    DrawLine(0, 300, 10, 300, 0, 1, 0, 1, 1);
    DrawSpriteRotated(white, 400, 100, 0, 40);
    // Half a turn about the centre, 100 wide and 60 high: the red left half shows on the right.
    std::vector<uint32_t> halves(256);
    for (int i = 0; i < 256; i++) halves[i] = i % 16 < 8 ? 0xFF0000 : 0x00FF00;
    DrawSpriteFaded(MakeTexture(16, 16, halves), 400, 300, 180, 100, 60, 1.0f);
    const Picture p = ReadBackBuffer();
    const uint32_t expected[] = {0xFF0000, 0xFF0000, 0xFFFFFF, 0xFFFFFF};
    for (int i = 0; i < 4; i++) EXPECT_PIXEL(p, 100 * (i + 1), 100, expected[i], 2);
    EXPECT_EQ(CountOther(p, 100, 200, 30, 30, 0x0000FF), 0);
    EXPECT_EQ(
        CountOther(p, 99, 199, 32, 1, GAME_CLEAR) + CountOther(p, 130, 199, 1, 32, GAME_CLEAR), 0);
    EXPECT_PIXEL(p, 370, 300, 0x00FF00, 2);
    EXPECT_PIXEL(p, 430, 300, 0xFF0000, 2);
    EXPECT_PIXEL(p, 430, 331, GAME_CLEAR, 0);
    EXPECT_PIXEL(p, 430, 328, 0xFF0000, 0);
}

TEST_F(Sprites, AlphaAtPointOneFailsTheAlphaTestASpriteTurnsItOffAndBlendOffIsOpaque) {
    AlphaBlendOn();
    DrawLine(300, 100, 400, 100, 1, 1, 1, 0.05f, 4); // fails the alpha test
    DrawSpriteFaded(WhiteTexture(), 100, 100, 0, 40, 40, 0.1f);
    DrawSpriteFaded(WhiteTexture(), 200, 100, 0, 40, 40, 0.5f); // and turns the test off
    DrawLine(300, 200, 400, 200, 1, 1, 1, 0.05f, 4);            // blending on: faint
    AlphaBlendOff();
    DrawSpriteEx(0, 500, 100, 40, 40, 0, 1, 0, 0, 0.5f); // written as it is
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 75, 75, 50, 50, GAME_CLEAR), 0);
    EXPECT_PIXEL(p, 200, 100, 0x949FB7, 3); // half white over (41, 63, 111)
    EXPECT_PIXEL(p, 350, 100, GAME_CLEAR, 0);
    EXPECT_PIXEL(p, 350, 200, 0x344976, 3);
    EXPECT_PIXEL(p, 520, 120, 0xFF0000, 0);
}

TEST(WithinRadius, StrictlyInsideTheCircle) {
    const struct {
        float x1, y1, x2, y2;
        int radius, inside;
    } cases[] = {{5, 5, 5, 5, 0, 0},   {5, 5, 5, 5, 1, 1},    {0, 0, 3, 4, 5, 0},
                 {0, 0, -3, -4, 6, 1}, {0, 0, 2.9f, 4, 5, 1}, {-1000, 0, 1000, 0, 2001, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(WithinRadius(c.x1, c.y1, c.x2, c.y2, c.radius), c.inside)
            << c.x2 << " " << c.radius;
}
