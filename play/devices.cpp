// devices.cpp - the down arrow on the machine under the robot's feet: the shop terminal,
// the teleporter and the base. A step of the play mode's frame.
#include "core/catalogue.h"
#include "core/cell_codes.h"
#include "core/globals.h"
#include "core/level_map.h"
#include "core/player.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "platform/platform.h"
#include "play/play_frame.h"
#include "sound/sound_effects.h"
#include "support/maths.h"
#include "support/random.h"

namespace {

// A device answers only when more than this many frames have passed since the last use.
constexpr int32_t DEVICE_COOLDOWN = 120;

void LeaveTo(PlayVisit& v, int32_t mode) {
    Player.useCooldown = 0;
    GameMode = mode;
    v.leave = 1;
}

// Two rings of dots burst from the arrival point: 36 slow violet ones, 72 fast pink ones.
void RingArrival() {
    for (int32_t a = 1; a <= 351; a += 10) {
        const float s = SinDeg(float(a)), c = CosDeg(float(a));
        SpawnDotParticle(Player.x + s, Player.y + c, 300, 4.0f, 1.0f, -0.003f, s / 2, c / 2, 1.0f,
                         0.2f, 0.9f);
    }
    for (int32_t a = 1; a <= 356; a += 5) {
        const float s = SinDeg(float(a)), c = CosDeg(float(a));
        SpawnDotParticle(Player.x + s, Player.y + c, 300, 3.0f, 1.0f, -0.003f, s, c, 1.0f, 0.8f,
                         0.9f);
    }
}

// To a random arrival point, each equally likely (the one the robot stands on included).
void Teleport() {
    // mended: a map without a code-21 cell has no arrival point; the teleporter then does
    // nothing at all (no cooldown, no rings, no sound) instead of reading an empty list
    if (TeleportTargetCount < 1 || TeleportTargets.count < 1) return;
    Player.useCooldown = 0;
    const int32_t k = RoundToInt(RandomRange(1.0f, float(TeleportTargetCount)) - 1.0f);
    // mended: a count that disagrees with the list never selects past its end
    const TeleportTarget* t = ListSelect(TeleportTargets, k);
    if (!t) t = ListSelect(TeleportTargets, TeleportTargets.count - 1);
    Player.x = t->x;
    Player.y = t->y;
    RingArrival();
    PlaySound(SOUND_TELEPORT);
}

} // namespace

void UseDeviceBelow(PlayVisit& v) {
    if (!GetAsyncKeyState(VK_DOWN)) return;
    const bool ready = Player.useCooldown > DEVICE_COOLDOWN;
    switch (CellRuleOf(v.down).device) {
    case DEVICE_SHOP:
        if (ready) LeaveTo(v, MODE_SHOP);
        break;
    case DEVICE_TELEPORTER:
        if (ready) Teleport();
        break;
    case DEVICE_BASE:
        // Without carried orbs the base stays silent.
        if (ready && PickupsCarried > 0) LeaveTo(v, MODE_LEVEL_END);
        break;
    default: break;
    }
}
