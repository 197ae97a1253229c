// player.h - the player's record, shared by the play mode, the game objects, the shop,
// the level-end mode and the high-score mode.
//
// A plain record with no operations of its own; each mode reads and writes the fields it
// needs. Only a new game resets it (fields marked "kept" keep their value from the previous
// game; at the first game they are 0). Main thread only.
#pragma once

#include <cstdint>

struct PlayerState {
    float x, y;          // the robot's centre in world pixels
    int32_t weapon;      // selected weapon 0 to 4
    int32_t fireCounter; // frames counted towards the next fire check (kept)
    int32_t firePeriod;  // the fire check happens when fireCounter exceeds it
    int32_t facing;      // 0 facing left, 1 facing right (kept)
    int32_t useCooldown; // frames since a device cell was last used
    int32_t ammo[5];     // ammunition of each weapon
    int32_t energy;      // the game ends when it falls below 0
    float fuel;          // jet fuel, refilled up to 200
    int32_t coins;       // money for the shop
    int32_t score;       // shown on the HUD, entered in the high-score table
    int32_t level;       // sector number from 0
};
extern PlayerState Player;

// New-game values: at (300, 300), weapon 1 with fire period 5, full energy, no fuel, 1000
// coins, sector 0, the starting ammunition. fireCounter and facing keep their values.
void SetNewGamePlayer();
// Next-sector values: back to (300, 300), weapon 1 with fire period 5, device cooldown 0;
// energy, fuel, ammunition, coins, score and level stay.
void SetNextSectorPlayer();
