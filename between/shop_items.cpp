// shop_items.cpp - the shop's price list.
#include "between/shop_items.h"

#include "core/catalogue.h"

// Dearer weapons give fewer rounds per coin; the plasma ball (weapon 3) is the dearest round.
// clang-format off
const ShopItem ShopItems[SHOP_ROWS] = {
    // price  weapon  amount  icon
    {  10,     0,      15,     SCREEN_WEAPON_BUTTONS + 0},
    {  20,     1,      15,     SCREEN_WEAPON_BUTTONS + 1},
    {  40,     2,      20,     SCREEN_WEAPON_BUTTONS + 2},
    {  80,     3,      10,     SCREEN_WEAPON_BUTTONS + 3},
    { 100,     4,      20,     SCREEN_WEAPON_BUTTONS + 4},
    {   0,    -1,       0,     SCREEN_EMPTY_BUTTON}, // "EXIT SHOP": the empty button
};
// clang-format on
