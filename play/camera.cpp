// camera.cpp - the camera follows the player with easing and rests at the sector's edges;
// the background panels drift against its movement. A step of the play mode's frame.
#include <cmath>

#include "core/globals.h"
#include "core/player.h"
#include "play/play_frame.h"

namespace {

constexpr float CAMERA_MAX_X = 5600; // the screen never shows beyond 6400 x 6000
constexpr float CAMERA_MAX_Y = 5400;
constexpr float EASE_X = 50; // the camera closes 1/50 of the distance across per frame
constexpr float EASE_Y = 30; // and 1/30 of it up and down
constexpr float PANEL_DRIFT = 60;

// Moves one axis a share of the way to its target; returns the distance before the move.
float EaseAxis(float* camera, float target, float ease) {
    const float d = target - *camera;
    if (d < 0) *camera -= std::fabs(d) / ease;
    if (d > 0) *camera += std::fabs(d) / ease;
    return d;
}

// A clamped axis does not scroll the panels.
void ClampAxis(float* camera, float limit, float* scroll) {
    if (*camera < 0) *camera = 0, *scroll = 0;
    if (*camera > limit) *camera = limit, *scroll = 0;
}

} // namespace

void MoveCamera(PlayVisit& v) {
    const float dx = EaseAxis(&CameraX, Player.x - 400, EASE_X);
    const float dy = EaseAxis(&CameraY, Player.y - 300, EASE_Y);
    v.scrollX = dx / PANEL_DRIFT;
    v.scrollY = dy / PANEL_DRIFT;
    ClampAxis(&CameraX, CAMERA_MAX_X, &v.scrollX);
    ClampAxis(&CameraY, CAMERA_MAX_Y, &v.scrollY);
}
