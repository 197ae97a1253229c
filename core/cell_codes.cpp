// cell_codes.cpp - the cell table: one row per code.
#include "core/cell_codes.h"

namespace {

constexpr bool Y = true, n = false;

// clang-format off
const CellRule CellRules[CELL_TILE_SLOTS] = {
    // robot shots head  device              drawn
    {  n,    n,    n,    DEVICE_NONE,        n },  //  0 free space
    {  Y,    Y,    n,    DEVICE_NONE,        Y },  //  1 striped wall
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  //  2 plate
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  //  3 braced
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  //  4 rusty
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  //  5 vented
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  //  6 wall block
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  //  7 girder
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  //  8 pipes across
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  //  9 pipes upright
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  // 10 warning lamp
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  // 11 heavy plate
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  // 12 control panel
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  // 13 corrugated
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  // 14 small plates
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  // 15 fan
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  // 16 cyan lamp
    {  Y,    Y,    Y,    DEVICE_NONE,        Y },  // 17 valve wheel
    {  Y,    Y,    Y,    DEVICE_SHOP,        Y },  // 18 shop terminal, left
    {  Y,    Y,    Y,    DEVICE_SHOP,        Y },  // 19 shop terminal, right
    {  Y,    Y,    Y,    DEVICE_TELEPORTER,  Y },  // 20 teleporter, left
    {  Y,    Y,    Y,    DEVICE_TELEPORTER,  Y },  // 21 teleporter, right
    {  Y,    Y,    Y,    DEVICE_BASE,        Y },  // 22 base, left
    {  Y,    Y,    Y,    DEVICE_BASE,        Y },  // 23 base, right
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 24 pipe across
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 25 pipe upright
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 26 bend right-down
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 27 bend left-down
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 28 gate, top left
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 29 gate, top right
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 30 machinery
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 31 machinery
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 32 cross joint
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 33 gauge
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 34 gate, bottom left
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 35 gate, bottom right
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 36 hazard stripes
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 37 grating
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 38 dark
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 39 dark
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 40 dark
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 41 dark
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 42 empty slot
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 43 empty slot
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 44 empty slot
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 45 empty slot
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 46 empty slot
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 47 empty slot
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 48 empty slot
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 49 empty slot
    {  n,    n,    n,    DEVICE_NONE,        Y },  // 50 empty slot
};
// A negative code stops the robot (it is neither free space nor background) but not shots.
const CellRule BelowTable = {Y, n, n, DEVICE_NONE, n};
const CellRule AboveTable = {n, n, n, DEVICE_NONE, n};
// clang-format on

} // namespace

const CellRule& CellRuleOf(int32_t code) {
    if (code < 0) return BelowTable;
    if (code >= CELL_TILE_SLOTS) return AboveTable;
    return CellRules[code];
}
