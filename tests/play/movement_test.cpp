// movement_test.cpp - flying on fuel, walking, the legs' poses, walls, head strikes against
// the ceiling and the end of the game.
#include "tests/scenario.h"

namespace {

class Movement : public Scenario {
  protected:
    // Flies up from free air into a ceiling of `code` (row 3, face at y 256) with the given
    // energy; returns the energy and the game mode after each frame.
    std::vector<std::pair<int32_t, int32_t>> FlyIntoCeiling(int32_t code, int32_t energy) {
        Fill(0, 0, 100, 100, 0);
        Fill(0, 3, 10, 3, code);
        ListClear(DotParticles);
        PlacePlayer(300, 300);
        Player.energy = energy;
        ScriptSetKey(VK_UP, true);
        std::vector<std::pair<int32_t, int32_t>> after;
        Play(PLAY_RESUME, 40, [&](uint32_t) { after.emplace_back(Player.energy, GameMode); });
        return after;
    }
};

TEST_F(Movement, ANewGameStartsWithoutFuelAndFliesTwoFramesLaterWithPuffsBehindTheJet) {
    ScriptSetKey(VK_UP, true);
    std::vector<float> fuelAndY;
    Play(PLAY_NEW_GAME, 3, [&](uint32_t) {
        fuelAndY.insert(fuelAndY.end(), {Player.fuel, Player.y});
    });
    // Falling, a unit of fuel refilled in frame 2 and spent on the flight of frame 3.
    EXPECT_EQ(fuelAndY, (std::vector<float>{0, 304, 1, 308, 0, 304}));
    // The first game faces left: the puffs leave the jet on the robot's right.
    ASSERT_EQ(SpriteParticles.count, 3);
    for (auto* n = SpriteParticles.first; n; n = n->next)
        EXPECT_TRUE(n->record.x >= Player.x + 9 && n->record.x <= Player.x + 21);
}

TEST_F(Movement, LegsStepEverySeventhStepRestAfterTenIdleFramesAndWallsStopTheCentre) {
    Fill(0, 5, 20, 5, 1); // floor, face at y 320
    Fill(2, 3, 7, 3, 2);  // a hazardous ceiling one cell up never touches a walker
    Fill(1, 0, 1, 4, 1);  // a wall with its right face at x 128
    Fill(8, 0, 8, 4, 1);  // a wall with its left face at x 512
    PlacePlayer(300, 288);
    for (int vk : {VK_LEFT, VK_RIGHT}) ScriptSetKey(vk, true);
    std::vector<int32_t> poses{-1};
    Play(PLAY_RESUME, 4, [&](uint32_t) { poses.push_back(ActivePlayVisit->stepFrame); });
    // Both arrows cancel and leave the robot facing right, two steps a frame: pose 1 by frame 4.
    EXPECT_EQ(std::tuple(Player.x, Player.facing, poses[4]), std::tuple(300.f, 1, 1));

    ScriptSetKey(VK_LEFT, false);
    poses = {-1};
    Play(PLAY_RESUME, 150, [&](uint32_t frame) {
        poses.push_back(ActivePlayVisit->stepFrame);
        if (frame != 60) return;
        EXPECT_EQ(Player.x, 512 - 32); // reached in frame 45
        ScriptSetKey(VK_RIGHT, false);
        ScriptSetKey(VK_LEFT, true);
    });
    // A pose when the step count passes 6, back to 0 after pose 4; blocked by the wall from
    // frame 46, the 11th idle frame puts the legs back.
    for (auto [frame, expected] :
         {std::pair{6, 0}, {7, 1}, {14, 2}, {28, 4}, {35, 0}, {42, 1}, {54, 1}, {55, 0}})
        EXPECT_EQ(poses[frame], expected) << "frame " << frame;
    EXPECT_EQ(std::tuple(Player.x, Player.y, Player.facing), std::tuple(128.f + 28, 288.f, 0));
    EXPECT_EQ(Player.energy, 200);
}

TEST_F(Movement, HeadStrikesCostOneEnergyEverySecondFrameUnderCodes2To23Only) {
    for (int32_t code : {2, 23, 1, 24}) { // the codes' own table: tests/core
        SCOPED_TRACE(code);
        const auto after = FlyIntoCeiling(code, 200);
        // Net 4 px up a frame until the head point pokes 4 px into the ceiling (frame 5),
        // then out again with gravity and back in: one energy every second frame.
        const bool hurts = code >= 2 && code <= 23;
        for (size_t f = 0; f < after.size(); f++)
            ASSERT_EQ(after[f].first, 200 - (hurts && f >= 4 ? int32_t(f - 4) / 2 + 1 : 0)) << f;
        EXPECT_EQ(DotParticles.count > 0, hurts) << "sparks fly off the head";
    }
}

TEST_F(Movement, EnergyZeroIsAliveAndTheGameEndsInTheDrawnFrameThatReachesMinusOne) {
    const auto after = FlyIntoCeiling(5, 1);
    ASSERT_EQ(after.size(), 7u); // strikes in frames 5 and 7; the mode returns after frame 7
    EXPECT_EQ(after[5], std::pair(0, int32_t(MODE_PLAY)));
    EXPECT_EQ(after[6], std::pair(-1, int32_t(MODE_HIGHSCORES)));
}

} // namespace
