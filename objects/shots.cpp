// shots.cpp - the weapon table, firing, and the shots' flight, wall reactions and hits.
//
//   1. weapon and wall-reaction tables
//   2. firing
//   3. the shots' update walk
#include "objects/shots.h"

#include <cmath>

#include "core/catalogue.h"
#include "core/cell_codes.h"
#include "core/globals.h"
#include "core/level_map.h"
#include "core/player.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "render/draw.h"
#include "sound/sound_effects.h"
#include "support/list.h"
#include "support/maths.h"
#include "support/random.h"

List<Shot> Shots;

// ================================================================ 1. tables

const Weapon WeaponTable[WEAPON_COUNT] = {
    // shots life damage sound period
    {1, 50, 10, SOUND_GUN, 4},       // 0 three-part bullet
    {1, 40, 13, SOUND_BOLT, 7},      // 1 red bolt
    {3, 40, 10, SOUND_FIREBALL, 12}, // 2 fireball fan
    {10, 40, 15, SOUND_PLASMA, 17},  // 3 ring of plasma balls
    {3, 90, 15, SOUND_GUN, 10},      // 4 crescents
};

namespace {

enum SparkKind { SPARKS_WHITE, SPARKS_DARK_RED };

// What a shot does when the cell under it is a wall.
struct WallReaction {
    bool bounces;     // reverse both velocity components; otherwise the shot is removed
    bool flipsMirror; // the crescent turns its picture round as it bounces
    int32_t sound;    // sound slot
    int32_t sparks;   // how many
    SparkKind sparkKind;
};

const WallReaction WallReactions[WEAPON_COUNT] = {
    {false, false, SOUND_HIT, 5, SPARKS_WHITE},         // 0 vanishes
    {false, false, SOUND_WALL_ZAP, 7, SPARKS_DARK_RED}, // 1 vanishes in a red spray
    {false, false, SOUND_WALL_ZAP, 5, SPARKS_WHITE},    // 2 vanishes
    {true, false, SOUND_HIT, 5, SPARKS_WHITE},          // 3 bounces
    {true, true, SOUND_WALL_ZAP, 3, SPARKS_WHITE},      // 4 bounces and turns round
};

constexpr float SHOT_MUZZLE = 32; // shots start this far in front of the robot's centre
constexpr float SHOT_DRAWN_SIZE = 20;
constexpr int SHOT_HIT_RADIUS = 30;
constexpr int32_t SHOT_IMAGE_ROWS = sizeof ShotImages / sizeof ShotImages[0];

// ================================================================ 2. firing

Shot* AddShot(int32_t type, float x, float y, float vx, float vy, int32_t mirror) {
    Shot* s = ListAppend(Shots);
    s->type = type;
    s->x = x;
    s->y = y;
    s->vx = vx;
    s->vy = vy;
    s->life = WeaponTable[type].life;
    s->damage = WeaponTable[type].damage;
    s->imageRow = type;
    s->mirror = mirror;
    return s;
}

// The ring of weapon 3: ten balls from a = 1 degree in steps of 36, always unmirrored.
void FireRing() {
    for (int32_t a = 1; a <= 325; a += 36) {
        const float s = SinDeg(float(a)), c = CosDeg(float(a));
        AddShot(3, Player.x + SHOT_MUZZLE * s, Player.y + SHOT_MUZZLE * c, 6 * s, 6 * c, 0);
    }
}

// ================================================================ 3. update walk

uint32_t ShotTexture(int32_t row, int32_t mirror) {
    // mended: a row or mirror value outside the table draws nothing
    if (row < 0 || row >= SHOT_IMAGE_ROWS || mirror < 0 || mirror > 1) return 0;
    return ShotImages[row][mirror];
}

void ThrowSparks(const Shot& s, const WallReaction& r) {
    for (int32_t i = 0; i < r.sparks; i++) {
        if (r.sparkKind == SPARKS_DARK_RED) {
            SpawnDotParticle(s.x, s.y, 30, 3, 1.0f, -0.033f, RandomRange(-20, 20) / 10, 0, 0.5f, 0,
                             0);
        } else {
            // kept: arguments are drawn last first, as everywhere in the game
            const float vy = RandomRange(0, 3);
            const float vx = RandomRange(-1, 1);
            SpawnDotParticle(s.x, s.y, 30, 3, 1.0f, -0.033f, vx, vy, 1, 1, 1);
        }
    }
}

// Returns true when the shot is to be removed.
bool MeetWall(Shot& s) {
    // mended: a type outside 0 to 4 has no reaction of its own and simply vanishes
    if (s.type < 0 || s.type >= WEAPON_COUNT) return true;
    const WallReaction& r = WallReactions[s.type];
    PlaySound(r.sound);
    ThrowSparks(s, r);
    if (!r.bounces) return true;
    // Both components reverse whatever the wall's side: the shot flies back along its path.
    s.vx = -s.vx;
    s.vy = -s.vy;
    if (r.flipsMirror) s.mirror = 1 - s.mirror;
    return false;
}

// Every drone within reach of the shot is hit, each paying for the weapon selected now.
bool HitEnemies(const Shot& s, float sx, float sy) {
    bool hit = false;
    ListRewind(Enemies);
    while (Enemy* e = ListNext(Enemies)) {
        // A drone a full radius away on either axis cannot be in reach; the square root
        // is taken only for the few that are close.
        if (std::fabs(double(e->screenX) - double(sx)) >= SHOT_HIT_RADIUS ||
            std::fabs(double(e->screenY) - double(sy)) >= SHOT_HIT_RADIUS)
            continue;
        if (!WithinRadius(e->screenX, e->screenY, sx, sy, SHOT_HIT_RADIUS)) continue;
        e->energy -= s.damage;
        e->flash = 1;
        Player.coins += Player.weapon + 2;
        hit = true;
        PlaySound(SOUND_HIT);
        for (int i = 0; i < 3; i++) {
            const float vy = RandomRange(-10, 10) / 10;
            const float vx = RandomRange(-10, 10) / 10;
            SpawnDotParticle(s.x, s.y, 30, 3, 1.0f, -0.033f, vx, vy, 1.0f, 0.9f, 0.9f);
        }
    }
    return hit;
}

bool IsShotWall(int32_t code) {
    return CellRuleOf(code).blocksShots;
}

} // namespace

