// player_motion.h - the robot's movement rules, shared by the play mode and by the map's
// reachability check, so that both move the robot the same way.
//
// Per drawn frame the play mode reads the four neighbour cells from the position at the
// start of the frame, walks 4 px left/right if that side is free, flies 8 px up while fuel
// lasts and the cell above is free, falls 4 px when the cell below is free, keeps the
// centre inside the sector and refills one fuel unit every second frame up to 200. The
// play mode calls, in this order within a frame:
//
//     NeighbourCells cells = ReadNeighbourCells(Player.x, Player.y);
//     PlayerKeyMoves moves = MovePlayerByKeys(&Player, cells, left, right, up);
//     ...device cell under the feet, firing, weapon keys, Escape, head strike...
//     bool falling = FallPlayer(&Player, cells);
//     ClampPlayerPosition(&Player.x, &Player.y);
//     ...camera...
//     RefillPlayerFuel(&Player, &refillCount);
//
// Main thread only (the map check runs it on its own copies).
#pragma once

#include <cstdint>

#include "core/player.h"

constexpr float PLAYER_WALK_STEP = 4;
constexpr float PLAYER_FLY_STEP = 8;
constexpr float PLAYER_FALL_STEP = 4;
constexpr float PLAYER_PROBE = 32; // neighbour cells are tested this far from the centre
constexpr float PLAYER_MAX_X = 6336;
constexpr float PLAYER_MAX_Y = 5936;
constexpr float PLAYER_FUEL_MAX = 200;

struct NeighbourCells {
    int32_t up, down, left, right;
};

// Free for the player: code 0 or any code above 23 (background); 1 to 23 and negative
// codes block.
bool CellFreeForPlayer(int32_t code);

// The cells 32 px above, below, left and right of the centre (position rounded to pixels).
NeighbourCells ReadNeighbourCells(float x, float y);

// A ceiling of codes 2 to 23 hurts the head.
bool CellHurtsHead(int32_t code);

// x and y clamped to 0 .. 6336 and 0 .. 5936.
void ClampPlayerPosition(float* x, float* y);

// What the arrow keys did this frame.
struct PlayerKeyMoves {
    int32_t walkSteps; // 0, 1 or 2 (both arrows on a free corridor: the moves cancel)
    bool flew;         // the jet lifted the robot 8 px and burnt one fuel unit
};

// Left arrow then right arrow then up arrow, each tested against the frame's start cells:
// walking sets `facing` (0 left, 1 right), flying needs fuel above 0.
PlayerKeyMoves MovePlayerByKeys(PlayerState* player, const NeighbourCells& cells, bool left,
                                bool right, bool up);

// Gravity: 4 px down when the cell below (read at the frame's start) is free. Returns true
// when the robot fell, false when it stands.
bool FallPlayer(PlayerState* player, const NeighbourCells& cells);

// One fuel unit every second call while fuel is below 200; refillCount is the play mode's
// frame counter for it (0 on entry to the mode).
void RefillPlayerFuel(PlayerState* player, int32_t* refillCount);
