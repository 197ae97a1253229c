// sector_map_test.cpp - the shipped sector: its codes, its machines and the proof that every
// orb cell can be reached from the start without a head strike.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "play/level_map.h"
#include "tests/content/sector_flood.h"
#include "tests/testkit.h"

namespace {

constexpr int ORB_FIRST = 10, ORB_LAST = 90; // orbs lie on code-0 cells of these columns and rows

bool FreeForPlayer(int32_t code) {
    return code == 0 || code > 23;
}

// The shipped sector, loaded through the game's own loader.
class ShippedSector : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::vector<uint8_t> bytes = ReadFileBytes(SourcePath("assets/startmap.map"));
        ASSERT_EQ(bytes.size(), size_t(MAP_FILE_BYTES));
        WriteFileBytes(dir.File("startmap.map"), bytes);
        ClearLevelMap();
        LoadLevelMap();
    }
    void TearDown() override { ClearLevelMap(); }
    static int32_t At(int c, int r) {
        return c < 0 || r < 0 || c >= MAP_SIZE || r >= MAP_SIZE ? -1 : LevelMap[c][r];
    }
    TempDir dir{true};
};

} // namespace

TEST_F(ShippedSector, HoldsTileCodesInAWallRimWithWholeMachinesAndClearArrivalPoints) {
    int openOrbCells = 0, shops = 0, teleporters = 0, bases = 0, gates = 0;
    for (int c = 0; c < MAP_SIZE; c++) {
        for (int r = 0; r < MAP_SIZE; r++) {
            const int32_t code = At(c, r);
            SCOPED_TRACE("cell " + std::to_string(c) + ", " + std::to_string(r));
            ASSERT_TRUE(code >= 0 && code <= 41) << code;
            const bool rim = c == 0 || r == 0 || c == MAP_SIZE - 1 || r == MAP_SIZE - 1;
            EXPECT_TRUE(!rim || !FreeForPlayer(code)) << "the rim is open";
            openOrbCells +=
                c >= ORB_FIRST && c <= ORB_LAST && r >= ORB_FIRST && r <= ORB_LAST && code == 0;
            if (code == 18 || code == 20 || code == 22) {
                // A machine's left half, its right half beside it and room to stand on top.
                EXPECT_EQ(At(c + 1, r), code + 1);
                EXPECT_TRUE(FreeForPlayer(At(c, r - 1)) && FreeForPlayer(At(c + 1, r - 1)));
                shops += code == 18, teleporters += code == 20, bases += code == 22;
            }
            if (code == 19 || code == 21 || code == 23) {
                EXPECT_EQ(At(c - 1, r), code - 1);
            }
            if (code == 21) { // the arrival point (64 c, 64 r - 64) and the cells it touches
                for (int dc = -1; dc <= 0; dc++)
                    for (int dr = -2; dr <= -1; dr++)
                        EXPECT_TRUE(FreeForPlayer(At(c + dc, r + dr)));
            }
            if (code == 28) {
                gates++;
                EXPECT_EQ((std::vector<int32_t>{At(c + 1, r), At(c, r + 1), At(c + 1, r + 1)}),
                          (std::vector<int32_t>{29, 34, 35}));
            }
        }
    }
    EXPECT_EQ(At(4, 4), 0) << "the robot starts in cell (4, 4)";
    EXPECT_GT(openOrbCells, 81 * 81 / 5) << "at least a fifth of the orb area is open";
    EXPECT_GE(teleporters, 4);
    EXPECT_GE(shops, 3);
    EXPECT_GE(bases, 3);
    EXPECT_GE(gates, 1);
    EXPECT_EQ(TeleportTargetCount, teleporters);
}

TEST_F(ShippedSector, EveryOrbCellCanBeReachedFromTheStartWithoutAHeadStrike) {
    const SectorFlood flood = FloodSectorFromStart();
    EXPECT_FALSE(flood.offGrid) << "a position left the 4-pixel lattice";
    std::string missed;
    int missing = 0;
    for (int c = ORB_FIRST; c <= ORB_LAST; c++) {
        for (int r = ORB_FIRST; r <= ORB_LAST; r++) {
            if (LevelMap[c][r] != 0 || flood.cellReached[c * MAP_SIZE + r]) continue;
            if (missing++ < 40) missed += " (" + std::to_string(c) + "," + std::to_string(r) + ")";
        }
    }
    std::printf("flood: %lld positions, %lld expansions\n", (long long)flood.positions,
                (long long)flood.expansions);
    EXPECT_EQ(missing, 0) << missing << " orb cells cannot be reached:" << missed;
}
