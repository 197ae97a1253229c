// art_pictures_test.cpp - the generator's pictures whose shape the game's rules rely on: solid
// wall tiles, a glyph for every code the text uses, drone flashes that match their drone.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/image.h"
#include "tools/assetgen/art_pictures.h"

namespace {

constexpr int SHEET = 3002;

struct Rgb {
    int r, g, b;
};
Rgb Split(uint32_t n) { // the decoder's colour numbers have red in the lowest byte
    return {int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF)};
}
bool Load(const PictureBytes& bytes) {
    return !bytes.empty() && CatchImage(SHEET, bytes.data(), bytes.size());
}
uint32_t At(int x, int y) {
    return ImagePixel(SHEET, x, y);
}
constexpr auto Opaque = [](Rgb c) { return c.r || c.g || c.b; };
constexpr auto Yellow = [](Rgb c) { return c.r > 180 && c.g > 120 && c.b < 90; };

// The pixels of a box that count (by default those not key black), their mean column within
// the box and their mean colour.
struct Ink {
    int count = 0;
    double meanX = 0, r = 0, g = 0, b = 0;
};
Ink InkOf(int x0, int y0, int w, int h, bool (*counts)(Rgb) = Opaque) {
    Ink ink;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) {
            const Rgb s = Split(At(x, y));
            if (!counts(s)) continue;
            ink.count++, ink.meanX += x - x0, ink.r += s.r, ink.g += s.g, ink.b += s.b;
        }
    if (ink.count)
        for (double* v : {&ink.meanX, &ink.r, &ink.g, &ink.b}) *v /= ink.count;
    return ink;
}
int KeyPixels(int x0, int y0, int w, int h) {
    return w * h - InkOf(x0, y0, w, h).count;
}
std::vector<uint32_t> Box(int x0, int y0, int w, int h) {
    std::vector<uint32_t> pixels;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) pixels.push_back(At(x, y));
    return pixels;
}

} // namespace

TEST(TilePictures, WallsAndMachinesAreSolidWhileSceneryLetsTheBackdropThrough) {
    ASSERT_TRUE(Load(MakeTiles()));
    auto keyed = [](int t) { return KeyPixels(64 * (t % 6), 64 * (t / 6), 64, 64); };
    EXPECT_EQ(keyed(0), 64 * 64) << "tile 0 is never drawn and stays black";
    for (int t = 1; t <= 23; t++) EXPECT_EQ(keyed(t), 0) << "wall tile " << t << " has a hole";
    for (int t : {24, 25, 26, 27, 30, 31, 32, 33, 36, 37})
        EXPECT_GT(keyed(t), 64 * 64 / 4) << "scenery tile " << t << " hides the backdrop";
    for (int t : {28, 29, 34, 35, 38, 39, 40, 41}) EXPECT_EQ(keyed(t), 0) << "tile " << t;
    for (int t = 38; t <= 41; t++) { // dark, but with a structure that reads, not a hole
        const Ink ink = InkOf(64 * (t % 6), 64 * (t / 6), 64, 64);
        EXPECT_LT(std::max({ink.r, ink.g, ink.b}), 48) << "dark tile " << t;
        std::vector<int> light;
        for (uint32_t n : Box(64 * (t % 6), 64 * (t / 6), 64, 64))
            light.push_back(std::max({Split(n).r, Split(n).g, Split(n).b}));
        std::sort(light.begin(), light.end());
        EXPECT_GT(light[light.size() * 9 / 10] - light[light.size() / 10], 20) << "flat tile " << t;
    }
    for (int t = 18; t <= 23; t++) // the machines' striped top
        EXPECT_GT(InkOf(64 * (t % 6), 64 * (t / 6) + 6, 64, 1, Yellow).count, 16) << "tile " << t;
}

TEST(DronePictures, FlashSilhouettesAreTheDronesOutlineInPlainWhite) {
    ASSERT_TRUE(Load(MakeEnemies()));
    for (int row = 0; row < 3; row++) {
        int opaque = 0, wrong = 0;
        for (int y = 32 * row; y < 32 * row + 32; y++)
            for (int x = 0; x < 32; x++) {
                wrong += At(32 + x, y) != (At(x, y) ? 0xFFFFFFu : 0u);
                opaque += At(x, y) != 0;
            }
        EXPECT_EQ(wrong, 0) << "row " << row;
        EXPECT_TRUE(opaque > 200 && opaque < 32 * 32 - 100) << "row " << row << ": " << opaque;
    }
}

TEST(FontPictures, EveryCodeButSpaceHasAGlyphInsideItsCell) {
    for (bool blue : {true, false}) {
        SCOPED_TRACE(blue ? "font1" : "font0");
        ASSERT_TRUE(Load(blue ? MakeFontSheetBlue() : MakeFontSheetChrome()));
        for (int n = 0; n < 60; n++) {
            const int ink = InkOf(16 * (n % 20), 16 * (n / 20), 16, 16).count;
            EXPECT_TRUE(n == 0 ? ink == 0 : ink > 12) << "code " << 32 + n << ": " << ink;
        }
        EXPECT_EQ(InkOf(0, 48, 320, blue ? 0 : 1).count, 0) << "font 0's extra row stays black";
    }
}
