// mapplay_fuzzer.cpp - any file named "startmap.map" is loaded and played on without fault.
//
// The loader itself is map_fuzzer's; the danger here lies in what play does with the codes (tile
// lookups, walls, devices, teleporters, orbs placed on free cells). So each input is written
// to "startmap.map" in a private folder, loaded as a new game loads it, and played for a few
// hundred logic frames (drawing off) with keys taken from the bytes past the map's 40804: one
// byte a frame, bit by bit left, right, up, down, space, F1..F3. A shorter input plays a fixed
// pattern that walks, flies, fires, presses down on machines and changes weapons.
// Also built into the reliability tests (entry point renamed), which replay the corpus and
// every saved crash input.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/globals.h"
#include "core/level_map.h"
#include "core/player.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/play_frame.h"
#include "render/display.h"
#include "support/random.h"

namespace {

constexpr int MAP_FUZZ_FRAMES = 400;

// Keys of one frame: bit 0 left, 1 right, 2 up, 3 down, 4 space, 5..7 F1..F3.
constexpr int FRAME_KEYS[8] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE, VK_F1, VK_F2, VK_F3};

uint8_t PatternKeys(int frame) {
    static const uint8_t PHASES[] = {0x02, 0x06, 0x12, 0x08, 0x01, 0x05, 0x31, 0x18,
                                     0x52, 0x04, 0x9A, 0x00, 0x11, 0x0C, 0x16, 0x08};
    return PHASES[(frame / 25) % int(sizeof PHASES)];
}

char Folder[] = "/tmp/mvx-mapplay-fuzz-XXXXXX";

void RemoveFolder() {
    const std::string map = std::string(Folder) + "/startmap.map";
    unlink(map.c_str());
    rmdir(Folder);
}

bool StartOnce() {
    static bool started = false;
    if (started) return true;
    // A private working folder: the map is a file in it, as in the game.
    if (!mkdtemp(Folder) || chdir(Folder) != 0) return false;
    std::atexit(RemoveFolder);
    ScriptReset();
    const char* why = nullptr;
    if (!PlatformInit(PLATFORM_SCRIPTED, &why)) {
        std::fprintf(stderr, "map fuzzer: %s\n", why ? why : "no platform");
        return false;
    }
    RenderEnabled = false; // logic alone; the tile lookups still run
    started = true;
    return true;
}

} // namespace

// libFuzzer's entry point (the tests build it in under another name).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!StartOnce()) std::abort();
    std::FILE* file = std::fopen("startmap.map", "wb");
    if (!file) std::abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);

    // A new game, as the play mode enters one.
    ScriptReset();
    RandomSeed(size);
    SetNewGamePlayer();
    ClearLevelMap();
    ClearPickups();
    ClearEnemies();
    ListClear(Shots);
    ListClear(SpriteParticles);
    ListClear(DotParticles);
    LoadLevelMap();
    PlacePickups();
    CameraX = CameraY = 0;
    GameMode = MODE_PLAY;

    // Every code-21 cell, and nothing else, makes an arrival point.
    int32_t teleporters = 0;
    for (int col = 0; col < MAP_SIZE; col++)
        for (int row = 0; row < MAP_SIZE; row++) teleporters += LevelMap[col][row] == 21;
    if (teleporters != TeleportTargetCount || TeleportTargets.count != teleporters) std::abort();
    if (Pickups.count != PickupsLeft || PickupsLeft > PICKUPS_MAX) std::abort();

    const uint8_t* keys = size > size_t(MAP_FILE_BYTES) ? data + MAP_FILE_BYTES : nullptr;
    const size_t keyCount = keys ? size - size_t(MAP_FILE_BYTES) : 0;
    PlayVisit visit{};
    for (int frame = 0; frame < MAP_FUZZ_FRAMES; frame++) {
        const uint8_t held = keys ? keys[size_t(frame) % keyCount] : PatternKeys(frame);
        for (int bit = 0; bit < 8; bit++) ScriptSetKey(FRAME_KEYS[bit], (held >> bit) & 1);
        ScriptAdvanceClock(13);
        RunPlayFrame(visit);
        // A device or the end of the game leaves the mode: go on playing where it stands.
        if (visit.leave) {
            visit.leave = 0;
            GameMode = MODE_PLAY;
            if (Player.energy < 0) Player.energy = 0;
        }
        if (Pickups.count != PickupsLeft) std::abort();
    }
    return 0;
}
