// draw_test.cpp - projections, letterbox maths, the state rules of sprites and primitives,
// the distance test, fonts and text, and one golden picture of every kind of drawing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/platform.h"
#include "render/backdrop.h"
#include "render/draw.h"
#include "render/text.h"
#include "tests/render/render_fixture.h"

namespace {

// A 320-wide 8-bit sheet with the cells of `filled` white and the rest black; a 49th row
// (red) lies below the three rows of cells when `height` is 49.
std::vector<uint8_t> FontSheet(const char* filled, int height) {
    std::vector<uint32_t> pixels(size_t(320) * height, 0);
    for (const char* c = filled; *c; c++)
        for (int i = 0; i < 256; i++)
            pixels[size_t(16 * ((*c - 32) / 20) + i / 16) * 320 + 16 * ((*c - 32) % 20) + i % 16] =
                1;
    for (int x = 48 * 320; x < height * 320; x++) pixels[x] = 2;
    return MakeBmp(320, height, 8, pixels, {0, 0xFFFFFF, 0xFF0000});
}

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
                            {1001, 751, 0, 0, 1001, 751},   {0, 0, 0, 0, 800, 600}};
    for (const auto& c : cases) {
        const PlatformFrameRect r = FrameRectForDrawable(c[0], c[1]);
        EXPECT_EQ((std::vector<int>{r.x, r.y, r.width, r.height}),
                  (std::vector<int>{c[2], c[3], c[4], c[5]}))
            << c[0] << " x " << c[1];
        EXPECT_FLOAT_EQ(r.scale, float(c[4]) / 800.0f);
    }
}

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

// Sprites are queued and drawn in runs of one texture: a sprite may join an earlier run only
// where nothing queued since covers it, and a frame of one texture takes a few GL calls.
TEST_F(Sprites, QueuedSpritesOverlapInTheOrderAskedAndOneTextureTakesFewCalls) {
    const uint32_t red = MakeTexture(16, 16, std::vector<uint32_t>(256, 0xFF0000));
    const uint32_t blue = MakeTexture(16, 16, std::vector<uint32_t>(256, 0x0000FF));
    RenderCallCount = 0;
    DrawSprite(red, 100, 100, 40, 40);
    DrawSprite(blue, 120, 100, 40, 40);
    DrawSpriteRotated(red, 160, 120, 0, 40); // over the blue one: may not join the first run
    DrawSprite(red, 400, 100, 40, 40);       // clear of the blue one: joins it
    DrawSprite(blue, 410, 110, 20, 20);      // over the last red one
    for (int i = 0; i < 500; i++) DrawSpriteRotated(red, 20.0f + i % 50, 300.0f + i / 50, 0, 8);
    FinishDrawing();
    const uint32_t calls = RenderCallCount;
    const Picture p = ReadBackBuffer();
    EXPECT_PIXEL(p, 110, 120, 0xFF0000, 0);
    EXPECT_PIXEL(p, 130, 120, 0x0000FF, 0);
    EXPECT_PIXEL(p, 150, 120, 0xFF0000, 0);
    EXPECT_PIXEL(p, 420, 120, 0x0000FF, 0);
    EXPECT_PIXEL(p, 405, 105, 0xFF0000, 0);
    EXPECT_LT(calls, 40u) << "505 sprites of two textures, drawn in runs";
}

