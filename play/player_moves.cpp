// player_moves.cpp - walking, flying with exhaust puffs, head strikes, gravity with the
// walking poses and footsteps, and the fuel refill. Steps of the play mode's frame.
#include "app/globals.h"
#include "objects/particles.h"
#include "platform/platform.h"
#include "play/play_frame.h"
#include "play/player.h"
#include "play/player_motion.h"
#include "sound/sound_effects.h"
#include "support/random.h"

namespace {

constexpr int SOUND_STEP = 11; // landing, and every fifth leg pose
constexpr int SOUND_HEAD = 12;
constexpr int32_t FACING_LEFT = 0;
constexpr int32_t FACING_RIGHT = 1;
constexpr int32_t WALK_STEPS_PER_POSE = 6; // the pose changes on the 7th walking step
constexpr int32_t LAST_POSE = 4;
constexpr int32_t IDLE_FRAMES = 10; // standing this long puts the legs back to pose 0
constexpr float BOB_STEP = 4;       // degrees of body sway per standing frame

void Walk(PlayVisit& v, float step, int32_t facing) {
    Player.x += step;
    Player.facing = facing;
    v.walkCount += 1;
    v.idleCount = 0;
}

// Three puffs of smoke leave the jet behind the robot (screen pixels).
void PuffExhaust() {
    for (int i = 0; i < 3; i++) {
        // kept: the original draws a call's random arguments last first (the drone waves
        // show it most plainly), so vy comes before vx and vx before the puff's offset
        const float vy = RandomRange(0.3f, 1.0f);
        const float vx = RandomRange(-10, 10) / 10;
        const float behind = RandomRange(10, 20);
        const float px = Player.facing == FACING_RIGHT ? Player.x - behind - CameraX
                                                       : Player.x + behind - CameraX;
        SpawnSpriteParticle(px, Player.y - CameraY + 20, 20, 20.0f, 1.0f, -0.05f, vx, vy, 1, 1, 1);
    }
}

} // namespace

void WalkAndFly(PlayVisit& v) {
    if (GetAsyncKeyState(VK_LEFT) && CellFreeForPlayer(v.left))
        Walk(v, -PLAYER_WALK_STEP, FACING_LEFT);
    // Both arrows on free sides cancel, and the robot ends the frame facing right.
    if (GetAsyncKeyState(VK_RIGHT) && CellFreeForPlayer(v.right))
        Walk(v, PLAYER_WALK_STEP, FACING_RIGHT);
    if (GetAsyncKeyState(VK_UP) && CellFreeForPlayer(v.up) && Player.fuel > 0) {
        Player.y -= PLAYER_FLY_STEP;
        v.stepFrame = 0;
        Player.fuel -= 1;
        PuffExhaust();
    }
}

// Every frame in which the head cell hurts, moving or not. A robot standing on a floor never
// reaches its ceiling: its head point lies in its own cell.
void StrikeHead(const PlayVisit& v) {
    if (!CellHurtsHead(v.up)) return;
    PlaySound(SOUND_HEAD);
    Player.energy -= 1;
    for (int i = 0; i < 5; i++) {
        const float vy = RandomRange(0.3f, 3.0f);
        const float vx = RandomRange(-1, 1);
        const float dx = RandomRange(-20, 20);
        SpawnDotParticle(Player.x + dx, Player.y - 32, 30, 3.0f, 1.0f, -0.033f, vx, vy, 1.0f, 1.0f,
                         1.0f);
    }
}

void ApplyGravity(PlayVisit& v) {
    if (CellFreeForPlayer(v.down)) {
        Player.y += PLAYER_FALL_STEP;
        v.onGround = 0;
        return;
    }
    if (v.onGround == 0) {
        v.onGround = 1;
        PlaySound(SOUND_STEP); // landing
    }
    if (v.walkCount > WALK_STEPS_PER_POSE) {
        v.walkCount = 0;
        v.stepFrame += 1;
        if (v.stepFrame > LAST_POSE) {
            v.stepFrame = 0;
            PlaySound(SOUND_STEP); // a footstep every fifth pose
        }
    }
    v.idleCount += 1;
    if (v.idleCount > IDLE_FRAMES) v.stepFrame = 0;
    v.bob += BOB_STEP;
}

void RefillFuel(PlayVisit& v) {
    if (Player.fuel >= PLAYER_FUEL_MAX) return;
    v.refillCount += 1;
    if (v.refillCount > 1) {
        v.refillCount = 0;
        Player.fuel += 1;
    }
}
