// image_test.cpp - BMP decoding of every depth against known pixels, refusal of bad files,
// GrabImage, and the textures made from image 1000 (orientation, key colour, filters) as
// they appear on screen.
#include <gtest/gtest.h>

#include "render/draw.h"
#include "tests/render/render_fixture.h"

namespace {

// Every pixel of image `number`, top row first, as 0xRRGGBB.
std::vector<uint32_t> Pixels(int number) {
    std::vector<uint32_t> out;
    for (int y = 0; y < ImageHeight(number); y++)
        for (int x = 0; x < ImageWidth(number); x++) {
            const uint32_t c = ImagePixel(number, x, y); // red + 256 green + 65536 blue
            out.push_back(((c & 255) << 16) | (c & 0xFF00) | (c >> 16));
        }
    return out;
}

std::vector<uint32_t> Palette(int colours) {
    std::vector<uint32_t> p;
    for (uint32_t i = 0; int(i) < colours; i++)
        p.push_back((i << 16) | ((255 - i) << 8) | (i * 7 & 255));
    return p;
}

} // namespace

TEST(BmpDecoding, EveryDepthInEitherRowOrderGivesThePicture) {
    const std::vector<uint32_t> direct = {0xFF0000, 0x00FF00, 0x0000FF, 0x010203, 0xFEFDFC,
                                          0x000000, 0x123456, 0x654321, 0xFFFFFF};
    const std::vector<uint32_t> nibbles = {9, 10, 12, 15, 0, 1, 2, 3, 4, 5, 11, 13, 14, 7, 8};
    // Widths leave row padding at every depth; 8 bits also with "colours used" 0 (all 256)
    // and with a palette of two colours that the pixels must be found after.
    const struct {
        int32_t width, height, bits;
        bool topDown;
        std::vector<uint32_t> pixels, palette;
        int64_t coloursUsed;
    } cases[] = {{5, 3, 4, false, nibbles, Palette(16), -1},
                 {5, 3, 4, true, nibbles, Palette(16), -1},
                 {3, 2, 8, false, {0, 255, 128, 17, 200, 3}, Palette(256), -1},
                 {3, 2, 8, true, {0, 255, 128, 17, 200, 3}, Palette(256), 0},
                 {2, 2, 8, false, {1, 0, 0, 1}, Palette(2), -1},
                 {3, 3, 24, false, direct, {}, -1},
                 {3, 3, 24, true, direct, {}, -1},
                 {3, 3, 32, false, direct, {}, -1},
                 {3, 3, 32, true, direct, {}, -1}};
    for (const auto& s : cases) {
        SCOPED_TRACE(testing::Message() << s.bits << " bits" << (s.topDown ? ", top down" : ""));
        const std::vector<uint8_t> bmp =
            MakeBmp(s.width, s.height, s.bits, s.pixels, s.palette, s.topDown, s.coloursUsed);
        ASSERT_EQ(CatchImage(7, bmp.data(), bmp.size()), 1);
        EXPECT_EQ(ImageWidth(7), s.width);
        std::vector<uint32_t> expected = s.pixels;
        if (s.bits <= 8)
            for (uint32_t& p : expected) p = s.palette[p];
        EXPECT_EQ(Pixels(7), expected);
    }
}

TEST(BmpDecoding, BadFilesAreRefusedAndStoreNothing) {
    const std::vector<uint8_t> base = MakeBmp(4, 4, 8, std::vector<uint32_t>(16, 9), Palette(16));
    auto patched = [&](size_t at, uint32_t v, int bytes = 4) {
        std::vector<uint8_t> b = base;
        for (int i = 0; i < bytes; i++) b[at + i] = uint8_t(v >> (8 * i));
        return b;
    };
    // A palette running past the end while the one row of pixels (over its start) would fit.
    std::vector<uint8_t> cutPalette = MakeBmp(4, 1, 8, {1, 1, 1, 1}, Palette(16));
    cutPalette.resize(54 + 10 * 4);
    cutPalette[10] = 54;
    const std::pair<const char*, std::vector<uint8_t>> bad[] = {
        {"no magic", patched(0, 'B' | ('X' << 8), 2)},
        {"pixel offset past the data", patched(10, uint32_t(base.size()) + 1)},
        {"pixel offset leaves too few rows", patched(10, 54 + 16 * 4 + 4)},
        {"huge pixel offset", patched(10, 0xFFFFFFF0u)},
        {"header size past the data", patched(14, 0xFFFFFFF0u)},
        {"zero width", patched(18, 0)},
        {"huge width", patched(18, 0x7FFFFFFF)},
        {"huge height", patched(22, 0x40000000)},
        {"most negative height", patched(22, 0x80000000u)},
        {"depth 16", patched(28, 16, 2)},
        {"compressed", patched(30, 1)},
        {"truncated file", std::vector<uint8_t>(base.begin(), base.end() - 1)},
        {"header only", std::vector<uint8_t>(base.begin(), base.begin() + 40)},
        {"truncated palette", cutPalette},
        {"empty", {}}};
    const std::vector<uint8_t> keep = MakeBmp(2, 1, 24, {0x112233, 0x445566});
    for (const auto& [what, bytes] : bad) {
        ASSERT_EQ(CatchImage(12, keep.data(), keep.size()), 1);
        std::vector<uint8_t> exact(bytes); // exactly its size: a read past it is out of bounds
        EXPECT_EQ(CatchImage(12, exact.empty() ? nullptr : exact.data(), exact.size()), 0) << what;
        EXPECT_EQ(Pixels(12), (std::vector<uint32_t>{0x112233, 0x445566})) << what;
    }
}

