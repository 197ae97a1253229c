// particles.cpp - spawning, moving, fading, drawing and retiring both kinds of particle.
#include "objects/particles.h"

#include "core/catalogue.h"
#include "core/globals.h"
#include "render/display.h"
#include "render/draw.h"
#include "support/list.h"
#include "support/maths.h"

List<SpriteParticle> SpriteParticles;
List<DotParticle> DotParticles;

namespace {

constexpr int32_t PARTICLE_IMAGE_SLOTS = sizeof ParticleImages / sizeof ParticleImages[0];

// mended: an image number outside the table draws nothing instead of reading past it
uint32_t ParticleTexture(int32_t image) {
    return image >= 0 && image < PARTICLE_IMAGE_SLOTS ? ParticleImages[image] : 0;
}

bool OnScreen(float sx, float sy) {
    return StrictlyBetween(sx, 0, 800) && StrictlyBetween(sy, 0, 600);
}

// Both kinds start with the same eight values; the caller sets the rest.
template <typename T>
T* AddParticle(List<T>& list, float x, float y, int32_t life, float size, float alpha,
               float alphaStep, float vx, float vy) {
    T* p = ListAppend(list);
    p->x = x;
    p->y = y;
    p->vx = vx;
    p->vy = vy;
    p->life = float(life);
    p->size = size;
    p->alpha = alpha;
    p->alphaStep = alphaStep;
    return p;
}

// Both kinds age alike: a frame of life and a step of alpha each frame; running out of
// either retires the particle after this frame's draw. moveAndDraw does the rest.
template <typename T, typename MoveAndDraw>
void UpdateParticles(List<T>& list, MoveAndDraw moveAndDraw) {
    AlphaBlendOn();
    ListRewind(list);
    while (T* p = ListNext(list)) {
        p->life -= 1;
        p->alpha += p->alphaStep;
        const bool dead = p->life < 0 || p->alpha < 0;
        moveAndDraw(*p);
        if (dead) ListDeleteCurrent(list);
    }
    AlphaBlendOff();
}

} // namespace

void SpawnSpriteParticle(float x, float y, int32_t life, float size, float alpha, float alphaStep,
                         float vx, float vy, int32_t image, int32_t fall, int32_t spin) {
    SpriteParticle* p = AddParticle(SpriteParticles, x, y, life, size, alpha, alphaStep, vx, vy);
    p->image = image;
    p->fall = fall;
    p->spin = spin;
    p->angle = 0;
}

void SpawnDotParticle(float x, float y, int32_t life, float size, float alpha, float alphaStep,
                      float vx, float vy, float r, float g, float b) {
    DotParticle* p = AddParticle(DotParticles, x, y, life, size, alpha, alphaStep, vx, vy);
    p->r = r;
    p->g = g;
    p->b = b;
}

// Sprite particles live in screen pixels, turn, and may fall on top of their speed.
void UpdateSpriteParticles() {
    UpdateParticles(SpriteParticles, [](SpriteParticle& p) {
        p.angle += p.spin;
        p.x += p.vx;
        p.y += p.vy + float(p.fall);
        if (OnScreen(p.x, p.y))
            DrawSpriteFaded(ParticleTexture(p.image), p.x, p.y, float(p.angle), p.size, p.size,
                            p.alpha);
    });
}

// Dot particles live in world pixels and are drawn where the camera shows them.
void UpdateDotParticles() {
    UpdateParticles(DotParticles, [](DotParticle& p) {
        p.x += p.vx;
        p.y += p.vy;
        const float sx = p.x - CameraX, sy = p.y - CameraY;
        if (OnScreen(sx, sy))
            DrawPoint(RoundToInt(sx), RoundToInt(sy), p.r, p.g, p.b, p.alpha, p.size);
    });
}
