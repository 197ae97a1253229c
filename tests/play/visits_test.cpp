// visits_test.cpp - entering play, the devices under the robot's feet, Escape, and the play
// state in the dump. (The drone waves show in the long game's golden picture.)
#include <nlohmann/json.hpp>

#include "tests/scenario.h"

namespace {

class Visits : public Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        Fill(0, 5, 20, 5, 1); // floor, face at y 320
    }
    // What a finished game leaves behind.
    static void LeaveGameBehind() {
        Player = PlayerState{700, 900, 3, 3, 17, 1, 55, {1, 2, 3, 4, 5}, 7, 33, 44, 5555, 6};
        PickupsCarried = 4;
        SpawnEnemy(1000, 1000, 0);
        *ListAppend(Shots) = Shot{0, 2000, 2000, 0, 0, 40, 10, 0, 0};
    }
    // A player record as the state dump writes it.
    static std::string Dumped(const PlayerState& p) {
        const PlayerState kept = Player;
        Player = p;
        const nlohmann::json dump = nlohmann::json::parse(DumpState(0));
        Player = kept;
        return dump["Player"].dump();
    }
};

TEST_F(Visits, NewGameResetsThePlayerAndNextSectorKeepsItsGoods) {
    LeaveGameBehind();
    Play(PLAY_NEW_GAME, 1);
    // Facing and the fire counter carry over (3, counted once); the robot stands at 300.
    EXPECT_EQ(Dumped(Player),
              Dumped({300, 300, 1, 4, 5, 1, 1, {100, 120, 110, 110, 110}, 200, 0, 1000, 0, 0}));
    EXPECT_EQ(std::tuple(PickupsLeft, PickupsCarried, Enemies.count), std::tuple(1, 0, 0));
    EXPECT_EQ(Shots.count, 1); // shots in flight are never cleared

    LeaveGameBehind();
    Play(PLAY_NEXT_SECTOR, 1);
    // Home, weapon 1 at period 5, cooldown 0; the rest stays (fuel refills from frame 2).
    EXPECT_EQ(Dumped(Player),
              Dumped({300, 300, 1, 4, 5, 1, 1, {1, 2, 3, 4, 5}, 7, 33, 44, 5555, 6}));
    EXPECT_EQ(std::tuple(PickupsLeft, PickupsCarried, Enemies.count), std::tuple(13, 0, 0));
}

TEST_F(Visits, EscapeEndsTheGameAfterTheFrameTheDumpShowsWithoutMovingCursors) {
    LeaveGameBehind();
    ScriptSetKey(VK_ESCAPE, true);
    std::string dump;
    EXPECT_EQ(Play(PLAY_RESUME, 100,
                   [&](uint32_t frame) {
                       const auto* cursor = Enemies.current;
                       dump = DumpState(frame);
                       EXPECT_EQ(Enemies.current, cursor);
                   }),
              1u);
    EXPECT_EQ(GameMode, MODE_HIGHSCORES);
    for (const char* part :
         {"\"Player\":{\"x\":700,\"y\":904,\"weapon\":3,\"fireCounter\":4,\"firePeriod\":17,"
          "\"facing\":1,\"useCooldown\":56,\"ammo\":[1,2,3,4,5],\"energy\":7,",
          "\"Visit\":{\"mode\":\"play\",\"leave\":1,\"walkCount\":0,",
          // the float fields among them: the camera's first step from 0, 0 towards the
          // robot falling at (700, 904) scrolls by 300 / 60 and 604 / 60
          "\"stepFrame\":0,\"bob\":0,\"onGround\":0,", "\"scrollX\":5,\"scrollY\":10.0666666}",
          "\"PickupsLeft\":0,\"PickupsCarried\":4,", "\"TeleportTargets\":[]",
          "\"Enemies\":[{\"x\":", "\"energy\":40,\"value\":120,\"size\":40,\"flash\":0,\"hold\":0,",
          "\"Shots\":[{\"type\":0,", "\"SpriteParticles\":[]", "\"DotParticles\":[]",
          "\"Pickups\":[]"})
        EXPECT_NE(dump.find(part), std::string::npos) << part;
    EXPECT_NE(DumpState(0).find("\"Visit\":{\"mode\":\"\"}"), std::string::npos) << "withdrawn";
}

TEST_F(Visits, HeldDownTeleportsEvery121FramesWithTwoRingsOfDotsAndNeedsAnArrivalPoint) {
    Fill(4, 5, 4, 5, 20); // the teleporter under the robot is the only arrival point
    Fill(5, 5, 5, 5, 21);
    PlacePlayer(300, 288);
    ScriptSetKey(VK_DOWN, true);
    std::vector<uint32_t> teleports;
    int32_t previous = 0;
    Play(PLAY_RESUME, 252, [&](uint32_t frame) {
        if (DotParticles.count - previous == 108) teleports.push_back(frame);
        previous = DotParticles.count;
        if (frame != 122) return;
        // Arrived one cell above the teleporter, on the seam of its halves.
        EXPECT_EQ(std::tuple(Player.x, Player.y, Player.useCooldown), std::tuple(320.f, 256.f, 1));
        int slow = 0, fast = 0; // moved once in the frame that made them
        for (auto* n = DotParticles.first; n; n = n->next) {
            const DotParticle& d = n->record;
            const float r = std::hypot(d.x - 320, d.y - 256);
            slow += d.size == 4 && d.g == 0.2f && d.life == 299 && std::fabs(r - 1.5f) < 1e-3f;
            fast += d.size == 3 && d.g == 0.8f && d.life == 299 && std::fabs(r - 2.0f) < 1e-3f;
        }
        EXPECT_EQ(std::pair(slow, fast), std::pair(36, 72));
    });
    EXPECT_EQ(teleports, (std::vector<uint32_t>{122, 243}));
    EXPECT_EQ(Player.y, 288); // fell back onto the teleporter after each jump

    Fill(5, 5, 5, 5, 0); // a left half alone makes no arrival point: nothing happens
    ListClear(DotParticles);
    PlacePlayer(300, 288);
    Player.useCooldown = 0;
    Play(PLAY_RESUME, 200);
    EXPECT_EQ(std::tuple(TeleportTargetCount, Player.x, Player.useCooldown, DotParticles.count),
              std::tuple(0, 300.f, 200, 0));
}

TEST_F(Visits, ShopAndBaseOpenOnceTheCooldownHasPassed120AndTheBaseOnlyWithOrbsCarried) {
    // The shop: 119 and 120 are not enough, 121 opens it. The base waits for the orbs that
    // arrive after frame 10.
    for (auto [cell, cooldown, frames, mode] :
         {std::tuple{19, 119, 3u, MODE_SHOP}, {22, 500, 11u, MODE_LEVEL_END}}) {
        Fill(4, 5, 4, 5, cell);
        PlacePlayer(300, 288);
        Player.useCooldown = cooldown;
        ScriptSetKey(VK_DOWN, true);
        EXPECT_EQ(Play(PLAY_RESUME, 20, [&](uint32_t f) { PickupsCarried = f >= 10 ? 2 : 0; }),
                  frames);
        EXPECT_EQ(std::pair(GameMode, Player.useCooldown), std::pair(int32_t(mode), 1));
    }
}

} // namespace
