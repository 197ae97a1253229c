// sector_flood_test.cpp - every orb cell of the shipped sector is reachable: a flood steps the
// game's own movement procedures from the start, keeping the best fuel per position.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/level_map.h"
#include "core/player.h"
#include "play/player_motion.h"
#include "render/draw.h"
#include "tests/testkit.h"

namespace {

// Every position lies on a 4-pixel lattice (start, steps, arrival points and clamps alike).
constexpr int LATTICE = 4;
constexpr int XS = int(PLAYER_MAX_X) / LATTICE + 1, YS = int(PLAYER_MAX_Y) / LATTICE + 1;
// Fuel and the refill phase folded into one number: 2 fuel + phase.
constexpr int FUEL_STATES = 2 * int(PLAYER_FUEL_MAX) + 1;

struct SectorFlood {
    std::vector<uint8_t> reached; // [col * 101 + row]: the centre came within 30 px of its
    bool outsideModel = false;    // off the lattice, past a full tank or a refill phase over 1
};

class Flood {
  public:
    // Floods from the new-game start (300, 300) with an empty tank over the loaded map.
    SectorFlood Run() {
        result_.reached.assign(MAP_SIZE * MAP_SIZE, 0);
        Offer(300, 300, 0, 0);
        for (;;) {
            int e = FUEL_STATES - 1;
            while (e >= 0 && buckets_[e].empty()) e--;
            if (e < 0) return result_;
            const int32_t at = buckets_[e].back();
            buckets_[e].pop_back();
            if (best_[at] == e) Expand(at, e); // else superseded by a fuller visit
        }
    }

  private:
    void Offer(float x, float y, float fuel, int32_t refillCount) {
        const int xi = int(x), yi = int(y), fuelState = 2 * int(fuel) + refillCount;
        if (xi % LATTICE || yi % LATTICE || xi < 0 || yi < 0 || xi > PLAYER_MAX_X ||
            yi > PLAYER_MAX_Y || refillCount < 0 || refillCount > 1 || fuelState >= FUEL_STATES) {
            result_.outsideModel = true;
            return;
        }
        const int32_t at = (xi / LATTICE) * YS + yi / LATTICE;
        if (best_[at] >= fuelState) return;
        best_[at] = int16_t(fuelState);
        buckets_[fuelState].push_back(at);
    }

    // The rest of a frame after the keys: gravity, the clamp, the refill.
    void Finish(PlayerState p, int32_t refillCount, const NeighbourCells& cells) {
        FallPlayer(&p, cells);
        ClampPlayerPosition(&p.x, &p.y);
        RefillPlayerFuel(&p, &refillCount);
        Offer(p.x, p.y, p.fuel, refillCount);
    }

    void Expand(int32_t at, int fuelState) {
        const float x = float((at / YS) * LATTICE), y = float((at % YS) * LATTICE);
        const NeighbourCells cells = ReadNeighbourCells(x, y);
        if (CellHurtsHead(cells.up)) return;                        // this frame would cost energy
        const int col = int(x) / MAP_CELL, row = int(y) / MAP_CELL; // no other centre is near
        if (WithinRadius(float(col * MAP_CELL + 32), float(row * MAP_CELL + 32), x, y, 30))
            result_.reached[col * MAP_SIZE + row] = 1;
        if (!CellFreeForPlayer(cells.down)) // standing: waiting fills the tank
            best_[at] = int16_t(fuelState = FUEL_STATES - 1);
        PlayerState p{};
        p.fuel = float(fuelState / 2);
        for (int keys : {0, 1, 2, 4, 5, 6}) { // left 1, right 2, up 4
            PlayerState moved = p;
            moved.x = x, moved.y = y;
            MovePlayerByKeys(&moved, cells, keys & 1, keys & 2, keys & 4);
            Finish(moved, fuelState % 2, cells);
        }
        // Down on a teleporter: tried again and again, it lands on every arrival point.
        if (cells.down == 20 || cells.down == 21) {
            ListRewind(TeleportTargets);
            while (const TeleportTarget* t = ListNext(TeleportTargets)) {
                p.x = t->x, p.y = t->y;
                Finish(p, fuelState % 2, cells);
            }
        }
    }

