// particles.cpp - spawning, moving, fading, drawing and retiring both kinds of particle.
#include "objects/particles.h"

#include "app/catalogue.h"
#include "app/globals.h"
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

} // namespace

void SpawnSpriteParticle(float x, float y, int32_t life, float size, float alpha, float alphaStep,
                         float vx, float vy, int32_t image, int32_t fall, int32_t spin) {
    SpriteParticle* p = ListAppend(SpriteParticles);
    p->x = x;
    p->y = y;
    p->vx = vx;
    p->vy = vy;
    p->life = float(life);
    p->size = size;
    p->alpha = alpha;
    p->alphaStep = alphaStep;
    p->image = image;
    p->fall = fall;
    p->spin = spin;
    p->angle = 0;
}

void SpawnDotParticle(float x, float y, int32_t life, float size, float alpha, float alphaStep,
                      float vx, float vy, float r, float g, float b) {
    DotParticle* p = ListAppend(DotParticles);
    p->x = x;
    p->y = y;
    p->vx = vx;
    p->vy = vy;
    p->life = float(life);
    p->size = size;
    p->alpha = alpha;
    p->alphaStep = alphaStep;
    p->r = r;
    p->g = g;
    p->b = b;
}

void UpdateSpriteParticles() {
    AlphaBlendOn();
    ListRewind(SpriteParticles);
    while (SpriteParticle* p = ListNext(SpriteParticles)) {
        bool dead = false;
        p->life -= 1;
        if (p->life < 0) dead = true;
        p->angle += p->spin;
        p->x += p->vx;
        p->y += p->vy + float(p->fall);
        p->alpha += p->alphaStep;
        if (p->alpha < 0) dead = true;
        if (OnScreen(p->x, p->y))
            DrawSpriteFaded(ParticleTexture(p->image), p->x, p->y, float(p->angle), p->size,
                            p->size, p->alpha);
        if (dead) ListDeleteCurrent(SpriteParticles);
    }
    AlphaBlendOff();
}

void UpdateDotParticles() {
    AlphaBlendOn();
    ListRewind(DotParticles);
    while (DotParticle* p = ListNext(DotParticles)) {
        bool dead = false;
        p->life -= 1;
        if (p->life < 0) dead = true;
        p->x += p->vx;
        p->y += p->vy;
        p->alpha += p->alphaStep;
        if (p->alpha < 0) dead = true;
        const float sx = p->x - CameraX, sy = p->y - CameraY;
        if (OnScreen(sx, sy))
            DrawPoint(RoundToInt(sx), RoundToInt(sy), p->r, p->g, p->b, p->alpha, p->size);
        if (dead) ListDeleteCurrent(DotParticles);
    }
    AlphaBlendOff();
}
