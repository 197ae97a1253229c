// play_mode.h - the game itself.
#pragma once

// Called by the mode loop; runs its own frame loop and returns after setting GameMode.
void PlayMode();
