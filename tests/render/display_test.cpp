// display_test.cpp - the projections every frame starts with, and the letterbox that puts
// the 800 x 600 frame into a larger drawable.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/platform.h"
#include "platform/scripted.h"
#include "render/display.h"
#include "render/draw.h"
#include "tests/render/render_fixture.h"

using Projection = RenderTest;

TEST_F(Projection, TwoDimensionalOriginIsTheTopLeftPixel) {
    DrawSpriteEx(0, 0, 0, 10, 10, 0, 1, 0, 0, 1);
    DrawSpriteEx(0, 790, 590, 10, 10, 0, 0, 1, 0, 1);
    const Picture p = ReadBackBuffer();
    ASSERT_EQ(p.width, 800);
    ASSERT_EQ(p.height, 600);
    EXPECT_EQ(CountOther(p, 0, 0, 10, 10, 0xFF0000), 0);
    EXPECT_EQ(CountOther(p, 790, 590, 10, 10, 0x00FF00), 0);
    EXPECT_TRUE(PixelIs(p, 10, 10, GAME_CLEAR, 0));
    EXPECT_TRUE(PixelIs(p, 789, 589, GAME_CLEAR, 0));
}

TEST_F(Projection, TwoDimensionalDrawingOrderAloneDecidesWhatIsOnTop) {
    // Begin3D turns the depth test on; Begin2D turns it off again.
    Begin3D(800, 600, 120, 50);
    Begin2D(800, 600);
    Translate(0, 0, 10); // nearer in 2D z: would win a depth test
    DrawSpriteEx(0, 100, 100, 50, 50, 0, 1, 0, 0, 1);
    ResetTransform();
    DrawSpriteEx(0, 120, 120, 50, 50, 0, 0, 0, 1, 1);
    const Picture p = ReadBackBuffer();
    EXPECT_TRUE(PixelIs(p, 130, 130, 0x0000FF));
    EXPECT_TRUE(PixelIs(p, 105, 105, 0xFF0000));
}

TEST_F(Projection, Begin3DLeavesTheModelviewMatrixAsItWas) {
    // A box moved right and away, then Begin3D again: it must stay where it was put. Had
    // Begin3D reset the matrix, the box would enclose the eye and fill the whole screen.
    Begin3D(800, 600, 120, 50);
    ResetTransform();
    Translate(2, 0, -5);
    Begin3D(800, 600, 120, 50);
    SetColor(1, 0, 0, 1);
    DrawBox(0.5f, 0.5f, 0.5f);
    SetColor(1, 1, 1, 1);
    const Picture p = ReadBackBuffer();
    // tan(25 degrees) x 5 = 2.33 half height, x 4/3 half width: x = 2 lands at 400 + 257.
    EXPECT_TRUE(PixelIs(p, 657, 300, 0xFF0000));
    EXPECT_TRUE(PixelIs(p, 400, 300, GAME_CLEAR, 0));
    EXPECT_EQ(DisplayWidth, 800);
    EXPECT_EQ(DisplayHeight, 600);
}

TEST_F(Projection, Begin3DStoresTheSizeRoundedHalvesToEven) {
    Begin3D(800.5f, 599.5f, 120, 50);
    EXPECT_EQ(DisplayWidth, 800);
    EXPECT_EQ(DisplayHeight, 600);
    Begin2D(640, 480);
    EXPECT_EQ(DisplayWidth, 640);
    EXPECT_EQ(DisplayHeight, 480);
}

