// render_fixture.h - what the render layer's tests share: BMP files built in the test, a
// texture made through the game's own path (CatchImage into image 1000, TextureFromImage),
// and a fixture that opens the test display and starts a cleared 2D frame.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "render/display.h"
#include "render/image.h"
#include "tests/testkit.h"

// Colours as 0xRRGGBB (Picture::At) and as the image store's colour numbers (red lowest).
constexpr uint32_t GAME_CLEAR = 0x293F6F; // (41, 63, 111)
inline uint32_t ColourNumber(uint32_t rrggbb) {
    return ((rrggbb >> 16) & 255) | (rrggbb & 0xFF00) | ((rrggbb & 255) << 16);
}

struct BmpSpec {
    int32_t width = 1;
    int32_t height = 1;
    int bits = 24;
    bool topDown = false;
    std::vector<uint32_t> palette; // 0xRRGGBB, for 4 and 8 bits
    int64_t coloursUsed = -1;      // -1: the palette's size
    std::vector<uint32_t> pixels;  // top row first: 0xRRGGBB, or palette indices
    uint8_t fourthByte = 0xA5;     // the ignored byte of 32-bit pixels
};

// A BMP file as the game carries them; row padding is filled with junk bytes so that a
// decoder that reads it shows.
inline std::vector<uint8_t> MakeBmp(const BmpSpec& s) {
    const uint32_t colours =
        s.coloursUsed < 0 ? uint32_t(s.palette.size()) : uint32_t(s.coloursUsed);
    const uint32_t stride = ((uint32_t(s.width) * s.bits + 31) / 32) * 4;
    const uint32_t offset = 54 + uint32_t(s.palette.size()) * 4;
    std::vector<uint8_t> b(offset + stride * uint32_t(s.height), 0xEE);
    auto put16 = [&](size_t at, uint32_t v) { b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8); };
    auto put32 = [&](size_t at, uint32_t v) { put16(at, v), put16(at + 2, v >> 16); };
    b[0] = 'B', b[1] = 'M';
    put32(2, uint32_t(b.size()));
    put32(6, 0);
    put32(10, offset);
    put32(14, 40);
    put32(18, uint32_t(s.width));
    put32(22, uint32_t(s.topDown ? -s.height : s.height));
    put16(26, 1);
    put16(28, uint32_t(s.bits));
    put32(30, 0);
    put32(34, stride * uint32_t(s.height));
    put32(38, 2835), put32(42, 2835);
    put32(46, colours);
    put32(50, 0);
    for (size_t i = 0; i < s.palette.size(); i++) {
        const uint32_t c = s.palette[i];
        b[54 + i * 4] = uint8_t(c), b[55 + i * 4] = uint8_t(c >> 8),
                   b[56 + i * 4] = uint8_t(c >> 16);
        b[57 + i * 4] = 0;
    }
    for (int32_t y = 0; y < s.height; y++) {
        const int32_t fileRow = s.topDown ? y : s.height - 1 - y;
        uint8_t* row = b.data() + offset + size_t(fileRow) * stride;
        for (int32_t x = 0; x < s.width; x++) {
            const uint32_t v = s.pixels[size_t(y) * s.width + x];
            switch (s.bits) {
            case 4:
                if (x % 2 == 0)
                    row[x / 2] = uint8_t(v << 4);
                else
                    row[x / 2] = uint8_t((row[x / 2] & 0xF0) | (v & 15));
                break;
            case 8: row[x] = uint8_t(v); break;
            case 24:
                row[x * 3] = uint8_t(v), row[x * 3 + 1] = uint8_t(v >> 8),
                        row[x * 3 + 2] = uint8_t(v >> 16);
                break;
            default:
                row[x * 4] = uint8_t(v), row[x * 4 + 1] = uint8_t(v >> 8),
                        row[x * 4 + 2] = uint8_t(v >> 16);
                row[x * 4 + 3] = s.fourthByte;
            }
        }
    }
    return b;
}

// A texture from a picture given as 0xRRGGBB pixels, top row first, made the game's way.
inline uint32_t MakeTexture(int width, int height, const std::vector<uint32_t>& pixels,
                            uint32_t key = 0, int orientation = 0, int filter = 0, int clamp = 1) {
    BmpSpec s;
    s.width = width, s.height = height, s.pixels = pixels;
    const std::vector<uint8_t> bmp = MakeBmp(s);
    if (!CatchImage(GrabImageNumber, bmp.data(), bmp.size())) return 0;
    return TextureFromImage(key, orientation, filter, clamp);
}

inline uint32_t SolidTexture(uint32_t rrggbb, int side = 16) {
    return MakeTexture(side, side, std::vector<uint32_t>(size_t(side) * side, rrggbb), 0xFFFFFFFF);
}

// Channels within `tolerance` of each other.
inline bool Near(uint32_t a, uint32_t b, int tolerance = 2) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance) return false;
    return true;
}

// Pixels of the rectangle that are not `colour`.
inline int CountOther(const Picture& p, int x, int y, int w, int h, uint32_t colour) {
    int n = 0;
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++) n += !Near(p.At(i, j), colour, 0);
    return n;
}

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

// The pixel at (x, y) is `colour` within `tolerance` per channel; says what it is otherwise.
inline ::testing::AssertionResult PixelIs(const Picture& p, int x, int y, uint32_t colour,
                                          int tolerance = 2) {
    if (Near(p.At(x, y), colour, tolerance)) return ::testing::AssertionSuccess();
    char text[80];
    std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, expected %06X", x, y, p.At(x, y),
                  colour);
    return ::testing::AssertionFailure() << text;
}
