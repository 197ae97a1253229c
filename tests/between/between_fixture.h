// between_fixture.h - runs of the level-end and shop modes on the scripted backend, with the
// game's real pictures, fonts and sounds.
//
// The suite opens the test display and builds the catalogue once; each test starts from a
// fresh scripted clock (frame 1 is the mode's first drawn frame), empty lists and a zero
// player record, in a TempDir made the working directory. Main thread only.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "tests/testkit.h"

class BetweenLevels : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Runs a mode until it returns (true) or cuts it after `lastFrame` drawn frames (false).
    // `eachFrame` runs after every drawn frame, before it is shown.
    static bool RunMode(void (*mode)(), uint32_t lastFrame,
                        const std::function<void(uint32_t frame)>& eachFrame = {});
    // A field of the running mode's visit as the state dump writes it ("\"shop\"", "12").
    static std::string VisitText(const char* field);
    static int32_t Visit(const char* field) { return std::stoi(VisitText(field)); }
    // The title of one of the game's modules, and of the music playing now ("" for none).
    static std::string ModuleTitle(int module);
    static std::string MusicNow();

    static inline bool displayOpen = false;
    TempDir dir{true};
};
