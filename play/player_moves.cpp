// player_moves.cpp - the robot's moves in a play frame: walking and flying with exhaust
// puffs, head strikes, gravity with the walking poses and footsteps, and the fuel refill.
// Steps of the play mode's frame.
//
// The moves themselves are the shared rules of player_motion.h (the map's reachability
// check runs the same ones); this file adds what only the game shows and hears of them.
#include "core/catalogue.h"
#include "core/globals.h"
#include "core/player.h"
#include "objects/particles.h"
#include "platform/platform.h"
#include "play/play_frame.h"
#include "play/player_motion.h"
#include "sound/sound_effects.h"
#include "support/random.h"

namespace {

constexpr int32_t FACING_RIGHT = 1;
constexpr int32_t WALK_STEPS_PER_POSE = 6; // the pose changes on the 7th walking step
constexpr int32_t LAST_POSE = 4;
constexpr int32_t IDLE_FRAMES = 10; // standing this long puts the legs back to pose 0
constexpr float BOB_STEP = 4;       // degrees of body sway per standing frame

NeighbourCells FrameCells(const PlayVisit& v) {
    return NeighbourCells{v.up, v.down, v.left, v.right};
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
    const bool left = GetAsyncKeyState(VK_LEFT) != 0;
    const bool right = GetAsyncKeyState(VK_RIGHT) != 0;
    const bool up = GetAsyncKeyState(VK_UP) != 0;
    const PlayerKeyMoves moves = MovePlayerByKeys(&Player, FrameCells(v), left, right, up);
    if (moves.walkSteps > 0) {
        v.walkCount += moves.walkSteps;
        v.idleCount = 0;
    }
    if (moves.flew) {
        v.stepFrame = 0;
        PuffExhaust(); // from where the walk and the jet have put the robot
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
    if (FallPlayer(&Player, FrameCells(v))) {
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
    RefillPlayerFuel(&Player, &v.refillCount);
}
