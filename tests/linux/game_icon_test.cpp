// game_icon_test.cpp - the icon drawn from the game's art: the robot trimmed and centred on
// a square, scaled by area with transparent ground adding no colour, and the real picture
// giving an icon at every desktop size.
#include <gtest/gtest.h>

#include "app/game_icon.h"
#include "assets/assets.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Rgba& c) {
    return o << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

struct Canvas {
    int width, height;
    std::vector<uint8_t> rgba;
    Canvas(int w, int h) : width(w), height(h), rgba(size_t(w) * h * 4, 0) {}
    void Fill(int x0, int y0, int w, int h, Rgba c) {
        for (int y = y0; y < y0 + h; y++)
            for (int x = x0; x < x0 + w; x++) {
                uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
                p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
            }
    }
};

Rgba At(const std::vector<uint8_t>& rgba, int size, int x, int y) {
    const uint8_t* p = &rgba[(size_t(y) * size + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

} // namespace

TEST(GameIcon, TheSquareHugsTheRobotWithASmallMarginAndCentresIt) {
    Canvas c(100, 100);
    c.Fill(30, 40, 10, 32, {200, 10, 10, 255}); // tall: 10 x 32
    IconSquare s{};
    ASSERT_TRUE(FindIconSquare(c.rgba, c.width, c.height, &s));
    EXPECT_EQ(s.side, 32 + 2 * 2);
    EXPECT_EQ(s.y, 40 - 2);
    EXPECT_EQ(s.x, 30 - 2 - 11) << "the narrow side is centred";
    c.Fill(90, 95, 1, 1, {1, 1, 1, 255}); // a far speck counts too
    ASSERT_TRUE(FindIconSquare(c.rgba, c.width, c.height, &s));
    EXPECT_EQ(s.side, 61 + 2 * 4);
    EXPECT_FALSE(FindIconSquare(Canvas(8, 8).rgba, 8, 8, &s)) << "all ground: no icon";
    EXPECT_FALSE(FindIconSquare(c.rgba, 200, 100, &s)) << "fewer pixels than the size says";
}

TEST(GameIcon, ScalingAveragesAreasAndTransparentGroundGivesNoColour) {
    Canvas c(4, 4);
    c.Fill(0, 0, 2, 2, {255, 0, 0, 255});
    c.Fill(2, 0, 2, 2, {0, 0, 255, 255});
    c.Fill(0, 2, 1, 2, {0, 255, 0, 255}); // half of the bottom-left quarter; the rest is ground
    const std::vector<uint8_t> half = ScaleIconSquare(c.rgba, 4, 4, {0, 0, 4}, 2);
    EXPECT_EQ(At(half, 2, 0, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(At(half, 2, 1, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(At(half, 2, 0, 1), (Rgba{0, 255, 0, 128})) << "pure green, half covered, not dark";
    EXPECT_EQ(At(half, 2, 1, 1), (Rgba{0, 0, 0, 0}));

    // The same size copies; a square reaching outside the picture adds transparent ground.
    EXPECT_EQ(ScaleIconSquare(c.rgba, 4, 4, {0, 0, 4}, 4), c.rgba);
    const std::vector<uint8_t> out = ScaleIconSquare(c.rgba, 4, 4, {-2, -2, 8}, 4);
    EXPECT_EQ(At(out, 4, 0, 0), (Rgba{0, 0, 0, 0}));
    EXPECT_EQ(At(out, 4, 1, 1), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(At(out, 4, 2, 1), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(At(out, 4, 3, 3), (Rgba{0, 0, 0, 0}));

    // Three into two: each icon pixel covers one and a half picture pixels.
    Canvas stripes(3, 3);
    stripes.Fill(0, 0, 1, 3, {90, 0, 0, 255});
    stripes.Fill(1, 0, 1, 3, {0, 0, 0, 0});
    stripes.Fill(2, 0, 1, 3, {0, 0, 30, 255});
    const std::vector<uint8_t> thirds = ScaleIconSquare(stripes.rgba, 3, 3, {0, 0, 3}, 2);
    EXPECT_EQ(At(thirds, 2, 0, 0), (Rgba{90, 0, 0, 170}));
    EXPECT_EQ(At(thirds, 2, 1, 1), (Rgba{0, 0, 30, 170}));
}

TEST(GameIcon, TheRobotPictureGivesAnIconAtEveryDesktopSize) {
    if (!FindEmbeddedAsset("screens.bmp")) GTEST_SKIP() << "no screens.bmp in assets/ yet";
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> icon;
        ASSERT_TRUE(MakeGameIcon(size, &icon));
        ASSERT_EQ(icon.size(), size_t(size) * size * 4);
        // Transparent corners (the margin), a robot covering at least an eighth, in colour.
        EXPECT_EQ(At(icon, size, 0, 0).a, 0);
        EXPECT_EQ(At(icon, size, size - 1, size - 1).a, 0);
        int coverage = 0, coloured = 0; // coverage in alpha units
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++) {
                const Rgba p = At(icon, size, x, y);
                coverage += p.a;
                coloured += p.a > 0 && (p.r != p.g || p.g != p.b);
            }
        EXPECT_GT(coverage, 255 * size * size / 8) << "the robot fills the square";
        EXPECT_GT(coloured, 0);
    }
    std::vector<uint8_t> none;
    EXPECT_FALSE(MakeGameIcon(0, &none));
}
