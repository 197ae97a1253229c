// art_robot.cpp - the robot model, its ray marcher and its wireframe.
//
// Sections: model | distances | view transforms | ray marching and lighting | wireframe
#include "tools/assetgen/art_robot.h"

#include "tools/assetgen/art_shapes.h"

namespace {

// ---------------------------------------------------------------- model
constexpr float HIP_HEIGHT = 27.0f;
constexpr float THIGH = 12.0f;
constexpr float SHIN = 12.0f;
constexpr float HIP_SPREAD = 4.6f; // hips and legs stand this far either side of the middle

RobotShape Sphere(Vec3 c, float r, RobotMaterial m, RobotGroup g) {
    return {ROBOT_SPHERE, c, c, {}, r, 0, m, g};
}
RobotShape Capsule(Vec3 a, Vec3 b, float r, RobotMaterial m, RobotGroup g) {
    return {ROBOT_CAPSULE, a, b, {}, r, 0, m, g};
}
RobotShape Cylinder(Vec3 a, Vec3 b, float r, RobotMaterial m, RobotGroup g) {
    return {ROBOT_CYLINDER, a, b, {}, r, 0, m, g};
}
RobotShape Box(Vec3 c, Vec3 half, float rounding, float roll, RobotMaterial m, RobotGroup g) {
    return {ROBOT_BOX, c, c, half, rounding, roll, m, g};
}
RobotShape Ellipsoid(Vec3 c, Vec3 radii, RobotMaterial m, RobotGroup g) {
    return {ROBOT_ELLIPSOID, c, c, radii, 0, 0, m, g};
}

// Knee of a two-bone leg from hip to ankle, bending forward (towards -x).
Vec2 SolveKnee(Vec2 hip, Vec2 ankle) {
    Vec2 d = ankle - hip;
    float len = Length(d);
    const float reach = THIGH + SHIN - 0.05f;
    if (len > reach) {
        d = d * (reach / len);
        len = reach;
    }
    const float cosA =
        std::clamp((THIGH * THIGH + len * len - SHIN * SHIN) / (2 * THIGH * len), -1.0f, 1.0f);
    const float a = std::acos(cosA) * 57.29578f;
    const Vec2 u = d * (1.0f / len);
    const Vec2 k1 = hip + Rotate(u, a) * THIGH, k2 = hip + Rotate(u, -a) * THIGH;
    return k1.x < k2.x ? k1 : k2;
}

void AddLeg(std::vector<RobotShape>& s, float z, Vec2 ankle, float toeDrop) {
    const Vec2 hip{0.5f, HIP_HEIGHT};
    const Vec2 knee = SolveKnee(hip, ankle);
    auto at = [z](Vec2 p) { return Vec3{p.x, p.y, z}; };
    const RobotGroup g = ROBOT_LEGS;
    s.push_back(Capsule(at(hip), at(knee), 2.9f, ROBOT_STEEL, g)); // thigh
    s.push_back(Box(at(hip + (knee - hip) * 0.45f), {2.2f, 3.6f, 3.4f}, 1.4f,
                    std::atan2(knee.x - hip.x, hip.y - knee.y) * 57.3f, ROBOT_DARK,
                    g));                                             // thigh guard
    s.push_back(Capsule(at(knee), at(ankle), 2.4f, ROBOT_STEEL, g)); // shin
    const Vec2 along = (ankle - knee) * (1.0f / std::max(0.01f, Length(ankle - knee)));
    const Vec2 side{along.y, -along.x};
    s.push_back(Capsule(at(knee + along * 3 + side * -2.6f), at(ankle + along * -3 + side * -2.4f),
                        0.9f, ROBOT_CHROME, g));        // piston behind the shin
    s.push_back(Sphere(at(knee), 3.1f, ROBOT_DARK, g)); // knee joint
    s.push_back(Sphere(Vec3{knee.x - 1.4f, knee.y + 0.4f, z}, 1.9f, ROBOT_ORANGE, g)); // knee cap
    s.push_back(Sphere(at(ankle), 2.1f, ROBOT_DARK, g));                               // ankle
    const Vec2 footCentre = ankle + Rotate(Vec2{-2.6f, -2.3f}, -toeDrop);
    s.push_back(Box(Vec3{footCentre.x, footCentre.y, z}, {6.4f, 2.1f, 3.1f}, 1.3f, -toeDrop,
                    ROBOT_DARK, g)); // foot
    const Vec2 toe = ankle + Rotate(Vec2{-7.4f, -2.9f}, -toeDrop);
    s.push_back(
        Box(Vec3{toe.x, toe.y, z}, {1.8f, 1.3f, 3.3f}, 0.9f, -toeDrop, ROBOT_STEEL, g)); // toe cap
}

// ---------------------------------------------------------------- distances
float SdShape(const RobotShape& s, Vec3 p) {
    switch (s.kind) {
    case ROBOT_SPHERE: return Length(p - s.a) - s.radius;
    case ROBOT_CAPSULE: {
        const Vec3 pa = p - s.a, ba = s.b - s.a;
        const float h = Clamp01(Dot(pa, ba) / std::max(1e-6f, Dot(ba, ba)));
        return Length(pa - ba * h) - s.radius;
    }
    case ROBOT_BOX: {
        Vec3 q = p - s.a;
        if (s.roll != 0) {
            const Vec2 r = Rotate(Vec2{q.x, q.y}, -s.roll);
            q.x = r.x;
            q.y = r.y;
        }
        const Vec3 d{std::fabs(q.x) - (s.half.x - s.radius), std::fabs(q.y) - (s.half.y - s.radius),
                     std::fabs(q.z) - (s.half.z - s.radius)};
        const Vec3 o{std::max(d.x, 0.0f), std::max(d.y, 0.0f), std::max(d.z, 0.0f)};
        return Length(o) + std::min(std::max(d.x, std::max(d.y, d.z)), 0.0f) - s.radius;
    }
    case ROBOT_CYLINDER: {
        const Vec3 ba = s.b - s.a, pa = p - s.a;
        const float baba = Dot(ba, ba), paba = Dot(pa, ba);
        const float x = Length(pa * baba - ba * paba) - s.radius * baba;
        const float y = std::fabs(paba - baba * 0.5f) - baba * 0.5f;
        const float x2 = x * x, y2 = y * y * baba;
        const float d =
            std::max(x, y) < 0 ? -std::min(x2, y2) : ((x > 0 ? x2 : 0.0f) + (y > 0 ? y2 : 0.0f));
        return (d < 0 ? -1.0f : 1.0f) * std::sqrt(std::fabs(d)) / baba;
    }
    case ROBOT_ELLIPSOID: {
        const Vec3 q = p - s.a;
        const Vec3 r = s.half;
        const float k0 = Length(Vec3{q.x / r.x, q.y / r.y, q.z / r.z});
        const float k1 = Length(Vec3{q.x / (r.x * r.x), q.y / (r.y * r.y), q.z / (r.z * r.z)});
        return k1 > 1e-6f ? k0 * (k0 - 1) / k1 : -std::min(r.x, std::min(r.y, r.z));
    }
    }
    return 1e9f;
}

// A sphere holding the whole shape, for skipping shapes far from a point.
void BoundShape(const RobotShape& s, Vec3* centre, float* radius) {
    switch (s.kind) {
    case ROBOT_SPHERE: *centre = s.a, *radius = s.radius; break;
    case ROBOT_CAPSULE:
    case ROBOT_CYLINDER:
        *centre = (s.a + s.b) * 0.5f;
        *radius = Length(s.b - s.a) * 0.5f + s.radius * 1.42f;
        break;
    case ROBOT_BOX: *centre = s.a, *radius = Length(s.half); break;
    case ROBOT_ELLIPSOID:
        *centre = s.a;
        *radius = std::max(s.half.x, std::max(s.half.y, s.half.z));
        break;
    }
}

struct Scene {
    std::vector<RobotShape> shapes;
    std::vector<Vec3> centres;
    std::vector<float> radii;
};

Scene MakeScene(const std::vector<RobotShape>& shapes, int groups) {
    Scene scene;
    for (const RobotShape& s : shapes) {
        if (!(s.group & groups)) continue;
        Vec3 c;
        float r = 0;
        BoundShape(s, &c, &r);
        scene.shapes.push_back(s);
        scene.centres.push_back(c);
        scene.radii.push_back(r);
    }
    return scene;
}

float SceneDistance(const Scene& scene, Vec3 p, int* which) {
    float best = 1e9f;
    for (size_t i = 0; i < scene.shapes.size(); i++) {
        if (Length(p - scene.centres[i]) - scene.radii[i] >= best) continue;
        const float d = SdShape(scene.shapes[i], p);
        if (d < best) {
            best = d;
            if (which) *which = int(i);
        }
    }
    return best;
}

// ---------------------------------------------------------------- view transforms
Vec3 ModelToView(const RobotView& v, Vec3 p) {
    const float cy = std::cos(v.yaw * 0.017453292f), sy = std::sin(v.yaw * 0.017453292f);
    const float cp = std::cos(v.pitch * 0.017453292f), sp = std::sin(v.pitch * 0.017453292f);
    const Vec3 a{p.x * cy + p.z * sy, p.y, -p.x * sy + p.z * cy};
    return {a.x, a.y * cp - a.z * sp, a.y * sp + a.z * cp};
}

Vec3 ViewToModel(const RobotView& v, Vec3 p) {
    const float cy = std::cos(v.yaw * 0.017453292f), sy = std::sin(v.yaw * 0.017453292f);
    const float cp = std::cos(v.pitch * 0.017453292f), sp = std::sin(v.pitch * 0.017453292f);
    const Vec3 a{p.x, p.y * cp + p.z * sp, -p.y * sp + p.z * cp};
    return {a.x * cy - a.z * sy, a.y, a.x * sy + a.z * cy};
}

Vec2 Project(const RobotView& v, Vec3 model) {
    const Vec3 p = ModelToView(v, model);
    return {v.origin.x + p.x * v.scale, v.origin.y - p.y * v.scale};
}

// ---------------------------------------------------------------- ray marching and lighting
const Vec3 KEY_LIGHT = Normalise(Vec3{-0.55f, 0.72f, 0.6f}); // view space, y up

Vec3 SceneNormal(const Scene& scene, Vec3 p) {
    const float e = 0.02f;
    const Vec3 k1{1, -1, -1}, k2{-1, -1, 1}, k3{-1, 1, -1}, k4{1, 1, 1};
    const Vec3 n = k1 * SceneDistance(scene, p + k1 * e, nullptr) +
                   k2 * SceneDistance(scene, p + k2 * e, nullptr) +
                   k3 * SceneDistance(scene, p + k3 * e, nullptr) +
                   k4 * SceneDistance(scene, p + k4 * e, nullptr);
    return Normalise(n);
}

float SoftShadow(const Scene& scene, Vec3 p, Vec3 dir) {
    float k = 1, t = 0.4f;
    for (int i = 0; i < 40 && t < 60; i++) {
        const float d = SceneDistance(scene, p + dir * t, nullptr);
        if (d < 0.01f) return 0.25f;
        k = std::min(k, 6 * d / t);
        t += std::max(0.15f, d);
    }
    return 0.25f + 0.75f * Clamp01(k);
}

float Occlusion(const Scene& scene, Vec3 p, Vec3 n) {
    float occ = 0, weight = 1;
    for (int i = 1; i <= 4; i++) {
        const float h = 0.9f * float(i);
        occ += (h - SceneDistance(scene, p + n * h, nullptr)) * weight;
        weight *= 0.6f;
    }
    return Clamp01(1 - occ * 0.16f);
}

Colour Environment(float up) {
    // a bright blue sky over a dark warm floor with a light horizon between
    up += 0.3f; // the horizon lies below the eye, so most reflections show sky
    if (up >= 0) return Mix(Hex(0xE8F4FF), Hex(0x4070C0), SmoothStep(0.0f, 1.1f, up));
    return Mix(Hex(0x9C7458), Hex(0x281810), SmoothStep(0.0f, 0.5f, -up));
}

Colour LightSurface(const Scene& scene, int which, Vec3 p, Vec3 viewRayModel,
                    const RobotView& view) {
    const RobotShape& shape = scene.shapes[which];
    const Vec3 nm = SceneNormal(scene, p);
    const Vec3 n = Normalise(ModelToView(view, nm));
    const Vec3 eye{0, 0, 1};
    const Vec3 lightModel = Normalise(ViewToModel(view, KEY_LIGHT));
    const float shadow = SoftShadow(scene, p + nm * 0.25f, lightModel);
    const float ao = Occlusion(scene, p, nm);
    const float diffuse = std::max(0.0f, Dot(n, KEY_LIGHT)) * shadow;
    const Vec3 half = Normalise(KEY_LIGHT + eye);
    const float facing = std::max(0.0f, Dot(n, eye));
    const float rim = std::pow(1 - facing, 3.0f);
    const Vec3 reflected = n * (2 * Dot(n, eye)) - eye;
    (void)viewRayModel;

    struct Surface {
        Colour base;
        float highlight, shininess, mirror;
    };
    Surface s{};
    switch (shape.material) {
    case ROBOT_RED: s = {Hex(0xC41A14), 0.55f, 28, 0.08f}; break;
    case ROBOT_STEEL: s = {Hex(0x9AA2B0), 0.8f, 40, 0.35f}; break;
    case ROBOT_DARK: s = {Hex(0x3A3E4A), 0.45f, 24, 0.12f}; break;
    case ROBOT_CHROME: s = {Hex(0xB0B8C8), 1.0f, 60, 0.8f}; break;
    case ROBOT_ORANGE: s = {Hex(0xF08010), 0.6f, 30, 0.05f}; break;
    case ROBOT_CYAN_LIGHT: return Mix(Hex(0x30C8FF), Hex(0xE8FFFF), facing * facing);
    case ROBOT_ORANGE_LIGHT: return Mix(Hex(0xFF6000), Hex(0xFFF0A0), facing * facing);
    }
    const float highlight =
        std::pow(std::max(0.0f, Dot(n, half)), s.shininess) * s.highlight * shadow;
    Colour lit =
        s.base * (0.22f * ao + 0.95f * diffuse) +
        Hex(0x38507C) * (std::max(0.0f, Dot(n, Normalise(Vec3{0.8f, -0.1f, 0.4f}))) * 0.35f * ao);
    lit = Mix(lit, Environment(reflected.y) * (0.45f + 0.55f * ao), s.mirror);
    lit = lit + Colour{1, 1, 1} * highlight + Hex(0x40C0FF) * (rim * 0.45f * ao);
    if (view.rimLight > 0) {
        // the back light: strongest on the upper and rear edges, where the normal turns away
        const float edge = std::pow(1 - facing, 2.2f);
        const float back = Clamp01(0.35f + 0.5f * n.x + 0.45f * n.y);
        lit = lit + Hex(0xFFF2DC) * (view.rimLight * edge * back);
    }
    const bool leg = shape.group == ROBOT_LEGS;
    if (leg) lit = lit * view.legGain;
    // parts on the far side stand in the robot's own shade
    return std::max(shape.a.z, shape.b.z) < -2.5f ? lit * (leg && view.legGain > 1 ? 0.82f : 0.7f)
                                                  : lit;
}

// ---------------------------------------------------------------- wireframe
struct Segment3 {
    Vec3 a, b;
};

void Basis(Vec3 axis, Vec3* u, Vec3* v) {
    const Vec3 w = std::fabs(axis.x) < 0.9f ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    *u = Normalise(Cross(axis, w));
    *v = Cross(axis, *u);
}

void AddRing(std::vector<Segment3>& out, Vec3 centre, Vec3 u, Vec3 v, float ru, float rv) {
    const int steps = 24;
    for (int i = 0; i < steps; i++) {
        const float a0 = float(i) / steps * 6.2831853f, a1 = float(i + 1) / steps * 6.2831853f;
        out.push_back({centre + u * (std::cos(a0) * ru) + v * (std::sin(a0) * rv),
                       centre + u * (std::cos(a1) * ru) + v * (std::sin(a1) * rv)});
    }
}

std::vector<Segment3> WireSegments(const RobotShape& s) {
    std::vector<Segment3> out;
    switch (s.kind) {
    case ROBOT_SPHERE:
    case ROBOT_ELLIPSOID: {
        const Vec3 r = s.kind == ROBOT_SPHERE ? Vec3{s.radius, s.radius, s.radius} : s.half;
        AddRing(out, s.a, {1, 0, 0}, {0, 1, 0}, r.x, r.y);
        AddRing(out, s.a, {0, 1, 0}, {0, 0, 1}, r.y, r.z);
        AddRing(out, s.a, {1, 0, 0}, {0, 0, 1}, r.x, r.z);
        break;
    }
    case ROBOT_CAPSULE:
    case ROBOT_CYLINDER: {
        const Vec3 axis = Normalise(s.b - s.a);
        Vec3 u, v;
        Basis(axis, &u, &v);
        AddRing(out, s.a, u, v, s.radius, s.radius);
        AddRing(out, s.b, u, v, s.radius, s.radius);
        for (int k = 0; k < 4; k++) {
            const Vec3 off = (k & 1 ? u : v) * (k & 2 ? -s.radius : s.radius);
            out.push_back({s.a + off, s.b + off});
        }
        break;
    }
    case ROBOT_BOX: {
        Vec3 corner[8];
        for (int k = 0; k < 8; k++) {
            const Vec2 xy = Rotate(
                Vec2{(k & 1) ? s.half.x : -s.half.x, (k & 2) ? s.half.y : -s.half.y}, s.roll);
            corner[k] = s.a + Vec3{xy.x, xy.y, (k & 4) ? s.half.z : -s.half.z};
        }
        for (int k = 0; k < 8; k++)
            for (int bit = 1; bit < 8; bit <<= 1)
                if (!(k & bit)) out.push_back({corner[k], corner[k | bit]});
        break;
    }
    }
    return out;
}

} // namespace

