// golden_test.cpp - one picture of every kind of drawing the render layer does, kept as a
// golden picture, and the comparison itself: what it lets pass, what it catches, and the
// update mode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "render/draw.h"
#include "render/text.h"
#include "tests/render/render_fixture.h"

namespace {

// Sprites in the four orientations, a keyed and rotated sprite, faded sprites under blending,
// a gradient, lines, points, text in white and in colour, and a box in 3D.
void DrawScene() {
    std::vector<uint32_t> arrow(32 * 32);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++)
            arrow[y * 32 + x] = (x > y / 2 && x < 32 - y / 2) ? (y < 16 ? 0xF0C020 : 0x2080F0) : 0;
    for (int o = 0; o < 4; o++)
        DrawSprite(MakeTexture(32, 32, arrow, 0, o, 1), 20 + 90.0f * o, 20, 64, 64);
    SetColor(0.5f, 1, 0.5f, 1);
    DrawSpriteRotated(MakeTexture(32, 32, arrow, 0, 0, 2), 420, 52, 30, 64);
    SetColor(1, 1, 1, 1);
    AlphaBlendOn();
    for (int i = 0; i < 5; i++)
        DrawSpriteFaded(WhiteTexture(), 520 + 50.0f * i, 52, 15.0f * i, 40, 40, 0.2f * (i + 1));
    AlphaBlendOff();
    DrawGradientQuad(20, 120, 780, 200, 0.9f, 0.2f, 0.1f, 0.1f, 0.2f, 0.9f);
    for (int i = 0; i < 8; i++)
        DrawLine(20 + 40 * i, 220, 60 + 40 * i, 300, 1, 1 - 0.1f * i, 0.1f * i, 1, float(1 + i));
    for (int i = 0; i < 8; i++) DrawPoint(380 + 40 * i, 260, 0.1f * i, 1, 1, 1, float(2 + 2 * i));
    // A font whose glyphs are each a frame with a diagonal, unlike their neighbours.
    std::vector<uint32_t> sheet(320 * 48);
    for (int n = 0; n < 60; n++)
        for (int i = 0; i < 256; i++) {
            const int x = i % 16, y = i / 16, mark = (x + y * (n % 5 + 1)) % 7 == n % 7;
            const bool edge = x == 0 || y == 0 || x == 15 || y == 15;
            sheet[(16 * (n / 20) + y) * 320 + 16 * (n % 20) + x] = edge ? 1 : 2 * mark;
        }
    const std::vector<uint8_t> font = MakeBmp(320, 48, 8, sheet, {0, 0xFFFFFF, 0x808080});
    LoadFont(0, font.data(), font.size(), 0, 1);
    DrawText(0, "MORVEXA 0123", 0, 330, 20, 20);
    DrawTextEx(0, "HELLO, world!", 0, 370, 16, 24, 0, 1, 0.6f, 0.2f, 1);
    Begin3D(800, 600, 120, 50);
    ResetTransform();
    Translate(1.5f, -1.2f, -6);
    RotateY(35);
    SetColor(0.3f, 0.9f, 0.4f, 1);
    DrawBox(0.6f, 0.6f, 0.6f);
    WireframeMode();
    SetColor(1, 1, 1, 1);
    Translate(-2.5f, 0, 0);
    DrawBox(0.5f, 0.8f, 0.5f);
    SolidMode();
    Begin2D(800, 600);
}

} // namespace

using GoldenPicture = RenderTest;

TEST_F(GoldenPicture, EveryKindOfDrawingLooksAsItDid) {
    DrawScene();
    EXPECT_TRUE(MatchesGolden(ReadBackBuffer(), "render_scene"));
}

// The comparison itself, on the golden's own pixels; in the update mode it would write them
// as the golden instead, so it steps aside.
TEST(GoldenComparison, PassesTinyDifferencesAndCatchesRealOnesWithADifferencePicture) {
    if (std::getenv("MORVEXA_UPDATE_GOLDEN")) GTEST_SKIP() << "the goldens are being written";
    Picture golden, diff;
    ASSERT_TRUE(ReadPicture(SourcePath("tests/golden/render_scene.png"), &golden));
    Picture changed = golden; // every pixel off by 2 in one channel, 200 pixels far off: passes
    for (size_t i = 0; i < changed.rgb.size(); i += 3) changed.rgb[i] ^= 2;
    for (int i = 0; i < 200; i++) changed.rgb[size_t(i) * 2399 * 3 + 1] ^= 0x80;
    EXPECT_TRUE(MatchesGolden(changed, "render_scene"));
    changed = golden; // a 60 x 60 block (0.75 %) 3 or 253 off: caught
    for (int y = 400; y < 460; y++)
        for (int x = 600; x < 660; x++) changed.rgb[(size_t(y) * 800 + x) * 3 + 2] += 3;
    EXPECT_FALSE(MatchesGolden(changed, "render_scene"));
    const std::string out = BinaryPath("tests/golden-out/render_scene");
    ASSERT_TRUE(ReadPicture(out + ".diff.png", &diff));
    EXPECT_TRUE(diff.At(630, 430) == 0xFF0000u && diff.At(100, 500) != 0xFF0000u);
    std::filesystem::remove(out + ".diff.png"), std::filesystem::remove(out + ".actual.png");
}
