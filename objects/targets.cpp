// targets.cpp - spawning, drifting, wrapping, destroying and drawing the level-end targets.
#include "objects/targets.h"

#include "core/catalogue.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "render/draw.h"
#include "sound/sound_effects.h"
#include "support/list.h"
#include "support/maths.h"
#include "support/random.h"

List<Target> Targets;
int32_t TargetSpin = 0;

namespace {

// The playing field: the whole width, and the band between the top and bottom pipes.
constexpr float FIELD_WIDTH = 800;
constexpr float FIELD_TOP = 20;
constexpr float FIELD_BOTTOM = 580;

// Left and right edges wrap round; leaving the band at the top or bottom jumps to the
// opposite band edge (not wrapped by the overshoot).
void WrapTarget(Target& t) {
    if (t.x < 0) t.x += FIELD_WIDTH;
    if (t.x > FIELD_WIDTH) t.x -= FIELD_WIDTH;
    if (t.y < FIELD_TOP) t.y = FIELD_BOTTOM;
    if (t.y > FIELD_BOTTOM) t.y = FIELD_TOP;
}

// 72 pink dots fly out from the destroyed target, 3 pixels a frame.
void BurstTarget(const Target& t) {
    for (int32_t a = 1; a <= 356; a += 5) {
        const float s = SinDeg(float(a)), c = CosDeg(float(a));
        SpawnDotParticle(t.x + s, t.y + c, 100, 3, 1.0f, -0.01f, 3 * s, 3 * c, 1.0f, 0.8f, 0.9f);
    }
    PlaySound(SOUND_TELEPORT);
}

// Only the flash values 0 and 1 have a picture (the orb and the grey disc).
uint32_t TargetTexture(int32_t flash) {
    return flash == 1 ? ItemImages[ITEM_DISC] : ItemImages[ITEM_ORB];
}

} // namespace

void SpawnTargets() {
    for (int32_t i = 1; i <= PickupsCarried; i++) {
        Target* t = ListAppend(Targets);
        t->x = RandomRange(100, 700);
        t->y = RandomRange(100, 500);
        t->hits = TARGET_HITS;
        t->vx = RandomRange(-50, 50) / 10;
        t->vy = RandomRange(-50, 50) / 10;
        t->flash = 0;
    }
}

void UpdateTargets() {
    ListRewind(Targets);
    while (Target* t = ListNext(Targets)) {
        TargetSpin += 1;
        if (TargetSpin > 360) {
            TargetSpin = 0;
            t->vx = RandomRange(-100, 100) / 10;
            t->vy = RandomRange(-100, 100) / 10;
        }
        t->x += SinDeg(float(TargetSpin)) * t->vx;
        t->y += CosDeg(float(TargetSpin)) * t->vy;
        WrapTarget(*t);

        const bool destroyed = t->hits < 0;
        if (destroyed) {
            PickupsCarried -= 1;
            BurstTarget(*t);
        }
        // The ring shrinks by 5 pixels with each hit taken.
        DrawSpriteRotated(RingImage, t->x, t->y, float(-TargetSpin), float(t->hits * 5 + 30));
        DrawSpriteRotated(TargetTexture(t->flash), t->x, t->y, 0, 32);
        t->flash = 0;
        if (destroyed) ListDeleteCurrent(Targets);
    }
}

void ClearTargets() {
    ListClear(Targets);
}
