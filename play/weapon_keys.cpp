// weapon_keys.cpp - firing with the space bar and choosing a weapon with F1 to F5.
// A step of the play mode's frame.
#include "core/player.h"
#include "objects/shots.h"
#include "platform/platform.h"
#include "play/play_frame.h"

namespace {

constexpr int WEAPON_KEYS[WEAPON_COUNT] = {VK_F1, VK_F2, VK_F3, VK_F4, VK_F5};

} // namespace

void HandleWeaponKeys() {
    // The space bar is looked at only when the counter has passed the period, so holding it
    // fires once every firePeriod + 1 frames.
    Player.fireCounter += 1;
    if (Player.fireCounter > Player.firePeriod) {
        Player.fireCounter = 0;
        if (GetAsyncKeyState(VK_SPACE)) FireWeapon();
    }
    // Tested in order: of several keys held, the last one wins.
    for (int32_t w = 0; w < WEAPON_COUNT; w++) {
        if (GetAsyncKeyState(WEAPON_KEYS[w])) {
            Player.weapon = w;
            Player.firePeriod = WeaponTable[w].firePeriod;
        }
    }
}
