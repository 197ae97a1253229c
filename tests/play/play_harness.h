// play_harness.h - scenario runs of the real play mode on the scripted backend.
//
// Each test builds a small sector in a TempDir made the working directory, sets up the game
// state it needs and runs PlayMode's own frame loop with a hook after every drawn frame: the
// hook looks at the state and holds the keys of the next frame. Shared by tests/play and
// tests/objects.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/globals.h"
#include "tests/testkit.h"

// A sector written as "startmap.map": all free space until cells are set.
struct TestMap {
    std::vector<int32_t> cells = std::vector<int32_t>(101 * 101, 0); // [col * 101 + row]
    void Set(int col, int row, int32_t code) { cells[col * 101 + row] = code; }
    void Fill(int col0, int row0, int col1, int row1, int32_t code); // inclusive box
    void Write() const;                                              // into the working folder
};

class PlayScenario : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the map and runs PlayMode with the given entry until it returns or `frames`
    // frames have been drawn; `onFrame` runs after each drawn frame. Returns frames drawn.
    uint32_t Play(int32_t entry, uint32_t frames,
                  const std::function<void(uint32_t)>& onFrame = {});
    // Puts the player as a resumed game would find it: standing where told, full tanks.
    void PlacePlayer(float x, float y);
    // A drone that keeps its place and is hit-tested at the given screen position.
    void AddHeldEnemy(float screenX, float screenY);
    static void Hold(int vk, bool down);
    // A texture of one colour (0xRRGGBB), or only its top half when `topHalf`.
    static uint32_t SolidTexture(uint32_t rgb, bool topHalf = false);

    TestMap map;
    std::unique_ptr<TempDir> dir;
};
