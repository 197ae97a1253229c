// cell_codes.h - what each map cell code is and how it behaves: the one table of the sector's
// cells, read by the player's moves, the shots, the devices, the map drawing and the map
// generator alike.
//
// A code is a tile of the tile sheet (TileImages[code]) and a behaviour. 0 is free space;
// 1 to 23 are walls, of which 18 to 23 are the three two-cell devices (shop terminal,
// teleporter, base) that answer the down key; 24 to 41 are background the robot passes in
// front of. Codes 42 to 50 have a tile slot that holds no picture; a map should hold no
// code outside 0 to 50, and such a code is still given a fixed behaviour (CellRuleOf).
#pragma once

#include <cstdint>

enum CellCode : int32_t {
    CELL_FREE = 0,
    CELL_STRIPED_WALL = 1, // the one wall that does not hurt the head
    CELL_PLATE = 2,        // 2 to 17: wall blocks
    CELL_BRACED = 3,
    CELL_RUSTY = 4,
    CELL_VENTED = 5,
    CELL_GIRDER = 7,
    CELL_PIPES_ACROSS = 8,
    CELL_PIPES_UPRIGHT = 9,
    CELL_WARNING_LAMP = 10,
    CELL_HEAVY_PLATE = 11,
    CELL_CONTROL_PANEL = 12,
    CELL_CORRUGATED = 13,
    CELL_SMALL_PLATES = 14,
    CELL_FAN = 15,
    CELL_CYAN_LAMP = 16,
    CELL_VALVE_WHEEL = 17,
    CELL_SHOP_LEFT = 18,
    CELL_SHOP_RIGHT = 19,
    CELL_TELEPORT_LEFT = 20,
    CELL_TELEPORT_RIGHT = 21, // each one also makes a teleport arrival point
    CELL_BASE_LEFT = 22,
    CELL_BASE_RIGHT = 23,
    CELL_PIPE_ACROSS = 24, // 24 to 37: background machinery
    CELL_PIPE_UPRIGHT = 25,
    CELL_BEND_RIGHT_DOWN = 26, // joins the right and the bottom edge
    CELL_BEND_LEFT_DOWN = 27,  // joins the left and the bottom edge
    CELL_GATE_TOP_LEFT = 28,   // the gate: 28 and 29 above 34 and 35
    CELL_GATE_TOP_RIGHT = 29,
    CELL_CROSS_JOINT = 32,
    CELL_GAUGE = 33, // a pipe across with a pressure gauge
    CELL_GATE_BOTTOM_LEFT = 34,
    CELL_GATE_BOTTOM_RIGHT = 35,
    CELL_HAZARD_STRIPES = 36,
    CELL_GRATING = 37,
    CELL_DARK = 38,          // 38 to 41: dark background cells
    CELL_TILE_SLOTS = 51,    // codes 0 to 50 have a tile slot; 42 to 50 stay empty
    CELL_PAINTED_TILES = 42, // the tile sheet paints codes 0 to 41
};

enum CellDevice : int32_t { DEVICE_NONE, DEVICE_SHOP, DEVICE_TELEPORTER, DEVICE_BASE };

struct CellRule {
    bool blocksRobot; // the robot cannot walk, fly or fall into it
    bool blocksShots; // a shot reacts as at a wall
    bool hurtsHead;   // flying into it costs energy
    CellDevice device;
    bool tileDrawn; // DrawLevelMap draws its tile slot (an empty slot draws texture 0)
};

// The rule of any code; codes below 0 block the robot only, codes above 50 nothing.
const CellRule& CellRuleOf(int32_t code);
