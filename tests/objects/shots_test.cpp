// shots_test.cpp - firing the weapons, the shots' wall reactions and their hits on drones.
// (How drones home on the player and circle it shows in the long game's golden picture.)
#include "tests/scenario.h"

namespace {

class ShotsAndDrones : public Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        Fill(0, 5, 20, 5, 1);
        PlacePlayer(300, 288); // standing; the camera rests at (0, 0)
    }
    static void AddShot(int32_t type, float x, float y, float vx, float vy) {
        *ListAppend(Shots) = Shot{type, x, y, vx, vy, 40, type == 1 ? 13 : 10, type, 0};
    }
    // A drone that keeps its place and is hit-tested at the given screen position.
    static void AddHeldEnemy(float screenX, float screenY) {
        SpawnEnemy(0, 0, 1);
        ListCurrent(Enemies)->screenX = screenX;
        ListCurrent(Enemies)->screenY = screenY;
    }
};

TEST_F(ShotsAndDrones, HeldSpaceFiresEveryPeriodPlusOneFramesAndTheLastWeaponKeyWins) {
    ScriptSetKey(VK_SPACE, true);
    std::vector<int32_t> ammo{100};
    Play(PLAY_RESUME, 18, [&](uint32_t) { ammo.push_back(Player.ammo[1]); });
    for (int f = 1; f <= 18; f++) EXPECT_EQ(ammo[f], 100 - f / 6) << f; // period 5
    ScriptSetKey(VK_SPACE, false);
    for (int vk : {VK_F2, VK_F5}) ScriptSetKey(vk, true);
    Play(PLAY_RESUME, 1);
    EXPECT_EQ(std::pair(Player.weapon, Player.firePeriod), std::pair(4, 10));
}

TEST_F(ShotsAndDrones, WeaponThreeFiresATenShotRingAndFourUnitsGiveFortyShots) {
    Fill(0, 5, 20, 5, 0); // free air, so the whole ring flies
    Player.weapon = 3;
    Player.firePeriod = Player.fireCounter = 17;
    Player.ammo[3] = 4;
    ScriptSetKey(VK_SPACE, true);
    std::vector<int> made;
    float x0 = Player.x, y0 = Player.y;
    int before = 0;
    Play(PLAY_RESUME, 5 * 18, [&](uint32_t frame) {
        if (Shots.count > before) made.push_back(Shots.count - before);
        before = Shots.count;
        // Each ball started 32 px from the centre at angle a and moved once by 6 px.
        int a = 1;
        for (auto* n = Shots.first; frame == 1 && n; n = n->next, a += 36) {
            const Shot& s = n->record;
            EXPECT_EQ(std::tuple(s.type, s.mirror, s.life), std::tuple(3, 0, 39));
            EXPECT_NEAR(s.x, x0 + 38 * SinDeg(float(a)), 1e-3);
            EXPECT_NEAR(s.y, y0 + 38 * CosDeg(float(a)), 1e-3);
        }
        x0 = Player.x, y0 = Player.y;
    });
    EXPECT_EQ(made, (std::vector<int>{10, 10, 10, 10}));
    EXPECT_EQ(Player.ammo[3], 0);
}

TEST_F(ShotsAndDrones, BouncingShotsReverseEveryFrameInsideAWallUntilTheirLifeEnds) {
    Fill(10, 10, 12, 12, 5); // a block of wall, 640 to 831 both ways
    AddShot(3, 736, 736, 6, 2);
    AddShot(4, 736, 700, -6, 0);
    AddShot(0, 635, 700, 10, 0); // vanishes on entering the wall
    AddShot(1, 635, 760, 10, 0);
    std::vector<float> x, mirror;
    std::vector<int> shots, dots;
    int darkRed = 0;
    Play(PLAY_RESUME, 41, [&](uint32_t frame) {
        for (auto* n = DotParticles.first; frame == 1 && n; n = n->next)
            darkRed += n->record.r == 0.5f;
        shots.push_back(Shots.count);
        dots.push_back(DotParticles.count);
        if (frame > 3 || Shots.count != 2) return;
        x.push_back(Shots.first->record.x);
        mirror.push_back(float(Shots.last->record.mirror));
    });
    // Frame 1: the bullet and the bolt vanish with 5 white and 7 dark red sparks; the two
    // bouncing shots spark (5 and 3) in every frame they spend inside the wall.
    EXPECT_EQ(std::tuple(dots[0], dots[1] - dots[0], darkRed), std::tuple(5 + 7 + 5 + 3, 8, 7));
    EXPECT_EQ(x, (std::vector<float>{742, 736, 742}));
    EXPECT_EQ(mirror, (std::vector<float>{1, 0, 1}));
    EXPECT_EQ(std::tuple(shots[0], shots[38], shots[39]), std::tuple(2, 2, 0)); // 40 frames
}