std::vector<RobotShape> BuildRobot(const RobotPose& pose) {
    std::vector<RobotShape> s;
    const RobotGroup body = ROBOT_BODY, legs = ROBOT_LEGS;
    // legs: the far leg first so that it sits behind
    AddLeg(s, -HIP_SPREAD, pose.farAnkle, pose.farToeDrop);
    AddLeg(s, HIP_SPREAD, pose.nearAnkle, pose.nearToeDrop);
    s.push_back(Box({1.0f, 28.6f, 0}, {6.2f, 3.4f, 6.6f}, 2.0f, 0, ROBOT_DARK, legs)); // pelvis
    s.push_back(
        Sphere({0.5f, HIP_HEIGHT, HIP_SPREAD + 1.6f}, 2.4f, ROBOT_STEEL, legs)); // hip bolts
    s.push_back(Sphere({0.5f, HIP_HEIGHT, -HIP_SPREAD - 1.6f}, 2.4f, ROBOT_STEEL, legs));

    // body
    s.push_back(Cylinder({0.8f, 29.5f, 0}, {0.8f, 35.5f, 0}, 4.6f, ROBOT_DARK, body)); // waist
    s.push_back(Box({0.3f, 40.8f, 0}, {8.6f, 7.6f, 7.4f}, 3.6f, -6, ROBOT_RED, body)); // chest
    s.push_back(
        Box({-5.6f, 39.4f, 0}, {3.2f, 5.6f, 5.2f}, 2.2f, 10, ROBOT_RED, body)); // chest plate
    s.push_back(
        Box({-1.0f, 34.2f, 0}, {6.4f, 2.2f, 6.2f}, 1.4f, 0, ROBOT_DARK, body)); // belly band
    s.push_back(Cylinder({-1.2f, 47.0f, 0}, {-1.2f, 50.0f, 0}, 2.8f, ROBOT_DARK, body)); // neck
    s.push_back(Box({-1.6f, 53.6f, 0}, {6.2f, 4.6f, 5.4f}, 2.6f, 0, ROBOT_RED, body));   // head
    s.push_back(
        Box({-7.1f, 53.6f, 0}, {1.5f, 1.9f, 4.6f}, 0.9f, 0, ROBOT_CYAN_LIGHT, body));   // visor
    s.push_back(Box({-2.0f, 57.9f, 0}, {4.4f, 0.9f, 2.2f}, 0.6f, 0, ROBOT_DARK, body)); // crest
    s.push_back(
        Capsule({2.8f, 57.0f, 3.0f}, {4.8f, 60.2f, 3.0f}, 0.55f, ROBOT_STEEL, body)); // antenna
    s.push_back(Sphere({4.9f, 60.4f, 3.0f}, 1.1f, ROBOT_ORANGE_LIGHT, body));
    // jet pack on the back: a frame, two chrome tanks and two glowing nozzles
    s.push_back(Box({9.6f, 41.5f, 0}, {3.0f, 7.4f, 5.8f}, 1.4f, 0, ROBOT_DARK, body));
    for (float z : {-3.4f, 3.4f}) {
        s.push_back(Capsule({12.6f, 35.5f, z}, {12.6f, 47.0f, z}, 2.9f, ROBOT_CHROME, body));
        s.push_back(Cylinder({12.6f, 34.4f, z}, {12.6f, 30.4f, z}, 2.6f, ROBOT_DARK, body));
        s.push_back(Cylinder({12.6f, 31.0f, z}, {12.6f, 29.6f, z}, 1.9f, ROBOT_ORANGE_LIGHT, body));
        s.push_back(
            Box({12.6f, 48.0f, z}, {2.0f, 0.8f, 2.0f}, 0.5f, 0, ROBOT_ORANGE, body)); // caps
    }
    // arms: the far arm hangs behind, the near arm holds the gun forward
    for (int side = 0; side < 2; side++) {
        const float z = side == 0 ? -8.6f : 8.6f;
        const float zs = side == 0 ? -7.6f : 7.6f;
        s.push_back(Ellipsoid({0.6f, 45.8f, zs}, {5.0f, 3.6f, 3.4f}, ROBOT_RED, body)); // shoulder
        s.push_back(
            Capsule({0.4f, 44.0f, z}, {-3.0f, 37.6f, z}, 2.1f, ROBOT_STEEL, body)); // upper arm
        s.push_back(Sphere({-3.0f, 37.6f, z}, 2.4f, ROBOT_DARK, body));             // elbow
        // the gun: a thick steel barrel with an orange muzzle, so it reads at sprite size
        s.push_back(
            Box({-8.8f, 38.2f, z}, {6.0f, 3.0f, 2.6f}, 1.0f, -4, ROBOT_DARK, body)); // gun body
        s.push_back(
            Cylinder({-13.8f, 38.6f, z}, {-19.0f, 38.9f, z}, 2.3f, ROBOT_STEEL, body)); // barrel
        s.push_back(
            Cylinder({-18.6f, 38.9f, z}, {-20.4f, 38.9f, z}, 2.8f, ROBOT_ORANGE, body)); // muzzle
        s.push_back(
            Box({-7.4f, 41.6f, z}, {3.2f, 1.0f, 1.6f}, 0.4f, -4, ROBOT_ORANGE, body)); // sight
    }
    return s;
}

