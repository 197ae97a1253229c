// display_test.cpp - the projections every frame starts with, and the letterbox maths that
// puts the 800 x 600 frame into a larger drawable (drawn in tests/linux/window_test.cpp).
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "render/draw.h"
#include "tests/render/render_fixture.h"

using Projection = RenderTest;

TEST_F(Projection, TwoDimensionalDrawingOrderDecidesAndBegin3DKeepsTheModelview) {
    // Begin3D turns the depth test on; Begin2D turns it off again.
    Begin3D(800.5f, 599.5f, 120, 50);
    EXPECT_EQ(DisplayWidth * 1000 + DisplayHeight, 800600) << "rounded halves to even";
    Begin2D(800, 600);
    Translate(0, 0, 10); // nearer in 2D z: would win a depth test
    DrawSpriteEx(0, 100, 100, 50, 50, 0, 1, 0, 0, 1);
    ResetTransform();
    DrawSpriteEx(0, 120, 120, 50, 50, 0, 0, 0, 1, 1);
    // A box moved right and away, then Begin3D again: had it reset the matrix, the box would
    // enclose the eye and fill the screen. tan(25 degrees) x 5 x 4/3 puts x = 2 at 400 + 257.
    Begin3D(800, 600, 120, 50);
    ResetTransform();
    Translate(2, 0, -5);
    Begin3D(800, 600, 120, 50);
    SetColor(1, 0, 0, 1);
    DrawBox(0.5f, 0.5f, 0.5f);
    const Picture p = ReadBackBuffer();
    EXPECT_PIXEL(p, 130, 130, 0x0000FF, 2);
    EXPECT_PIXEL(p, 105, 105, 0xFF0000, 2);
    EXPECT_PIXEL(p, 657, 300, 0xFF0000, 2);
    EXPECT_PIXEL(p, 400, 300, GAME_CLEAR, 0);
}

TEST(Letterbox, FrameRectIsTheLargestCentredFourByThree) {
    const int cases[][6] = {{800, 600, 0, 0, 800, 600},     {1920, 1080, 240, 0, 1440, 1080},
                            {1280, 1024, 0, 32, 1280, 960}, {800, 1000, 0, 200, 800, 600},
                            {400, 300, 0, 0, 400, 300},     {1366, 768, 171, 0, 1024, 768},
                            {0, 0, 0, 0, 800, 600}};
    for (const auto& c : cases) {
        const PlatformFrameRect r = FrameRectForDrawable(c[0], c[1]);
        EXPECT_EQ((std::vector<int>{r.x, r.y, r.width, r.height}),
                  (std::vector<int>{c[2], c[3], c[4], c[5]}))
            << c[0] << " x " << c[1];
        EXPECT_FLOAT_EQ(r.scale, float(c[4]) / 800.0f);
    }
}
