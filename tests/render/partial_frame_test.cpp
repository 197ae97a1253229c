// partial_frame_test.cpp - frames drawn again only where they change show the very pixels of
// frames drawn whole, and on this GL (which keeps the back buffer) they are drawn so.
#include "render/partial_frame.h"

#include "render/draw.h"
#include "render/text.h"
#include "tests/render/render_fixture.h"

namespace {

using PartialFrames = RenderTest;

// A frame of a still sprite under a bar that pulses and moves and a line of text that moves,
// each inside its area, named when `named`; the picture is read before it is presented.
Picture DrawFrame(int frame, uint32_t texture, bool named) {
    const int barTop = 300 + frame / 4 % 2 * 60;
    const FrameArea areas[] = {{0, barTop, 800, 30}, {90, 400, 620, 40}};
    if (named) SetChangingAreas(areas, 2);
    ClearDisplay();
    Begin2D(800, 600);
    DrawSpriteRotated(texture, 400, 320, 10, 500);
    DrawSpriteEx(texture, 0, float(barTop), 800, 30, 0, 1, float(frame % 7) / 7.0f, 1, 1);
    DrawText(0, "MOVING", 100 + frame * 37 % 400, 410, 20, 20);
    const Picture picture = ReadBackBuffer();
    FlipDisplay();
    return picture;
}

TEST_F(PartialFrames, ShowThePixelsOfWholeFramesAndLeaveTheRestAsItWas) {
    std::vector<uint32_t> pixels(64 * 64);
    for (int i = 0; i < 64 * 64; i++) pixels[i] = 0x102030u * uint32_t(i % 7) + uint32_t(i);
    const uint32_t texture = MakeTexture(64, 64, pixels, 0xFFFFFFFF, 0, 1);
    std::vector<Picture> whole;
    for (int frame = 0; frame < 10; frame++) whole.push_back(DrawFrame(frame, texture, false));
    // Twice: the second time after a frame that named nothing and drew a point elsewhere.
    for (int round = 0; round < 2; round++) {
        for (int frame = 0; frame < 10; frame++)
            EXPECT_TRUE(DrawFrame(frame, texture, true).rgb == whole[size_t(frame)].rgb)
                << round << " " << frame;
        if (round > 0) break;
        ClearDisplay();
        Begin2D(800, 600);
        DrawPoint(5, 5, 1, 0, 0, 1, 3);
        FlipDisplay();
    }
    // The next one is drawn inside the areas only: a point outside them leaves no trace,
    // where a whole frame shows it.
    for (const bool named : {true, false}) {
        const FrameArea areas[] = {{0, 300, 800, 30}};
        if (named) SetChangingAreas(areas, 1);
        ClearDisplay();
        Begin2D(800, 600);
        DrawPoint(5, 5, 1, 0, 0, 1, 3);
        EXPECT_PIXEL(ReadBackBuffer(), 5, 5, named ? GAME_CLEAR : 0xFF0000u, 0);
        FlipDisplay();
    }
}

// Reading the box back costs: when it does not change on the first frames, which tells
// nothing, the check gives up after eight and every frame is drawn whole from then on.
TEST_F(PartialFrames, AreNotTriedAfterEightFramesOfABoxThatNeverChanged) {
    const uint32_t texture = WhiteTexture();
    for (int frame = 0; frame < 12; frame++) DrawFrame(0, texture, true);
    for (int frame = 0; frame < 4; frame++) DrawFrame(frame, texture, true);
    const FrameArea areas[] = {{0, 300, 800, 30}};
    SetChangingAreas(areas, 1);
    ClearDisplay();
    Begin2D(800, 600);
    DrawPoint(5, 5, 1, 0, 0, 1, 3);
    EXPECT_PIXEL(ReadBackBuffer(), 5, 5, 0xFF0000u, 0);
}

} // namespace