Vec2 ProjectRobotPoint(const RobotView& view, Vec3 model) {
    return Project(view, model);
}

std::vector<Vec3> RobotNozzles() {
    return {{12.6f, 29.6f, -3.4f}, {12.6f, 29.6f, 3.4f}};
}

Canvas RenderRobot(const std::vector<RobotShape>& shapes, const RobotView& view, int width,
                   int height, int supersample) {
    const Scene scene = MakeScene(shapes, view.groups);
    Canvas big = MakeCanvas(width * supersample, height * supersample);
    const Vec3 dir = Normalise(ViewToModel(view, Vec3{0, 0, -1}));
    const Vec3 bound{0, 32, 0};
    const float boundRadius = 48;
    for (int y = 0; y < big.height; y++)
        for (int x = 0; x < big.width; x++) {
            const float vx = ((float(x) + 0.5f) / float(supersample) - view.origin.x) / view.scale;
            const float vy = (view.origin.y - (float(y) + 0.5f) / float(supersample)) / view.scale;
            const Vec3 origin = ViewToModel(view, Vec3{vx, vy, 100});
            // enter and leave the bounding sphere
            const Vec3 oc = origin - bound;
            const float b = Dot(oc, dir), c = Dot(oc, oc) - boundRadius * boundRadius;
            const float disc = b * b - c;
            if (disc < 0) continue;
            float t = -b - std::sqrt(disc);
            const float tEnd = -b + std::sqrt(disc);
            int which = -1;
            bool hit = false;
            for (int i = 0; i < 160 && t < tEnd; i++) {
                const float d = SceneDistance(scene, origin + dir * t, &which);
                if (d < 0.004f) {
                    hit = true;
                    break;
                }
                t += d * 0.9f;
            }
            if (!hit) continue;
            big.At(x, y) = Pixel{LightSurface(scene, which, origin + dir * t, dir, view), 1};
        }
    return supersample > 1 ? Downsample(big, supersample) : big;
}

