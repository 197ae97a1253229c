// shop_test.cpp - the ammunition shop: prices and refusals, the key poll every eighth frame,
// both arrows at once, an arrow with the space bar, "EXIT SHOP", and the screen.
#include <vector>

#include "app/globals.h"
#include "objects/shop_mode.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/player.h"
#include "tests/between/between_fixture.h"

namespace {

using Shop = BetweenLevels;

struct PriceRow {
    int32_t price, amount;
};
const PriceRow PRICE_LIST[5] = {{10, 15}, {20, 15}, {40, 20}, {80, 10}, {100, 20}};

std::vector<int32_t> Sounds(const ShopPollSounds& s) {
    return std::vector<int32_t>(s.slot, s.slot + s.count);
}

TEST_F(Shop, ExactPriceBuysDownToZeroCoinsAndOneCoinLessIsRefused) {
    for (int32_t row = 0; row < 5; row++) {
        for (int32_t& a : Player.ammo) a = 7;
        ShopVisit v{row, 0, 0};
        Player.coins = PRICE_LIST[row].price;
        EXPECT_EQ(Sounds(PollShopKeys(v, false, false, true)), std::vector<int32_t>{8});
        EXPECT_EQ(Player.coins, 0) << row;
        for (int32_t w = 0; w < 5; w++)
            EXPECT_EQ(Player.ammo[w], w == row ? 7 + PRICE_LIST[row].amount : 7) << row;
        Player.coins = PRICE_LIST[row].price - 1;
        EXPECT_EQ(Sounds(PollShopKeys(v, false, false, true)), std::vector<int32_t>{9});
        EXPECT_EQ(Player.coins, PRICE_LIST[row].price - 1) << row;
        EXPECT_EQ(Player.ammo[row], 7 + PRICE_LIST[row].amount) << row;
        EXPECT_EQ(v.leave, 0);
    }

    // In the running shop: down for three polls to the plasma balls, then buy with 80 coins.
    Player.coins = 80;
    for (int32_t w = 0; w < 5; w++) Player.ammo[w] = w + 1;
    ScriptSetKey(VK_DOWN, true);
    std::vector<int32_t> selection(1, -1);
    EXPECT_TRUE(RunMode(ShopMode, 200, [&](uint32_t f) {
        selection.push_back(Visit("selection"));
        if (f == 24) ScriptSetKey(VK_DOWN, false), ScriptSetKey(VK_SPACE, true);
        if (f == 32) {
            EXPECT_EQ(Player.coins, 0);
        }
        if (f == 40) ScriptSetKey(VK_DOWN, true); // on to "EXIT SHOP", refused on the way
    }));
    ASSERT_EQ(selection.size(), 57u) << "left at the seventh poll";
    EXPECT_EQ(selection[7], 0);
    EXPECT_EQ(selection[8], 1);
    EXPECT_EQ(selection[24], 3);
    EXPECT_EQ(selection[48], 4);
    EXPECT_EQ(selection[56], 5);
    EXPECT_EQ(Player.coins, 0);
    EXPECT_EQ(Player.ammo[3], 14);
    EXPECT_EQ(Player.ammo[4], 5) << "refused with no coins left";
    EXPECT_EQ(GameMode, MODE_PLAY);
    EXPECT_EQ(PlayEntry, PLAY_RESUME);
}

TEST_F(Shop, HeldSpaceBuysOnceEveryEighthFrameWhileTheCoinsLastAndEveryVisitStartsOnRowZero) {
    // Up and space at the first poll: up from row 0 wraps to "EXIT SHOP", which space takes.
    ScriptSetKey(VK_UP, true);
    ScriptSetKey(VK_SPACE, true);
    std::string music;
    EXPECT_TRUE(RunMode(ShopMode, 100, [&](uint32_t f) {
        if (f == 1) music = MusicNow();
    }));
    EXPECT_EQ(music, ModuleTitle(4));
    EXPECT_EQ(PlatformFrameCount(), 8u);
    EXPECT_EQ(MusicNow(), "");
    EXPECT_EQ(VisitMode(), "");
    EXPECT_EQ(GameMode, MODE_PLAY);
    EXPECT_EQ(PlayEntry, PLAY_RESUME);

    ScriptReset();
    LastFrameTick = float(GetTickCount());
    ScriptSetKey(VK_SPACE, true);
    Player.coins = 35;
    Player.ammo[0] = 100;
    Player.ammo[4] = 1234567;
    std::vector<int32_t> coins(1, -1), keyCount(1, -1);
    Picture screen;
    EXPECT_FALSE(RunMode(ShopMode, 40, [&](uint32_t f) {
        if (f == 1) {
            EXPECT_EQ(Visit("selection"), 0) << "the last visit left on row 5";
        }
        coins.push_back(Player.coins);
        keyCount.push_back(Visit("keyCount"));
        if (f == 20) screen = ReadBackBuffer();
    }));
    for (uint32_t f = 1; f <= 40; f++) {
        const int32_t bought = f < 32 ? int32_t(f / 8) : 3;
        ASSERT_EQ(coins[f], 35 - 10 * bought) << f;
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
    EXPECT_EQ(v.selection, 1);
    EXPECT_EQ(Player.ammo[1], 15) << "bought on the row moved to";
    EXPECT_EQ(Player.coins, 0);

    // Held together in the running shop, the selection never moves.
    ScriptSetKey(VK_UP, true);
    ScriptSetKey(VK_DOWN, true);
    std::vector<int32_t> selection;
    EXPECT_FALSE(RunMode(ShopMode, 40, [&](uint32_t) { selection.push_back(Visit("selection")); }));
    EXPECT_EQ(selection, std::vector<int32_t>(40, 0));
}

} // namespace
