// pickups_test.cpp - laying the orbs of a sector, collecting them, counting them.
#include "objects/pickups.h"
#include "platform/platform.h"
#include "play/level_map.h"
#include "play/player.h"
#include "tests/play/play_harness.h"

namespace {

class Orbs : public PlayScenario {};

TEST_F(Orbs, EachSectorLaysTwiceItsNumberPlusOneOrbsUpToSixteenOnFreeCells) {
    map.Fill(10, 10, 90, 50, 3); // walls over the upper half of the orbs' area
    for (int32_t level : {0, 7, 8, 20}) {
        SCOPED_TRACE(level);
        PlacePlayer(300, 300);
        Player.level = level;
        PickupsCarried = 5;
        Play(PLAY_NEXT_SECTOR, 1);
        const int32_t expected = level == 0 ? 1 : level == 7 ? 15 : 16;
        EXPECT_EQ(PickupsLeft, expected);
        EXPECT_EQ(Pickups.count, expected);
        EXPECT_EQ(PickupsCarried, 0);
        for (auto* n = Pickups.first; n; n = n->next) {
            const int32_t cx = int32_t(n->record.x) / 64, cy = int32_t(n->record.y) / 64;
            EXPECT_EQ(n->record.x, cx * 64 + 32);
            EXPECT_EQ(n->record.y, cy * 64 + 32);
            EXPECT_TRUE(cx >= 10 && cx <= 90 && cy >= 51 && cy <= 90) << cx << "," << cy;
            EXPECT_EQ(LevelMap[cx][cy], 0);
        }
    }
}

TEST_F(Orbs, OrbsSharingACellAreCollectedTogetherOnceCloserThan30Px) {
    map.Fill(10, 10, 90, 90, 30); // background everywhere but one cell
    map.Set(20, 20, 0);
    map.Set(20, 21, 1); // a floor to stand on beside the orbs
    PlacePlayer(300, 300);
    Player.level = 1;
    Play(PLAY_NEXT_SECTOR, 1); // lays three orbs, all in cell (20, 20)
    ASSERT_EQ(PickupsLeft, 3);
    PlacePlayer(20 * 64 + 2, 20 * 64 + 32);
    std::vector<int32_t> left, carried;
    Play(PLAY_RESUME, 2, [&](uint32_t frame) {
        left.push_back(PickupsLeft);
        carried.push_back(PickupsCarried);
        if (frame == 1) Hold(VK_RIGHT, true);
    });
    EXPECT_EQ(left, (std::vector<int32_t>{3, 0}));    // 30 px away: not yet
    EXPECT_EQ(carried, (std::vector<int32_t>{0, 3})); // 26 px: all three at once
    EXPECT_EQ(Pickups.count, 0);
}

TEST_F(Orbs, AMapWithoutAFreeOrbCellLaysNoOrbInsteadOfHanging) {
    map.Fill(10, 10, 90, 90, 30);
    Play(PLAY_NEW_GAME, 1);
    EXPECT_EQ(PickupsLeft, 0);
    EXPECT_EQ(Pickups.count, 0);
    ScatterPickups(-3);
    EXPECT_EQ(PickupsLeft, 0);
}

} // namespace