void DrawRobotWireframe(Canvas& canvas, const std::vector<RobotShape>& shapes,
                        const RobotView& view, const WireStyle& style) {
    // Depth of the nearest surface under each pixel, to tell hidden lines from visible ones.
    const Scene scene = MakeScene(shapes, view.groups);
    std::vector<float> depth(size_t(canvas.width) * canvas.height, -1e9f);
    const Vec3 dir = Normalise(ViewToModel(view, Vec3{0, 0, -1}));
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++) {
            const float vx = (float(x) + 0.5f - view.origin.x) / view.scale;
            const float vy = (view.origin.y - (float(y) + 0.5f)) / view.scale;
            const Vec3 origin = ViewToModel(view, Vec3{vx, vy, 100});
            float t = 0;
            for (int i = 0; i < 200 && t < 200; i++) {
                const float d = SceneDistance(scene, origin + dir * t, nullptr);
                if (d < 0.01f) {
                    depth[size_t(y) * canvas.width + x] = 100 - t;
                    break;
                }
                t += d * 0.9f;
            }
        }
    auto visible = [&](Vec3 model) {
        const Vec2 p = Project(view, model);
        const float z = ModelToView(view, model).z;
        const int px = int(std::floor(p.x)), py = int(std::floor(p.y));
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++) {
                if (!canvas.Inside(px + dx, py + dy)) return true;
                if (z >= depth[size_t(py + dy) * canvas.width + px + dx] - 0.9f) return true;
            }
        return false;
    };
    std::vector<std::pair<Vec2, Vec2>> front, back;
    for (const RobotShape& s : shapes) {
        if (!(s.group & view.groups)) continue;
        for (const Segment3& seg : WireSegments(s)) {
            const float length = Length(Project(view, seg.b) - Project(view, seg.a));
            const int steps = std::max(1, int(length / 1.5f));
            for (int i = 0; i < steps; i++) {
                const Vec3 a = seg.a + (seg.b - seg.a) * (float(i) / float(steps));
                const Vec3 b = seg.a + (seg.b - seg.a) * (float(i + 1) / float(steps));
                const std::pair<Vec2, Vec2> piece{Project(view, a), Project(view, b)};
                (visible((a + b) * 0.5f) ? front : back).push_back(piece);
            }
        }
    }
    if (style.hiddenOpacity > 0)
        for (const auto& piece : back)
            PaintLine(canvas, piece.first, piece.second, style.width, style.hidden,
                      style.hiddenOpacity);
    for (const auto& piece : front)
        PaintLine(canvas, piece.first, piece.second, style.width, style.visible);
}

