// volley_shots.h - the level-end round's volleys: four plasma balls that fly from the screen's
// corners to the crosshair and burst there, hitting every target within 40 px.
//
// LevelEndMode fires a volley every eleventh frame while the space bar is held, updates the
// shots once per drawn frame after the targets and clears them on leaving. Volley shots live
// in screen pixels. Main thread only; UpdateVolleyShots inside a 2D frame.
#pragma once

#include <cstdint>

#include "support/list.h"

struct VolleyShot {
    float x, y;       // screen pixels
    float vx, vy;     // pixels per frame
    float aimX, aimY; // the point it flies to and bursts at
};

extern List<VolleyShot> VolleyShots;

constexpr float VOLLEY_SPEED = 14;     // pixels per frame
constexpr int VOLLEY_BURST_REACH = 30; // a shot bursts closer than this to its aim
constexpr int VOLLEY_HIT_REACH = 40;   // a burst hits every target closer than this

// Four shots at (x, y), from (40, 40), (760, 40), (40, 560) and (760, 560) in that order,
// and the fire sound once.
void FireVolley(float x, float y);
// Moves the shots; a shot near its aim bursts, damaging the targets about it, and goes.
void UpdateVolleyShots();
void ClearVolleyShots();
