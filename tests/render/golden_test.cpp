// golden_test.cpp - one picture of every kind of drawing the render layer does, kept as a
// golden picture, and the comparison itself: what it lets pass and what it catches.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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
        DrawSpriteFaded(SolidTexture(0xFFFFFF), 520 + 50.0f * i, 52, 15.0f * i, 40, 40,
                        0.2f * (i + 1));
    AlphaBlendOff();
    DrawGradientQuad(20, 120, 780, 200, 0.9f, 0.2f, 0.1f, 0.1f, 0.2f, 0.9f);
    for (int i = 0; i < 8; i++)
        DrawLine(20 + 40 * i, 220, 60 + 40 * i, 300, 1, 1 - 0.1f * i, 0.1f * i, 1, float(1 + i));
    for (int i = 0; i < 8; i++) DrawPoint(380 + 40 * i, 260, 0.1f * i, 1, 1, 1, float(2 + 2 * i));
    const std::vector<uint8_t> sheet = [] {
        BmpSpec s;
        s.width = 320, s.height = 48, s.bits = 8, s.palette = {0x000000, 0xFFFFFF, 0x808080};
        s.pixels.assign(320 * 48, 0);
        for (int n = 0; n < 60; n++) // each glyph a frame with a diagonal, unlike its neighbours
            for (int y = 0; y < 16; y++)
                for (int x = 0; x < 16; x++) {
                    const bool edge = x == 0 || y == 0 || x == 15 || y == 15;
                    const bool mark = (x + y * (n % 5 + 1)) % 7 == n % 7;
                    s.pixels[(16 * (n / 20) + y) * 320 + 16 * (n % 20) + x] = edge   ? 1
                                                                              : mark ? 2
                                                                                     : 0;
                }
        return MakeBmp(s);
    }();
    LoadFont(0, sheet.data(), sheet.size(), 0, 1);
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

// Sets or removes an environment variable for the lifetime of the object.
class EnvironmentVariable {
  public:
    EnvironmentVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) had_ = true, old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentVariable() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

} // namespace

using GoldenPicture = RenderTest;

TEST_F(GoldenPicture, EveryKindOfDrawingLooksAsItDid) {
    DrawScene();
    EXPECT_TRUE(MatchesGolden(ReadBackBuffer(), "render_scene"));
}

TEST_F(GoldenPicture, ComparisonPassesTinyDifferencesAndCatchesRealOnes) {
    EnvironmentVariable noUpdate("MORVEXA_UPDATE_GOLDEN", nullptr);
    DrawScene();
    const Picture drawn = ReadBackBuffer();
    ASSERT_TRUE(MatchesGolden(drawn, "render_scene")) << "the scene itself must match first";

    Picture shaded = drawn; // every pixel off by 2 in one channel: within tolerance
    for (size_t i = 0; i < shaded.rgb.size(); i += 3)
        shaded.rgb[i] = uint8_t(shaded.rgb[i] < 128 ? shaded.rgb[i] + 2 : shaded.rgb[i] - 2);
    EXPECT_TRUE(MatchesGolden(shaded, "render_scene"));

    Picture specks = drawn; // 200 pixels (0.04 %) far off: within the allowed share
    for (int i = 0; i < 200; i++) specks.rgb[size_t(i) * 2399 * 3 + 1] ^= 0x80;
    EXPECT_TRUE(MatchesGolden(specks, "render_scene"));

    Picture moved = drawn; // a 60 x 60 block (0.75 %) off by 3: caught
    for (int y = 400; y < 460; y++)
        for (int x = 600; x < 660; x++) {
            uint8_t& blue = moved.rgb[(size_t(y) * 800 + x) * 3 + 2];
            blue = uint8_t(blue < 128 ? blue + 3 : blue - 3);
        }
    const std::string out = BinaryPath("tests/golden-out/render_scene");
    std::filesystem::remove(out + ".actual.png");
    std::filesystem::remove(out + ".diff.png");
    EXPECT_FALSE(MatchesGolden(moved, "render_scene"));
    Picture actual, diff;
    ASSERT_TRUE(ReadPicture(out + ".actual.png", &actual));
    ASSERT_TRUE(ReadPicture(out + ".diff.png", &diff));
    EXPECT_TRUE(actual.rgb == moved.rgb);
    EXPECT_EQ(diff.At(630, 430), 0xFF0000u); // differing pixels in red
    EXPECT_NE(diff.At(100, 500), 0xFF0000u);
    std::filesystem::remove(out + ".actual.png");
    std::filesystem::remove(out + ".diff.png");

    Picture small = drawn;
    small.width = 400, small.height = 300, small.rgb.resize(400 * 300 * 3);
    EXPECT_FALSE(MatchesGolden(small, "render_scene"));
    std::filesystem::remove(out + ".actual.png");
    const ::testing::AssertionResult missing = MatchesGolden(drawn, "no_such_golden_picture");
    EXPECT_FALSE(missing);
    EXPECT_NE(std::string(missing.message()).find("MORVEXA_UPDATE_GOLDEN=1"), std::string::npos);
    std::filesystem::remove(BinaryPath("tests/golden-out/no_such_golden_picture.actual.png"));
}

TEST_F(GoldenPicture, UpdateModeWritesTheGoldenInstead) {
    EnvironmentVariable update("MORVEXA_UPDATE_GOLDEN", "1");
    const std::string golden = SourcePath("tests/golden/zz_update_mode_check.png");
    DrawSpriteEx(0, 10, 10, 50, 50, 0, 1, 0, 0, 1);
    const Picture drawn = ReadBackBuffer();
    EXPECT_TRUE(MatchesGolden(drawn, "zz_update_mode_check"));
    Picture written;
    const bool read = ReadPicture(golden, &written);
    std::filesystem::remove(golden);
    ASSERT_TRUE(read);
    EXPECT_TRUE(written.rgb == drawn.rgb);
}
