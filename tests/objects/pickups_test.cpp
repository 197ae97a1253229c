// pickups_test.cpp - laying the orbs of a sector, collecting them, counting them.
#include "tests/scenario.h"

namespace {

using Orbs = Scenario;

TEST_F(Orbs, EachSectorLaysTwiceItsNumberPlusOneOrbsUpToSixteenOnFreeCellsOrNoneWithout) {
    Fill(10, 10, 90, 50, 3); // walls over the upper half of the orbs' area
    for (auto [level, expected] : {std::pair{0, 1}, {7, 15}, {8, 16}, {20, 16}}) {
        SCOPED_TRACE(level);
        Player.level = level;
        PickupsCarried = 5;
        Play(PLAY_NEXT_SECTOR, 1);
        EXPECT_EQ(std::tuple(PickupsLeft, Pickups.count, PickupsCarried),
                  std::tuple(expected, expected, 0));
        for (auto* n = Pickups.first; n; n = n->next) {
            const int32_t cx = int32_t(n->record.x) / 64, cy = int32_t(n->record.y) / 64;
            EXPECT_EQ(n->record.x, cx * 64 + 32);
            EXPECT_EQ(n->record.y, cy * 64 + 32);
            EXPECT_TRUE(cx >= 10 && cx <= 90 && cy >= 51 && cy <= 90) << cx << "," << cy;
            EXPECT_EQ(LevelMap[cx][cy], 0);
        }
    }
    Fill(10, 51, 90, 90, 30); // no free cell left: no orb, instead of drawing forever
    Play(PLAY_NEW_GAME, 1);
    EXPECT_EQ(std::pair(PickupsLeft, Pickups.count), std::pair(0, 0));
}

TEST_F(Orbs, OrbsSharingACellAreCollectedTogetherOnceCloserThan30Px) {
    Fill(10, 10, 90, 90, 30); // background everywhere but one cell
    Fill(20, 20, 20, 20, 0);
    Fill(20, 21, 20, 21, 1); // a floor to stand on beside the orbs
    Player.level = 1;
    Play(PLAY_NEXT_SECTOR, 1); // lays three orbs, all in cell (20, 20)
    ASSERT_EQ(PickupsLeft, 3);
    PlacePlayer(20 * 64 + 2, 20 * 64 + 32);
    std::vector<int32_t> left, carried;
    Play(PLAY_RESUME, 2, [&](uint32_t) {
        left.push_back(PickupsLeft);
        carried.push_back(PickupsCarried);
        ScriptSetKey(VK_RIGHT, true);
    });
    EXPECT_EQ(left, (std::vector<int32_t>{3, 0}));    // 30 px away: not yet
    EXPECT_EQ(carried, (std::vector<int32_t>{0, 3})); // 26 px: all three at once
    EXPECT_EQ(Pickups.count, 0);
}

} // namespace