TEST_F(ShotsAndDrones, HitsUseLastFramesDronePositionsAndPayForTheWeaponSelectedNow) {
    Player.weapon = 4; // pays 6 coins a hit whatever shot hits
    // A drone whose next update puts it at (500, 206) but that was last seen far away.
    SpawnEnemy(503, 23, 0);
    Enemy* moving = ListCurrent(Enemies);
    moving->angle = -3;
    moving->speedX = moving->speedY = 3;
    moving->screenX = moving->screenY = -1000;
    AddHeldEnemy(500, 200);
    AddShot(1, 500, 200, 0, 0);
    std::vector<int32_t> energy;
    Play(PLAY_RESUME, 2, [&](uint32_t frame) {
        energy.push_back(Enemies.first->record.energy);
        energy.push_back(Enemies.last->record.energy);
        if (frame == 1) AddShot(1, 500, 200, 0, 0);
    });
    // The moving drone is hit in frame 2 only; the second shot hits both drones.
    EXPECT_EQ(energy, (std::vector<int32_t>{40, 27, 27, 14}));
    EXPECT_EQ(std::pair(Player.coins, Shots.count), std::pair(3 * 6, 0));
}

TEST_F(ShotsAndDrones, TheFifthHitOfTenDestroysADroneWhichLeavesSinkingWreckage) {
    EnemyImages[0][0] = SolidTexture(0x00FF00);
    EnemyImages[0][1] = SolidTexture(0xFFFFFF);
    AddHeldEnemy(500, 200);
    std::vector<int32_t> energy;
    std::vector<uint32_t> colour;
    std::vector<float> wreckY;
    AddShot(0, 500, 200, 0, 0);
    Play(PLAY_RESUME, 107, [&](uint32_t frame) {
        if (frame <= 3 || frame == 5) AddShot(0, 500, 200, 0, 0); // hits in frames 1-4 and 6
        if (frame <= 6) {
            colour.push_back(ReadBackBuffer().At(515, 200));
            energy.push_back(Enemies.count ? Enemies.first->record.energy : -99);
        }
        if (SpriteParticles.count) wreckY.push_back(SpriteParticles.first->record.y);
        if (frame != 6) return;
        ASSERT_EQ(SpriteParticles.count, 6);
        for (auto* n = SpriteParticles.first; n; n = n->next) {
            const SpriteParticle& p = n->record;
            EXPECT_TRUE(p.x == 500 && p.y == 200) << "where the drone was last seen";
            EXPECT_TRUE(p.image >= 3 && p.image <= 5 && p.fall >= 6 && p.fall <= 9);
            EXPECT_TRUE(p.vy <= 0 && p.vy >= -5);
        }
    });
    EXPECT_EQ(energy, (std::vector<int32_t>{30, 20, 10, 0, 0, -99}));
    // The silhouette shows in the frame of a hit, the drone's own picture the frame after.
    EXPECT_EQ(std::pair(colour[3], colour[4]), std::pair(0xFFFFFFu, 0x00FF00u));
    EXPECT_EQ(std::pair(Player.score, Player.coins), std::pair(120, 5 * 3 + 10));
    // Wreckage always sinks and lives 95 frames and the one it dies in: frames 6 to 101.
    ASSERT_EQ(wreckY.size(), 96u);
    for (size_t i = 1; i < wreckY.size(); i++) EXPECT_GT(wreckY[i], wreckY[i - 1]) << i;
    EXPECT_EQ(SpriteParticles.count, 0);
}

} // namespace
