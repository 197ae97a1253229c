// journey_test.cpp - the whole game from the menu on a small sector: the robot shops at the
// terminal, picks up the sector's orb, delivers it at the base, shoots its target in the round,
// reads the congratulations and enters the next sector with two orbs more. The frame hook
// plays the part of the player: it holds the keys, and carries the robot to the orb and back
// and holds the target under the crosshair where flying and aiming would take long.
#include <map>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/state_dump.h"
#include "objects/pickups.h"
#include "objects/targets.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/player.h"
#include "tests/app/json_reader.h"
#include "tests/testkit.h"

namespace {

// One field of the running mode's visit as raw JSON text ("\"play\"", "1").
std::string VisitField(const char* name) {
    std::map<std::string, std::string> dump, visit;
    if (!ReadJsonObject(DumpState(0), &dump) || !ReadJsonObject(dump["Visit"], &visit)) return "?";
    return visit[name];
}

TEST(BetweenLevelsJourney, ShopThenOrbThenBaseThenRoundThenTheNextSectorWithTwoOrbsMore) {
    TempDir here(true);
    // A floor along row 5 with the shop terminal under the robot's start and a base further on.
    std::vector<uint8_t> map(40804, 0);
    auto set = [&](int col, int row, uint8_t code) { map[4 * (col * 101 + row)] = code; };
    for (int col = 0; col <= 20; col++) set(col, 5, 1);
    set(4, 5, 18);
    set(7, 5, 22);
    WriteFileBytes("startmap.map", map);

    std::vector<std::string> modes;
    float shopX = 0, shopY = 0, resumedX = -1, resumedY = -1;
    int32_t coinsInShop = 0, ammoInShop = 0;
    const ScriptedRun run = RunScriptedGame(
        R"(
        at 10 down up      # menu: cursor up to START GAME
        at 20 up up
        at 40 down space
        at 50 up space
        at 3000 end        # the hook ends the run in the next sector
    )",
        [&](uint32_t) {
            const std::string mode = VisitField("mode");
            const bool entered = modes.empty() || modes.back() != mode;
            if (entered) modes.push_back(mode);
            // Frame 1 is the cleared frame of opening the display, outside any mode.
            const size_t visit = modes.size();
            if (mode == "\"play\"" && visit == 3) { // the new game
                if (entered) {
                    Player.x = 300, Player.y = 288; // standing on the terminal
                    ScriptSetKey(VK_DOWN, true);
                }
            } else if (mode == "\"shop\"") {
                if (entered) {
                    shopX = Player.x, shopY = Player.y;
                    ScriptSetKey(VK_DOWN, false), ScriptSetKey(VK_SPACE, true);
                }
                if (Player.coins < 1000 && coinsInShop == 0) {
                    coinsInShop = Player.coins, ammoInShop = Player.ammo[0];
                    ScriptSetKey(VK_UP, true); // on to "EXIT SHOP" at the next poll
                }
                if (Player.coins < 1000 &&
                    VisitField("leave") == "1") { // let go before play resumes
                    ScriptSetKey(VK_UP, false), ScriptSetKey(VK_SPACE, false);
                }
            } else if (mode == "\"play\"" && visit == 5) { // resumed after the shop
                if (entered) {
                    resumedX = Player.x, resumedY = Player.y;
                }
                if (PickupsLeft == 1) { // fly to the orb
                    Player.x = Pickups.first->record.x, Player.y = Pickups.first->record.y;
                } else if (PickupsCarried == 1 && Player.x != 480) { // and back onto the base
                    Player.x = 480, Player.y = 288;
                    ScriptSetKey(VK_DOWN, true);
                }
            } else if (mode == "\"levelend\"" && entered) {
                ScriptSetKey(VK_DOWN, false), ScriptSetKey(VK_SPACE, true);
                Targets.first->record =
                    Target{400, 300, 0, 0, TARGET_HITS, 0}; // under the crosshair
            } else if (mode == "\"play\"" && visit == 7) {
                return false; // the next sector's first frame
            }
            return true;
        });
    ASSERT_EQ(run.exitCode, 0) << run.scriptError;
    EXPECT_EQ(modes, (std::vector<std::string>{"\"\"", "\"menu\"", "\"play\"", "\"shop\"",
                                               "\"play\"", "\"levelend\"", "\"play\""}));
    EXPECT_EQ(coinsInShop, 990);
    EXPECT_EQ(ammoInShop, 115);
    EXPECT_EQ(shopX, 300);
    EXPECT_EQ(resumedX, shopX) << "play resumed where the robot stood";
    EXPECT_EQ(resumedY, shopY);
    EXPECT_EQ(PlayEntry, PLAY_NEXT_SECTOR);
    EXPECT_EQ(PickupsLeft, 3);
    EXPECT_EQ(PickupsCarried, 0);
    EXPECT_EQ(Player.coins, 990) << "a new sector keeps the coins";
}

} // namespace
