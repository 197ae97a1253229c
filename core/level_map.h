// level_map.h - the sector grid of 101 x 101 cells, its file "startmap.map", the teleport
// arrival points, the cell lookup used for collisions, and drawing the visible cells.
//
// Cell (col, row) covers world pixels 64 col .. 64 col + 63 across and 64 row .. 64 row + 63
// down. Main thread only.
#pragma once

#include <cstdint>

#include "support/list.h"

constexpr int32_t MAP_SIZE = 101; // cells per side
constexpr int32_t MAP_CELL = 64;  // pixels per cell side
constexpr int32_t MAP_FILE_BYTES = 40804;

extern int32_t LevelMap[MAP_SIZE][MAP_SIZE]; // [column][row] cell codes

struct TeleportTarget {
    float x, y; // arrival point in world pixels
};
extern List<TeleportTarget> TeleportTargets;
extern int32_t TeleportTargetCount;

void ClearLevelMap();
// Reads "startmap.map" from the working directory (column-major little-endian i32 codes);
// appends the arrival point of every code-21 cell. Does not clear first.
void LoadLevelMap();
// Code of the cell holding world pixel (px, py); 0 (free) outside the grid.
int32_t MapCellAt(int32_t px, int32_t py);
// Draws the 14 x 10 cells visible from camera (cameraX, cameraY).
void DrawLevelMap(int32_t cameraX, int32_t cameraY);
