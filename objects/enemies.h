// enemies.h - the drones: they circle a centre that homes in on the player, never hurt it,
// and pay score and coins when shot down.
//
// The play mode spawns them in waves, updates them once per drawn frame after the shots and
// clears them at a new game or sector; shots lower their energy and set their flash.
// Main thread only; UpdateEnemies inside a 2D frame.
#pragma once

#include <cstdint>

#include "support/list.h"

struct Enemy {
    float x, y;             // centre of the orbit in world pixels
    float angle;            // orbit angle in degrees, also the sprite's rotation
    float speedX, speedY;   // step of the centre per frame, a whole number 3 to 6
    int32_t energy;         // 40 at birth; destroyed once below 0
    int32_t value;          // score paid on destruction: 120
    float size;             // side of the drawn square: 40
    int32_t flash;          // 1 after a hit: the next draw shows the white silhouette
    int32_t hold;           // non-zero: stays put and keeps its screen position
    float screenX, screenY; // screen position of the last update; shots test against it
    int32_t imageRow;       // EnemyImages row, 0 for every drone the game makes
};

extern List<Enemy> Enemies;

constexpr int32_t ENEMY_ENERGY = 40;
constexpr int32_t ENEMY_VALUE = 120;
constexpr float ENEMY_SIZE = 40;
constexpr float ENEMY_ORBIT = 180; // radius of the circle about the centre, pixels
constexpr float ENEMY_TURN = 3;    // degrees of orbit per frame
constexpr int32_t ENEMY_KILL_COINS = 10;

void SpawnEnemy(float x, float y, int32_t hold);
// Pays for and removes the destroyed drones, moves and draws the rest.
void UpdateEnemies();
void ClearEnemies();
