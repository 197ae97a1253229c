// shop_mode.cpp - the ammunition shop: six buttons, the coins, and a key poll every eighth
// frame.
#include "between/shop_mode.h"

#include <string>

#include "between/shop_items.h"
#include "core/catalogue.h"
#include "core/frame.h"
#include "core/globals.h"
#include "core/mode_visit.h"
#include "core/music.h"
#include "core/player.h"
#include "platform/platform.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/text.h"
#include "screen/screen_parts.h"
#include "sound/sound_effects.h"
#include "support/maths.h"

namespace {

constexpr int32_t KEY_POLL_FRAMES = 7; // keys are polled when the counter passes this
constexpr int SHOP_FONT = 1;

void Sound(ShopPollSounds& played, int32_t slot) {
    PlaySound(slot);
    if (played.count < 3) played.slot[played.count++] = slot;
}

// A row's button at its place, at the given size.
void DrawButton(int32_t row, float size) {
    DrawSpriteRotated(ScreenImages[ShopItems[row].icon], 150, float(200 + 60 * row), 0, size);
}

void RunShopFrame(ShopVisit& v) {
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    DrawSpriteRotated(ScreenImages[SCREEN_HEADING_SHOP], 400, 160, 0, 256); // the shop heading
    DrawSpriteRotated(ScreenImages[SCREEN_ROBOT_SHADED], 500, 300, 0, 250); // the shaded robot
    for (int32_t row = 0; row < SHOP_ROWS; row++) DrawButton(row, 40);
    DrawButton(v.selection, 60);

    if (KeyPollDue(&v.keyCount, KEY_POLL_FRAMES))
        PollShopKeys(v, GetAsyncKeyState(VK_UP) != 0, GetAsyncKeyState(VK_DOWN) != 0,
                     GetAsyncKeyState(VK_SPACE) != 0);

    // Texts in font slot 1, every shadow of a group first: the rows, then the coins.
    std::string amounts[SHOP_EXIT_ROW];
    ShadowedText rows[SHOP_ROWS];
    for (int32_t row = 0; row < SHOP_EXIT_ROW; row++) {
        amounts[row] = NumberToText(Player.ammo[ShopItems[row].weapon]);
        rows[row] = {amounts[row].c_str(), 200, 190 + 60 * row};
    }
    rows[SHOP_EXIT_ROW] = {"EXIT SHOP", 200, 490};
    DrawItemTexts(rows, SHOP_ROWS, SHOP_FONT);
    // "COINS " keeps a blank glyph cell before the number.
    const std::string coins = "COINS " + NumberToText(Player.coins);
    const ShadowedText coinsText = {coins.c_str(), 170, 150};
    DrawItemTexts(&coinsText, 1, SHOP_FONT);
    DrawFrameBars();
    FinishFrame();
}

} // namespace

ShopPollSounds PollShopKeys(ShopVisit& v, bool up, bool down, bool space) {
    ShopPollSounds played{};
    // Both arrows at once move there and back, clicking twice.
    for (int moves = WrapCursor(&v.selection, SHOP_ROWS - 1, up, down); moves > 0; moves--)
        Sound(played, SOUND_CLICK);
    if (!space) return played;
    // A selection outside the rows (a visit the shop did not make) buys nothing.
    if (v.selection < 0 || v.selection >= SHOP_ROWS) return played;
    if (v.selection == SHOP_EXIT_ROW) {
        GameMode = MODE_PLAY;
        PlayEntry = PLAY_RESUME;
        v.leave = 1;
        return played;
    }
    const ShopItem& item = ShopItems[v.selection];
    if (Player.coins >= item.price) {
        Player.coins -= item.price;
        Player.ammo[item.weapon] += item.amount;
        Sound(played, SOUND_CHIME);
    } else {
        Sound(played, SOUND_CLICK);
    }
    return played;
}

void ShopMode() {
    ShopVisit v{};
    const PublishedModeVisit published(
        "shop", {{"selection", &v.selection}, {"keyCount", &v.keyCount}, {"leave", &v.leave}});
    StartMusic(MUSIC_SHOP);
    do {
        if (FrameDue()) RunShopFrame(v);
        EndPass();
    } while (!v.leave);
    StopMusic();
}
