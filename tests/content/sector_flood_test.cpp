// sector_flood_test.cpp - the reachability flood itself, on small sectors built in the test:
// it must miss what the robot cannot get to, or its verdict on the shipped sector means
// nothing.
#include <gtest/gtest.h>

#include "play/level_map.h"
#include "tests/content/sector_flood.h"

namespace {

constexpr int32_t ROCK = 5;

// Rock everywhere, then the given boxes of free space.
class FloodSector : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearLevelMap();
        for (auto& column : LevelMap)
            for (int32_t& cell : column) cell = ROCK;
        Open(1, 1, 12, 8); // the start hall around (300, 300)
    }
    void TearDown() override { ClearLevelMap(); }
    static void Open(int c0, int r0, int c1, int r1) {
        for (int c = c0; c <= c1; c++)
            for (int r = r0; r <= r1; r++) LevelMap[c][r] = 0;
    }
    // A teleporter whose top is floor row `row`, left half at column c.
    static void Teleporter(int c, int row) {
        LevelMap[c][row] = 20;
        LevelMap[c + 1][row] = 21;
        TeleportTargetCount += 1;
        ListSelect(TeleportTargets, TeleportTargets.count - 1);
        TeleportTarget* t = ListAdd(TeleportTargets);
        t->x = float(64 * (c + 1));
        t->y = float(64 * row - 64);
    }
    static bool Reached(const SectorFlood& f, int c, int r) {
        return f.cellReached[c * MAP_SIZE + r] != 0;
    }
};

} // namespace

TEST_F(FloodSector, ReachesTheStartHallAndNotASealedPocket) {
    Open(30, 30, 34, 33);
    const SectorFlood f = FloodSectorFromStart();
    EXPECT_FALSE(f.offGrid);
    EXPECT_TRUE(Reached(f, 4, 4));
    EXPECT_TRUE(Reached(f, 1, 8));  // a floor corner
    EXPECT_TRUE(Reached(f, 12, 1)); // the far top corner: flown to
    EXPECT_FALSE(Reached(f, 32, 31));
}

TEST_F(FloodSector, AShaftClimbsAboutTwentyFiveCellsOnAFullTankAndNoFurther) {
    // A drop beside the hall down to a floor corridor at row 90, and at its end a shaft two
    // cells wide rising 60 cells with no ledge.
    Open(13, 8, 13, 90);
    Open(13, 90, 42, 90);
    Open(41, 90 - 60, 42, 90);
    const SectorFlood f = FloodSectorFromStart();
    EXPECT_TRUE(Reached(f, 41, 90));
    EXPECT_TRUE(Reached(f, 41, 90 - 20));
    EXPECT_FALSE(Reached(f, 41, 90 - 35));
    EXPECT_FALSE(Reached(f, 41, 90 - 59));
}

TEST_F(FloodSector, ATeleporterLeadsIntoAVaultWithNoOtherWayIn) {
    Open(50, 50, 56, 54);
    Teleporter(6, 9);   // in the start hall's floor
    Teleporter(52, 55); // in the vault's floor
    const SectorFlood f = FloodSectorFromStart();
    EXPECT_TRUE(Reached(f, 50, 54));
    EXPECT_TRUE(Reached(f, 56, 50));

    ListClear(TeleportTargets);
    TeleportTargetCount = 0;
    const SectorFlood walking = FloodSectorFromStart();
    EXPECT_FALSE(Reached(walking, 50, 54));
}
