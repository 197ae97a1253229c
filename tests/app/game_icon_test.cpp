// game_icon_test.cpp - the icon drawn from the game's art: the robot trimmed and centred on a
// square, scaled by area, and an icon at every desktop size.
#include <gtest/gtest.h>

#include "app/game_icon.h"

namespace {

// A width-wide RGBA picture; colours as 0xRRGGBBAA.
void Fill(std::vector<uint8_t>& rgba, int width, int x0, int y0, int w, int h, uint32_t c) {
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            for (int i = 0; i < 4; i++)
                rgba[(size_t(y) * width + x) * 4 + i] = uint8_t(c >> (24 - 8 * i));
}
uint32_t At(const std::vector<uint8_t>& rgba, int width, int x, int y) {
    const uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
    return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

} // namespace

TEST(GameIcon, TheSquareHugsTheRobotWithASmallMarginAndCentresIt) {
    std::vector<uint8_t> c(100 * 100 * 4, 0);
    Fill(c, 100, 30, 40, 10, 32, 0xC80A0AFF); // tall: 10 x 32
    IconSquare s{};
    ASSERT_TRUE(FindIconSquare(c, 100, 100, &s));
    EXPECT_EQ((std::vector<int>{s.x, s.y, s.side}), (std::vector<int>{30 - 2 - 11, 40 - 2, 36}))
        << "a margin of a sixteenth, the narrow side centred";
    Fill(c, 100, 90, 95, 1, 1, 0x010101FF); // a far dot counts too
    ASSERT_TRUE(FindIconSquare(c, 100, 100, &s));
    EXPECT_EQ(s.side, 61 + 2 * 4);
    EXPECT_FALSE(FindIconSquare(std::vector<uint8_t>(8 * 8 * 4, 0), 8, 8, &s)) << "all ground";
    EXPECT_FALSE(FindIconSquare(c, 200, 100, &s)) << "fewer pixels than the size says";
}

TEST(GameIcon, ScalingAveragesAreasAndTransparentGroundGivesNoColour) {
    std::vector<uint8_t> c(4 * 4 * 4, 0);
    Fill(c, 4, 0, 0, 2, 2, 0xFF0000FF);
    Fill(c, 4, 2, 0, 2, 2, 0x0000FFFF);
    Fill(c, 4, 0, 2, 1, 2, 0x00FF00FF); // half of the bottom-left quarter; the rest is ground
    const std::vector<uint8_t> half = ScaleIconSquare(c, 4, 4, {0, 0, 4}, 2);
    EXPECT_EQ(std::pair(At(half, 2, 0, 0), At(half, 2, 1, 0)), std::pair(0xFF0000FFu, 0x0000FFFFu));
    EXPECT_EQ(At(half, 2, 0, 1), 0x00FF0080u) << "pure green, half covered, not dark";
    EXPECT_EQ(At(half, 2, 1, 1), 0u);
    // The same size copies; a square reaching outside the picture adds transparent ground.
    EXPECT_EQ(ScaleIconSquare(c, 4, 4, {0, 0, 4}, 4), c);
    const std::vector<uint8_t> out = ScaleIconSquare(c, 4, 4, {-2, -2, 8}, 4);
    EXPECT_EQ(At(out, 4, 0, 0) | At(out, 4, 3, 3), 0u) << "the corners outside";
    EXPECT_EQ(std::pair(At(out, 4, 1, 1), At(out, 4, 2, 1)), std::pair(0xFF0000FFu, 0x0000FFFFu));
    // Three into two: each icon pixel covers one and a half picture pixels.
    std::vector<uint8_t> stripes(3 * 3 * 4, 0);
    Fill(stripes, 3, 0, 0, 1, 3, 0x5A0000FF);
    Fill(stripes, 3, 2, 0, 1, 3, 0x00001EFF);
    const std::vector<uint8_t> thirds = ScaleIconSquare(stripes, 3, 3, {0, 0, 3}, 2);
    EXPECT_EQ(std::pair(At(thirds, 2, 0, 0), At(thirds, 2, 1, 1)),
              std::pair(0x5A0000AAu, 0x00001EAAu));
}

TEST(GameIcon, TheRobotPictureGivesAnIconAtEveryDesktopSize) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        std::vector<uint8_t> icon;
        ASSERT_TRUE(MakeGameIcon(size, &icon)) << size;
        ASSERT_EQ(icon.size(), size_t(size) * size * 4);
        // Transparent corners (the margin), a robot covering at least an eighth, in colour.
        EXPECT_EQ((At(icon, size, 0, 0) | At(icon, size, size - 1, size - 1)) & 255, 0u);
        int coverage = 0, coloured = 0; // coverage in alpha units
        for (size_t i = 0; i < icon.size(); i += 4) {
            coverage += icon[i + 3];
            coloured += icon[i + 3] > 0 && (icon[i] != icon[i + 1] || icon[i + 1] != icon[i + 2]);
        }
        EXPECT_GT(coverage, 255 * size * size / 8) << size;
        EXPECT_GT(coloured, 0) << size;
    }
    std::vector<uint8_t> none;
    EXPECT_FALSE(MakeGameIcon(0, &none));
}
