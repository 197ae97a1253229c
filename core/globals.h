// globals.h - the program-wide state that survives every change of mode.
//
// Set by start-up, read and written by the mode procedures. Object lists, the player record,
// the level map and the asset tables live in the headers of their own subsystems.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------- modes
enum : int32_t {
    MODE_MENU = 0,
    MODE_PLAY = 1,
    MODE_HIGHSCORES = 2,
    MODE_SHOP = 3,
    MODE_LEVEL_END = 4,
    MODE_QUIT = 99,
};
extern int32_t GameMode; // the mode that the mode loop calls next

// How the play mode starts when it is next entered.
enum : int32_t { PLAY_NEW_GAME = 0, PLAY_RESUME = 1, PLAY_NEXT_SECTOR = 2 };
extern int32_t PlayEntry;

// ---------------------------------------------------------------- frame pacing
extern float LastFrameTick; // tick count (ms) when the last frame was finished
extern float FrameRate;     // 80 frames a second
extern float FramePeriod;   // 1000 / FrameRate = 12.5 ms

// ---------------------------------------------------------------- camera
extern float CameraX; // world pixels of the screen's top-left corner
extern float CameraY;

// The game's title: window caption and caption of the "Fullscreen?" question.
extern const char* const GameTitle;
