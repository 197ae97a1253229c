// golden_test.cpp - a play frame from the menu's "START GAME" on the shipped sector: the
// robot lifts off the shop terminal on its jet, firing a fan of fireballs into a wall.
#include "tests/testkit.h"

namespace {

TEST(PlayGolden, FlyingAndFiringOverTheShopTerminal) {
    TempDir dir(true);
    WriteFileBytes("startmap.map", ReadFileBytes(SourcePath("assets/startmap.map")));
    Picture frame;
    const ScriptedRun run = RunScriptedGame(R"(
        at 10 down up      # menu: cursor up to START GAME
        at 20 up up
        at 40 down space
        at 50 up space
        at 150 down right  # walk onto the shop terminal
        at 160 up right
        at 200 down f3     # fireballs
        at 201 up f3
        at 200 down space
        at 240 down up     # lift off
        at 262 up up
        at 268 end
    )",
                                            [&](uint32_t f) {
                                                if (f == 268) frame = ReadBackBuffer();
                                                return true;
                                            });
    ASSERT_EQ(run.exitCode, 0) << run.scriptError;
    EXPECT_TRUE(MatchesGolden(frame, "play_flying_firing"));
}

} // namespace
