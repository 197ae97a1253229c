// shop_test.cpp - the ammunition shop: prices and refusals, the key poll every eighth frame,
// both arrows at once, an arrow with the space bar, "EXIT SHOP", and the screen.
#include "between/shop_mode.h"
#include "tests/scenario.h"

namespace {

using Shop = Scenario;

std::vector<int32_t> Sounds(const ShopPollSounds& s) {
    return std::vector<int32_t>(s.slot, s.slot + s.count);
}

TEST_F(Shop, ExactPriceBuysDownToZeroCoinsAndOneCoinLessIsRefused) {
    const int32_t price[5] = {10, 20, 40, 80, 100}, amount[5] = {15, 15, 20, 10, 20};
    for (int32_t row = 0; row < 5; row++) {
        SCOPED_TRACE(row);
        for (int32_t& a : Player.ammo) a = 7;
        ShopVisit v{row, 0, 0};
        Player.coins = price[row];
        EXPECT_EQ(Sounds(PollShopKeys(v, false, false, true)), std::vector<int32_t>{8});
        EXPECT_EQ(Player.coins, 0);
        for (int32_t w = 0; w < 5; w++) EXPECT_EQ(Player.ammo[w], w == row ? 7 + amount[w] : 7);
        Player.coins = price[row] - 1;
        EXPECT_EQ(Sounds(PollShopKeys(v, false, false, true)), std::vector<int32_t>{9});
        EXPECT_EQ(std::tuple(Player.coins, Player.ammo[row], v.leave),
                  std::tuple(price[row] - 1, 7 + amount[row], 0));
    }
}

TEST_F(Shop, HeldSpaceBuysOnceEveryEighthFrameWhileTheCoinsLastAndEveryVisitStartsOnRowZero) {
    // Up and space at the first poll: up from row 0 wraps to "EXIT SHOP", which space takes.
    for (int vk : {VK_UP, VK_SPACE}) ScriptSetKey(vk, true);
    EXPECT_EQ(Run(ShopMode, 100), 8u);
    EXPECT_EQ(std::tuple(GameMode, PlayEntry), std::tuple(MODE_PLAY, PLAY_RESUME));

    ScriptSetKey(VK_UP, false);
    Player.coins = 35;
    Player.ammo[0] = 100;
    Player.ammo[4] = 1234567;
    std::vector<int32_t> selection, coins{-1}, keyCount{-1};
    Picture screen;
    Run(ShopMode, 40, [&](uint32_t f) {
        selection.push_back(Visit("selection"));
        coins.push_back(Player.coins);
        keyCount.push_back(Visit("keyCount"));
        if (f == 20) screen = ReadBackBuffer();
    });
    EXPECT_EQ(selection, std::vector<int32_t>(40, 0)) << "the last visit left on row 5";
    for (uint32_t f = 1; f <= 40; f++) {
        ASSERT_EQ(coins[f], 35 - 10 * int32_t(f < 32 ? f / 8 : 3)) << f;
        ASSERT_EQ(keyCount[f], int32_t(f % 8)) << f;
    }
    EXPECT_EQ(Player.ammo[0], 145);
    EXPECT_TRUE(MatchesGolden(screen, "shop_screen"));
}

TEST_F(Shop, UpAndDownTogetherCancelAndClickTwiceAndAnArrowActsBeforeSpace) {
    for (int32_t row : {0, 3, 5}) {
        ShopVisit v{row, 0, 0};
        EXPECT_EQ(Sounds(PollShopKeys(v, true, true, false)), (std::vector<int32_t>{9, 9}));
        EXPECT_EQ(v.selection, row);
    }
    Player.coins = 20;
    ShopVisit v{0, 0, 0};
    EXPECT_EQ(Sounds(PollShopKeys(v, false, true, true)), (std::vector<int32_t>{9, 8}));
    EXPECT_EQ(std::tuple(v.selection, Player.ammo[1], Player.coins), std::tuple(1, 15, 0))
        << "bought on the row moved to";
}

} // namespace