TEST(Letterbox, FrameRectIsTheLargestCentredFourByThree) {
    struct Case {
        int dw, dh, x, y, w, h;
    };
    const Case cases[] = {
        {800, 600, 0, 0, 800, 600},       {1024, 768, 0, 0, 1024, 768},
        {1920, 1080, 240, 0, 1440, 1080}, {1280, 1024, 0, 32, 1280, 960},
        {1000, 600, 100, 0, 800, 600},    {800, 1000, 0, 200, 800, 600},
        {400, 300, 0, 0, 400, 300},       {2560, 1440, 320, 0, 1920, 1440},
        {1366, 768, 171, 0, 1024, 768},
    };
    for (const Case& c : cases) {
        const PlatformFrameRect r = FrameRectForDrawable(c.dw, c.dh);
        EXPECT_EQ(r.x, c.x) << c.dw << " x " << c.dh;
        EXPECT_EQ(r.y, c.y) << c.dw << " x " << c.dh;
        EXPECT_EQ(r.width, c.w) << c.dw << " x " << c.dh;
        EXPECT_EQ(r.height, c.h) << c.dw << " x " << c.dh;
        EXPECT_FLOAT_EQ(r.scale, float(c.w) / 800.0f) << c.dw << " x " << c.dh;
    }
    const PlatformFrameRect none = FrameRectForDrawable(0, 0);
    EXPECT_EQ(none.width, 800);
    EXPECT_EQ(none.height, 600);
}

TEST(Letterbox, EveryDrawableSizeGetsAFittingCentredFrame) {
    for (int dw = 1; dw <= 3000; dw += 37) {
        for (int dh = 1; dh <= 2000; dh += 29) {
            const PlatformFrameRect r = FrameRectForDrawable(dw, dh);
            ASSERT_GE(r.x, 0);
            ASSERT_GE(r.y, 0);
            ASSERT_LE(r.x + r.width, dw) << dw << " x " << dh;
            ASSERT_LE(r.y + r.height, dh) << dw << " x " << dh;
            ASSERT_LE(std::abs((dw - r.width) - 2 * r.x), 1); // bars equal within a pixel
            ASSERT_LE(std::abs((dh - r.height) - 2 * r.y), 1);
            ASSERT_TRUE(r.width >= dw - 1 || r.height >= dh - 1) << dw << " x " << dh;
            ASSERT_LE(std::abs(r.width * 3 - r.height * 4), 4 + 4) << dw << " x " << dh;
        }
    }
}

TEST(Letterbox, AWideDrawableShowsTheFrameBetweenBlackBars) {
    ASSERT_TRUE(OpenTestDisplay());
    // The same context state the game sets, in a window wider than the frame.
    ASSERT_TRUE(PlatformOpenWindow(1000, 600, "wide", false));
    int dw = 0, dh = 0;
    PlatformGetDrawableSize(&dw, &dh);
    ASSERT_EQ(dw, 1000);
    ASSERT_EQ(dh, 600);
    SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1.0f);
    Begin2DViewport();
    ClearDisplay();
    Begin2D(800, 600);
    DrawSpriteEx(0, 0, 0, 10, 10, 0, 1, 0, 0, 1);
    DrawSpriteEx(0, -5, 300, 15, 10, 0, 1, 0, 0, 1); // partly left of the frame: clipped
    Picture whole;
    ASSERT_TRUE(ScriptReadDrawable(&whole.rgb, &whole.width, &whole.height));
    EXPECT_EQ(CountOther(whole, 0, 0, 100, 600, 0x000000), 0);
    EXPECT_EQ(CountOther(whole, 900, 0, 100, 600, 0x000000), 0);
    EXPECT_EQ(CountOther(whole, 100, 0, 10, 10, 0xFF0000), 0);
    EXPECT_EQ(CountOther(whole, 100, 300, 10, 10, 0xFF0000), 0);
    EXPECT_TRUE(PixelIs(whole, 110, 10, GAME_CLEAR, 0));
    EXPECT_TRUE(PixelIs(whole, 899, 599, GAME_CLEAR, 0));
    const Picture frame = ReadBackBuffer();
    EXPECT_EQ(frame.width, 800);
    EXPECT_TRUE(PixelIs(frame, 0, 0, 0xFF0000));
    CloseTestDisplay();
}
