// scenario.h - runs of the real play, level-end and shop modes on the scripted backend for
// tests/play, objects and between: each test starts in its own working folder on a fresh
// display, clock, seed, player and empty sector; a hook after each drawn frame looks at the
// state and holds the next frame's keys. Main thread only.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/state_dump.h"
#include "core/catalogue.h"
#include "core/globals.h"
#include "core/level_map.h"
#include "core/mode_visit.h"
#include "core/player.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/play_frame.h"
#include "render/display.h"
#include "support/maths.h"
#include "tests/testkit.h"

class Scenario : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // What SetUp leaves: a fresh clock, keys, seed, player, camera and modes, an empty sector
    // and empty lists.
    void FreshState();

    // Runs a mode until it returns or `frames` frames have been drawn; `onFrame` gets the
    // run's frame number (1 for its first) after each drawn frame. Returns frames drawn.
    static uint32_t Run(void (*mode)(), uint32_t frames,
                        const std::function<void(uint32_t)>& onFrame = {});
    // Writes `map` as "startmap.map" and runs PlayMode with the given entry (a resumed game
    // has its map loaded already).
    uint32_t Play(int32_t entry, uint32_t frames,
                  const std::function<void(uint32_t)>& onFrame = {});
    // Sets the cells of a box of `map` (inclusive); the map starts as free space.
    void Fill(int col0, int row0, int col1, int row1, int32_t code);
    // Puts the player as a resumed game would find it: standing where told, full tanks.
    static void PlacePlayer(float x, float y);
    // A texture of one colour (0xRRGGBB), or only its top half when `topHalf`.
    static uint32_t SolidTexture(uint32_t rgb, bool topHalf = false);
    // A field of the running mode's visit as the state dump writes it ("\"shop\"", "12").
    static std::string VisitText(const char* field);
    static int32_t Visit(const char* field) { return std::stoi(VisitText(field)); }

    TempDir dir{true};
    std::vector<int32_t> map = std::vector<int32_t>(MAP_SIZE * MAP_SIZE, 0); // [col * 101 + row]
};
