// shop_mode.h - the ammunition shop at the terminal.
//
// Called by the mode loop on the main thread when GameMode is MODE_SHOP (the play mode sets
// it when the robot presses down on a shop terminal). The key poll is declared here too, so
// that tests can see what one poll does.
#pragma once

#include <cstdint>

// Runs the shop until "EXIT SHOP" is chosen; returns with GameMode = MODE_PLAY and
// PlayEntry = PLAY_RESUME.
void ShopMode();

// One visit's counters; every visit starts on row 0.
struct ShopVisit {
    int32_t selection; // row 0 to 5
    int32_t keyCount;  // frames towards the next key poll
    int32_t leave;     // 1: the loop ends after this frame
};

// The sounds one poll played, in order (a poll plays at most three).
struct ShopPollSounds {
    int32_t slot[3];
    int32_t count;
};

// Acts on the keys held at one poll, in the order up, down, space: the arrows move the
// selection (wrapping) with a click each, space buys the selected row (or refuses it with a
// click when the coins are short) or leaves from "EXIT SHOP".
ShopPollSounds PollShopKeys(ShopVisit& v, bool up, bool down, bool space);
