// sector_map.cpp - GenerateMap: designs the sector "startmap.map" (101 x 101 cell codes).
//
// Sections: plan grid | rooms | special halls | corridors and shafts | room furniture |
//           devices | sealed pockets | wall and background codes | file
//
// The sector is cut out of solid rock on a plan of 7 x 7 room slots: every slot holds a
// cavern, a few slots merge into great halls (the gate hall in the middle, the deep chasm
// on the right, the long gallery at the bottom), and a randomised spanning tree with extra
// loops joins neighbouring slots by corridors two cells high and shafts two cells wide. One
// corner vault is joined to nothing: only its teleporter leads in and out. The numbers are
// chosen for the robot's movement: a climb without a landing never exceeds about 20 cells
// (a full tank lifts the robot 25), corridors leave room to fly, teleporters keep the
// arrival point and the cell above it clear. Deterministic: a fixed seed and our own
// generator. The reachability of every orb cell is proven by the content tests.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/cell_codes.h"
#include "tools/assetgen/assetgen.h"

namespace {

// ================================================================ plan grid
constexpr int N = 101; // cells per side
constexpr int SLOTS = 7;
constexpr int SLOT_W = 14, SLOT_H = 13;
constexpr int START_COL = 4, START_ROW = 4; // the robot starts at (300, 300)

// What the plan says a cell is, before codes are chosen.
enum Plan : uint8_t {
    ROCK,     // solid wall
    OPEN,     // free space
    PLATFORM, // a wall slab standing free in a cavern
    DEVICE,   // one half of a two-cell machine (code already chosen)
    DECOR,    // background machinery (code already chosen)
};

struct Grid {
    std::array<std::array<uint8_t, N>, N> plan{}; // [col][row]
    std::array<std::array<int32_t, N>, N> code{}; // [col][row]
};

bool Inside(int c, int r) {
    return c >= 0 && c < N && r >= 0 && r < N;
}

bool Solid(const Grid& g, int c, int r) {
    return !Inside(c, r) || g.plan[c][r] == ROCK || g.plan[c][r] == PLATFORM ||
           g.plan[c][r] == DEVICE;
}

void Fill(Grid& g, int c0, int r0, int c1, int r1, Plan p) {
    for (int c = std::max(c0, 1); c <= std::min(c1, N - 2); c++)
        for (int r = std::max(r0, 1); r <= std::min(r1, N - 2); r++) g.plan[c][r] = p;
}

// Our own generator (xorshift32), so every platform writes the same map.
struct Dice {
    uint32_t s;
    uint32_t Next() {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    int Range(int lo, int hi) { // inclusive; an empty range gives lo
        return hi < lo ? lo : lo + int(Next() % uint32_t(hi - lo + 1));
    }
    bool Chance(int percent) { return int(Next() % 100) < percent; }
};

// ================================================================ rooms
struct Room {
    int left, top, right, bottom; // inclusive free cells; the floor is row bottom + 1
};

// Node of the slot graph: a room, or a hall spanning several slots.
struct Node {
    Room room;
    bool linked = true; // false: the vault, reached only by teleporter
};

struct Layout {
    std::array<std::array<int, SLOTS>, SLOTS> nodeOf{}; // [slot column][slot row]
    std::vector<Node> nodes;
};

int SlotLeft(int i) {
    return 1 + SLOT_W * i;
}
int SlotTop(int j) {
    return 1 + SLOT_H * j;
}

// A cavern inside slot (i, j) that always covers the slot's middle columns and rows, so that
// neighbouring caverns can be joined straight across.
Room RandomRoom(Dice& dice, int i, int j) {
    const int w = dice.Range(7, 12), h = dice.Range(5, 9);
    const int sl = SlotLeft(i), st = SlotTop(j);
    const int left =
        dice.Range(std::max(sl + 1, sl + 8 - w + 1), std::min(sl + 6, sl + 12 - w + 1));
    const int top = dice.Range(std::max(st + 1, st + 7 - h + 1), std::min(st + 5, st + 11 - h + 1));
    return {left, top, left + w - 1, top + h - 1};
}

// ================================================================ special halls
// Slots merged into halls: (first column, first row, columns, rows) in slot units.
struct Hall {
    int i, j, wi, hj;
    Room room;
};

const Hall HALLS[] = {
    {2, 2, 2, 2, {SlotLeft(2) + 1, SlotTop(2) + 1, SlotLeft(4) - 2, SlotTop(4) - 2}}, // gate hall
    {5, 1, 1, 4, {SlotLeft(5) + 2, SlotTop(1) + 3, SlotLeft(6) - 3, SlotTop(5) - 2}}, // chasm
    {0, 6, 3, 1, {SlotLeft(0) + 2, SlotTop(6) + 3, SlotLeft(3) - 2, SlotTop(7) - 3}}, // gallery
};
constexpr int VAULT_I = 6, VAULT_J = 6;
// The start hangar: the robot drops onto its floor from (300, 300).
const Room START_ROOM = {1, 2, 12, 8};

Layout PlanLayout(Dice& dice) {
    Layout layout;
    for (auto& column : layout.nodeOf) column.fill(-1);
    for (const Hall& hall : HALLS) {
        const int id = int(layout.nodes.size());
        layout.nodes.push_back({hall.room, true});
        for (int i = hall.i; i < hall.i + hall.wi; i++)
            for (int j = hall.j; j < hall.j + hall.hj; j++) layout.nodeOf[i][j] = id;
    }
    for (int j = 0; j < SLOTS; j++) {
        for (int i = 0; i < SLOTS; i++) {
            if (layout.nodeOf[i][j] >= 0) continue;
            Room room = RandomRoom(dice, i, j);
            if (i == 0 && j == 0) room = START_ROOM;
            layout.nodeOf[i][j] = int(layout.nodes.size());
            layout.nodes.push_back({room, !(i == VAULT_I && j == VAULT_J)});
        }
    }
    return layout;
}

// ================================================================ corridors and shafts
struct Link {
    int ia, ja, ib, jb; // slot a, slot b (b right of or below a)
};

// Union-find over nodes for the spanning tree.
int FindRoot(std::vector<int>& up, int a) {
    while (up[a] != a) a = up[a] = up[up[a]];
    return a;
}

std::vector<Link> PlanLinks(Dice& dice, const Layout& layout) {
    std::vector<Link> candidates;
    for (int i = 0; i < SLOTS; i++) {
        for (int j = 0; j < SLOTS; j++) {
            if (i + 1 < SLOTS) candidates.push_back({i, j, i + 1, j});
            if (j + 1 < SLOTS) candidates.push_back({i, j, i, j + 1});
        }
    }
    for (size_t k = candidates.size(); k > 1; k--)
        std::swap(candidates[k - 1], candidates[dice.Next() % k]);

    std::vector<int> up(layout.nodes.size());
    for (size_t k = 0; k < up.size(); k++) up[k] = int(k);
    std::vector<Link> links;
    for (const Link& l : candidates) {
        const int a = layout.nodeOf[l.ia][l.ja], b = layout.nodeOf[l.ib][l.jb];
        if (a == b || !layout.nodes[a].linked || !layout.nodes[b].linked) continue;
        const int ra = FindRoot(up, a), rb = FindRoot(up, b);
        if (ra != rb) {
            up[ra] = rb;
            links.push_back(l);
        } else if (dice.Chance(35)) {
            links.push_back(l); // loops, so that the sector is not one long dead end
        }
    }
    return links;
}

// The part of a node's room that lies in one slot (halls are joined slot by slot).
Room RoomInSlot(const Layout& layout, int i, int j) {
    Room r = layout.nodes[layout.nodeOf[i][j]].room;
    const int sl = SlotLeft(i), st = SlotTop(j);
    r.left = std::max(r.left, sl);
    r.right = std::min(r.right, sl + SLOT_W - 1);
    r.top = std::max(r.top, st);
    r.bottom = std::min(r.bottom, st + SLOT_H - 1);
    return r;
}

void CarveLink(Grid& g, const Layout& layout, const Link& l) {
    const Room a = RoomInSlot(layout, l.ia, l.ja), b = RoomInSlot(layout, l.ib, l.jb);
    if (l.jb == l.ja) {
        // Side by side: a corridor two cells high whose floor is the higher of the two floors.
        const int floorRow = std::min(a.bottom, b.bottom);
        Fill(g, a.right + 1, floorRow - 1, b.left - 1, floorRow, OPEN);
    } else {
        // One above the other: a shaft two cells wide through a's floor into b's ceiling.
        const int lo = std::max(a.left, b.left), hi = std::min(a.right, b.right);
        const int c = (lo + hi) / 2;
        Fill(g, c, a.bottom + 1, c + 1, b.top - 1, OPEN);
    }
}

// ================================================================ room furniture
// A slab of wall standing free in a cavern, with two free rows above and below.
void PutPlatform(Grid& g, int c0, int c1, int r) {
    Fill(g, c0, r, c1, r, PLATFORM);
}

// Breaks a cavern's straight edges: mounds on the floor, rocks hanging from the ceiling,
// bulges in the side walls, and nooks cut a cell deep into the rock.
void RoughenRoom(Grid& g, Dice& dice, const Room& room) {
    for (int c = room.left + 1; c < room.right - 1;) {
        const int len = dice.Range(2, 4);
        const int roll = dice.Range(0, 9);
        if (roll < 2)
            Fill(g, c, room.bottom, std::min(c + len - 1, room.right - 1), room.bottom, ROCK);
        else if (roll < 4)
            Fill(g, c, room.top, std::min(c + len - 1, room.right - 1), room.top, ROCK);
        else if (roll < 5)
            Fill(g, c, room.top - 1, c, room.top - 1, OPEN); // a nook overhead
        c += len + dice.Range(1, 3);
    }
    for (int r = room.top + 1; r < room.bottom - 1;) {
        const int len = dice.Range(2, 3);
        const int roll = dice.Range(0, 9);
        if (roll < 2)
            Fill(g, room.left, r, room.left, r + len - 1, ROCK);
        else if (roll < 4)
            Fill(g, room.right, r, room.right, r + len - 1, ROCK);
        else if (roll < 5)
            Fill(g, room.left - 1, r, room.left - 1, r + len - 1, OPEN);
        else if (roll < 6)
            Fill(g, room.right + 1, r, room.right + 1, r + len - 1, OPEN);
        r += len + dice.Range(1, 2);
    }
}

void FurnishRoom(Grid& g, Dice& dice, const Room& room) {
    RoughenRoom(g, dice, room);
    const int w = room.right - room.left + 1, h = room.bottom - room.top + 1;
    // A step in the floor at one end.
    if (w >= 9 && dice.Chance(60)) {
        const int len = dice.Range(2, 3);
        if (dice.Chance(50))
            Fill(g, room.left, room.bottom, room.left + len - 1, room.bottom, ROCK);
        else
            Fill(g, room.right - len + 1, room.bottom, room.right, room.bottom, ROCK);
    }
    // A hanging rock from the ceiling.
    if (w >= 8 && h >= 6 && dice.Chance(50)) {
        const int c = dice.Range(room.left + 3, room.right - 3);
        Fill(g, c, room.top, c, room.top + dice.Range(0, 1), ROCK);
    }
    // A floating platform in the taller caverns.
    if (h >= 7 && w >= 8) {
        const int r = room.top + h / 2 - 1;
        const int len = dice.Range(3, std::min(5, w - 5));
        const int c0 = dice.Range(room.left + 2, room.right - 2 - len + 1);
        PutPlatform(g, c0, c0 + len - 1, r);
    }
}

void FurnishGateHall(Grid& g, const Room& hall) {
    // Staggered platforms, four storeys, so the hall can be climbed and crossed in the air.
    const int rows[] = {hall.top + 5, hall.top + 10, hall.top + 15, hall.top + 20};
    const int w = hall.right - hall.left + 1;
    for (int k = 0; k < 4; k++) {
        const int shift = (k % 2 == 0) ? 3 : w / 2 + 1;
        PutPlatform(g, hall.left + shift, hall.left + shift + 6, rows[k]);
        if (k % 2 == 1) PutPlatform(g, hall.left + 3, hall.left + 5, rows[k] + 2);
    }
    // Two rock pillars on the floor either side of the gate.
    Fill(g, hall.left + w / 2 - 5, hall.bottom - 2, hall.left + w / 2 - 5, hall.bottom, ROCK);
    Fill(g, hall.left + w / 2 + 5, hall.bottom - 2, hall.left + w / 2 + 5, hall.bottom, ROCK);
}

void FurnishChasm(Grid& g, const Room& chasm) {
    // Ledges on alternating walls every five rows.
    for (int r = chasm.top + 5, k = 0; r < chasm.bottom - 1; r += 5, k++) {
        if (k % 2 == 0)
            Fill(g, chasm.left, r, chasm.left + 3, r, ROCK);
        else
            Fill(g, chasm.right - 3, r, chasm.right, r, ROCK);
    }
}

void FurnishGallery(Grid& g, const Room& gallery) {
    // Low arches along the long hall: short slabs hanging from the ceiling.
    for (int c = gallery.left + 6; c < gallery.right - 3; c += 8)
        Fill(g, c, gallery.top, c + 1, gallery.top + 1, ROCK);
    // Mounds on its floor and slabs between the arches to hop along.
    for (int c = gallery.left + 3; c < gallery.right - 4; c += 8) {
        Fill(g, c, gallery.bottom, c + 2, gallery.bottom, ROCK);
        PutPlatform(g, c + 4, c + 6, gallery.top + 4);
    }
}

// ================================================================ devices

// A machine of two cells set into a room's floor at column c: both floor cells solid, the
// three rows above both halves free.
bool FloorFits(const Grid& g, int c, int floorRow) {
    for (int k = 0; k < 2; k++) {
        if (!Inside(c + k, floorRow) || g.plan[c + k][floorRow] != ROCK) return false;
        for (int r = floorRow - 3; r < floorRow; r++)
            if (!Inside(c + k, r) || g.plan[c + k][r] != OPEN) return false;
    }
    return true;
}

// Puts the machine as near to the room's middle as the floor allows.
bool PlaceDevice(Grid& g, const Room& room, int32_t leftCode) {
    const int floorRow = room.bottom + 1;
    const int mid = (room.left + room.right) / 2;
    for (int d = 0; d <= room.right - room.left; d++) {
        for (int c : {mid - d, mid + d}) {
            if (c < room.left || c + 1 > room.right || !FloorFits(g, c, floorRow)) continue;
            g.plan[c][floorRow] = g.plan[c + 1][floorRow] = DEVICE;
            g.code[c][floorRow] = leftCode;
            g.code[c + 1][floorRow] = leftCode + 1;
            return true;
        }
    }
    std::fprintf(stderr, "assetgen: no floor for machine %d in room (%d, %d)\n", leftCode,
                 room.left, room.top);
    return false;
}

// ================================================================ sealed pockets
// Free space that the start cannot reach through free neighbours (or through a teleporter)
// becomes rock: an orb must never land where nobody can fetch it.
void FillSealedPockets(Grid& g) {
    std::vector<uint8_t> seen(N * N, 0);
    std::vector<int> stack;
    auto freeCell = [&](int c, int r) {
        return Inside(c, r) && (g.plan[c][r] == OPEN || g.plan[c][r] == DECOR);
    };
    auto push = [&](int c, int r) {
        if (freeCell(c, r) && !seen[c * N + r]) {
            seen[c * N + r] = 1;
            stack.push_back(c * N + r);
        }
    };
    bool teleportsJoined = false;
    push(START_COL, START_ROW);
    for (;;) {
        while (!stack.empty()) {
            const int c = stack.back() / N, r = stack.back() % N;
            stack.pop_back();
            push(c - 1, r), push(c + 1, r), push(c, r - 1), push(c, r + 1);
        }
        if (teleportsJoined) break;
        // A teleporter standing in reached space makes every arrival point reachable.
        bool anyTeleporter = false;
        for (int c = 0; c < N; c++)
            for (int r = 1; r < N; r++)
                if (g.plan[c][r] == DEVICE && g.code[c][r] == CELL_TELEPORT_RIGHT &&
                    seen[c * N + r - 1])
                    anyTeleporter = true;
        if (!anyTeleporter) break;
        for (int c = 0; c < N; c++)
            for (int r = 2; r < N; r++)
                if (g.plan[c][r] == DEVICE && g.code[c][r] == CELL_TELEPORT_RIGHT) push(c, r - 1);
        teleportsJoined = true;
    }
    for (int c = 0; c < N; c++)
        for (int r = 0; r < N; r++)
            if (freeCell(c, r) && !seen[c * N + r]) g.plan[c][r] = ROCK;
}

// ================================================================ wall and background codes
// Wall tiles by the face they show. Deep rock is plain plate (brown and rusty in the lower
// half of the sector); floors are braced, ceilings girder frames, side walls carry pipes
// with now and then a lamp, a control panel, a fan or a valve; slabs are dark girders.

bool OpenAt(const Grid& g, int c, int r) {
    return Inside(c, r) && (g.plan[c][r] == OPEN || g.plan[c][r] == DECOR);
}

int32_t SideWallCode(Dice& dice, bool lower) {
    const int roll = dice.Range(0, 99);
    if (roll < 6) return CELL_WARNING_LAMP;
    if (roll < 10) return CELL_CONTROL_PANEL;
    if (roll < 14) return CELL_FAN;
    if (roll < 17) return CELL_VALVE_WHEEL;
    if (roll < 20) return CELL_CYAN_LAMP;
    if (lower) return roll < 60 ? CELL_CORRUGATED : CELL_VENTED;
    return roll < 60 ? CELL_PIPES_ACROSS : CELL_PIPES_UPRIGHT;
}

void ChooseWallCodes(Grid& g, Dice& dice) {
    for (int c = 0; c < N; c++) {
        for (int r = 0; r < N; r++) {
            const uint8_t p = g.plan[c][r];
            if (p == OPEN) g.code[c][r] = CELL_FREE;
            if (p != ROCK && p != PLATFORM) continue;
            // The rusty lower half meets the grey upper half along a wavy seam.
            const bool lower =
                r > 58 + int(std::lround(4 * std::sin(c * 0.37) + 2 * std::sin(c * 0.11 + 1)));
            const int roll = dice.Range(0, 99);
            int32_t code = lower ? (roll < 75 ? CELL_RUSTY : CELL_CORRUGATED)
                                 : (roll < 80   ? CELL_PLATE
                                    : roll < 92 ? CELL_SMALL_PLATES
                                                : CELL_HEAVY_PLATE);
            if (p == PLATFORM) {
                code = CELL_GIRDER;
            } else if (OpenAt(g, c, r - 1)) {
                code = lower ? CELL_HEAVY_PLATE : CELL_BRACED;
            } else if (OpenAt(g, c, r + 1)) {
                // Ceilings of low passages are the harmless striped plate: a robot flying
                // through a corridor two cells high bumps its head often.
                const bool low = !OpenAt(g, c, r + 2) || !OpenAt(g, c, r + 3);
                code = low ? CELL_STRIPED_WALL : CELL_GIRDER;
            } else if (OpenAt(g, c - 1, r) || OpenAt(g, c + 1, r)) {
                code = SideWallCode(dice, lower);
            }
            g.code[c][r] = code;
        }
    }
}

void SetDecor(Grid& g, int c, int r, int32_t code) {
    g.plan[c][r] = DECOR;
    g.code[c][r] = code;
}

// A pipe along a cavern's upper wall that turns down at both ends and runs into the floor.
void LayPipe(Grid& g, const Room& room, int row) {
    const int c0 = room.left, c1 = room.right;
    for (int c = c0; c <= c1; c++) {
        if (g.plan[c][row] != OPEN) return; // keep pipes whole
    }
    for (int c = c0 + 1; c < c1; c++)
        SetDecor(g, c, row, (c - c0) % 6 == 3 ? CELL_GAUGE : CELL_PIPE_ACROSS);
    SetDecor(g, c0, row, CELL_BEND_RIGHT_DOWN);
    SetDecor(g, c1, row, CELL_BEND_LEFT_DOWN);
    for (int c : {c0, c1}) {
        for (int r = row + 1; Inside(c, r) && g.plan[c][r] == OPEN; r++) {
            // Where a corridor opens beside the pipe, it branches off along it.
            const bool branch =
                (c == c0 && OpenAt(g, c - 1, r)) || (c == c1 && OpenAt(g, c + 1, r));
            SetDecor(g, c, r, branch ? CELL_CROSS_JOINT : CELL_PIPE_UPRIGHT);
        }
    }
}

void PlaceGate(Grid& g, int c, int floorRow) {
    const int32_t codes[2][2] = {{CELL_GATE_TOP_LEFT, CELL_GATE_BOTTOM_LEFT},
                                 {CELL_GATE_TOP_RIGHT, CELL_GATE_BOTTOM_RIGHT}};
    // The gate stands on solid floor: step aside from a shaft mouth.
    while (!(Solid(g, c, floorRow) && Solid(g, c + 1, floorRow)) && c < N - 3) c++;
    for (int dc = 0; dc < 2; dc++)
        for (int dr = 0; dr < 2; dr++) SetDecor(g, c + dc, floorRow - 2 + dr, codes[dc][dr]);
}

// An arch of pipe standing on the floor: up out of the floor, across past a gauge, and back
// down.
void StandManifold(Grid& g, const Room& room, Dice& dice) {
    const int r = room.bottom;
    if (room.right - 3 < room.left + 1) return;
    const int c = dice.Range(room.left + 1, room.right - 3);
    for (int k = 0; k < 3; k++) {
        if (g.plan[c + k][r] != OPEN || g.plan[c + k][r - 1] != OPEN || !Solid(g, c + k, r + 1) ||
            g.plan[c + k][r + 1] == DEVICE)
            return;
    }
    SetDecor(g, c, r, CELL_PIPE_UPRIGHT);
    SetDecor(g, c, r - 1, CELL_BEND_RIGHT_DOWN);
    SetDecor(g, c + 1, r - 1, CELL_GAUGE);
    SetDecor(g, c + 2, r - 1, CELL_BEND_LEFT_DOWN);
    SetDecor(g, c + 2, r, CELL_PIPE_UPRIGHT);
}

// A hazard-striped beam across a cavern's upper air, from wall to wall.
void SpanBeam(Grid& g, const Room& room, int row) {
    for (int c = room.left; c <= room.right; c++)
        if (g.plan[c][row] != OPEN) return;
    for (int c = room.left; c <= room.right; c++) SetDecor(g, c, row, CELL_HAZARD_STRIPES);
}

void DecorateMachinery(Grid& g, const Layout& layout, Dice& dice) {
    for (size_t k = 0; k < layout.nodes.size(); k++) {
        const Room& room = layout.nodes[k].room;
        const int h = room.bottom - room.top + 1;
        const int roll = dice.Range(0, 99);
        if (h >= 6 && roll < 50)
            LayPipe(g, room, room.top + 1);
        else if (h >= 7 && roll < 70)
            SpanBeam(g, room, room.top + 1);
        if (dice.Chance(45)) StandManifold(g, room, dice);
    }
}

void DarkenVault(Grid& g, const Room& vault) {
    // The vault's back wall is black glass, with grating along its floor.
    for (int c = vault.left; c <= vault.right; c++) {
        for (int r = vault.top; r <= vault.top + 1; r++)
            if (g.plan[c][r] == OPEN) SetDecor(g, c, r, CELL_DARK + (c + r) % 4);
        if (g.plan[c][vault.bottom] == OPEN && Solid(g, c, vault.bottom + 1) &&
            g.plan[c][vault.bottom + 1] != DEVICE)
            SetDecor(g, c, vault.bottom, CELL_GRATING);
    }
}

// ================================================================ file
std::vector<uint8_t> EncodeMap(const Grid& g) {
    std::vector<uint8_t> bytes;
    bytes.reserve(N * N * 4);
    for (int c = 0; c < N; c++) {
        for (int r = 0; r < N; r++) {
            const uint32_t v = uint32_t(g.code[c][r]);
            for (int k = 0; k < 4; k++) bytes.push_back(uint8_t(v >> (8 * k)));
        }
    }
    return bytes;
}

Grid DesignSector() {
    Grid g;
    Dice dice{0x4D4F5256u}; // "MORV"
    Layout layout = PlanLayout(dice);
    for (const Node& node : layout.nodes)
        Fill(g, node.room.left, node.room.top, node.room.right, node.room.bottom, OPEN);

    for (int j = 0; j < SLOTS; j++) {
        for (int i = 0; i < SLOTS; i++) {
            const Node& node = layout.nodes[layout.nodeOf[i][j]];
            bool inHall = false;
            for (const Hall& hall : HALLS)
                inHall = inHall || (i >= hall.i && i < hall.i + hall.wi && j >= hall.j &&
                                    j < hall.j + hall.hj);
            if (!inHall && !(i == 0 && j == 0)) FurnishRoom(g, dice, node.room);
        }
    }
    FurnishGateHall(g, HALLS[0].room);
    FurnishChasm(g, HALLS[1].room);
    FurnishGallery(g, HALLS[2].room);

    for (const Link& l : PlanLinks(dice, layout)) CarveLink(g, layout, l);

    // Machines: teleporters spread over the sector (one in the vault), shops and bases.
    const Room& vault = layout.nodes[layout.nodeOf[VAULT_I][VAULT_J]].room;
    auto roomAt = [&](int i, int j) -> const Room& {
        return layout.nodes[layout.nodeOf[i][j]].room;
    };
    const std::pair<int, int> teleporters[] = {{1, 0}, {6, 0}, {0, 3}, {4, 4}, {3, 1}, {1, 5}};
    for (auto [i, j] : teleporters) PlaceDevice(g, roomAt(i, j), CELL_TELEPORT_LEFT);
    PlaceDevice(g, vault, CELL_TELEPORT_LEFT);
    const std::pair<int, int> shops[] = {{0, 0}, {4, 0}, {6, 3}, {2, 5}};
    for (auto [i, j] : shops) PlaceDevice(g, roomAt(i, j), CELL_SHOP_LEFT);
    const std::pair<int, int> bases[] = {{2, 0}, {0, 2}, {6, 2}, {4, 5}};
    for (auto [i, j] : bases) PlaceDevice(g, roomAt(i, j), CELL_BASE_LEFT);
    PlaceDevice(g, HALLS[2].room, CELL_BASE_LEFT);
    PlaceDevice(g, vault, CELL_SHOP_LEFT);

    const Room& gateHall = HALLS[0].room;
    PlaceGate(g, (gateHall.left + gateHall.right) / 2, gateHall.bottom + 1);
    DecorateMachinery(g, layout, dice);
    // The landmarks get their machinery whatever the dice said: a pipe round the start
    // hangar and an arch of pipe on its floor; beams across the gate hall's upper air.
    LayPipe(g, START_ROOM, START_ROOM.top + 1);
    StandManifold(g, {START_ROOM.left + 8, START_ROOM.top, START_ROOM.right - 1, START_ROOM.bottom},
                  dice);
    SpanBeam(g, gateHall, gateHall.top + 2);
    SpanBeam(g, gateHall, gateHall.top + 17);
    DarkenVault(g, vault);

    FillSealedPockets(g);
    ChooseWallCodes(g, dice);
    return g;
}

} // namespace

bool GenerateMap(const std::string& assetsDir) {
    const Grid g = DesignSector();
    return WriteAssetFile(assetsDir, "startmap.map", EncodeMap(g));
}
