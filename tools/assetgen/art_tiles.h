// art_tiles.h - the map tiles, shared between the files that paint them.
//
// Tiles are 64 x 64 and numbered by map cell code: 1 to 17 wall blocks (art_tiles_walls.cpp),
// 18 to 23 the three two-cell machines (art_tiles_machines.cpp), 24 to 41 background
// machinery and dark cells (art_tiles_background.cpp). art_tiles.cpp lays them out on the
// sheet. Walls are opaque; background pieces keep pure black round them, so the game's
// backdrop shows through and the player can tell at a glance what is solid.
#pragma once

#include <cstdint>

#include "tools/assetgen/art_metal.h"

constexpr int TILE = 64;

Canvas PaintWallTile(int code);        // 1 to 17
Canvas PaintMachineTiles(int machine); // 128 x 64: 0 shop, 1 teleporter, 2 base
Canvas PaintBackgroundTile(int code);  // 24 to 41
