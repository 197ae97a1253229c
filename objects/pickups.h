// pickups.h - the orbs of a sector: placed on free cells, spinning in their rings, collected
// by flying within 30 px of them, carried to the base.
//
// The play mode places them at a new game or sector and updates them once per drawn frame
// after the drones; the level-end mode scatters undelivered orbs back and lowers
// PickupsCarried for each target destroyed. Main thread only; UpdatePickups inside a 2D frame.
#pragma once

#include <cstdint>

#include "support/list.h"

struct Pickup {
    float x, y; // world pixels: always the centre of a map cell
};

extern List<Pickup> Pickups;
extern int32_t PickupsLeft;    // orbs lying in the sector; equals the number of records
extern int32_t PickupsCarried; // orbs collected and not yet delivered
extern int32_t PickupSpin;     // rotation of every ring, degrees

constexpr int32_t PICKUPS_MAX = 16;

// Places the orbs of a new sector: 2 x Player.level + 1, at most 16.
void PlacePickups();
// Places n orbs at random free cells (none when n < 1).
void ScatterPickups(int32_t n);
// Turns the rings, draws the orbs and collects those the player touches.
void UpdatePickups();
// Deletes every orb and sets both counters to 0.
void ClearPickups();
