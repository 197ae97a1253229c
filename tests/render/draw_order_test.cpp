// draw_order_test.cpp - what the draw queue's own ways of drawing must not change: the depth
// levels it gives 2D primitives never reach the game's 3D drawing, and a sprite cut to the ink
// of its texture still shows wherever filtering samples that ink, round a repeating edge too.
#include <gtest/gtest.h>

#include "render/draw.h"
#include "tests/render/render_fixture.h"

namespace {

using QueuedDrawing = RenderTest;

// Some hundred 2D sprites over the middle, unblended or blended, then a box far away in 3D:
// the box is drawn as over a cleared depth buffer, where the 2D drawing never wrote depth.
TEST_F(QueuedDrawing, TheGames3DDrawsAsOverAClearedDepthBufferWhatever2DCameBefore) {
    for (const bool blended : {false, true}) {
        SCOPED_TRACE(blended ? "blended" : "unblended");
        ClearDisplay();
        Begin2D(800, 600);
        if (blended) AlphaBlendOn();
        for (int i = 0; i < 150; i++)
            DrawSpriteEx(0, 300.0f + i % 10, 200, 200, 200, 0, 0, 1, 0, 1);
        AlphaBlendOff();
        Begin3D(800, 600, 120, 50);
        ResetTransform();
        Translate(0, 0, -50);
        SetColor(1, 0, 0, 1);
        DrawBox(4, 4, 4);
        Begin2D(800, 600);
        EXPECT_PIXEL(ReadBackBuffer(), 400, 300, 0xFF0000, 2);
    }
}

// Ink only in the last column of a repeating texture: filtering at the quad's first column
// reaches round to it, so the cut leaves that side whole and those pixels still show it.
TEST_F(QueuedDrawing, ASpriteCutToItsInkShowsWhereFilteringReachesRoundTheEdgeOfARepeatingTexture) {
    std::vector<uint32_t> column(16 * 16, 0);
    for (int y = 0; y < 16; y++) column[size_t(y) * 16 + 15] = 0xFFFFFF;
    const std::vector<uint8_t> bmp = MakeBmp(16, 16, 24, column);
    ASSERT_TRUE(CatchImage(GrabImageNumber, bmp.data(), bmp.size()));
    const uint32_t repeating = TextureFromImage(0, 0, 1, 0); // keyed on black, linear, repeating
    DrawSprite(repeating, 100, 100, 160, 160);
    const Picture p = ReadBackBuffer();
    EXPECT_GT(CountOther(p, 100, 120, 4, 120, GAME_CLEAR), 200) << "the left edge, by wrapping";
    EXPECT_GT(CountOther(p, 256, 120, 4, 120, GAME_CLEAR), 200) << "the right edge, the ink";
    EXPECT_EQ(CountOther(p, 150, 120, 40, 120, GAME_CLEAR), 0) << "nothing in the middle";
}

} // namespace
