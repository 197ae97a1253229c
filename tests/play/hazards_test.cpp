// hazards_test.cpp - head strikes against the ceiling, the end of the game, Escape.
#include <string>

#include "app/globals.h"
#include "app/state_dump.h"
#include "objects/particles.h"
#include "platform/platform.h"
#include "play/player.h"
#include "tests/play/play_harness.h"

namespace {

class Hazards : public PlayScenario {
  protected:
    // Flies up into a ceiling of `code` (row 3, face at y 256) from free air and returns the
    // energy after each frame.
    std::vector<int32_t> FlyIntoCeiling(int32_t code, uint32_t frames) {
        map = TestMap{};
        map.Fill(0, 3, 10, 3, code);
        PlacePlayer(300, 300);
        Hold(VK_UP, true);
        std::vector<int32_t> energy;
        Play(PLAY_RESUME, frames, [&](uint32_t) { energy.push_back(Player.energy); });
        Hold(VK_UP, false);
        return energy;
    }
};

TEST_F(Hazards, HeadStrikesCostOneEnergyEverySecondFrameUnderCodes2To23Only) {
    for (int32_t code : {2, 9, 17, 18, 21, 23}) {
        SCOPED_TRACE(code);
        const std::vector<int32_t> energy = FlyIntoCeiling(code, 40);
        // Net 4 px up a frame until the head point pokes 4 px into the ceiling (frame 5),
        // then out again with gravity and back in: one energy every second frame.
        EXPECT_EQ(energy[3], 200);
        for (size_t f = 4; f < energy.size(); f++)
            EXPECT_EQ(energy[f], 200 - int32_t((f - 4) / 2 + 1)) << "frame " << f + 1;
    }
    EXPECT_GT(DotParticles.count, 0); // sparks fly off the head
    for (int32_t code : {1, 24, 30, 41}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(FlyIntoCeiling(code, 40).back(), 200);
    }
}

TEST_F(Hazards, ARobotStandingInAOneCellCorridorIsNeverHurt) {
    map.Fill(0, 3, 10, 3, 2); // hazardous ceiling
    map.Fill(0, 5, 10, 5, 2); // floor of the same kind
    PlacePlayer(300, 288);
    Hold(VK_RIGHT, true);
    Play(PLAY_RESUME, 60);
    EXPECT_EQ(Player.energy, 200);
    EXPECT_EQ(Player.y, 288);
}

TEST_F(Hazards, EnergyZeroIsAliveAndTheGameEndsInTheDrawnFrameThatReachesMinusOne) {
    map.Fill(0, 3, 10, 3, 5);
    PlacePlayer(300, 300);
    Player.energy = 1;
    Hold(VK_UP, true);
    std::vector<int32_t> energy, mode;
    std::string lastDump;
    const uint32_t frames = Play(PLAY_RESUME, 100, [&](uint32_t frame) {
        energy.push_back(Player.energy);
        mode.push_back(GameMode);
        lastDump = DumpState(frame);
    });
    ASSERT_EQ(frames, 7u); // strikes in frames 5 and 7; the mode returns after frame 7
    EXPECT_EQ(energy[5], 0);
    EXPECT_EQ(mode[5], MODE_PLAY);
    EXPECT_EQ(energy[6], -1);
    EXPECT_EQ(mode[6], MODE_HIGHSCORES);
    EXPECT_NE(lastDump.find("\"Visit\":{\"mode\":\"play\",\"leave\":1"), std::string::npos);
    EXPECT_NE(DumpState(0).find("\"Visit\":{\"mode\":\"\"}"), std::string::npos);
}

TEST_F(Hazards, EscapeEndsTheGameAfterCompletingTheFrame) {
    PlacePlayer(300, 300);
    const uint32_t frames = Play(PLAY_RESUME, 100, [&](uint32_t frame) {
        if (frame == 3) Hold(VK_ESCAPE, true);
    });
    EXPECT_EQ(frames, 4u);
    EXPECT_EQ(GameMode, MODE_HIGHSCORES);
    EXPECT_EQ(Player.y, 316); // frame 4 still fell
}

} // namespace
