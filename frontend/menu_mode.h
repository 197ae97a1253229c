// menu_mode.h - the main menu and credits roll.
#pragma once

// Called by the mode loop; runs its own frame loop and returns after setting GameMode.
void MenuMode();
