// back_panels_test.cpp - the background panels' wrap and scroll rules. (Their layout, count,
// shades and drawing order show in the play golden picture, which catches a fault in any.)
#include <gtest/gtest.h>

#include "objects/back_panels.h"
#include "tests/testkit.h"

TEST(BackPanelScroll, PanelsWrapBeforeTheyMoveByTheirLayersShare) {
    // Where a panel is, its layer's share, the scroll, and where it is afterwards.
    const float cases[][7] = {
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
    for (const auto& [x, y, share, dx, dy, expectX, expectY] : cases) {
        ListClear(BackPanels);
        BackPanel* p = ListAdd(BackPanels);
        *p = BackPanel{x, y, share, share, share};
        ScrollBackPanels(dx, dy);
        EXPECT_FLOAT_EQ(p->x, expectX) << x << ", " << y;
        EXPECT_FLOAT_EQ(p->y, expectY) << x << ", " << y;
    }
    ListClear(BackPanels);
    CloseTestDisplay();
}
