// pickups.cpp - placing, drawing, collecting and counting the orbs.
#include "objects/pickups.h"

#include "core/catalogue.h"
#include "core/cell_codes.h"
#include "core/globals.h"
#include "core/level_map.h"
#include "core/player.h"
#include "render/draw.h"
#include "sound/sound_effects.h"
#include "support/list.h"
#include "support/maths.h"
#include "support/random.h"

List<Pickup> Pickups;
int32_t PickupsLeft = 0;
int32_t PickupsCarried = 0;
int32_t PickupSpin = 0;

namespace {

constexpr int32_t PICKUP_CELL_FIRST = 10; // orbs lie in cells 10 to 90 on both axes
constexpr int32_t PICKUP_CELL_SPAN = 80;
constexpr int PICKUP_REACH = 30;

// mended: the original draws cells until it finds a free one and hangs on a map without
// any; such a map gets no orb (the random draws of a normal map are unchanged)
bool AnyFreePickupCell() {
    for (int32_t cx = PICKUP_CELL_FIRST; cx <= PICKUP_CELL_FIRST + PICKUP_CELL_SPAN; cx++)
        for (int32_t cy = PICKUP_CELL_FIRST; cy <= PICKUP_CELL_FIRST + PICKUP_CELL_SPAN; cy++)
            if (LevelMap[cx][cy] == CELL_FREE) return true;
    return false;
}

// Only the cell code counts: two orbs may share a cell, and reachability is not tested.
void PlaceOnePickup() {
    int32_t cx, cy;
    do {
        cx = RandomInt(PICKUP_CELL_SPAN) + PICKUP_CELL_FIRST;
        cy = RandomInt(PICKUP_CELL_SPAN) + PICKUP_CELL_FIRST;
    } while (LevelMap[cx][cy] != CELL_FREE);
    Pickup* p = ListAppend(Pickups);
    p->x = float(cx * MAP_CELL + MAP_CELL / 2);
    p->y = float(cy * MAP_CELL + MAP_CELL / 2);
    PickupsLeft += 1;
}

} // namespace

void PlacePickups() {
    int32_t n = 2 * Player.level + 1;
    if (n > PICKUPS_MAX) n = PICKUPS_MAX;
    ScatterPickups(n);
}

void ScatterPickups(int32_t n) {
    if (n < 1 || !AnyFreePickupCell()) return;
    for (int32_t i = 0; i < n; i++) PlaceOnePickup();
}

void UpdatePickups() {
    PickupSpin += 4;
    if (PickupSpin > 360) PickupSpin -= 360;
    ListRewind(Pickups);
    while (Pickup* p = ListNext(Pickups)) {
        const float sx = p->x - CameraX, sy = p->y - CameraY;
        if (StrictlyBetween(sx, 10, 790) && StrictlyBetween(sy, 10, 590)) {
            DrawSpriteRotated(RingImage, sx, sy, float(-PickupSpin), 50);
            DrawSpriteRotated(ItemImages[ITEM_ORB], sx, sy, 0, 32);
        }
        if (WithinRadius(p->x, p->y, Player.x, Player.y, PICKUP_REACH)) {
            PickupsLeft -= 1;
            PickupsCarried += 1;
            PlaySound(SOUND_COLLECT);
            ListDeleteCurrent(Pickups);
        }
    }
}

void ClearPickups() {
    ListClear(Pickups);
    PickupsLeft = 0;
    PickupsCarried = 0;
}