void FireWeapon() {
    const int32_t w = Player.weapon;
    // mended: a weapon number outside 0 to 4 fires nothing instead of reading past the table
    if (w < 0 || w >= WEAPON_COUNT) return;
    if (Player.ammo[w] <= 0) return;
    Player.ammo[w] -= 1;
    const bool right = Player.facing == 1;
    const float dir = right ? 1.0f : -1.0f;
    const int32_t mirror = right ? 0 : 1;
    const float muzzleX = Player.x + dir * SHOT_MUZZLE;
    switch (w) {
    case 0: AddShot(0, muzzleX, Player.y + RandomRange(-10, 10), 10 * dir, 0, mirror); break;
    case 1: AddShot(1, muzzleX, Player.y + RandomRange(-5, 5), 8 * dir, 0, mirror); break;
    case 2:
        AddShot(2, muzzleX, Player.y, 6 * dir, 0, mirror);
        AddShot(2, muzzleX, Player.y, 6 * dir, -1, mirror);
        AddShot(2, muzzleX, Player.y, 6 * dir, 1, mirror);
        break;
    case 3: FireRing(); break;
    case 4:
        AddShot(4, muzzleX, Player.y, 6 * dir, 0, mirror);
        for (int i = 0; i < 2; i++)
            AddShot(4, muzzleX, Player.y, 6 * dir, RandomRange(-5, 5), mirror);
        break;
    }
    PlaySound(WeaponTable[w].fireSound);
}

void UpdateShots() {
    ListRewind(Shots);
    while (Shot* s = ListNext(Shots)) {
        bool remove = false;
        s->x += s->vx;
        s->y += s->vy;
        s->life -= 1;
        if (IsShotWall(MapCellAt(RoundToInt(s->x), RoundToInt(s->y))) && MeetWall(*s))
            remove = true;
        // The sector's edges stop every shot.
        if (s->x < 20) s->x = 20, remove = true;
        if (s->y < 20) s->y = 20, remove = true;
        if (s->x > 6400) s->x = 6400, remove = true;
        if (s->y > 6000) s->y = 6000, remove = true;
        const float sx = s->x - CameraX, sy = s->y - CameraY;
        if (StrictlyBetween(sx, 10, 790) && StrictlyBetween(sy, 10, 590))
            DrawSpriteRotated(ShotTexture(s->imageRow, s->mirror), sx, sy, 0, SHOT_DRAWN_SIZE);
        if (HitEnemies(*s, sx, sy)) remove = true;
        // The life test is <= 0 so that a shot given no life never flies forever.
        if (s->life <= 0) remove = true;
        if (remove) ListDeleteCurrent(Shots);
    }
}
