// shop_items.h - what the shop sells: one row per weapon's ammunition, and the exit row.
//
// Read by ShopMode on the main thread; constant data.
#pragma once

#include <cstdint>

struct ShopItem {
    int32_t price;  // coins
    int32_t weapon; // the Player.ammo counter it fills; -1 for the exit row
    int32_t amount; // rounds added per purchase
    int32_t icon;   // ScreenImages slot: the weapon's button, or the empty button
};

constexpr int32_t SHOP_ROWS = 6;
constexpr int32_t SHOP_EXIT_ROW = 5; // "EXIT SHOP": back to play

extern const ShopItem ShopItems[SHOP_ROWS];
