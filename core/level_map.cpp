// level_map.cpp - the sector grid, its file "startmap.map", the teleport arrival points, the
// cell lookup and the drawing of the visible cells.
//
// The file is 10201 little-endian signed 32-bit codes, column-major, no header. It is
// outside data: whatever its length, every read is bounded by the buffer read here.
#include "core/level_map.h"

#include "core/cell_codes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/catalogue.h"
#include "render/display.h"
#include "render/draw.h"
#include "support/maths.h"

int32_t LevelMap[MAP_SIZE][MAP_SIZE];
List<TeleportTarget> TeleportTargets;
int32_t TeleportTargetCount;

namespace {

constexpr const char* MAP_FILE_NAME = "startmap.map";
constexpr int32_t DRAWN_COLUMNS = 14;
constexpr int32_t DRAWN_ROWS = 10;

// Reads at most MAP_FILE_BYTES of the map file into `bytes` (which starts zeroed), so that a
// short file reads as zeros past its end and a final value cut short keeps the bytes that
// are there as its low-order bytes.
void ReadMapBytes(uint8_t* bytes) {
    // mended: the original opens the file for reading and writing, so a read-only map reads
    // as an empty sector; we read it whenever it can be read. Only a regular file is read,
    // opened without blocking: a pipe or a device named like the map would hang the game.
    const int fd = open(MAP_FILE_NAME, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        struct stat st;
        if (error == ENOENT && lstat(MAP_FILE_NAME, &st) != 0) {
            // A missing map is created empty, as the original does; every read then yields 0.
            // Exclusive creation never follows a dangling link nor opens a pipe.
            const int created =
                open(MAP_FILE_NAME, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NONBLOCK, 0666);
            if (created >= 0) close(created);
            return;
        }
        // mended: a map that is there but cannot be read plays as an empty sector, said
        // once per load, and nothing is made in its place.
        std::fprintf(stderr, "morvexa: cannot read %s: %s; the sector is empty\n", MAP_FILE_NAME,
                     std::strerror(error));
        return;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fprintf(stderr, "morvexa: %s is not a regular file; the sector is empty\n",
                     MAP_FILE_NAME);
        close(fd);
        return;
    }
    size_t have = 0;
    while (have < size_t(MAP_FILE_BYTES)) {
        const ssize_t got = read(fd, bytes + have, size_t(MAP_FILE_BYTES) - have);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            std::fprintf(stderr, "morvexa: cannot read %s: %s; the rest of the sector is empty\n",
                         MAP_FILE_NAME, std::strerror(errno));
            break;
        }
        if (got == 0) break;
        have += size_t(got);
    }
    close(fd);
}

} // namespace

void ClearLevelMap() {
    std::memset(LevelMap, 0, sizeof LevelMap);
    TeleportTargetCount = 0;
    ListClear(TeleportTargets);
}

void LoadLevelMap() {
    static uint8_t bytes[MAP_FILE_BYTES];
    std::memset(bytes, 0, sizeof bytes);
    ReadMapBytes(bytes);

    const uint8_t* p = bytes;
    for (int32_t col = 0; col < MAP_SIZE; col++) {
        for (int32_t row = 0; row < MAP_SIZE; row++, p += 4) {
            const uint32_t v =
                uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
            LevelMap[col][row] = int32_t(v);
            if (LevelMap[col][row] == CELL_TELEPORT_RIGHT) {
                // The arrival point stands on the seam of the two halves, one cell above the
                // teleporter's top: a robot put there falls 32 px onto the machine.
                TeleportTargetCount += 1;
                ListSelect(TeleportTargets, TeleportTargets.count - 1); // append at the end
                TeleportTarget* t = ListAdd(TeleportTargets);
                t->x = float(MAP_CELL * col);
                t->y = float(MAP_CELL * row - MAP_CELL);
            }
        }
    }
}

int32_t MapCellAt(int32_t px, int32_t py) {
    // kept: the division is done in floating point and truncated towards zero, so -63 to 63
    // all lie in column (or row) 0.
    const int32_t col = TruncToInt(double(px) / double(MAP_CELL));
    const int32_t row = TruncToInt(double(py) / double(MAP_CELL));
    // mended: the original has no bounds check; a lookup outside the grid reads free space.
    if (col < 0 || col >= MAP_SIZE || row < 0 || row >= MAP_SIZE) return 0;
    return LevelMap[col][row];
}

void DrawLevelMap(int32_t cameraX, int32_t cameraY) {
    int32_t col0 = TruncToInt(double(cameraX) / double(MAP_CELL));
    int32_t row0 = TruncToInt(double(cameraY) / double(MAP_CELL));
    if (col0 < 0) col0 = 0;
    if (row0 < 0) row0 = 0;
    const int32_t ox = cameraX - MAP_CELL * col0;
    const int32_t oy = cameraY - MAP_CELL * row0;

    CullingOn();
    for (int32_t i = 0; i < DRAWN_ROWS; i++) {
        for (int32_t j = 0; j < DRAWN_COLUMNS; j++) {
            const int32_t col = col0 + j, row = row0 + i;
            if (col >= MAP_SIZE || row >= MAP_SIZE) continue; // beyond the grid: nothing
            const int32_t code = LevelMap[col][row];
            // Codes 42 to 50 have a slot holding no texture; codes outside 1 to 50 have no
            // slot at all and draw nothing.
            if (CellRuleOf(code).tileDrawn) {
                DrawSprite(TileImages[code], float(MAP_CELL * j - ox), float(MAP_CELL * i - oy),
                           float(MAP_CELL), float(MAP_CELL));
            }
        }
    }
    CullingOff();
}
