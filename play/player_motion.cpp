// player_motion.cpp - the robot's walking, flying, falling, clamping and fuel refill.
//
// Positions move in whole steps (4 px walking and falling, 8 px flying), and every cell
// test uses the position of the frame's start, so a robot flying into a ceiling pokes its
// head 4 px into the ceiling cell in the next frame before gravity pulls it back.
#include "play/player_motion.h"

#include "core/cell_codes.h"
#include "core/level_map.h"
#include "support/maths.h"

bool CellFreeForPlayer(int32_t code) {
    return !CellRuleOf(code).blocksRobot;
}

bool CellHurtsHead(int32_t code) {
    return CellRuleOf(code).hurtsHead;
}

NeighbourCells ReadNeighbourCells(float x, float y) {
    const int32_t px = RoundToInt(x), py = RoundToInt(y);
    const int32_t probe = int32_t(PLAYER_PROBE);
    NeighbourCells cells;
    cells.up = MapCellAt(px, py - probe);
    cells.down = MapCellAt(px, py + probe);
    cells.left = MapCellAt(px - probe, py);
    cells.right = MapCellAt(px + probe, py);
    return cells;
}

void ClampPlayerPosition(float* x, float* y) {
    if (*x < 0) *x = 0;
    if (*y < 0) *y = 0;
    if (*x > PLAYER_MAX_X) *x = PLAYER_MAX_X;
    if (*y > PLAYER_MAX_Y) *y = PLAYER_MAX_Y;
}

PlayerKeyMoves MovePlayerByKeys(PlayerState* player, const NeighbourCells& cells, bool left,
                                bool right, bool up) {
    PlayerKeyMoves moves{0, false};
    if (left && CellFreeForPlayer(cells.left)) {
        player->x -= PLAYER_WALK_STEP;
        player->facing = 0;
        moves.walkSteps += 1;
    }
    // Both arrows on free sides cancel out, and the robot ends up facing right.
    if (right && CellFreeForPlayer(cells.right)) {
        player->x += PLAYER_WALK_STEP;
        player->facing = 1;
        moves.walkSteps += 1;
    }
    if (up && CellFreeForPlayer(cells.up) && player->fuel > 0) {
        player->y -= PLAYER_FLY_STEP;
        player->fuel -= 1;
        moves.flew = true;
    }
    return moves;
}

bool FallPlayer(PlayerState* player, const NeighbourCells& cells) {
    if (!CellFreeForPlayer(cells.down)) return false;
    player->y += PLAYER_FALL_STEP;
    return true;
}

void RefillPlayerFuel(PlayerState* player, int32_t* refillCount) {
    if (player->fuel < PLAYER_FUEL_MAX) {
        *refillCount += 1;
        if (*refillCount > 1) {
            *refillCount = 0;
            player->fuel += 1;
        }
    }
}
