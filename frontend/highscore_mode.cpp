// highscore_mode.cpp - placeholder until the front end lands: back to the menu.
#include "frontend/highscore_mode.h"

#include "app/globals.h"

void HighScoreMode() {
    PlayEntry = PLAY_NEW_GAME;
    GameMode = MODE_MENU;
}
