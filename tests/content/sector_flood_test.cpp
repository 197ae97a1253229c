// sector_flood_test.cpp - can the robot get to every orb of the sector? A flood of the
// robot's movement rules over the loaded sector finds every place the player can reach from
// the start, frame by frame and pixel by pixel; small sectors built here show that it misses
// what the robot cannot get to, and the shipped sector's codes, machines and orb cells are
// checked with it.
//
// The flood uses the real MapCellAt (through ReadNeighbourCells) and the shared movement
// procedures in the play mode's order: neighbour cells, walk and fly, teleport, gravity,
// clamp, refill. A state is a position plus its fuel; of two states at one position the one
// with more fuel can do everything the other can, so only the best fuel per position is kept.
// Positions where the ceiling cell would strike the head are never entered: a route must not
// cost energy.
//
// Sections: the flood | small sectors | the shipped sector
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "play/level_map.h"
#include "play/player.h"
#include "play/player_motion.h"
#include "render/draw.h"
#include "tests/testkit.h"

namespace {

// ---------------------------------------------------------------- the flood
struct SectorFlood {
    std::vector<uint8_t> cellReached; // [col * 101 + row]: the robot's centre came within
                                      // 30 px of the cell's centre
    bool offGrid = false;             // a position off the 4-pixel lattice turned up
};

// Every position of the game lies on a 4-pixel lattice: the start (300, 300), steps of 4
// and 8, arrival points on multiples of 64 and clamps at 0, 6336 and 5936.
constexpr int LATTICE = 4;
constexpr int XS = int(PLAYER_MAX_X) / LATTICE + 1;
constexpr int YS = int(PLAYER_MAX_Y) / LATTICE + 1;
constexpr int FUEL_STATES = 2 * int(PLAYER_FUEL_MAX) + 1; // 2 fuel + refill phase

// Fuel and the refill phase folded into one number that only grows (by 1 a frame without
// the jet, capped at a full tank) or shrinks (by 1 a frame on the jet).
int FuelState(float fuel, int32_t refillCount) {
    return 2 * int(fuel) + refillCount;
}

struct Flood {
    std::vector<int16_t> best; // best fuel state per position, -1 not reached
    std::array<std::vector<int32_t>, FUEL_STATES> buckets;
    SectorFlood result;

    Flood() : best(std::size_t(XS) * YS, -1) { result.cellReached.assign(MAP_SIZE * MAP_SIZE, 0); }

    void Offer(float x, float y, int fuelState) {
        const int xi = int(x), yi = int(y);
        if (xi % LATTICE || yi % LATTICE || xi < 0 || yi < 0 || xi > PLAYER_MAX_X ||
            yi > PLAYER_MAX_Y) {
            result.offGrid = true;
            return;
        }
        const int32_t at = (xi / LATTICE) * YS + yi / LATTICE;
        if (best[at] >= fuelState) return;
        best[at] = int16_t(fuelState);
        buckets[fuelState].push_back(at);
    }

    void MarkOrbCells(float x, float y) {
        const int col = int(x) / MAP_CELL, row = int(y) / MAP_CELL;
        for (int c = col - 1; c <= col + 1; c++) {
            for (int r = row - 1; r <= row + 1; r++) {
                if (c < 0 || r < 0 || c >= MAP_SIZE || r >= MAP_SIZE) continue;
                const float cx = float(c * MAP_CELL + MAP_CELL / 2);
                const float cy = float(r * MAP_CELL + MAP_CELL / 2);
                if (WithinRadius(cx, cy, x, y, 30)) result.cellReached[c * MAP_SIZE + r] = 1;
            }
        }
    }

    // The rest of a frame after the keys: gravity (on the cells read at the frame's start),
    // the clamp and the refill.
    void Finish(PlayerState p, int32_t refillCount, const NeighbourCells& cells) {
        FallPlayer(&p, cells);
        ClampPlayerPosition(&p.x, &p.y);
        RefillPlayerFuel(&p, &refillCount);
        Offer(p.x, p.y, FuelState(p.fuel, refillCount));
    }

    void Expand(int32_t at, int fuelState) {
        const float x = float((at / YS) * LATTICE), y = float((at % YS) * LATTICE);
        const NeighbourCells cells = ReadNeighbourCells(x, y);
        if (CellHurtsHead(cells.up)) return; // this frame would cost energy
        MarkOrbCells(x, y);
        if (!CellFreeForPlayer(cells.down)) {
            // Standing: waiting fills the tank, which is at least as good as anything less.
            fuelState = FUEL_STATES - 1;
            best[at] = int16_t(fuelState);
        }
        PlayerState p{};
        p.fuel = float(fuelState / 2);
        static const bool KEYS[][3] = {{false, false, false}, {true, false, false},
                                       {false, true, false},  {false, false, true},
                                       {true, false, true},   {false, true, true}};
        for (const auto& k : KEYS) {
            PlayerState moved = p;
            moved.x = x, moved.y = y;
            MovePlayerByKeys(&moved, cells, k[0], k[1], k[2]);
            Finish(moved, fuelState % 2, cells);
        }
        // Down on a teleporter: tried again and again, it lands on every arrival point.
        if (cells.down == 20 || cells.down == 21) {
            ListRewind(TeleportTargets);
            while (TeleportTarget* t = ListNext(TeleportTargets)) {
                p.x = t->x, p.y = t->y;
                Finish(p, fuelState % 2, cells);
            }
        }
    }

    void Run() {
        Offer(300, 300, 0);
        for (;;) {
            int e = FUEL_STATES - 1;
            while (e >= 0 && buckets[e].empty()) e--;
            if (e < 0) break;
            const int32_t at = buckets[e].back();
            buckets[e].pop_back();
            if (best[at] != e) continue; // superseded by a fuller visit
            Expand(at, e);
        }
    }
};

// Floods from the new-game start (300, 300) with an empty tank over LevelMap and
// TeleportTargets as they are loaded now.
SectorFlood FloodSectorFromStart() {
    Flood flood;
    flood.Run();
    return flood.result;
}

} // namespace

// ---------------------------------------------------------------- small sectors
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

// ---------------------------------------------------------------- the shipped sector
namespace {

constexpr int ORB_FIRST = 10, ORB_LAST = 90; // orbs lie on code-0 cells of these columns and rows

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
            EXPECT_TRUE(!rim || !CellFreeForPlayer(code)) << "the rim is open";
            openOrbCells +=
                c >= ORB_FIRST && c <= ORB_LAST && r >= ORB_FIRST && r <= ORB_LAST && code == 0;
            if (code == 18 || code == 20 || code == 22) {
                // A machine's left half, its right half beside it and room to stand on top.
                EXPECT_EQ(At(c + 1, r), code + 1);
                EXPECT_TRUE(CellFreeForPlayer(At(c, r - 1)) && CellFreeForPlayer(At(c + 1, r - 1)));
                shops += code == 18, teleporters += code == 20, bases += code == 22;
            }
            if (code == 19 || code == 21 || code == 23) {
                EXPECT_EQ(At(c - 1, r), code - 1);
            }
            if (code == 21) { // the arrival point (64 c, 64 r - 64) and the cells it touches
                for (int dc = -1; dc <= 0; dc++)
                    for (int dr = -2; dr <= -1; dr++)
                        EXPECT_TRUE(CellFreeForPlayer(At(c + dc, r + dr)));
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
    EXPECT_EQ(missing, 0) << missing << " orb cells cannot be reached:" << missed;
}
