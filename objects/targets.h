// targets.h - the targets of the level-end round: one per carried orb, drifting about the
// screen on a shared spin, each taking ten hits before it bursts and the orb is delivered.
//
// LevelEndMode spawns them on entry, updates them once per drawn frame before the volley
// shots and clears them on leaving; volley bursts lower their hits and set their flash.
// Targets live in screen pixels. Main thread only; UpdateTargets inside a 2D frame.
#pragma once

#include <cstdint>

#include "support/list.h"

struct Target {
    float x, y;    // screen pixels
    float vx, vy;  // base velocity, scaled each frame by the sine and cosine of TargetSpin
    int32_t hits;  // hits it can still take: 9 at birth, destroyed once below 0
    int32_t flash; // 1 after a hit: the next draw shows the grey disc
};

extern List<Target> Targets;
// Phase shared by every target; it advances once per target per frame and is never reset
// between visits.
extern int32_t TargetSpin;

constexpr int32_t TARGET_HITS = 9;

// One target per carried orb at a random place with a random base velocity.
void SpawnTargets();
// Spins, moves, wraps, destroys and draws the targets. A destroyed target delivers its orb
// (PickupsCarried - 1), bursts into a ring of dots and is drawn once more before it goes.
void UpdateTargets();
void ClearTargets();
