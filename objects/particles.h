// particles.h - sprite particles (smoke, wreckage; screen pixels) and dot particles (sparks;
// world pixels).
//
// Anything may spawn them; the play mode updates both kinds once per drawn frame (sprite
// particles first), the level-end mode only the dots. The lists are never cleared: particles
// outlive a change of mode and finish their lives when their update runs again.
// Main thread only, inside a 2D frame.
#pragma once

#include <cstdint>

#include "support/list.h"

struct SpriteParticle {
    float x, y;      // centre in screen pixels
    float vx, vy;    // pixels per frame
    float life;      // frames left
    float size;      // side of the drawn square
    float alpha;     // opacity, 1 opaque
    float alphaStep; // added to alpha every frame
    int32_t image;   // ParticleImages slot 0 to 8
    int32_t fall;    // pixels added to y every frame on top of vy
    int32_t spin;    // degrees added to angle every frame
    int32_t angle;   // rotation in degrees, 0 at birth
};

struct DotParticle {
    float x, y;      // world pixels
    float vx, vy;    // pixels per frame
    float life;      // frames left
    float size;      // point size in pixels
    float alpha;     // opacity
    float alphaStep; // added to alpha every frame
    float r, g, b;   // colour 0 to 1
};

extern List<SpriteParticle> SpriteParticles;
extern List<DotParticle> DotParticles;

void SpawnSpriteParticle(float x, float y, int32_t life, float size, float alpha, float alphaStep,
                         float vx, float vy, int32_t image, int32_t fall, int32_t spin);
void SpawnDotParticle(float x, float y, int32_t life, float size, float alpha, float alphaStep,
                      float vx, float vy, float r, float g, float b);

// Move, fade, draw and retire every particle of one kind. A particle is drawn once more in
// the frame in which it dies.
void UpdateSpriteParticles();
void UpdateDotParticles();
