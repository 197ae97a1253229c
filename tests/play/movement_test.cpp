// movement_test.cpp - walking, flying on fuel, falling, landing and the sector's limits.
#include "app/globals.h"
#include "objects/particles.h"
#include "platform/platform.h"
#include "play/play_frame.h"
#include "play/player.h"
#include "tests/play/play_harness.h"

namespace {

class Movement : public PlayScenario {};

TEST_F(Movement, NewGameStartsWithoutFuelAndFirstFliesTwoFramesLater) {
    Hold(VK_UP, true);
    std::vector<float> fuel, y;
    std::vector<int> puffs;
    Play(PLAY_NEW_GAME, 3, [&](uint32_t) {
        fuel.push_back(Player.fuel);
        y.push_back(Player.y);
        puffs.push_back(SpriteParticles.count);
    });
    // Falling in free space, a unit of fuel refilled in frame 2, spent on the flight of frame 3.
    EXPECT_EQ(fuel, (std::vector<float>{0, 1, 0}));
    EXPECT_EQ(y, (std::vector<float>{304, 308, 304}));
    EXPECT_EQ(puffs, (std::vector<int>{0, 0, 3}));
    // The first game faces left, so the puffs leave the jet on the robot's right.
    for (auto* n = SpriteParticles.first; n; n = n->next) {
        EXPECT_GE(n->record.x, Player.x + 9);
        EXPECT_LE(n->record.x, Player.x + 21);
    }
}

TEST_F(Movement, WallsStopTheCentre32PxFromARightFaceAnd28FromALeftFace) {
    map.Fill(0, 5, 20, 5, 1); // floor, face at y 320
    map.Fill(1, 0, 1, 4, 1);  // wall with its right face at x 128
    map.Fill(8, 0, 8, 4, 1);  // wall with its left face at x 512
    PlacePlayer(300, 288);
    Hold(VK_RIGHT, true);
    Play(PLAY_RESUME, 200, [&](uint32_t frame) {
        if (frame != 100) return;
        EXPECT_EQ(Player.x, 512 - 32);
        EXPECT_EQ(Player.facing, 1);
        Hold(VK_RIGHT, false);
        Hold(VK_LEFT, true);
    });
    EXPECT_EQ(Player.x, 128 + 28);
    EXPECT_EQ(Player.facing, 0);
    EXPECT_EQ(Player.y, 288); // stood on the floor all along
}

TEST_F(Movement, BothArrowsCancelButLeaveTheRobotFacingRightAndStepping) {
    map.Fill(0, 5, 20, 5, 1);
    PlacePlayer(300, 288);
    Player.facing = 0;
    Hold(VK_LEFT, true);
    Hold(VK_RIGHT, true);
    int32_t pose = -1;
    Play(PLAY_RESUME, 4, [&](uint32_t) { pose = ActivePlayVisit->stepFrame; });
    EXPECT_EQ(Player.x, 300);
    EXPECT_EQ(Player.facing, 1);
    EXPECT_EQ(pose, 1); // two walking steps a frame: the 8th turns the pose in frame 4
}

TEST_F(Movement, LegPosesAdvanceEverySeventhStepAndRestAfterTenIdleFrames) {
    map.Fill(0, 5, 40, 5, 1);
    PlacePlayer(300, 288);
    Hold(VK_RIGHT, true);
    std::vector<int32_t> poses;
    Play(PLAY_RESUME, 60, [&](uint32_t frame) {
        poses.push_back(ActivePlayVisit->stepFrame);
        if (frame == 45) Hold(VK_RIGHT, false);
    });
    // One pose every 7 walking frames (the count must pass 6), back to 0 after pose 4.
    EXPECT_EQ(poses[5], 0);
    EXPECT_EQ(poses[6], 1);
    EXPECT_EQ(poses[13], 2);
    EXPECT_EQ(poses[27], 4);
    EXPECT_EQ(poses[34], 0);
    EXPECT_EQ(poses[41], 1);
    // Standing still from frame 46: the 11th idle frame puts the legs back.
    EXPECT_EQ(poses[53], 1);
    EXPECT_EQ(poses[54], 0);
}

TEST_F(Movement, TheRobotLands32PxAboveTheFloorAndStaysInsideTheSector) {
    map.Fill(0, 10, 20, 10, 1); // floor face at y 640
    std::vector<int32_t> onGround;
    Play(PLAY_NEW_GAME, 90, [&](uint32_t) { onGround.push_back(ActivePlayVisit->onGround); });
    EXPECT_EQ(Player.y, 640 - 32);
    EXPECT_EQ(onGround[76], 0); // still falling: 77 frames of 4 px from y 300
    EXPECT_EQ(onGround[77], 1);

    // Free space down to the bottom limit, and walking off the left edge.
    map = TestMap{};
    PlacePlayer(6, 5920);
    Hold(VK_LEFT, true);
    Play(PLAY_RESUME, 10);
    EXPECT_EQ(Player.x, 0);
    EXPECT_EQ(Player.y, 5936);
}

} // namespace
