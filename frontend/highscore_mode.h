// highscore_mode.h - the high-score table over copper bars.
#pragma once

// Called by the mode loop; runs its own frame loop and returns after setting GameMode.
void HighScoreMode();
