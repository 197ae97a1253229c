// player_sprite.cpp - the robot: legs in their pose, the body swaying on them while it
// stands or walks and holding still in the air. A step of the play mode's frame.
#include <cmath>

#include "core/catalogue.h"
#include "core/globals.h"
#include "core/player.h"
#include "play/play_frame.h"
#include "render/draw.h"
#include "support/maths.h"

namespace {

constexpr float ROBOT_SIZE = 64;

// mended: any facing other than right draws the left-facing pictures instead of reading past
// the table; a pose outside 0 to 4 draws pose 0
int32_t FacingSlot() {
    return Player.facing == 1 ? 1 : 0;
}
int32_t PoseSlot(int32_t pose) {
    return pose >= 0 && pose <= 4 ? pose : 0;
}

} // namespace

void DrawPlayer(const PlayVisit& v) {
    const float sx = Player.x - CameraX, sy = Player.y - CameraY;
    const float sway = std::fabs(3 * SinDeg(v.bob));
    const float bx = FacingSlot() == 0 ? sx + sway : sx - sway;
    DrawSpriteRotated(TorsoImages[FacingSlot()], bx, sy + std::fabs(2 * CosDeg(v.bob)), 0,
                      ROBOT_SIZE);
    DrawSpriteRotated(LegImages[PoseSlot(v.stepFrame)][FacingSlot()], sx, sy, 0, ROBOT_SIZE);
}
