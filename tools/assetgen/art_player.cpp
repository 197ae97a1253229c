// art_player.cpp - the player sprite: the red torso with its jet pack and the five poses of
// the metal legs, rendered from the robot model in a side view turned a little towards the
// viewer, with a back light tracing its outline and the legs lit brighter, so the robot stands
// out from the dark panels behind it. Facing left as drawn; the game mirrors both for facing
// right.
//
// The game draws the torso first and the legs over it, both as 64 x 64 squares centred on
// the robot's position, with the torso swaying a few pixels: so the pelvis belongs to the
// legs and the torso reaches down behind it.
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/art_robot.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

constexpr int SPRITE = 64;
const Colour OUTLINE = {0.035f, 0.03f, 0.05f};

RobotView SideView(int groups) {
    RobotView view;
    view.yaw = 22;
    view.pitch = 8;
    view.scale = 1;
    view.origin = {32.5f, 62.0f};
    view.groups = groups;
    view.rimLight = 0.9f;
    view.legGain = 1.4f;
    return view;
}

// The walk cycle: 0 standing, then stride, pass, stride with the other leg, pass; wide
// strides and a high lifted foot, so the poses differ at a glance.
RobotPose LegPose(int pose) {
    RobotPose p;
    switch (pose) {
    case 1: p.nearAnkle = {-9.0f, 5.0f}, p.farAnkle = {9.0f, 6.5f}, p.farToeDrop = 24; break;
    case 2: p.nearAnkle = {1.0f, 4.5f}, p.farAnkle = {-3.0f, 12.5f}, p.farToeDrop = 18; break;
    case 3: p.nearAnkle = {9.0f, 6.5f}, p.farAnkle = {-9.0f, 5.0f}, p.nearToeDrop = 24; break;
    case 4: p.nearAnkle = {-3.0f, 12.5f}, p.farAnkle = {1.0f, 4.5f}, p.nearToeDrop = 18; break;
    default: break;
    }
    return p;
}

} // namespace

Canvas PaintPlayerLegs(int pose) {
    Canvas legs = RenderRobot(BuildRobot(LegPose(pose)), SideView(ROBOT_LEGS), SPRITE, SPRITE, 4);
    SharpenCanvas(legs, 0.35f);
    AddOutline(legs, OUTLINE, false);
    return legs;
}

Canvas PaintPlayerTorso() {
    Canvas torso = RenderRobot(BuildRobot(RobotPose{}), SideView(ROBOT_BODY), SPRITE, SPRITE, 4);
    SharpenCanvas(torso, 0.35f);
    AddOutline(torso, OUTLINE, false);
    return torso;
}

PictureBytes MakeTorso() {
    return EncodeBmpDirect(SPRITE, SPRITE, CanvasToRgb(PaintPlayerTorso()), 24);
}

PictureBytes MakeLegs() {
    Canvas sheet = MakeCanvas(SPRITE * 5, SPRITE);
    for (int pose = 0; pose < 5; pose++) DrawCanvas(sheet, PaintPlayerLegs(pose), SPRITE * pose, 0);
    return EncodeBmpDirect(sheet.width, sheet.height, CanvasToRgb(sheet), 24);
}