// A kept backdrop puts back the very bytes its frame had over the areas given, under what
// the frame draws next; a forgotten one draws nothing.
TEST_F(Sprites, AKeptBackdropGivesTheFrameItWasCopiedFromByteForByte) {
    std::vector<uint32_t> ring(64 * 64);
    for (int i = 0; i < 64 * 64; i++)
        ring[i] =
            (i % 64 - 32) * (i % 64 - 32) + (i / 64 - 32) * (i / 64 - 32) < 900 ? 0xF0A030 + i : 0;
    const uint32_t texture = MakeTexture(64, 64, ring, 0, 0, 2);
    const auto drawStill = [&] {
        AlphaBlendOn();
        DrawSpriteRotated(texture, 150, 170, 0, 256); // filtered, blended, scaled up
        SetColor(0.5f, 1, 0.5f, 0.7f);
        DrawSpriteRotated(texture, 500, 400, 33, 150); // turned, tinted
        SetColor(1, 1, 1, 1);
    };
    const FrameArea areas[] = {{22, 42, 256, 256}, {390, 290, 220, 220}};
    drawStill();
    KeepBackdrop(areas, 2);
    DrawText(0, "OVER", 100, 160, 20, 20);
    const Picture first = ReadBackBuffer();
    ClearDisplay();
    Begin2D(800, 600);
    ASSERT_TRUE(DrawBackdrop());
    DrawText(0, "OVER", 100, 160, 20, 20);
    const Picture again = ReadBackBuffer();
    EXPECT_TRUE(first.rgb == again.rgb);
    EXPECT_GT(CountOther(again, 22, 42, 256, 256, GAME_CLEAR), 20000) << "the sprite is there";
    ForgetBackdrop();
    ClearDisplay();
    EXPECT_FALSE(DrawBackdrop());
    EXPECT_EQ(CountOther(ReadBackBuffer(), 0, 0, 800, 600, GAME_CLEAR), 0);
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

// ---------------------------------------------------------------- text
using Text = RenderTest;

TEST_F(Text, GlyphKStartsOneGlyphWidthAndAPixelRightOfXAndMissingGlyphsAreBlocks) {
    const std::vector<uint8_t> sheet = FontSheet("AH[", 49);
    ASSERT_EQ(LoadFont(1, sheet.data(), sheet.size(), 0, 0), 1);
    EXPECT_TRUE(GlyphTexture(1, 32) && GlyphTexture(1, 91) && !GlyphTexture(1, 92)) << "32 to 91";
    DrawText(1, "A A", 100, 100, 20, 20);               // the space's empty cell draws nothing
    DrawTextEx(1, "Aa", 0, 200, 10, 30, 0, 0, 1, 0, 1); // lower case has no glyph
    DrawText(1, "H[\x7F", 0, 300, 16, 16);              // row 48 of the sheet never reaches a glyph
    DrawText(5, "A", 400, 100, 20, 20);                 // a slot never loaded
    const Picture p = ReadBackBuffer();
    EXPECT_EQ(CountOther(p, 121, 100, 20, 20, 0xFFFFFF) + CountOther(p, 161, 100, 20, 20, 0xFFFFFF),
              0);
    EXPECT_EQ(
        CountOther(p, 120, 99, 62, 1, GAME_CLEAR) + CountOther(p, 141, 100, 20, 20, GAME_CLEAR), 0);
    EXPECT_EQ(
        CountOther(p, 120, 100, 1, 21, GAME_CLEAR) + CountOther(p, 181, 100, 1, 21, GAME_CLEAR), 0);
    EXPECT_EQ(CountOther(p, 11, 200, 20, 30, 0x00FF00), 0);
    EXPECT_PIXEL(p, 16, 230, GAME_CLEAR, 0);
    EXPECT_EQ(CountOther(p, 17, 300, 48, 16, 0xFFFFFF), 0);
    EXPECT_PIXEL(p, 20, 316, GAME_CLEAR, 0);
    EXPECT_EQ(CountOther(p, 421, 100, 20, 20, 0xFFFFFF), 0);
}

TEST(FontLoading, ASheetThatDoesNotDecodeOrASlotOutsideLoadsNothing) {
    const std::vector<uint8_t> junk(100, 0x42);
    EXPECT_EQ(LoadFont(2, junk.data(), junk.size(), 0, 1), 0);
    EXPECT_EQ(GlyphTexture(2, 'A'), 0u);
    EXPECT_EQ(LoadFont(21, nullptr, 0, 0, 1), 0);
    EXPECT_EQ(GlyphTexture(21, 'A') + GlyphTexture(0, 121) + GlyphTexture(0, -1), 0u);
}

// ---------------------------------------------------------------- golden pictures
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