void DrawRobotOutline(Canvas& canvas, const std::vector<RobotShape>& shapes, const RobotView& view,
                      Colour line, Colour nearFill, Colour farFill) {
    // Which part and how near, per pixel, at three rays a pixel each way.
    constexpr int SS = 3;
    const Scene scene = MakeScene(shapes, view.groups);
    const int w = canvas.width * SS, h = canvas.height * SS;
    std::vector<int> part(size_t(w) * h, -1);
    std::vector<float> depth(size_t(w) * h, 0);
    const Vec3 dir = Normalise(ViewToModel(view, Vec3{0, 0, -1}));
    float nearest = -1e9f, farthest = 1e9f;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const float vx = ((float(x) + 0.5f) / SS - view.origin.x) / view.scale;
            const float vy = (view.origin.y - (float(y) + 0.5f) / SS) / view.scale;
            const Vec3 origin = ViewToModel(view, Vec3{vx, vy, 100});
            float t = 0;
            int which = -1;
            for (int i = 0; i < 200 && t < 200; i++) {
                const float d = SceneDistance(scene, origin + dir * t, &which);
                if (d < 0.01f) {
                    part[size_t(y) * w + x] = which;
                    depth[size_t(y) * w + x] = 100 - t;
                    nearest = std::max(nearest, 100 - t);
                    farthest = std::min(farthest, 100 - t);
                    break;
                }
                t += d * 0.9f;
            }
        }
    Canvas big = MakeCanvas(w, h);
    const float range = std::max(1.0f, nearest - farthest);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const size_t i = size_t(y) * w + x;
            bool edge = false;
            for (int d = 1; d <= SS && !edge; d++)
                for (const int o : {-d, d}) {
                    for (const Vec2 step : {Vec2{float(o), 0}, Vec2{0, float(o)}}) {
                        const int nx = x + int(step.x), ny = y + int(step.y);
                        const size_t j =
                            size_t(std::clamp(ny, 0, h - 1)) * w + size_t(std::clamp(nx, 0, w - 1));
                        // a line inside a part where another lies nearer, or on its border
                        if (part[i] >= 0 && (part[j] != part[i]) &&
                            (part[j] < 0 || depth[j] <= depth[i] + 0.01f))
                            edge = true;
                    }
                }
            if (part[i] < 0) continue;
            const Colour fill = Mix(farFill, nearFill, (depth[i] - farthest) / range);
            big.At(x, y) = Pixel{edge ? line : fill, 1};
        }
    DrawCanvas(canvas, Downsample(big, SS), 0, 0);
}
