// art_pictures_test.cpp - the committed pictures in assets/ read as the game reads them:
// the player faces left as drawn and mirrors cleanly, walls are solid and scenery lets the
// backdrop through, flash silhouettes match their drones, every glyph is there, and the
// gradients run the way the screens use them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "tests/testkit.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

constexpr int SHEET = 3002;

struct Rgb {
    int r, g, b;
};
Rgb Split(uint32_t n) {
    return {int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF)};
}

// Decodes assets/<name> into the scratch image; false when missing or undecodable.
bool LoadSheet(const std::string& name) {
    const std::vector<uint8_t> bytes = ReadFileBytes(SourcePath("assets/" + name));
    return !bytes.empty() && CatchImage(SHEET, bytes.data(), bytes.size());
}

uint32_t At(int x, int y) {
    return ImagePixel(SHEET, x, y);
}

// Key pixels (pure black) in the box.
int KeyPixels(int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) n += At(x, y) == 0;
    return n;
}

} // namespace

TEST(PlayerPicture, RobotFacesLeftAsDrawnWithItsJetPackBehind) {
    ASSERT_TRUE(LoadSheet("torso.bmp"));
    // where the cyan visor light sits, on average, and how far the body reaches either way
    double visorX = 0;
    int visor = 0, left = 64, right = -1;
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            const Rgb c = Split(At(x, y));
            if (c.b > 235 && c.g > 190 && c.r < 200) visorX += x, visor++;
            if (At(x, y) != 0) left = std::min(left, x), right = std::max(right, x);
        }
    ASSERT_GT(visor, 6);
    EXPECT_LT(visorX / visor, 28) << "the visor looks left";
    EXPECT_LT(left, 16) << "the gun reaches out in front";
    EXPECT_GT(right, 44) << "the jet pack sits behind";
    // the torso keeps to the upper part: the legs, drawn over it, own the bottom rows
    EXPECT_EQ(KeyPixels(0, 48, 64, 16), 64 * 16);
}

TEST(PlayerPicture, LegPosesStandOnTheGroundAndMakeAWalkCycle) {
    ASSERT_TRUE(LoadSheet("legs.bmp"));
    std::vector<std::vector<uint32_t>> poses;
    for (int pose = 0; pose < 5; pose++) {
        std::vector<uint32_t> pixels;
        int lowest = -1;
        for (int y = 0; y < 64; y++)
            for (int x = 0; x < 64; x++) {
                pixels.push_back(At(64 * pose + x, y));
                if (pixels.back() != 0) lowest = y;
            }
        EXPECT_GE(lowest, 60) << "pose " << pose << " keeps a foot on the ground";
        EXPECT_LT(KeyPixels(64 * pose, 0, 64, 24), 64 * 24 + 1);
        EXPECT_EQ(KeyPixels(64 * pose, 0, 64, 20), 64 * 20) << "no leg reaches up into the chest";
        for (const auto& other : poses) EXPECT_NE(pixels, other) << "pose " << pose << " repeats";
        poses.push_back(pixels);
    }
}

TEST(TilePictures, WallsAndMachinesAreSolidWhileSceneryLetsTheBackdropThrough) {
    ASSERT_TRUE(LoadSheet("tiles.bmp"));
    auto keyed = [](int t) { return KeyPixels(64 * (t % 6), 64 * (t / 6), 64, 64); };
    EXPECT_EQ(keyed(0), 64 * 64) << "tile 0 is never drawn and stays black";
    for (int t = 1; t <= 23; t++) EXPECT_EQ(keyed(t), 0) << "wall tile " << t << " has a hole";
    for (int t : {24, 25, 26, 27, 30, 31, 32, 33, 36, 37})
        EXPECT_GT(keyed(t), 64 * 64 / 4) << "scenery tile " << t << " hides the backdrop";
    for (int t : {28, 29, 34, 35}) EXPECT_EQ(keyed(t), 0) << "gate tile " << t;
    for (int t = 38; t <= 41; t++) {
        EXPECT_EQ(keyed(t), 0) << "dark tile " << t;
        for (int y = 0; y < 64; y += 7)
            for (int x = 0; x < 64; x += 7) {
                const Rgb c = Split(At(64 * (t % 6) + x, 64 * (t / 6) + y));
                EXPECT_LT(std::max(c.r, std::max(c.g, c.b)), 40) << "dark tile " << t;
            }
    }
    // the three machines share their striped top: yellow along row 3 of both halves
    for (int t = 18; t <= 23; t++) {
        int yellow = 0;
        for (int x = 0; x < 64; x++) {
            const Rgb c = Split(At(64 * (t % 6) + x, 64 * (t / 6) + 6));
            yellow += c.r > 180 && c.g > 120 && c.b < 90;
        }
        EXPECT_GT(yellow, 16) << "machine tile " << t;
    }
}