    std::vector<int16_t> best_ = std::vector<int16_t>(std::size_t(XS) * YS, -1); // -1 unreached
    std::array<std::vector<int32_t>, FUEL_STATES> buckets_;
    SectorFlood result_;
};

bool Reached(const SectorFlood& f, int c, int r) {
    return f.reached[c * MAP_SIZE + r] != 0;
}

} // namespace

// ---------------------------------------------------------------- a small sector
// Rock everywhere but boxes of free space: the start hall around (300, 300), and a corridor at
// row 90 ending in a 60-cell shaft, of which 200 units of fuel buy 25 cells of climb.
TEST(FloodSector, AFullTankClimbsTwentyFiveCellsUpAShaftAndNoFurther) {
    ClearLevelMap();
    for (auto& column : LevelMap)
        for (int32_t& cell : column) cell = 5;
    for (const auto& [c0, r0, c1, r1] :
         {std::array{1, 1, 12, 8}, {13, 8, 13, 90}, {13, 90, 42, 90}, {41, 90 - 60, 42, 90}})
        for (int c = c0; c <= c1; c++)
            for (int r = r0; r <= r1; r++) LevelMap[c][r] = 0;
    const SectorFlood f = Flood().Run();
    ClearLevelMap();
    EXPECT_FALSE(f.outsideModel);
    EXPECT_TRUE(Reached(f, 1, 8) && Reached(f, 12, 1)) << "a floor corner, the far top corner";
    EXPECT_TRUE(Reached(f, 41, 90) && Reached(f, 41, 90 - 25) && !Reached(f, 41, 90 - 26));
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
    int openOrbCells = 0, machines[3] = {}, gates = 0; // shops, teleporters, bases
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
                machines[(code - 18) / 2]++;
            }
            const bool rightHalf = code == 19 || code == 21 || code == 23;
            EXPECT_TRUE(!rightHalf || At(c - 1, r) == code - 1) << "a right half alone";
            for (int k = 0; code == 21 && k < 4; k++) // the arrival point (64 c, 64 r - 64)
                EXPECT_TRUE(CellFreeForPlayer(At(c - k % 2, r - 1 - k / 2))) << "arrival " << k;
            if (code == 28) { // the four-tile gate
                gates++;
                EXPECT_EQ((std::array{At(c + 1, r), At(c, r + 1), At(c + 1, r + 1)}),
                          (std::array{29, 34, 35}));
            }
        }
    }
    EXPECT_EQ(At(4, 4), 0) << "the robot starts in cell (4, 4)";
    EXPECT_GT(openOrbCells, 81 * 81 / 5) << "at least a fifth of the orb area is open";
    EXPECT_TRUE(machines[0] >= 3 && machines[1] >= 4 && machines[2] >= 3 && gates >= 1);
    EXPECT_EQ(TeleportTargetCount, machines[1]);
}

TEST_F(ShippedSector, EveryOrbCellCanBeReachedFromTheStartWithoutAHeadStrike) {
    const SectorFlood flood = Flood().Run();
    EXPECT_FALSE(flood.outsideModel);
    std::string missed;
    int missing = 0;
    for (int c = ORB_FIRST; c <= ORB_LAST; c++)
        for (int r = ORB_FIRST; r <= ORB_LAST; r++)
            if (LevelMap[c][r] == 0 && !Reached(flood, c, r) && missing++ < 40)
                missed += " (" + std::to_string(c) + "," + std::to_string(r) + ")";
    EXPECT_EQ(missing, 0) << missing << " orb cells cannot be reached:" << missed;
}
