// window_test.cpp - the game window: resizable, Alt+Enter to full screen, and a frame that
// follows the window's size with black bars at once (SDL backend, offscreen driver).
#include <gtest/gtest.h>

#include <array>

#include "platform/platform.h"
#include "platform/scripted.h"
#include "platform/test_input.h"
#include "render/display.h"
#include "render/draw.h"
#include "tests/render/render_fixture.h"

namespace {

class GameWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* why = nullptr;
        ASSERT_TRUE(PlatformInit(PLATFORM_SDL, &why)) << why;
        PlatformPresetFullscreen(0); // no question box on the offscreen driver
        InitRenderLayer(nullptr);
        ASSERT_TRUE(OpenDisplay(800, 600, 32, "window test"));
        HandleQueuedEvents();
    }
    void TearDown() override {
        PlatformPresetFullscreen(-1);
        CloseDisplay();
        PlatformShutdown();
    }
};

} // namespace

TEST_F(GameWindow, OpensResizableAndAltEnterSwitchesToFullScreenAndBack) {
    EXPECT_TRUE(WindowIsResizable() && !PlatformIsFullscreen());

    ASSERT_TRUE(PushKeyDown("Return", true, false));
    HandleQueuedEvents();
    EXPECT_TRUE(PlatformIsFullscreen() && WindowIsDesktopFullscreen());

    // Enter alone, and a held Alt+Enter repeating, change nothing.
    ASSERT_TRUE(PushKeyDown("Return", false, false));
    ASSERT_TRUE(PushKeyDown("Return", true, true));
    HandleQueuedEvents();
    EXPECT_TRUE(PlatformIsFullscreen());

    ASSERT_TRUE(PushKeyDown("Keypad Enter", true, false));
    HandleQueuedEvents();
    EXPECT_FALSE(PlatformIsFullscreen() || WindowIsDesktopFullscreen());
}

TEST(WindowSize, TheNextFrameFillsTheLetterboxOfTheNewDrawable) {
    // The offscreen driver cannot resize: each size is a new window, the same to the renderer.
    ASSERT_TRUE(OpenTestDisplay());
    SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1.0f); // GAME_CLEAR
    // Wider, taller, twice the size: each frame is drawn with Begin2D only, as in play.
    for (const auto& [w, h, frameX, frameY, frameW] :
         {std::array{1000, 600, 100, 0, 800}, {800, 1000, 0, 200, 800}, {1600, 1200, 0, 0, 1600}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        ASSERT_TRUE(PlatformOpenWindow(w, h, "resized", false));
        ClearDisplay();
        Begin2D(800, 600);
        // Squares in two corners (a stretched frame misses them), a wide point on the edge.
        DrawGradientQuad(0, 0, 40, 40, 1, 0, 0, 1, 0, 0);
        DrawGradientQuad(760, 560, 800, 600, 0, 1, 0, 0, 1, 0);
        DrawPoint(0, 300, 0, 0, 1, 1, 16);
        DrawPoint(400, 0, 0, 0, 1, 1, 16);
        Picture whole;
        FinishDrawing(); // the queued primitives belong to the picture
        ASSERT_TRUE(ScriptReadDrawable(&whole.rgb, &whole.width, &whole.height));
        ASSERT_TRUE(whole.width == w && whole.height == h) << "the drawable is the window";
        const int square = frameW / 20, frameH = frameW * 3 / 4;
        const int right = frameX + frameW - square, bottom = frameY + frameH - square;
        EXPECT_EQ(CountOther(whole, frameX, frameY, square, square, 0xFF0000), 0);
        EXPECT_EQ(CountOther(whole, right, bottom, square, square, 0x00FF00), 0);
        EXPECT_EQ(CountOther(whole, frameX + square, frameY + square, frameW - 2 * square,
                             frameH - 2 * square, GAME_CLEAR),
                  0);
        EXPECT_EQ(CountOther(whole, 0, 0, frameX, h, 0x000000), 0) << "left bar";
        EXPECT_EQ(CountOther(whole, 0, 0, w, frameY, 0x000000), 0) << "top bar";
        EXPECT_EQ(CountOther(whole, frameX + frameW, 0, w - frameX - frameW, h, 0x000000), 0);
        FlipDisplay();
    }
    CloseTestDisplay();
}

TEST_F(GameWindow, TheDesktopSeesTheGamesNameAndKeepsTheScreensaverAway) {
    for (const char* hint : {"SDL_APP_NAME", "SDL_AUDIO_DEVICE_APP_NAME"}) // the desktop's mixer
        EXPECT_EQ(SdlHintValue(hint), "MORVEXA") << hint;
    EXPECT_FALSE(ScreenSaverAllowed());
}