TEST(DronePictures, FlashSilhouettesAreTheDronesOutlineInPlainWhite) {
    ASSERT_TRUE(LoadSheet("enemies.bmp"));
    for (int row = 0; row < 3; row++) {
        int opaque = 0;
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                const uint32_t drone = At(x, 32 * row + y), flash = At(32 + x, 32 * row + y);
                EXPECT_EQ(flash, drone ? 0xFFFFFFu : 0u)
                    << "row " << row << " at " << x << ", " << y;
                opaque += drone != 0;
            }
        EXPECT_GT(opaque, 200) << "row " << row;
        EXPECT_LT(opaque, 32 * 32 - 100) << "row " << row << " must keep clear surroundings";
    }
}

TEST(FontPictures, EveryCodeButSpaceHasAGlyphInsideItsCell) {
    for (const char* sheet : {"font1.bmp", "font0.bmp"}) {
        SCOPED_TRACE(sheet);
        ASSERT_TRUE(LoadSheet(sheet));
        for (int n = 0; n < 60; n++) {
            const int x0 = 16 * (n % 20), y0 = 16 * (n / 20);
            const int ink = 256 - KeyPixels(x0, y0, 16, 16);
            if (n == 0) {
                EXPECT_EQ(ink, 0) << "space";
            } else {
                EXPECT_GT(ink, 12) << "code " << 32 + n;
            }
        }
        if (ImageHeight(SHEET) == 49) {
            EXPECT_EQ(KeyPixels(0, 48, 320, 1), 320);
        }
    }
    // font 1 is light blue and white: no glyph pixel leans to red
    ASSERT_TRUE(LoadSheet("font1.bmp"));
    int white = 0;
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 320; x++) {
            const Rgb c = Split(At(x, y));
            if (At(x, y) == 0) continue;
            EXPECT_GE(c.b, c.r) << x << ", " << y;
            white += c.r > 235 && c.g > 235 && c.b > 235;
        }
    EXPECT_GT(white, 300);
}

TEST(ItemPictures, CrosshairIsAnOpaqueNearBlackGridWithClearPanes) {
    ASSERT_TRUE(LoadSheet("items.bmp"));
    const int x0 = 64; // item 2
    const Rgb bar = Split(At(x0 + 16, 10)), frame = Split(At(x0 + 3, 20));
    for (const Rgb& c : {bar, frame}) {
        EXPECT_FALSE(c.r == 0 && c.g == 0 && c.b == 0) << "the grid must not be keyed away";
        EXPECT_LT(c.r + c.g + c.b, 60);
    }
    for (int q = 0; q < 4; q++)
        EXPECT_EQ(At(x0 + 10 + 12 * (q % 2), 10 + 12 * (q / 2)), 0u) << "pane " << q;
    // the two spare rows below the items stay black
    EXPECT_EQ(KeyPixels(0, 32, 128, 2), 256);
}

TEST(HudPictures, PipesRunAlongTheTopOfEachPieceAndOnlyPieceThreeIsBanded) {
    ASSERT_TRUE(LoadSheet("hud_frame.bmp"));
    auto yellowIn = [](int piece) {
        int n = 0;
        for (int y = 0; y < 64; y++)
            for (int x = 0; x < 64; x++) {
                const Rgb c = Split(At(64 * piece + x, y));
                n += c.r > 180 && c.g > 130 && c.b < 80;
            }
        return n;
    };
    for (int piece : {1, 3}) {
        EXPECT_EQ(KeyPixels(64 * piece, 36, 64, 28), 64 * 28)
            << "the gauges hang below piece " << piece;
        EXPECT_EQ(KeyPixels(64 * piece, 6, 64, 8), 0) << "upper pipe of piece " << piece;
        EXPECT_EQ(KeyPixels(64 * piece, 20, 64, 8), 0) << "lower pipe of piece " << piece;
    }
    EXPECT_GT(yellowIn(3), 100);
    EXPECT_EQ(yellowIn(1), 0);
    // the bends turn down to the bottom edge, the left one at the left, the right at the right
    EXPECT_GT(64 - KeyPixels(0, 63, 32, 1) + 0, 32);
    EXPECT_EQ(KeyPixels(32, 63, 32, 1), 32);
    EXPECT_EQ(KeyPixels(128, 63, 32, 1), 32);
    EXPECT_LT(KeyPixels(160, 63, 32, 1), 32);
}

