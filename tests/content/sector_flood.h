// sector_flood.h - floods the robot's movement rules over the loaded sector to find every
// place the player can get to from the start, frame by frame and pixel by pixel.
//
// Uses the real MapCellAt (through ReadNeighbourCells) and the shared movement procedures in
// the play mode's order: neighbour cells, walk and fly, teleport, gravity, clamp, refill.
// A state is a position plus its fuel; of two states at one position the one with more fuel
// can do everything the other can, so only the best fuel per position is kept. Positions
// where the ceiling cell would strike the head are never entered: a route must not cost
// energy. Used by the content tests only.
#pragma once

#include <cstdint>
#include <vector>

struct SectorFlood {
    int64_t expansions = 0;           // states expanded (a measure of the work done)
    int64_t positions = 0;            // distinct positions reached
    std::vector<uint8_t> cellReached; // [col * 101 + row]: the robot's centre came within
                                      // 30 px of the cell's centre
    bool offGrid = false;             // a position off the 4-pixel lattice turned up
};

// Floods from the new-game start (300, 300) with an empty tank over LevelMap and
// TeleportTargets as they are loaded now.
SectorFlood FloodSectorFromStart();
