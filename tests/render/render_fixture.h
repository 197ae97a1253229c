// render_fixture.h - what the render layer's tests share: BMP files built in the test, a
// texture made the game's way (CatchImage into image 1000, TextureFromImage), pixel checks,
// and a fixture that opens the test display and starts a cleared 2D frame.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "render/display.h"
#include "render/image.h"
#include "tests/testkit.h"

constexpr uint32_t GAME_CLEAR = 0x293F6F; // (41, 63, 111), as 0xRRGGBB like Picture::At

// A BMP file; 4- and 8-bit pixels are palette indices, others 0xRRGGBB, top row first. Row
// padding and the fourth byte of 32-bit pixels are junk, so a decoder that reads them shows.
// coloursUsed -1 stores the palette's size.
inline std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, int bits,
                                    const std::vector<uint32_t>& pixels,
                                    const std::vector<uint32_t>& palette = {}, bool topDown = false,
                                    int64_t coloursUsed = -1) {
    const uint32_t stride = ((uint32_t(width) * bits + 31) / 32) * 4;
    const uint32_t offset = 54 + uint32_t(palette.size()) * 4;
    std::vector<uint8_t> b(offset + stride * uint32_t(height), 0xEE);
    auto put = [&](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; i++) b[at + i] = uint8_t(v >> (8 * i));
    };
    std::fill(b.begin(), b.begin() + offset, 0);
    b[0] = 'B', b[1] = 'M';
    put(2, uint32_t(b.size()), 4), put(10, offset, 4), put(14, 40, 4), put(18, width, 4);
    put(22, uint32_t(topDown ? -height : height), 4), put(26, 1, 2), put(28, bits, 2);
    put(46, coloursUsed < 0 ? uint32_t(palette.size()) : uint32_t(coloursUsed), 4);
    for (size_t i = 0; i < palette.size(); i++) put(54 + 4 * i, palette[i], 4);
    for (int32_t y = 0; y < height; y++) {
        const size_t row = offset + size_t(topDown ? y : height - 1 - y) * stride;
        for (int32_t x = 0; x < width; x++) {
            const uint32_t v = pixels[size_t(y) * width + x];
            if (bits == 4)
                b[row + x / 2] = uint8_t(x % 2 ? (b[row + x / 2] & 0xF0) | v : v << 4);
            else if (bits == 8)
                b[row + x] = uint8_t(v);
            else
                put(row + x * (bits / 8), v | 0xA5000000u, bits / 8);
        }
    }
    return b;
}

// A texture from 0xRRGGBB pixels, top row first, made the game's way.
inline uint32_t MakeTexture(int width, int height, const std::vector<uint32_t>& pixels,
                            uint32_t key = 0xFFFFFFFF, int orientation = 0, int filter = 0) {
    const std::vector<uint8_t> bmp = MakeBmp(width, height, 24, pixels);
    if (!CatchImage(GrabImageNumber, bmp.data(), bmp.size())) return 0;
    return TextureFromImage(key, orientation, filter, 1);
}
inline uint32_t WhiteTexture() {
    return MakeTexture(16, 16, std::vector<uint32_t>(256, 0xFFFFFF));
}

// Pixels of the rectangle that are more than `tolerance` off `colour` in some channel.
inline int CountOther(const Picture& p, int x, int y, int w, int h, uint32_t colour,
                      int tolerance = 0) {
    int n = 0;
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            for (int shift = 0; shift < 24; shift += 8)
                if (std::abs(int((p.At(i, j) >> shift) & 255) - int((colour >> shift) & 255)) >
                    tolerance) {
                    n++;
                    break;
                }
    return n;
}
#define EXPECT_PIXEL(p, x, y, colour, tolerance)                                                   \
    EXPECT_EQ(CountOther(p, x, y, 1, 1, colour, tolerance), 0)                                     \
        << "(" << (x) << ", " << (y) << ") is " << std::hex << (p).At(x, y)

// Opens the display as the game does, with the game's clear colour, and starts a 2D frame.
class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(OpenTestDisplay());
        SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1.0f);
        ClearDisplay();
        Begin2D(800, 600);
    }
    void TearDown() override { CloseTestDisplay(); }
};
