// devices_test.cpp - the teleporter, the shop terminal and the base under the robot's feet.
#include <cmath>

#include "app/globals.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "platform/platform.h"
#include "play/level_map.h"
#include "play/player.h"
#include "tests/play/play_harness.h"

namespace {

class Devices : public PlayScenario {
  protected:
    void SetUp() override {
        PlayScenario::SetUp();
        map.Fill(0, 5, 20, 5, 1); // floor, face at y 320
        PlacePlayer(300, 288);    // standing on cell (4, 5)
    }
};

TEST_F(Devices, HeldDownTeleportsEvery121FramesWithTwoRingsOfDots) {
    map.Set(4, 5, 20); // the teleporter under the robot is the only arrival point
    map.Set(5, 5, 21);
    Hold(VK_DOWN, true);
    std::vector<uint32_t> teleports;
    int32_t previous = 0;
    Play(PLAY_RESUME, 252, [&](uint32_t frame) {
        if (DotParticles.count - previous == 108) teleports.push_back(frame);
        previous = DotParticles.count;
        if (frame == 122) {
            // Arrived one cell above the teleporter, on the seam of its halves.
            EXPECT_EQ(Player.x, 320);
            EXPECT_EQ(Player.y, 256);
            EXPECT_EQ(Player.useCooldown, 1);
            int slow = 0, fast = 0;
            for (auto* n = DotParticles.first; n; n = n->next) {
                const DotParticle& d = n->record;
                const float r = std::hypot(d.x - 320, d.y - 256);
                if (d.size == 4 && d.g == 0.2f && std::fabs(r - 1.5f) < 1e-3f) slow++;
                if (d.size == 3 && d.g == 0.8f && std::fabs(r - 2.0f) < 1e-3f) fast++;
                EXPECT_EQ(d.life, 299); // moved once in the frame that made it
            }
            EXPECT_EQ(slow, 36);
            EXPECT_EQ(fast, 72);
        }
    });
    EXPECT_EQ(teleports, (std::vector<uint32_t>{122, 243}));
    EXPECT_EQ(Player.y, 288); // fell back onto the teleporter after each jump
}

TEST_F(Devices, ATeleporterWithoutAnyArrivalPointDoesNothing) {
    map.Set(4, 5, 20); // a left half alone makes no arrival point
    Hold(VK_DOWN, true);
    Play(PLAY_RESUME, 200);
    EXPECT_EQ(TeleportTargetCount, 0);
    EXPECT_EQ(Player.x, 300);
    EXPECT_EQ(Player.y, 288);
    EXPECT_EQ(Player.useCooldown, 200);
    EXPECT_EQ(DotParticles.count, 0);
}

TEST_F(Devices, TheShopOpensOnceTheCooldownHasPassed120) {
    map.Set(4, 5, 19);
    Player.useCooldown = 119;
    Hold(VK_DOWN, true);
    const uint32_t frames = Play(PLAY_RESUME, 10);
    EXPECT_EQ(frames, 3u); // 119 and 120 are not enough; 121 opens it
    EXPECT_EQ(GameMode, MODE_SHOP);
    EXPECT_EQ(Player.useCooldown, 1);
}

TEST_F(Devices, TheBaseAnswersOnlyWhenOrbsAreCarried) {
    map.Set(4, 5, 22);
    Player.useCooldown = 500;
    PickupsCarried = 0;
    Hold(VK_DOWN, true);
    const uint32_t frames = Play(PLAY_RESUME, 20, [&](uint32_t frame) {
        if (frame == 10) PickupsCarried = 2;
    });
    EXPECT_EQ(frames, 11u);
    EXPECT_EQ(GameMode, MODE_LEVEL_END);
    EXPECT_EQ(PickupsCarried, 2);
}

} // namespace
