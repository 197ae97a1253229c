// hud.cpp - the play mode's heads-up display. A step of the play mode's frame.
#include "play/hud.h"

#include "app/catalogue.h"
#include "objects/pickups.h"
#include "play/play_frame.h"
#include "play/player.h"
#include "render/draw.h"
#include "render/text.h"
#include "support/maths.h"

namespace {

constexpr int HUD_FONT = 1;
constexpr float PIPE = 50; // side of a frame piece

// "for i = 0 to last": one segment more than last, none when last is negative.
void DrawGauge(uint32_t segment, float left, int32_t last) {
    for (int32_t i = 0; i <= last; i++) DrawSprite(segment, left + 12 * i, 25, 12, 25);
}

} // namespace

void DrawPipeFrame() {
    for (int i = 0; i <= 15; i++) {
        DrawSprite(HudFrameImages[1], PIPE * i, 0, PIPE, PIPE);
        DrawSprite(HudFrameImages[3], PIPE * i, 560, PIPE, PIPE);
    }
    DrawSprite(HudFrameImages[2], 750, 0, PIPE, PIPE);
    DrawSprite(HudFrameImages[0], 0, 0, PIPE, PIPE);
    // Banded pieces under the score (in the level-end round, under the time).
    for (int i = 6; i <= 9; i++) DrawSprite(HudFrameImages[3], PIPE * i, 0, PIPE, PIPE);
}

void DrawPickupCompass() {
    int32_t n = 0;
    for (const List<Pickup>::Node* node = Pickups.first; node; node = node->next, n++) {
        const Pickup& p = node->record;
        const int32_t a = AngleTo(RoundToInt(Player.y - p.y), RoundToInt(Player.x - p.x));
        const float y = float(80 + 30 * n);
        DrawSpriteRotated(ItemImages[0], 780, y, 0, 32);
        DrawSpriteRotated(ItemImages[3], 780, y, float(a - 90), 20);
    }
}

void DrawHud() {
    DrawPipeFrame();
    // Energy in whole tens (truncated), fuel rounded: full energy shows 21 segments.
    DrawGauge(EnergySegmentImage, 50, Player.energy / 10);
    DrawGauge(FuelSegmentImage, 500, RoundToInt(Player.fuel / 10));
    DrawPickupCompass();
    DrawText(HUD_FONT, NumberToText(Player.score).c_str(), 320, 30, 20, 20);
    for (int k = 0; k < 5; k++) DrawSpriteRotated(ScreenImages[10 + k], 30, 250 + 50 * k, 0, 25);
    for (int k = 0; k < 5; k++)
        DrawText(HUD_FONT, NumberToText(Player.ammo[k]).c_str(), -10, 270 + 50 * k, 15, 15);
}
