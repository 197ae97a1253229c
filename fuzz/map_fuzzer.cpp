// map_fuzzer.cpp - any file named "startmap.map" loads as exactly the grid its bytes say.
//
// Each input is written to "startmap.map" in a private folder (in memory where /dev/shm is
// there) and read by the loader a new game uses; then the grid must hold every whole or cut
// code of the file and zeros past its end, every code-21 cell and nothing else must give an
// arrival point, and the orbs (as many as the input's length asks, up to 16) must lie on free
// cells. Playing on the
// map is mapplay_fuzzer's (far slower). Also built into the reliability tests (entry point
// renamed), which replay the corpus and every saved crash input.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/level_map.h"
#include "core/player.h"
#include "fuzz/fuzz_folder.h"
#include "objects/pickups.h"
#include "support/random.h"

namespace {

std::string Folder;

void RemoveFolder() {
    unlink((Folder + "/startmap.map").c_str());
    rmdir(Folder.c_str());
}

bool EnterFolder() {
    static bool entered = false;
    if (entered) return true;
    Folder = MakeFuzzFolder("mvx-map-fuzz");
    if (Folder.empty() || chdir(Folder.c_str()) != 0) return false;
    std::atexit(RemoveFolder);
    entered = true;
    return true;
}

// The checks below are the oracle, not the code under test: left out of the coverage
// tracing, which would otherwise cost more than the loader itself.
#if defined(__clang__)
#define MVX_ORACLE __attribute__((no_sanitize("coverage")))
#else
#define MVX_ORACLE
#endif

// The grid the file's bytes say: codes are little-endian and column-major, which is the
// grid's own layout in memory on this machine, a cut code keeps its low-order bytes, and
// everything past the end is 0.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the grid is compared as bytes");
MVX_ORACLE bool GridMatches(const uint8_t* data, size_t size) {
    static uint8_t expected[sizeof LevelMap];
    const size_t have = size < sizeof expected ? size : sizeof expected;
    if (have > 0) std::memcpy(expected, data, have); // an empty input may come as null
    std::memset(expected + have, 0, sizeof expected - have);
    return std::memcmp(LevelMap, expected, sizeof expected) == 0;
}

// Every code-21 cell, and nothing else, gives an arrival point, in file order, one cell above
// its teleporter.
MVX_ORACLE bool ArrivalPointsMatch() {
    const List<TeleportTarget>::Node* n = TeleportTargets.first;
    int32_t count = 0;
    for (int32_t col = 0; col < MAP_SIZE; col++) {
        for (int32_t row = 0; row < MAP_SIZE; row++) {
            if (LevelMap[col][row] != 21) continue;
            if (!n || n->record.x != float(MAP_CELL * col) ||
                n->record.y != float(MAP_CELL * (row - 1)))
                return false;
            n = n->next, count++;
        }
    }
    return !n && count == TeleportTargetCount && count == TeleportTargets.count;
}

MVX_ORACLE bool PickupsOnFreeCells() {
    if (Pickups.count != PickupsLeft || PickupsLeft < 0 || PickupsLeft > PICKUPS_MAX) return false;
    for (const auto* n = Pickups.first; n; n = n->next)
        if (MapCellAt(int32_t(n->record.x), int32_t(n->record.y)) != 0) return false;
    return true;
}

} // namespace

// libFuzzer's entry point (the tests build it in under another name).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!EnterFolder()) std::abort();
    std::FILE* file = std::fopen("startmap.map", "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();

    ClearLevelMap();
    ClearPickups();
    LoadLevelMap();
    if (!GridMatches(data, size) || !ArrivalPointsMatch()) std::abort();
    RandomSeed(uint32_t(size));
    Player.level = int32_t(size % 9); // 1 to 16 orbs
    PlacePickups();
    if (!PickupsOnFreeCells()) std::abort();
    return 0;
}
