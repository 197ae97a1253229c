// main.cpp - the game's entry point: the real program on the SDL backend.
//
// Before the program proper (RunGame) it hands the platform the two things only the game
// knows: its icon, drawn from its own art, and where to read the selected weapon, so that
// a gamepad's shoulder buttons step on from the weapon actually in use.
#include <vector>

#include "app/game_icon.h"
#include "app/mode_loop.h"
#include "core/player.h"

namespace {

constexpr int WINDOW_ICON_SIZE = 64;

int SelectedWeapon() {
    return Player.weapon;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<uint8_t> icon;
    if (MakeGameIcon(WINDOW_ICON_SIZE, &icon)) PlatformSetWindowIcon(icon.data(), WINDOW_ICON_SIZE);
    PlatformSetWeaponQuery(SelectedWeapon);
    return RunGame(PLATFORM_SDL, argc, argv);
}