TEST(GradientPictures, RainbowBarAndGlowRunTheWayTheScreensUseThem) {
    // rainbow: purple at both ends, red near the top, green in the middle, never black
    ASSERT_TRUE(LoadSheet("rainbow.bmp"));
    const Rgb top = Split(At(0, 0)), bottom = Split(At(0, 599)), red = Split(At(0, 86)),
              green = Split(At(0, 342)), blue = Split(At(0, 514));
    for (const Rgb& purple : {top, bottom}) EXPECT_TRUE(purple.r > purple.g && purple.b > purple.g);
    EXPECT_TRUE(red.r > 200 && red.g < 80 && red.b < 80);
    EXPECT_TRUE(green.g > 200 && green.r < 100);
    EXPECT_TRUE(blue.b > 200 && blue.r < 100);
    for (int y = 0; y < 600; y++) EXPECT_NE(At(0, y), 0u) << "row " << y;

    // highlight bar: white in the middle rows, falling away to black, the same in every column
    ASSERT_TRUE(LoadSheet("highlight_bar.bmp"));
    EXPECT_EQ(At(10, 31), 0xFFFFFFu);
    EXPECT_EQ(At(10, 0), 0u);
    EXPECT_EQ(At(10, 63), 0u);
    for (int y = 0; y < 64; y++) {
        const uint32_t row = At(0, y);
        EXPECT_EQ(Split(row).r, Split(row).b) << "grey";
        for (int x = 1; x < 64; x++) ASSERT_EQ(At(x, y), row) << "row " << y;
        // rising towards the middle from either edge
        const int neighbour = y <= 31 ? y - 1 : y + 1;
        if (neighbour >= 0 && neighbour < 64) {
            EXPECT_GE(Split(row).r, Split(At(0, neighbour)).r) << "row " << y;
        }
    }

    // glow block: a white-yellow middle, orange on the way out, transparent black corners
    const std::vector<uint8_t> glow = ReadFileBytes(SourcePath("assets/glow.rgba"));
    ASSERT_EQ(glow.size(), 16384u);
    auto texel = [&](int x, int y) { return &glow[(y * 64 + x) * 4]; };
    EXPECT_GT(texel(32, 32)[3], 240);
    EXPECT_GT(texel(32, 32)[2], 150) << "the middle is nearly white";
    EXPECT_GT(texel(32, 12)[0], texel(32, 12)[2] + 80) << "orange halfway out";
    for (int k = 0; k < 4; k++) EXPECT_EQ(texel(63 * (k % 2), 63 * (k / 2))[3], 0);
    EXPECT_EQ(texel(0, 0)[0] + texel(0, 0)[1] + texel(0, 0)[2], 0);
}

// ---------------------------------------------------------------- on screen
class PicturesOnScreen : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { open = OpenTestDisplay(); }
    static void TearDownTestSuite() {
        if (open) CloseTestDisplay();
    }
    void SetUp() override { ASSERT_TRUE(open) << "no test display"; }
    static void BeginFrame() {
        SetClearColor(0, 1, 0, 1);
        ClearDisplay();
        Begin2D(800, 600);
        ResetTransform();
    }
    static bool open;
};
bool PicturesOnScreen::open = false;

TEST_F(PicturesOnScreen, KeyBlackDrawsNothingWhileTheDarkestRedStaysOpaque) {
    // the writer's file, the game's decoder and texture maker, drawn and read back
    const int n = 8;
    std::vector<uint8_t> rgb(n * n * 3, 0);
    for (int y = 0; y < n; y++)
        for (int x = n / 2; x < n; x++) rgb[(y * n + x) * 3] = 1;
    const std::vector<uint8_t> file = EncodeBmpDirect(n, n, rgb, 24);
    ASSERT_TRUE(CatchImage(GrabImageNumber, file.data(), file.size()));
    for (int filter : {0, 1}) {
        SCOPED_TRACE(filter);
        const uint32_t texture = TextureFromImage(0, 0, filter, 1);
        BeginFrame();
        DrawSprite(texture, 100, 100, 160, 160);
        const Picture shot = ReadBackBuffer();
        FlipDisplay();
        EXPECT_EQ(shot.At(120, 180), 0x00FF00u) << "black must be see-through";
        EXPECT_EQ(shot.At(240, 180), 0x010000u) << "(1, 0, 0) must cover the backdrop";
    }
}

TEST_F(PicturesOnScreen, MirroredTorsoIsTheTorsoFlippedLeftToRight) {
    ASSERT_TRUE(LoadSheet("torso.bmp"));
    ASSERT_TRUE(GrabImage(SHEET, GrabImageNumber, 0, 0, 64, 64));
    const uint32_t asDrawn = TextureFromImage(0, 0, 1, 0), mirrored = TextureFromImage(0, 1, 1, 0);
    BeginFrame();
    DrawSprite(asDrawn, 100, 100, 64, 64);
    DrawSprite(mirrored, 300, 100, 64, 64);
    const Picture shot = ReadBackBuffer();
    FlipDisplay();
    int differ = 0, mismatched = 0, shown = 0;
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            const uint32_t left = shot.At(100 + x, 100 + y);
            mismatched += left != shot.At(300 + 63 - x, 100 + y);
            differ += left != shot.At(300 + x, 100 + y);
            shown += left != 0x00FF00u;
        }
    EXPECT_EQ(mismatched, 0);
    EXPECT_GT(differ, 500) << "the torso is not symmetric, so the mirror must show";
    EXPECT_GT(shown, 600);
}
