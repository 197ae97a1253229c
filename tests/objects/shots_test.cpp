// shots_test.cpp - firing the weapons, the shots' wall reactions and their hits on drones.
#include <cmath>

#include "app/catalogue.h"
#include "app/globals.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/shots.h"
#include "platform/platform.h"
#include "play/player.h"
#include "support/list.h"
#include "support/maths.h"
#include "tests/play/play_harness.h"

namespace {

class ShotsAndDrones : public PlayScenario {
  protected:
    static Shot* AddShot(int32_t type, float x, float y, float vx, float vy, int32_t life = 40) {
        Shot* s = ListAppend(Shots);
        *s = Shot{type, x, y, vx, vy, life, type == 1 ? 13 : 10, type, 0};
        return s;
    }
    void SetUp() override {
        PlayScenario::SetUp();
        map.Fill(0, 5, 20, 5, 1);
        PlacePlayer(300, 288); // standing; the camera rests at (0, 0)
    }
};

TEST_F(ShotsAndDrones, HeldSpaceFiresEveryPeriodPlusOneFramesAndTheLastWeaponKeyWins) {
    Player.fireCounter = 0;
    Hold(VK_SPACE, true);
    std::vector<uint32_t> fired;
    Play(PLAY_RESUME, 18, [&](uint32_t frame) {
        if (Player.ammo[1] == 100 - int32_t(fired.size()) - 1) fired.push_back(frame);
    });
    EXPECT_EQ(fired, (std::vector<uint32_t>{6, 12, 18})); // period 5: one unit a trigger
    Hold(VK_SPACE, false);
    Hold(VK_F2, true);
    Hold(VK_F5, true);
    Play(PLAY_RESUME, 1);
    EXPECT_EQ(Player.weapon, 4);
    EXPECT_EQ(Player.firePeriod, 10);
}

TEST_F(ShotsAndDrones, WeaponThreeFiresATenShotRingAndFourUnitsGiveFortyShots) {
    map = TestMap{}; // free air, so the whole ring flies
    Player.weapon = 3;
    Player.firePeriod = 17;
    Player.fireCounter = 17;
    Player.ammo[3] = 4;
    Hold(VK_SPACE, true);
    std::vector<int> made;
    float startX = Player.x, startY = Player.y;
    int before = 0;
    Play(PLAY_RESUME, 5 * 18, [&](uint32_t frame) {
        const int fresh = Shots.count - before;
        if (fresh > 0) made.push_back(fresh);
        if (frame == 1) {
            // Each ball started 32 px from the centre at angle a and moved once by 6 px.
            int a = 1;
            for (auto* n = Shots.first; n; n = n->next, a += 36) {
                const Shot& s = n->record;
                EXPECT_EQ(s.type, 3);
                EXPECT_EQ(s.mirror, 0);
                EXPECT_EQ(s.life, 39);
                EXPECT_NEAR(s.x, startX + 38 * SinDeg(float(a)), 1e-3);
                EXPECT_NEAR(s.y, startY + 38 * CosDeg(float(a)), 1e-3);
            }
        }
        before = Shots.count;
        startX = Player.x, startY = Player.y;
    });
    EXPECT_EQ(made, (std::vector<int>{10, 10, 10, 10}));
    EXPECT_EQ(Player.ammo[3], 0);
}

TEST_F(ShotsAndDrones, BouncingShotsReverseEveryFrameInsideAWallUntilTheirLifeEnds) {
    map.Fill(10, 10, 12, 12, 5); // a block of wall, 640 to 831 both ways
    AddShot(3, 736, 736, 6, 2);
    AddShot(4, 736, 700, -6, 0)->mirror = 0;
    AddShot(0, 635, 700, 10, 0); // vanishes on entering the wall
    AddShot(1, 635, 760, 10, 0);
    std::vector<float> x;
    std::vector<int32_t> mirror;
    std::vector<int> shots, dots;
    int darkRed = 0;
    Play(PLAY_RESUME, 41, [&](uint32_t frame) {
        if (frame == 1)
            for (auto* n = DotParticles.first; n; n = n->next) darkRed += n->record.r == 0.5f;
        shots.push_back(Shots.count);
        dots.push_back(DotParticles.count);
        if (Shots.count == 2) {
            x.push_back(Shots.first->record.x);
            mirror.push_back(Shots.last->record.mirror);
        }
    });
    // Frame 1: the bullet and the bolt vanish with 5 white and 7 dark red sparks; the two
    // bouncing shots spark (5 and 3) in every frame they spend inside the wall.
    EXPECT_EQ(shots[0], 2);
    EXPECT_EQ(dots[0], 5 + 7 + 5 + 3);
    EXPECT_EQ(dots[1] - dots[0], 8);
    EXPECT_EQ(x[0], 742);
    EXPECT_EQ(x[1], 736);
    EXPECT_EQ(x[2], 742);
    EXPECT_EQ(mirror[0], 1);
    EXPECT_EQ(mirror[1], 0);
    EXPECT_EQ(shots[38], 2);
    EXPECT_EQ(shots[39], 0); // 40 frames of life
    EXPECT_EQ(darkRed, 7);
}

TEST_F(ShotsAndDrones, HitsUseLastFramesDronePositionsAndPayForTheWeaponSelectedNow) {
    Player.weapon = 4; // pays 6 coins a hit whatever shot hits
    const int32_t coins = Player.coins;
    // A drone whose next update puts it at (500, 206) but that was last seen far away.
    SpawnEnemy(503, 23, 0);
    Enemy* moving = ListCurrent(Enemies);
    moving->angle = -3;
    moving->speedX = moving->speedY = 3;
    moving->screenX = moving->screenY = -1000;
    AddHeldEnemy(500, 200);
    AddShot(1, 500, 200, 0, 0);
    std::vector<int32_t> energy[2];
    Play(PLAY_RESUME, 2, [&](uint32_t frame) {
        energy[0].push_back(Enemies.first->record.energy);
        energy[1].push_back(Enemies.last->record.energy);
        if (frame == 1) AddShot(1, 500, 200, 0, 0);
    });
    EXPECT_EQ(energy[0], (std::vector<int32_t>{40, 27})); // hit in frame 2 only
    EXPECT_EQ(energy[1], (std::vector<int32_t>{27, 14})); // one shot hits both drones
    EXPECT_EQ(Player.coins, coins + 3 * 6);
    EXPECT_EQ(Shots.count, 0);
}

TEST_F(ShotsAndDrones, TheFifthHitOfTenDestroysADroneWhichLeavesSinkingWreckage) {
    EnemyImages[0][0] = SolidTexture(0x00FF00);
    EnemyImages[0][1] = SolidTexture(0xFFFFFF);
    AddHeldEnemy(500, 200);
    const int32_t coins = Player.coins, score = Player.score;
    AddShot(0, 500, 200, 0, 0);
    std::vector<int32_t> energy;
    std::vector<uint32_t> colour;
    float lastY = 0;
    Play(PLAY_RESUME, 107, [&](uint32_t frame) {
        if (frame <= 6) {
            colour.push_back(ReadBackBuffer().At(515, 200));
            energy.push_back(Enemies.count ? Enemies.first->record.energy : -99);
        }
        if (frame <= 3 || frame == 5) AddShot(0, 500, 200, 0, 0); // hits in frames 1-4 and 6
        if (frame == 6) {
            ASSERT_EQ(SpriteParticles.count, 6);
            for (auto* n = SpriteParticles.first; n; n = n->next) {
                const SpriteParticle& p = n->record;
                EXPECT_EQ(p.x, 500); // where the drone was last seen
                EXPECT_EQ(p.y, 200);
                EXPECT_TRUE(p.image >= 3 && p.image <= 5);
                EXPECT_TRUE(p.fall >= 6 && p.fall <= 9);
                EXPECT_TRUE(p.vy <= 0 && p.vy >= -5);
            }
        }
        if (frame > 6 && frame < 100) {
            EXPECT_GT(SpriteParticles.first->record.y, lastY); // wreckage always sinks
        }
        if (SpriteParticles.count) lastY = SpriteParticles.first->record.y;
        // 95 frames of life, and the one it dies in.
        if (frame == 101 || frame == 102) {
            EXPECT_EQ(SpriteParticles.count, frame == 101 ? 6 : 0);
        }
    });
    EXPECT_EQ(energy, (std::vector<int32_t>{30, 20, 10, 0, 0, -99}));
    // The silhouette shows in the frame of a hit, the drone's own picture the frame after.
    EXPECT_EQ(colour[3], 0xFFFFFFu);
    EXPECT_EQ(colour[4], 0x00FF00u);
    EXPECT_EQ(Player.score, score + 120);
    EXPECT_EQ(Player.coins, coins + 5 * 3 + 10);
}

} // namespace
