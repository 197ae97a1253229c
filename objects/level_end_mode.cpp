// level_end_mode.cpp - placeholder until the level-end mode lands: straight back to play.
#include "objects/level_end_mode.h"

#include "app/globals.h"

void LevelEndMode() {
    GameMode = MODE_PLAY;
    PlayEntry = PLAY_RESUME;
}
