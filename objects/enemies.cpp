// enemies.cpp - spawning, homing, orbiting, destroying and drawing the drones.
#include "objects/enemies.h"

#include "core/catalogue.h"
#include "core/globals.h"
#include "core/player.h"
#include "objects/particles.h"
#include "render/draw.h"
#include "sound/sound_effects.h"
#include "support/list.h"
#include "support/maths.h"
#include "support/random.h"

List<Enemy> Enemies;

namespace {

constexpr int32_t ENEMY_IMAGE_ROWS = sizeof EnemyImages / sizeof EnemyImages[0];

// mended: a row or flash value outside the table draws nothing instead of reading past it
uint32_t EnemyTexture(int32_t row, int32_t flash) {
    if (row < 0 || row >= ENEMY_IMAGE_ROWS || flash < 0 || flash > 1) return 0;
    return EnemyImages[row][flash];
}

// Six pieces of wreckage tumble down from where the drone was last seen.
void ThrowWreckage(float sx, float sy) {
    for (int i = 0; i < 6; i++) {
        // kept: the original evaluates call arguments last to first, so the random numbers
        // are drawn in the order fall, image, vy, vx
        const int32_t fall = RoundToInt(RandomRange(6, 9));
        const int32_t image = RandomInt(2) + PARTICLE_WRECKAGE;
        const float vy = -float(RandomInt(50)) / 10;
        const float vx = RandomRange(-20, 20) / 10;
        SpawnSpriteParticle(sx, sy, 95, 30, 1.0f, -0.001f, vx, vy, image, fall, 5);
    }
}

// The centre steps towards the player on each axis; on equal positions it steps forward,
// so a centre closer than its step swings to and fro about the player.
float StepTowards(float from, float to, float step) {
    return to < from ? from - step : from + step;
}

} // namespace

void SpawnEnemy(float x, float y, int32_t hold) {
    Enemy* e = ListAppend(Enemies);
    e->x = x;
    e->y = y;
    e->hold = hold;
    e->energy = ENEMY_ENERGY;
    e->size = ENEMY_SIZE;
    e->value = ENEMY_VALUE;
    e->flash = 0;
    e->imageRow = ENEMY_ROCKET_DRONE;
    e->speedX = RandomRange(3, 6);
    e->speedY = RandomRange(3, 6);
    e->angle = float(RandomInt(360));
}

void UpdateEnemies() {
    ListRewind(Enemies);
    while (Enemy* e = ListNext(Enemies)) {
        bool destroyed = false;
        if (e->energy < 0) {
            destroyed = true;
            Player.score += e->value;
            Player.coins += ENEMY_KILL_COINS;
            ThrowWreckage(e->screenX, e->screenY);
            PlaySound(SOUND_EXPLOSION);
        }
        if (e->hold == 0) {
            e->x = StepTowards(e->x, Player.x, e->speedX);
            e->y = StepTowards(e->y, Player.y, e->speedY);
            e->angle += ENEMY_TURN;
            e->screenX = (e->x - CameraX) + SinDeg(e->angle) * ENEMY_ORBIT;
            e->screenY = (e->y - CameraY) + CosDeg(e->angle) * ENEMY_ORBIT;
        }
        if (StrictlyBetween(e->screenX, 10, 790) && StrictlyBetween(e->screenY, 10, 590))
            DrawSpriteRotated(EnemyTexture(e->imageRow, e->flash), e->screenX, e->screenY, e->angle,
                              e->size);
        e->flash = 0;
        if (destroyed) ListDeleteCurrent(Enemies);
    }
}

void ClearEnemies() {
    ListClear(Enemies);
}
