// player_motion_test.cpp - the robot's movement rules in a small sector built in the test:
// where it stops at walls and floors, what flying costs, and the fuel refill.
#include <gtest/gtest.h>

#include "play/level_map.h"
#include "play/player_motion.h"

namespace {

struct Keys {
    bool left = false, right = false, up = false;
};

// A closed box of wall (code 5) from column 2 to 12 and row 2 to 10, open inside.
class MotionBox : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearLevelMap();
        for (int c = 2; c <= 12; c++)
            for (int r = 2; r <= 10; r++)
                LevelMap[c][r] = (c == 2 || c == 12 || r == 2 || r == 10) ? 5 : 0;
        player = PlayerState{};
    }
    void TearDown() override { ClearLevelMap(); }

    // One frame of the play mode's movement steps, in their order.
    void Frame(Keys k) {
        const NeighbourCells cells = ReadNeighbourCells(player.x, player.y);
        MovePlayerByKeys(&player, cells, k.left, k.right, k.up);
        FallPlayer(&player, cells);
        ClampPlayerPosition(&player.x, &player.y);
        RefillPlayerFuel(&player, &refillCount);
    }
    void Frames(int n, Keys k) {
        for (int i = 0; i < n; i++) Frame(k);
    }

    PlayerState player;
    int32_t refillCount = 0;
};

} // namespace

TEST_F(MotionBox, RobotFallsOntoTheFloorAndStopsShortOfTheWallsOnEitherSide) {
    player.x = 400, player.y = 200;
    Frame({});
    EXPECT_EQ(player.y, 204); // 4 px a frame
    Frames(400, {});
    EXPECT_EQ(player.y, 10 * 64 - 32); // 32 px above the floor's face
    Frame({true, true, false});        // both arrows on a free floor cancel, facing right
    EXPECT_EQ(player.x, 400);
    EXPECT_EQ(player.facing, 1);
    Frames(200, {false, true, false});
    EXPECT_EQ(player.x, 12 * 64 - 32); // 32 px from a wall on the right
    Frames(300, {true, false, false});
    EXPECT_EQ(player.x, 3 * 64 + 28); // but 28 from one on the left
    EXPECT_EQ(player.facing, 0);
    // A background code is free space; a negative code is a wall.
    LevelMap[2][9] = 30;
    LevelMap[1][9] = -1;
    Frames(40, {true, false, false});
    EXPECT_EQ(player.x, 2 * 64 + 28);
}

TEST_F(MotionBox, FlyingNeedsFuelClimbsFourPixelsNetAndHoveringCostsNothing) {
    player.x = 400, player.y = 10 * 64 - 32;
    Frame({false, false, true}); // a new game's empty tank: no lift
    EXPECT_EQ(player.y, 608);
    EXPECT_EQ(player.fuel, 0);
    Frame({}); // the second frame brings the first unit
    EXPECT_EQ(player.fuel, 1);
    Frames(300, {});
    EXPECT_EQ(player.fuel, 151);
    Frames(200, {});
    EXPECT_EQ(player.fuel, PLAYER_FUEL_MAX); // full, and no further

    // Off the floor on the jet: 8 px up; gravity waits for the next frame's cell test.
    Frame({false, false, true});
    EXPECT_EQ(player.y, 600);
    EXPECT_EQ(player.fuel, 199);
    // Jet every second frame: 4 px down, 8 up and 4 down again; the robot hovers and the tank stays
    // as it is.
    const float y = player.y, fuel = player.fuel;
    for (int i = 0; i < 50; i++) {
        Frame({});
        Frame({false, false, true});
    }
    EXPECT_EQ(player.y, y);
    EXPECT_EQ(player.fuel, fuel);
    // A steady climb burns half a unit a frame.
    Frames(40, {false, false, true});
    EXPECT_EQ(player.y, y - 160);
    EXPECT_EQ(player.fuel, fuel - 20);
}

TEST_F(MotionBox, AFlightAgainstTheCeilingPutsTheHeadCellIntoTheCeilingEverySecondFrame) {
    player.x = 400, player.y = 3 * 64 + 40;
    player.fuel = 100;
    int headInWall = 0;
    for (int i = 0; i < 40; i++) {
        headInWall += CellHurtsHead(ReadNeighbourCells(player.x, player.y).up);
        Frame({false, false, true});
    }
    EXPECT_EQ(headInWall, 20 - 1);
    EXPECT_GE(player.y, 3 * 64 + 24);
}
