// back_panels.h - three layers of dark metal panels behind the map, scrolled at different
// speeds for depth.
//
// Start-up lays the panels out once (FillBackPanels, after the catalogue has made
// PanelImage); the play mode calls ScrollBackPanels once per drawn frame, before the map. Panels
// live in screen pixels. Main thread only.
#pragma once

#include "support/list.h"

struct BackPanel {
    float x, y;             // top-left corner on screen, pixels
    float factorX, factorY; // share of the frame's scroll applied: layer / 3
    float brightness;       // grey of the tint: layer / 3
};
extern List<BackPanel> BackPanels;

// For layer 1 to 3, row 0 to 6, column 0 to 8: a panel of 100 x 100 at
// (100 column - 100, 100 row - 100) where RandomInt(9) > 4, about half of the 189 places.
void FillBackPanels();

// Wraps (before moving, so a panel may stand one frame's scroll beyond the limits), moves
// by (dx, dy) times the panel's factor and draws every panel, far layer first.
void ScrollBackPanels(float dx, float dy);
