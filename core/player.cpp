// player.cpp - the player record and its new-game and next-sector values.
#include "core/player.h"

PlayerState Player;

namespace {

constexpr float PLAYER_START_X = 300; // cell (4, 4), which a map keeps free
constexpr float PLAYER_START_Y = 300;
constexpr int32_t START_WEAPON = 1;
// kept: a new game or sector starts weapon 1 with period 5, not the 7 that its key sets
constexpr int32_t START_FIRE_PERIOD = 5;
constexpr int32_t START_AMMO[5] = {100, 120, 110, 110, 110};
constexpr int32_t START_ENERGY = 200;
constexpr int32_t START_COINS = 1000;

void SetSectorStart() {
    Player.x = PLAYER_START_X;
    Player.y = PLAYER_START_Y;
    Player.weapon = START_WEAPON;
    Player.firePeriod = START_FIRE_PERIOD;
    Player.useCooldown = 0;
}

} // namespace

void SetNewGamePlayer() {
    SetSectorStart();
    for (int k = 0; k < 5; k++) Player.ammo[k] = START_AMMO[k];
    Player.energy = START_ENERGY;
    Player.fuel = 0;
    Player.coins = START_COINS;
    Player.score = 0;
    Player.level = 0;
}

void SetNextSectorPlayer() {
    SetSectorStart();
}
