// back_panels_test.cpp - laying out the three layers of background panels and their wrap and
// scroll rules. (The play golden picture shows them drawn.)
#include <gtest/gtest.h>

#include "objects/back_panels.h"
#include "support/maths.h"
#include "support/random.h"
#include "tests/testkit.h"

TEST(BackPanelLayout, EachPlaceOfTheNineBySevenGridInThreeLayersHoldsAPanelOnADrawAboveFour) {
    RandomSeed(12345);
    int drawsAboveFour = 0; // one draw of RandomInt(9) per place
    for (int i = 0; i < 189; i++) drawsAboveFour += RandomInt(9) > 4;
    RandomSeed(12345);
    ListClear(BackPanels);
    FillBackPanels();
    EXPECT_EQ(BackPanels.count, drawsAboveFour);
    int previous = -1;
    ListRewind(BackPanels);
    while (const BackPanel* p = ListNext(BackPanels)) {
        const int layer = RoundToInt(p->brightness * 3), row = RoundToInt(p->y / 100) + 1,
                  column = RoundToInt(p->x / 100) + 1;
        EXPECT_TRUE(layer >= 1 && layer <= 3 && row >= 0 && row < 7 && column >= 0 && column < 9);
        EXPECT_TRUE(p->x == 100.0f * column - 100 && p->y == 100.0f * row - 100);
        EXPECT_TRUE(p->brightness == layer / 3.0f && p->factorX == p->brightness &&
                    p->factorY == p->brightness);
        const int place = 100 * layer + 10 * row + column; // far layer first, then row by row
        EXPECT_GT(place, previous);
        previous = place;
    }
    ListClear(BackPanels);
}

TEST(BackPanelScroll, PanelsWrapBeforeTheyMoveByTheirLayersShare) {
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
    ASSERT_TRUE(OpenTestDisplay()); // the scroll draws each panel
    for (const Case& c : cases) {
        ListClear(BackPanels);
        BackPanel* p = ListAdd(BackPanels);
        *p = BackPanel{c.x, c.y, c.share, c.share, c.share};
        ScrollBackPanels(c.dx, c.dy);
        EXPECT_FLOAT_EQ(p->x, c.expectX) << c.x << ", " << c.y;
        EXPECT_FLOAT_EQ(p->y, c.expectY) << c.x << ", " << c.y;
    }
    ListClear(BackPanels);
    CloseTestDisplay();
}
