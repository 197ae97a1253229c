// back_panels_test.cpp - laying out the three layers of background panels, their wrap and
// scroll rules, and how they are drawn.
#include <gtest/gtest.h>

#include <vector>

#include "app/catalogue.h"
#include "objects/back_panels.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "support/maths.h"
#include "support/random.h"
#include "tests/testkit.h"

namespace {

class BackPanelLayout : public ::testing::Test {
  protected:
    void SetUp() override { ListClear(BackPanels); }
    void TearDown() override {
        ListClear(BackPanels);
        RandomUnseed();
    }
    static BackPanel* Add(float x, float y, float share) {
        ListSelect(BackPanels, BackPanels.count - 1);
        BackPanel* p = ListAdd(BackPanels);
        p->x = x, p->y = y;
        p->factorX = p->factorY = p->brightness = share;
        return p;
    }
};

} // namespace

TEST_F(BackPanelLayout, EachPlaceOfTheNineBySevenGridInThreeLayersHoldsAPanelOnADrawAboveFour) {
    RandomSeed(12345);
    int drawsAboveFour = 0; // one draw of RandomInt(9) per place
    for (int i = 0; i < 189; i++) drawsAboveFour += RandomInt(9) > 4;
    RandomSeed(12345);
    FillBackPanels();
    int count = 0, previous = -1;
    ListRewind(BackPanels);
    while (const BackPanel* p = ListNext(BackPanels)) {
        const int layer = RoundToInt(p->brightness * 3), row = RoundToInt(p->y / 100) + 1,
                  column = RoundToInt(p->x / 100) + 1;
        EXPECT_TRUE(layer >= 1 && layer <= 3 && row >= 0 && row < 7 && column >= 0 && column < 9);
        EXPECT_TRUE(p->x == 100.0f * column - 100 && p->y == 100.0f * row - 100);
        EXPECT_TRUE(p->brightness == layer / 3.0f && p->factorX == p->brightness &&
                    p->factorY == p->brightness);
        // Far layer first, then row by row, column by column.
        const int place = 100 * layer + 10 * row + column;
        EXPECT_GT(place, previous);
        previous = place, count++;
    }
    EXPECT_EQ(count, drawsAboveFour);
}

TEST_F(BackPanelLayout, PanelsWrapBeforeTheyMoveByTheirLayersShareAndAreDrawnTintedByIt) {
    struct Case {
        float x, y, share, dx, dy, expectX, expectY;
    };
    const Case cases[] = {
        {300, 200, 1.0f / 3, -9, 6, 297, 202}, // a third of the scroll
        {-100, -100, 1, -9, 6, -109, -94},     // exactly at the limits: not wrapped
        {800, 600, 1, 0, 0, 800, 600},
        {50, -100.5f, 1, 0, 0, 50, 599.5f},   // just past: wrapped by 700
        {-101, 50, 2.0f / 3, -9, 0, 793, 50}, // wrapped by 900, then moved
        {60, 601, 1.0f / 3, 0, 0, 60, -99},
        {802, 70, 1, 0, 0, -98, 70},
        {799, 300, 1, 5, 0, 804, 300}, // pushed past a limit: stands there until next frame
        {804, 300, 1, 0, 0, -96, 300},
    };
    ASSERT_TRUE(OpenTestDisplay());
    const uint32_t saved = PanelImage;
    std::vector<uint8_t> white(64 * 64 * 4, 255);
    PanelImage = TextureFromPixels(white.data(), int(white.size()), 64);
    SetCullFront();
    for (const Case& c : cases) {
        ListClear(BackPanels);
        const BackPanel* p = Add(c.x, c.y, c.share);
        ScrollBackPanels(c.dx, c.dy);
        EXPECT_FLOAT_EQ(p->x, c.expectX) << c.x << ", " << c.y;
        EXPECT_FLOAT_EQ(p->y, c.expectY) << c.x << ", " << c.y;
    }
    // Drawn 100 x 100 at their place, as bright as their layer's share.
    ListClear(BackPanels);
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    Add(0, 0, 1.0f / 3);
    Add(300, 300, 1);
    ScrollBackPanels(0, 0);
    const Picture shot = ReadBackBuffer();
    PanelImage = saved;
    CloseTestDisplay();
    EXPECT_NEAR(int(shot.At(50, 50) >> 16), 85, 2); // a third of white
    EXPECT_NEAR(int(shot.At(50, 50) & 0xFF), 85, 2);
    EXPECT_EQ(shot.At(350, 350), 0xFFFFFFu);
    EXPECT_EQ(shot.At(399, 399), 0xFFFFFFu);
    EXPECT_NE(shot.At(401, 401), 0xFFFFFFu);
}