TEST(GrabImage, CopiesTheRectangleAndRefusesOneOutsideTheSource) {
    std::vector<uint32_t> pixels;
    for (uint32_t i = 0; i < 12; i++) pixels.push_back(0x100000 * (i + 1) + i);
    const std::vector<uint8_t> bmp = MakeBmp(4, 3, 24, pixels);
    ASSERT_EQ(CatchImage(WorkImage, bmp.data(), bmp.size()), 1);
    ASSERT_EQ(GrabImage(WorkImage, 20, 1, 1, 2, 2), 1);
    EXPECT_EQ(Pixels(20), (std::vector<uint32_t>{pixels[5], pixels[6], pixels[9], pixels[10]}));
    const int boxes[][4] = {{3, 0, 2, 1}, {0, 2, 1, 2},  {-1, 0, 2, 2}, {0, -1, 1, 1},
                            {0, 0, 0, 1}, {0, 0, 1, -1}, {0, 0, 5, 3},  {INT32_MAX, 0, 1, 1}};
    for (const auto& b : boxes)
        EXPECT_EQ(GrabImage(WorkImage, 20, b[0], b[1], b[2], b[3]), 0) << b[0] << "," << b[1];
    EXPECT_EQ(GrabImage(4000, 20, 0, 0, 1, 1), 0); // no image there
    EXPECT_EQ(ImageWidth(20), 2);
}

// ---------------------------------------------------------------- textures on screen
using TextureOnScreen = RenderTest;

// Quadrants red, green / blue, (1, 0, 0) in five textures: orientations 0 to 3, then 0 with
// green keyed; orientation 4 gives a texture of zero bytes (alpha 0, nothing drawn). One white
// column in every eight, shrunk eight times: mipmapped, the average shows; linear, the columns
// between. Pixel textures take RGBA bytes as the design uploads them; its sprites run s down
// the screen, so the second texel of the first row shows bottom left.
TEST_F(TextureOnScreen, OrientationsKeyColourFiltersAndPixelTexturesAsDrawn) {
    std::vector<uint32_t> quads(16 * 16), columns(64 * 64);
    for (int i = 0; i < 256; i++)
        quads[i] =
            i < 128 ? (i % 16 < 8 ? 0xFF0000 : 0x00FF00) : (i % 16 < 8 ? 0x0000FF : 0x010000);
    for (int i = 0; i < 64 * 64; i++) columns[i] = i % 8 == 0 ? 0xFFFFFF : 0x000001;
    const uint32_t shown[5][4] = {{0xFF0000, 0x00FF00, 0x0000FF, 0x010000},
                                  {0x00FF00, 0xFF0000, 0x010000, 0x0000FF},
                                  {0x0000FF, 0x010000, 0xFF0000, 0x00FF00},
                                  {0x010000, 0x0000FF, 0x00FF00, 0xFF0000},
                                  {0xFF0000, GAME_CLEAR, 0x0000FF, 0x010000}};
    for (int o = 0; o < 5; o++)
        DrawSprite(MakeTexture(16, 16, quads, o < 4 ? 0 : 0x00FF00, o % 4), 10 + 155.0f * o, 100,
                   150, 150);
    DrawSprite(MakeTexture(16, 16, quads, 0, 4), 10, 300, 160, 160);
    DrawSprite(MakeTexture(64, 64, columns, 0, 0, 2), 200, 300, 8, 8);
    DrawSprite(MakeTexture(64, 64, columns, 0, 0, 1), 250, 300, 8, 8);
    EXPECT_EQ(MakeTexture(64, 64, columns, 0, 0, 3), 0u) << "no such filter";
    const uint8_t rgba[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 0};
    DrawSprite(TextureFromPixels(rgba, 16, 2), 300, 300, 200, 200);
    const Picture p = ReadBackBuffer();
    for (int o = 0; o < 5; o++)
        for (int q = 0; q < 4; q++)
            EXPECT_PIXEL(p, 50 + 155 * o + 70 * (q % 2), 140 + 70 * (q / 2), shown[o][q], 2)
                << "orientation " << o << ", quarter " << q;
    EXPECT_EQ(CountOther(p, 10, 300, 160, 160, GAME_CLEAR), 0);
    EXPECT_EQ(CountOther(p, 200, 300, 8, 8, 0x202020, 3), 0);
    EXPECT_EQ(CountOther(p, 250, 300, 8, 8, 0x000001, 1), 0);
    EXPECT_PIXEL(p, 350, 350, 0xFF0000, 4);
    EXPECT_PIXEL(p, 350, 450, 0x00FF00, 4);
    EXPECT_PIXEL(p, 450, 350, 0x0000FF, 4);
    EXPECT_PIXEL(p, 450, 450, GAME_CLEAR, 0);
}
