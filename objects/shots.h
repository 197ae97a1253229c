// shots.h - the five weapons and the shots they fire.
//
// The play mode calls FireWeapon when the fire key is held and the weapon's delay has run
// out, and UpdateShots once per drawn frame before UpdateEnemies. Shots fly straight, vanish
// or bounce at wall cells by their type, and damage every drone within reach, each hit
// paying coins. Nothing clears the list: shots end with their life or a hit.
// Main thread only; UpdateShots inside a 2D frame.
#pragma once

#include <cstdint>

#include "support/list.h"

struct Shot {
    int32_t type;     // 0 to 4: the weapon that fired it; selects the wall reaction
    float x, y;       // world pixels
    float vx, vy;     // pixels per frame
    int32_t life;     // frames left; removed in the update in which it reaches 0
    int32_t damage;   // energy taken from each drone it hits
    int32_t imageRow; // ShotImages row, always equal to type
    int32_t mirror;   // 0 image as loaded, 1 mirrored
};

extern List<Shot> Shots;

constexpr int32_t WEAPON_COUNT = 5;

// One row per weapon: what a trigger makes.
struct Weapon {
    int32_t shots;      // shots per trigger
    int32_t life;       // frames
    int32_t damage;     // per hit
    int32_t fireSound;  // sound slot
    int32_t firePeriod; // the delay that its key selects
};
extern const Weapon WeaponTable[WEAPON_COUNT];

// Fires Player.weapon once: one unit of ammunition per trigger, however many shots. Without
// ammunition, or with a weapon number outside 0 to 4, nothing happens.
void FireWeapon();
// Moves, collides, draws and removes the shots.
void UpdateShots();
