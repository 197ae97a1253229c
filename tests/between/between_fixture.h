// between_fixture.h - runs of the level-end and shop modes on the scripted backend, with the
// game's real pictures, fonts and sounds.
//
// The suite opens the test display and builds the catalogue once; each test starts from a
// fresh scripted clock (frame 1 is the mode's first drawn frame), empty object lists and a
// zero player record, in a TempDir made the working directory. Main thread only.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "tests/testkit.h"

class BetweenLevels : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Runs a mode procedure until it returns, or cuts it after `lastFrame` drawn frames.
    // `eachFrame` runs after every drawn frame, before it is shown; it may read the frame and
    // the globals and set the keys of the next frame. Returns true when the mode returned.
    static bool RunMode(void (*mode)(), uint32_t lastFrame,
                        const std::function<void(uint32_t frame)>& eachFrame = {});

    // The running mode's visit as the state dump shows it: "mode" and its numbers.
    static std::string VisitMode();
    static int32_t Visit(const char* field); // INT32_MIN when the dump has no such field
    // The whole dump's top-level fields as raw JSON text (empty map when it does not parse).
    static std::map<std::string, std::string> DumpFields();

    // The title of one of the game's modules, and of the music playing now ("" for none).
    static std::string ModuleTitle(int module);
    static std::string MusicNow();

    static inline bool displayOpen = false;
    TempDir dir{true};
};
