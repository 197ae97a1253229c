// entry_test.cpp - entering the play mode (new game, next sector, resume), the drone waves
// that count from each entry, and the play state in the scripted driver's dump.
#include <string>

#include "app/globals.h"
#include "app/state_dump.h"
#include "objects/enemies.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "play/player.h"
#include "support/list.h"
#include "tests/play/play_harness.h"

namespace {

// The record as one row, in its field order.
std::vector<double> Row(const PlayerState& p) {
    return {p.x,
            p.y,
            double(p.weapon),
            double(p.fireCounter),
            double(p.firePeriod),
            double(p.facing),
            double(p.useCooldown),
            double(p.ammo[0]),
            double(p.ammo[1]),
            double(p.ammo[2]),
            double(p.ammo[3]),
            double(p.ammo[4]),
            double(p.energy),
            p.fuel,
            double(p.coins),
            double(p.score),
            double(p.level)};
}

class Entry : public PlayScenario {
  protected:
    void SetUp() override {
        PlayScenario::SetUp();
        map.Fill(0, 5, 20, 5, 1);
        LeaveGameBehind();
    }
    // What a finished game leaves behind.
    static void LeaveGameBehind() {
        Player = PlayerState{700, 900, 3, 3, 17, 1, 55, {1, 2, 3, 4, 5}, 7, 33, 44, 5555, 6};
        PickupsCarried = 4;
        SpawnEnemy(1000, 1000, 0);
        Shot* s = ListAppend(Shots);
        s->x = s->y = 2000;
        s->life = 40;
    }
};

TEST_F(Entry, NewGameResetsThePlayerAndNextSectorKeepsItsGoods) {
    Play(PLAY_NEW_GAME, 1);
    // Facing and the fire counter carry over (3, counted once); the robot stands at 300.
    EXPECT_EQ(Row(Player),
              Row({300, 300, 1, 4, 5, 1, 1, {100, 120, 110, 110, 110}, 200, 0, 1000, 0, 0}));
    EXPECT_EQ(PickupsLeft, 1); // level 0 lays one orb
    EXPECT_EQ(PickupsCarried, 0);
    EXPECT_EQ(Enemies.count, 0);
    EXPECT_EQ(Shots.count, 1); // shots in flight are never cleared

    LeaveGameBehind();
    Play(PLAY_NEXT_SECTOR, 1);
    // Home, weapon 1 at period 5, cooldown 0; the rest stays (fuel refills from frame 2).
    EXPECT_EQ(Row(Player), Row({300, 300, 1, 4, 5, 1, 1, {1, 2, 3, 4, 5}, 7, 33, 44, 5555, 6}));
    EXPECT_EQ(PickupsLeft, 13);
    EXPECT_EQ(Enemies.count, 0);
}

TEST_F(Entry, ResumeKeepsEverythingAndDronesComeInFrame1201AfterEachEntry) {
    ClearEnemies();
    Player.x = 300, Player.y = 288;
    for (int visit = 1; visit <= 2; visit++) {
        Play(PLAY_RESUME, 1201, [&](uint32_t frame) {
            if (frame == 1) {
                EXPECT_EQ(Player.coins, 44);
            }
            if (frame == 1200) {
                EXPECT_EQ(Enemies.count, 12 * (visit - 1));
            }
        });
        EXPECT_EQ(Enemies.count, 12 * visit);
    }
    EXPECT_EQ(PickupsCarried, 4);
    for (auto* n = Enemies.first; n; n = n->next) {
        const Enemy& e = n->record;
        EXPECT_TRUE(e.speedX >= 3 && e.speedX <= 6 && e.speedX == int(e.speedX));
        EXPECT_EQ(e.energy, 40);
        EXPECT_EQ(e.hold, 0);
    }
}

TEST_F(Entry, StateDumpShowsThePlayerTheListsAndTheVisitWithoutMovingCursors) {
    std::string dump;
    Play(PLAY_RESUME, 1, [&](uint32_t frame) {
        const auto* cursor = Enemies.current;
        dump = DumpState(frame);
        EXPECT_EQ(Enemies.current, cursor);
    });
    for (const char* part :
         {"\"Player\":{\"x\":700,\"y\":904,\"weapon\":3,\"fireCounter\":4,\"firePeriod\":17,"
          "\"facing\":1,\"useCooldown\":56,\"ammo\":[1,2,3,4,5],\"energy\":7,",
          "\"Visit\":{\"mode\":\"play\",\"leave\":0,\"walkCount\":0,",
          // the float fields among them: the camera's first step from 0, 0 towards the
          // robot falling at (700, 904) scrolls by 300 / 60 and 604 / 60
          "\"stepFrame\":0,\"bob\":0,\"onGround\":0,", "\"scrollX\":5,\"scrollY\":10.0666666}",
          "\"PickupsLeft\":0,\"PickupsCarried\":4,", "\"TeleportTargets\":[]",
          "\"Enemies\":[{\"x\":", "\"energy\":40,\"value\":120,\"size\":40,\"flash\":0,\"hold\":0,",
          "\"Shots\":[{\"type\":0,", "\"SpriteParticles\":[]", "\"DotParticles\":[]",
          "\"Pickups\":[]"})
        EXPECT_NE(dump.find(part), std::string::npos) << part;
}

} // namespace
