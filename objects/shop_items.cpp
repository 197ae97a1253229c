// shop_items.cpp - the shop's price list.
#include "objects/shop_items.h"

// Dearer weapons give fewer rounds per coin; the plasma ball (weapon 3) is the dearest round.
// clang-format off
const ShopItem ShopItems[SHOP_ROWS] = {
    // price  weapon  amount  icon
    {  10,     0,      15,     10},
    {  20,     1,      15,     11},
    {  40,     2,      20,     12},
    {  80,     3,      10,     13},
    { 100,     4,      20,     14},
    {   0,    -1,       0,     15}, // "EXIT SHOP": the empty button
};
// clang-format on
