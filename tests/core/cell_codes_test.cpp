// cell_codes_test.cpp - the cell-code table as the robot meets it: which codes block it and
// which hurt its head (the play suite flies into a few of them; the sector flood steps by all).
#include <gtest/gtest.h>

#include "core/cell_codes.h"

TEST(CellRules, CodesOneTo23AndNegativeOnesBlockAndTwoTo23HurtTheHead) {
    const int32_t codes[][3] = {{-1, 0, 0}, {0, 1, 0},  {1, 0, 0},  {2, 0, 1},
                                {23, 0, 1}, {24, 1, 0}, {41, 1, 0}, {60, 1, 0}};
    for (const auto& [code, free, hurts] : codes) {
        EXPECT_EQ(!CellRuleOf(code).blocksRobot, free == 1) << code;
        EXPECT_EQ(CellRuleOf(code).hurtsHead, hurts == 1) << code;
    }
}
