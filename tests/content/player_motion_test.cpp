// player_motion_test.cpp - the movement rules the play tests do not reach: which cell codes
// block and hurt, and what the jet's fuel does frame by frame.
#include <gtest/gtest.h>

#include "play/level_map.h"
#include "play/player_motion.h"

TEST(PlayerMotion, CodesOneTo23AndNegativeOnesBlockAndTwoTo23HurtTheHead) {
    const int32_t codes[][3] = {{-1, 0, 0}, {0, 1, 0},  {1, 0, 0},  {2, 0, 1},
                                {23, 0, 1}, {24, 1, 0}, {41, 1, 0}, {60, 1, 0}};
    for (const auto& [code, free, hurts] : codes) {
        EXPECT_EQ(CellFreeForPlayer(code), free == 1) << code;
        EXPECT_EQ(CellHurtsHead(code), hurts == 1) << code;
    }
}

TEST(PlayerMotion, TheTankFillsEverySecondFrameToFullAndAClimbCostsHalfAUnitWhileHoveringIsFree) {
    ClearLevelMap();
    for (int c = 0; c < MAP_SIZE; c++) LevelMap[c][10] = 5; // a floor, face at y 640
    PlayerState player{};
    player.x = 400, player.y = 608; // standing on it
    int32_t refillCount = 0;
    auto frames = [&](int n, bool up) { // the play mode's movement steps, in their order
        for (int i = 0; i < n; i++) {
            const NeighbourCells cells = ReadNeighbourCells(player.x, player.y);
            MovePlayerByKeys(&player, cells, false, false, up);
            FallPlayer(&player, cells);
            ClampPlayerPosition(&player.x, &player.y);
            RefillPlayerFuel(&player, &refillCount);
        }
    };
    frames(301, false); // a unit every second frame, from a new game's empty tank
    EXPECT_EQ(player.fuel, 150);
    frames(200, false);
    EXPECT_EQ(player.fuel, PLAYER_FUEL_MAX); // full, and no further
    frames(1, true); // off the floor: 8 px up, gravity waits for the next frame's cell test
    EXPECT_EQ(player.y, 600);
    EXPECT_EQ(player.fuel, 199);
    const float y = player.y, fuel = player.fuel;
    for (int i = 0; i < 50; i++) frames(1, false), frames(1, true); // 4 down, 8 up, 4 down...
    EXPECT_EQ(player.y, y);
    EXPECT_EQ(player.fuel, fuel);
    frames(40, true);
    EXPECT_EQ(player.y, y - 160);
    EXPECT_EQ(player.fuel, fuel - 20);
    ClearLevelMap();
}
