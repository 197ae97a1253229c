// shop_mode.cpp - placeholder until the shop lands: straight back to play.
#include "objects/shop_mode.h"

#include "app/globals.h"

void ShopMode() {
    GameMode = MODE_PLAY;
    PlayEntry = PLAY_RESUME;
}
