// level_end_mode.h - the timed target round at the base, and the congratulations screen
// when it cleans the sector.
//
// Called by the mode loop on the main thread when GameMode is MODE_LEVEL_END (the play mode
// sets it when the robot presses down on a base cell carrying orbs).
#pragma once

#include <cstdint>

// Runs the round and, if it cleaned the sector, the congratulations screen; returns with
// GameMode and PlayEntry set for the play mode (or the high scores after Escape).
void LevelEndMode();

// Frames the round lasts: "TIME " counts down from here and the round ends below 0.
constexpr int32_t LEVEL_END_TIME = 2000;
