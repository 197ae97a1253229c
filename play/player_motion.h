// player_motion.h - the robot's movement rules, shared by the play mode and by the map's
// reachability check, so that both move the robot the same way.
//
// Per drawn frame the play mode reads the four neighbour cells from the position at the
// start of the frame, walks 4 px left/right if that side is free, flies 8 px up while fuel
// lasts and the cell above is free, falls 4 px when the cell below is free, keeps the
// centre inside the sector and refills one fuel unit every second frame up to 200.
#pragma once

#include <cstdint>

constexpr float PLAYER_WALK_STEP = 4;
constexpr float PLAYER_FLY_STEP = 8;
constexpr float PLAYER_FALL_STEP = 4;
constexpr float PLAYER_PROBE = 32;   // neighbour cells are tested this far from the centre
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
