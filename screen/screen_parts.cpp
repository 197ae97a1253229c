// screen_parts.cpp - highlight bar, shadowed items, frame bars and cursor of the front end.
#include "screen/screen_parts.h"

#include <cmath>

#include "core/catalogue.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "render/text.h"
#include "support/maths.h"

namespace {

constexpr float SHADOW_GREY = 0.1f;
constexpr int32_t SHADOW_OFFSET = 4;
constexpr float PIPE_PIECE = 50; // side of a pipe-frame piece

} // namespace

float PulseAmount(float pulse) {
    return std::fabs(SinDeg(pulse)) / 2.0f;
}

void DrawHighlightBar(float top, float amount) {
    DrawSpriteEx(HighlightBarImage, 0, top, 800, 30, 0, 1, amount, 1, 1);
}

void DrawItemTexts(const ShadowedText* items, int count, int font) {
    for (int i = 0; i < count; i++)
        DrawTextEx(font, items[i].text, items[i].x + SHADOW_OFFSET, items[i].y + SHADOW_OFFSET, 20,
                   20, 0, SHADOW_GREY, SHADOW_GREY, SHADOW_GREY, 1);
    for (int i = 0; i < count; i++) DrawText(font, items[i].text, items[i].x, items[i].y, 20, 20);
}

void DrawMenuItems(const ShadowedText* items, int count, int32_t cursor, int32_t barTop,
                   float amount) {
    DrawHighlightBar(float(30 * cursor + barTop), amount);
    DrawItemTexts(items, count);
}

void DrawFrameBars() {
    for (int i = 0; i < 14; i++) {
        DrawSprite(HudFrameImages[HUD_PIPE], float(64 * i), 0, 64, 30);
        DrawSprite(HudFrameImages[HUD_PIPE], float(64 * i), 570, 64, 30);
    }
}

int WrapCursor(int32_t* cursor, int32_t last, bool up, bool down) {
    int moves = 0;
    if (up) {
        *cursor -= 1;
        if (*cursor < 0) *cursor = last;
        moves += 1;
    }
    if (down) {
        *cursor += 1;
        if (*cursor > last) *cursor = 0;
        moves += 1;
    }
    return moves;
}

bool KeyPollDue(int32_t* counter, int32_t after) {
    *counter += 1;
    if (*counter <= after) return false;
    *counter = 0;
    return true;
}

MenuPoll PollMenuCursor(int32_t* cursor, int32_t last) {
    const bool up = GetAsyncKeyState(VK_UP) != 0;
    const bool down = GetAsyncKeyState(VK_DOWN) != 0;
    MenuPoll poll;
    poll.moves = WrapCursor(cursor, last, up, down);
    poll.choose = GetAsyncKeyState(VK_SPACE) != 0;
    return poll;
}

void DrawPipeFrame() {
    for (int i = 0; i <= 15; i++) {
        DrawSprite(HudFrameImages[HUD_PIPE], PIPE_PIECE * float(i), 0, PIPE_PIECE, PIPE_PIECE);
        DrawSprite(HudFrameImages[HUD_BANDED_PIPE], PIPE_PIECE * float(i), 560, PIPE_PIECE,
                   PIPE_PIECE);
    }
    DrawSprite(HudFrameImages[HUD_RIGHT_BEND], 750, 0, PIPE_PIECE, PIPE_PIECE);
    DrawSprite(HudFrameImages[HUD_LEFT_BEND], 0, 0, PIPE_PIECE, PIPE_PIECE);
    // Banded pieces under the score (in the level-end round, under the time).
    for (int i = 6; i <= 9; i++)
        DrawSprite(HudFrameImages[HUD_BANDED_PIPE], PIPE_PIECE * float(i), 0, PIPE_PIECE,
                   PIPE_PIECE);
}
