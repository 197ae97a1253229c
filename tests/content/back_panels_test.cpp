// back_panels_test.cpp - laying out the three layers of background panels, their wrap and
// scroll rules, and how they are drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>
#include <vector>

#include "app/catalogue.h"
#include "objects/back_panels.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "support/random.h"
#include "tests/testkit.h"

namespace {

std::vector<BackPanel> Panels() {
    std::vector<BackPanel> out;
    ListRewind(BackPanels);
    while (BackPanel* p = ListNext(BackPanels)) out.push_back(*p);
    return out;
}

class Panels_ : public ::testing::Test {
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
using BackPanelLayout = Panels_;
using BackPanelScroll = Panels_;

} // namespace

TEST_F(BackPanelLayout, AboutHalfOfTheGridInThreeLayersFarLayerFirst) {
    RandomSeed(12345);
    FillBackPanels();
    const std::vector<BackPanel> panels = Panels();
    EXPECT_GT(panels.size(), 189u / 4);
    EXPECT_LT(panels.size(), 189u * 3 / 4);
    std::set<std::tuple<int, int, int>> places;
    float lastShare = 0;
    for (const BackPanel& p : panels) {
        const int layer = int(std::lround(p.brightness * 3));
        ASSERT_GE(layer, 1);
        ASSERT_LE(layer, 3);
        EXPECT_FLOAT_EQ(p.brightness, float(layer) / 3.0f);
        EXPECT_EQ(p.factorX, p.brightness);
        EXPECT_EQ(p.factorY, p.brightness);
        EXPECT_GE(p.brightness, lastShare) << "layers out of order";
        lastShare = p.brightness;
        // On the 100-pixel grid from (-100, -100): columns 0 to 8, rows 0 to 6.
        const int column = int(p.x + 100) / 100, row = int(p.y + 100) / 100;
        EXPECT_EQ(p.x, 100.0f * column - 100);
        EXPECT_EQ(p.y, 100.0f * row - 100);
        EXPECT_LE(column, 8);
        EXPECT_LE(row, 6);
        EXPECT_TRUE(places.insert({layer, row, column}).second) << "two panels in one place";
    }
    // Each place holds a panel exactly when its draw of RandomInt(9) came out above 4.
    RandomSeed(12345);
    size_t expected = 0;
    for (int k = 0; k < 189; k++) expected += RandomInt(9) > 4;
    EXPECT_EQ(panels.size(), expected);

    // Another seed, another pattern.
    ListClear(BackPanels);
    RandomSeed(54321);
    FillBackPanels();
    std::set<std::tuple<int, int, int>> other;
    for (const BackPanel& p : Panels())
        other.insert(
            {int(std::lround(p.brightness * 3)), int(p.y + 100) / 100, int(p.x + 100) / 100});
    EXPECT_NE(places, other);
}

TEST_F(BackPanelScroll, WrapsBeforeMovingAndMovesByItsLayersShare) {
    BackPanel* still = Add(300, 200, 1.0f / 3);
    BackPanel* edgeTop = Add(50, -100, 1); // exactly at the limits: not wrapped
    BackPanel* edgeRight = Add(800, 50, 1);
    BackPanel* overTop = Add(50, -100.5f, 1); // just past: wrapped by 700, then moved
    BackPanel* overLeft = Add(-101, 50, 2.0f / 3);
    BackPanel* overBottom = Add(60, 601, 1.0f / 3);
    BackPanel* overRight = Add(802, 70, 1);
    ScrollBackPanels(0, 0);
    EXPECT_EQ(still->x, 300);
    EXPECT_EQ(still->y, 200);
    EXPECT_EQ(edgeTop->y, -100);
    EXPECT_EQ(edgeRight->x, 800);
    EXPECT_EQ(overTop->y, 599.5f);
    EXPECT_EQ(overLeft->x, 799);
    EXPECT_EQ(overBottom->y, -99);
    EXPECT_EQ(overRight->x, -98);

    ScrollBackPanels(-9, 6);
    EXPECT_FLOAT_EQ(still->x, 300 - 3); // layer 1: a third of the scroll
    EXPECT_FLOAT_EQ(still->y, 200 + 2);
    EXPECT_FLOAT_EQ(edgeTop->x, 50 - 9); // layer 3: all of it
    EXPECT_FLOAT_EQ(edgeTop->y, -94);
    EXPECT_FLOAT_EQ(overLeft->x, 799 - 6);
    // The wrap looks at the place before this frame's move: a panel pushed past a limit by
    // the move stands there, drawn, until the next frame wraps it.
    EXPECT_FLOAT_EQ(edgeRight->x, 791);
    BackPanel* pushed = Add(799, 300, 1);
    ScrollBackPanels(5, 0);
    EXPECT_FLOAT_EQ(pushed->x, 804);
    ScrollBackPanels(0, 0);
    EXPECT_FLOAT_EQ(pushed->x, -96);
}

TEST_F(BackPanelScroll, PanelsAreDrawnAtTheirPlaceTintedByTheirLayer) {
    ASSERT_TRUE(OpenTestDisplay());
    const uint32_t saved = PanelImage;
    std::vector<uint8_t> white(64 * 64 * 4, 255);
    PanelImage = TextureFromPixels(white.data(), int(white.size()), 64);
    SetCullFront();
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    Add(0, 0, 1.0f / 3);
    Add(300, 300, 1);
    ScrollBackPanels(0, 0);
    const Picture p = ReadBackBuffer();
    PanelImage = saved;
    CloseTestDisplay();
    EXPECT_NEAR(int(p.At(50, 50) >> 16), 85, 2); // a third of white
    EXPECT_NEAR(int(p.At(50, 50) & 0xFF), 85, 2);
    EXPECT_EQ(p.At(350, 350), 0xFFFFFFu);
    EXPECT_EQ(p.At(399, 399), 0xFFFFFFu);
    EXPECT_NE(p.At(401, 401), 0xFFFFFFu); // 100 x 100
    EXPECT_NE(p.At(150, 150), p.At(50, 50));
}
