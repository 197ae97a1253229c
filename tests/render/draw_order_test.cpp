// draw_order_test.cpp - what the draw queue's own ways of drawing must not change: the depth
// levels it gives 2D primitives never reach the game's 3D drawing, and a sprite cut to the ink
// of its texture, or drawn from a box of a shared one, shows what its own texture would.
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
// reaches round to it, so the cut leaves that side whole and those pixels still show it; the
// same picture cut as a box of a shared texture draws the same pixels.
TEST_F(QueuedDrawing, ASpriteCutToItsInkShowsWhereFilteringReachesRoundTheEdgeOfARepeatingTexture) {
    std::vector<uint32_t> column(16 * 16, 0);
    for (int y = 0; y < 16; y++) column[size_t(y) * 16 + 15] = 0xFFFFFF;
    const std::vector<uint8_t> bmp = MakeBmp(16, 16, 24, column);
    ASSERT_TRUE(CatchImage(GrabImageNumber, bmp.data(), bmp.size()));
    const uint32_t own = TextureFromImage(0, 0, 1, 0); // keyed on black, linear, repeating
    ASSERT_TRUE(CatchImage(WorkImage, bmp.data(), bmp.size()));
    const int box[1][2] = {{0, 0}};
    uint32_t shared = 0;
    TexturesFromBoxes(WorkImage, box, 1, 16, 0, 0, 0, &shared);
    DrawSprite(own, 100, 100, 160, 160);
    DrawSprite(shared, 400, 100, 160, 160);
    const Picture p = ReadBackBuffer();
    EXPECT_GT(CountOther(p, 100, 120, 4, 120, GAME_CLEAR), 200) << "the left edge, by wrapping";
    EXPECT_GT(CountOther(p, 256, 120, 4, 120, GAME_CLEAR), 200) << "the right edge, the ink";
    EXPECT_EQ(CountOther(p, 150, 120, 40, 120, GAME_CLEAR), 0) << "nothing in the middle";
    int differing = 0;
    for (int y = 95; y < 265; y++)
        for (int x = 95; x < 265; x++) differing += p.At(x, y) != p.At(x + 300, y);
    EXPECT_EQ(differing, 0) << "a box of a shared texture draws as a texture of its own";
}

} // namespace
