// sector_flood.cpp - the reachability flood over the movement rules (see sector_flood.h).
#include "tests/content/sector_flood.h"

#include <array>
#include <cstddef>

#include "play/level_map.h"
#include "play/player.h"
#include "play/player_motion.h"
#include "render/draw.h"

namespace {

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
        if (best[at] < 0) result.positions += 1;
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
        result.expansions += 1;
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

} // namespace

SectorFlood FloodSectorFromStart() {
    Flood flood;
    flood.Run();
    return flood.result;
}
