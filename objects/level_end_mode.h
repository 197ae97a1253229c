// level_end_mode.h - the timed target round at the base.
#pragma once

// Called by the mode loop; runs its own frame loop and returns after setting GameMode.
void LevelEndMode();
