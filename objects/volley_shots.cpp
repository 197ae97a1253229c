// volley_shots.cpp - firing, flying, bursting and drawing the level-end volleys.
#include "objects/volley_shots.h"

#include "core/catalogue.h"
#include "objects/particles.h"
#include "objects/targets.h"
#include "render/draw.h"
#include "sound/sound_effects.h"
#include "support/list.h"
#include "support/maths.h"

List<VolleyShot> VolleyShots;

namespace {

struct Corner {
    int32_t x, y;
};
constexpr Corner VOLLEY_CORNERS[4] = {{40, 40}, {760, 40}, {40, 560}, {760, 560}};

// 36 white dots spread from the burst, 2 pixels a frame; one ring per target hit.
void SparkBurst(float x, float y) {
    for (int32_t a = 1; a <= 351; a += 10) {
        const float s = SinDeg(float(a)), c = CosDeg(float(a));
        SpawnDotParticle(x + s, y + c, 100, 3, 1.0f, -0.01f, 2 * s, 2 * c, 1, 1, 1);
    }
}

void HitTargetsNear(float x, float y) {
    for (List<Target>::Node* n = Targets.first; n; n = n->next) {
        Target& t = n->record;
        if (!WithinRadius(x, y, t.x, t.y, VOLLEY_HIT_REACH)) continue;
        t.hits -= 1;
        t.flash = 1;
        SparkBurst(x, y);
        PlaySound(SOUND_CHIME);
    }
}

} // namespace

void FireVolley(float x, float y) {
    for (const Corner& c : VOLLEY_CORNERS) {
        VolleyShot* s = ListAppend(VolleyShots);
        s->x = float(c.x);
        s->y = float(c.y);
        s->aimX = x;
        s->aimY = y;
        // The crosshair and the corners are whole pixels. A crosshair standing on the corner
        // gives no direction (AngleTo answers 0): that shot bursts on its first move anyway.
        const int32_t d = AngleTo(RoundToInt(y - float(c.y)), RoundToInt(x - float(c.x)));
        s->vx = CosDeg(float(d)) * VOLLEY_SPEED;
        s->vy = SinDeg(float(d)) * VOLLEY_SPEED;
    }
    PlaySound(SOUND_PLASMA);
}

void UpdateVolleyShots() {
    ListRewind(VolleyShots);
    while (VolleyShot* s = ListNext(VolleyShots)) {
        s->x += s->vx;
        s->y += s->vy;
        const bool burst = WithinRadius(s->x, s->y, s->aimX, s->aimY, VOLLEY_BURST_REACH) != 0;
        if (burst) HitTargetsNear(s->x, s->y);
        DrawSpriteRotated(ShotImages[SHOT_PLASMA][0], s->x, s->y, 0, 32);
        if (burst) ListDeleteCurrent(VolleyShots);
    }
}

void ClearVolleyShots() {
    ListClear(VolleyShots);
}
