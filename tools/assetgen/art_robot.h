// art_robot.h - the player robot as a small 3D model of spheres, capsules, boxes and
// cylinders, rendered by ray marching (lit, shadowed, supersampled) or as a wireframe.
//
// One model gives every picture of the robot: the torso and the five leg poses of the
// player sprite, the three views of the robot screens and the robot of the title logo, so
// they all show the same machine. Used by art_player.cpp and art_screens.cpp; pure CPU,
// deterministic.
//
// Model space: units of sprite pixels, y up, x forward-to-back (the robot faces -x, which
// is left in a side view), z towards the near side; the ground under the hips is the origin.
#pragma once

#include <vector>

#include "tools/assetgen/art_canvas.h"

enum RobotShapeKind { ROBOT_SPHERE, ROBOT_CAPSULE, ROBOT_BOX, ROBOT_CYLINDER, ROBOT_ELLIPSOID };

enum RobotMaterial {
    ROBOT_RED,          // the armour's red paint
    ROBOT_STEEL,        // bright polished steel
    ROBOT_DARK,         // dark gunmetal of joints and frames
    ROBOT_CHROME,       // mirror chrome of the fuel tanks
    ROBOT_CYAN_LIGHT,   // glowing visor
    ROBOT_ORANGE_LIGHT, // glowing jet nozzles and antenna tip
    ROBOT_ORANGE,       // orange painted trim
};

enum RobotGroup { ROBOT_BODY = 1, ROBOT_LEGS = 2, ROBOT_ALL = 3 };

struct RobotShape {
    RobotShapeKind kind;
    Vec3 a;       // centre (sphere, box, ellipsoid) or first end (capsule, cylinder)
    Vec3 b;       // second end (capsule, cylinder)
    Vec3 half;    // half size (box) or radii (ellipsoid)
    float radius; // sphere, capsule and cylinder radius; box rounding
    float roll;   // box turn about the z axis, degrees
    RobotMaterial material;
    RobotGroup group;
};

// Where the ankles stand, relative to the ground under the hips (x forward is negative).
struct RobotPose {
    Vec2 nearAnkle{-1.5f, 4.5f};
    Vec2 farAnkle{2.0f, 4.5f};
    float nearToeDrop = 0; // degrees the near foot's toe points down (a lifted foot)
    float farToeDrop = 0;
};

std::vector<RobotShape> BuildRobot(const RobotPose& pose);

// How the model is seen: turned by yaw about the vertical axis, then tilted by pitch
// (positive looks down on it), scaled to canvas pixels with the model origin at `origin`.
struct RobotView {
    float yaw = 0;
    float pitch = 0;
    float scale = 1;
    Vec2 origin{32, 62.5f};
    int groups = ROBOT_ALL;
    float rimLight = 0; // a cool light from behind and above that traces the outline (sprites)
    float legGain = 1;  // the legs lit this much brighter (they stand on dark ground)
};

// Ray-marched picture of the model, supersample x supersample rays a pixel, on a transparent
// canvas.
Canvas RenderRobot(const std::vector<RobotShape>& shapes, const RobotView& view, int width,
                   int height, int supersample);

// Where a model point lands on the canvas.
Vec2 ProjectRobotPoint(const RobotView& view, Vec3 model);
// The model points of the jet nozzles' mouths (for painting exhaust flames).
std::vector<Vec3> RobotNozzles();

// Wireframe of the model: the outline rings and edges of every shape, projected. Lines the
// model itself hides are drawn in `hidden` at `hiddenOpacity` (0 leaves them out).
struct WireStyle {
    Colour visible;
    float width = 1;
    Colour hidden;
    float hiddenOpacity = 0;
};
void DrawRobotWireframe(Canvas& canvas, const std::vector<RobotShape>& shapes,
                        const RobotView& view, const WireStyle& style);

// A designer's outline drawing of the model: each visible part filled flat, brighter the
// nearer it is to the viewer, with a line where one part meets another or the background.
// Reads at small sizes where the full wireframe turns into a tangle.
void DrawRobotOutline(Canvas& canvas, const std::vector<RobotShape>& shapes, const RobotView& view,
                      Colour line, Colour nearFill, Colour farFill);
