// sector_map_test.cpp - the shipped sector: its codes, its machines and the proof that every
// orb cell can be reached from the start without a head strike.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "play/level_map.h"
#include "tests/content/sector_flood.h"
#include "tests/testkit.h"

namespace {

constexpr int ORB_FIRST = 10, ORB_LAST = 90; // orbs lie on code-0 cells of these columns and rows

int32_t CodeIn(const std::vector<uint8_t>& bytes, int col, int row) {
    int32_t v;
    std::memcpy(&v, bytes.data() + 4 * (MAP_SIZE * col + row), 4);
    return v;
}

std::vector<uint8_t> ShippedMap() {
    return ReadFileBytes(SourcePath("assets/startmap.map"));
}

bool FreeForPlayer(int32_t code) {
    return code == 0 || code > 23;
}

// Loads the shipped sector through the game's own loader.
class ShippedSector : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFileBytes(dir.File("startmap.map"), ShippedMap());
        ClearLevelMap();
        LoadLevelMap();
    }
    void TearDown() override { ClearLevelMap(); }
    TempDir dir{true};
};

} // namespace

TEST(SectorMapFile, HoldsOnlyTileCodesWithAWallRimAndFreeSpaceAtTheStart) {
    const std::vector<uint8_t> bytes = ShippedMap();
    ASSERT_EQ(bytes.size(), size_t(MAP_FILE_BYTES));
    int orbCells = 0;
    for (int c = 0; c < MAP_SIZE; c++) {
        for (int r = 0; r < MAP_SIZE; r++) {
            const int32_t code = CodeIn(bytes, c, r);
            ASSERT_GE(code, 0) << "cell " << c << ", " << r;
            ASSERT_LE(code, 41) << "cell " << c << ", " << r;
            if (c == 0 || r == 0 || c == MAP_SIZE - 1 || r == MAP_SIZE - 1) {
                EXPECT_FALSE(FreeForPlayer(code)) << "rim cell " << c << ", " << r << " is open";
            }
            if (c >= ORB_FIRST && c <= ORB_LAST && r >= ORB_FIRST && r <= ORB_LAST && code == 0)
                orbCells++;
        }
    }
    EXPECT_EQ(CodeIn(bytes, 4, 4), 0) << "the robot starts in cell (4, 4)";
    // The sector must be large: at least a fifth of the orb area is open space.
    EXPECT_GT(orbCells, 81 * 81 / 5);
}

TEST(SectorMapFile, MachinesComeInLeftAndRightHalvesAndTheGateIsWhole) {
    const std::vector<uint8_t> bytes = ShippedMap();
    ASSERT_EQ(bytes.size(), size_t(MAP_FILE_BYTES));
    int shops = 0, teleporters = 0, bases = 0, gates = 0;
    for (int c = 0; c + 1 < MAP_SIZE; c++) {
        for (int r = 2; r < MAP_SIZE; r++) {
            const int32_t code = CodeIn(bytes, c, r);
            if (code == 18 || code == 20 || code == 22) {
                EXPECT_EQ(CodeIn(bytes, c + 1, r), code + 1) << "machine at " << c << ", " << r;
                // Its top must be reachable to stand on: the cells above both halves are free.
                EXPECT_TRUE(FreeForPlayer(CodeIn(bytes, c, r - 1)));
                EXPECT_TRUE(FreeForPlayer(CodeIn(bytes, c + 1, r - 1)));
                shops += code == 18, teleporters += code == 20, bases += code == 22;
            }
            if (code == 19 || code == 21 || code == 23) {
                EXPECT_EQ(CodeIn(bytes, c - 1, r), code - 1) << "machine at " << c << ", " << r;
            }
            if (code == 21) {
                // The arrival point (64 c, 64 r - 64) and the cells it touches stay clear.
                for (int dc = -1; dc <= 0; dc++) {
                    for (int dr = -2; dr <= -1; dr++) {
                        EXPECT_TRUE(FreeForPlayer(CodeIn(bytes, c + dc, r + dr)))
                            << "arrival space of the teleporter at " << c << ", " << r;
                    }
                }
            }
            if (code == 28) {
                gates++;
                EXPECT_EQ(CodeIn(bytes, c + 1, r), 29);
                EXPECT_EQ(CodeIn(bytes, c, r + 1), 34);
                EXPECT_EQ(CodeIn(bytes, c + 1, r + 1), 35);
            }
        }
    }
    EXPECT_GE(teleporters, 4);
    EXPECT_GE(shops, 3);
    EXPECT_GE(bases, 3);
    EXPECT_GE(gates, 1);
}

TEST_F(ShippedSector, EveryOrbCellCanBeReachedFromTheStartWithoutAHeadStrike) {
    const SectorFlood flood = FloodSectorFromStart();
    EXPECT_FALSE(flood.offGrid) << "a position left the 4-pixel lattice";
    std::string missed;
    int missing = 0, orbCells = 0;
    for (int c = ORB_FIRST; c <= ORB_LAST; c++) {
        for (int r = ORB_FIRST; r <= ORB_LAST; r++) {
            if (LevelMap[c][r] != 0) continue;
            orbCells++;
            if (flood.cellReached[c * MAP_SIZE + r]) continue;
            if (missing++ < 40) missed += " (" + std::to_string(c) + "," + std::to_string(r) + ")";
        }
    }
    std::printf("flood: %lld positions, %lld expansions, %d orb cells\n",
                (long long)flood.positions, (long long)flood.expansions, orbCells);
    EXPECT_EQ(missing, 0) << missing << " orb cells cannot be reached:" << missed;
}
