// menu_mode.h - the main menu: logo, robots, the audio-driven equalizer, three items under a
// pulsing highlight bar, and a nine-page credits and greetings roll that swings in page by
// page below the items.
//
// MenuMode is called by the mode loop while GameMode is MODE_MENU; it runs its own frame loop
// (music module 1, keys polled every 16th drawn frame) and returns after an item has set
// GameMode. Main thread.
#pragma once

#include <cstdint>

constexpr int CREDIT_PAGES = 9;
constexpr int CREDIT_LINES = 3;

// Called by the mode loop; runs its own frame loop and returns after setting GameMode.
void MenuMode();

// The text of a credits line (page 0 to 8, line 0 to 2), laid out for 15 columns of 20-pixel
// glyphs centred on x = 401 with leading blanks; "" outside the roll.
const char* CreditLine(int page, int line);
// Where a credits line starts: 220, or 190 for the one 18-character line.
int32_t CreditBaseX(int page, int line);
