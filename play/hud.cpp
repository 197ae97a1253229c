// hud.cpp - the play mode's heads-up display. A step of the play mode's frame.
#include "play/hud.h"

#include "core/catalogue.h"
#include "core/player.h"
#include "objects/pickups.h"
#include "play/play_frame.h"
#include "render/draw.h"
#include "render/text.h"
#include "screen/screen_parts.h"
#include "support/maths.h"

namespace {

constexpr int HUD_FONT = 1;

// "for i = 0 to last": one segment more than last, none when last is negative.
void DrawGauge(uint32_t segment, float left, int32_t last) {
    for (int32_t i = 0; i <= last; i++) DrawSprite(segment, left + 12 * float(i), 25, 12, 25);
}

} // namespace

void DrawPickupCompass() {
    int32_t n = 0;
    for (const List<Pickup>::Node* node = Pickups.first; node; node = node->next, n++) {
        const Pickup& p = node->record;
        const int32_t a = AngleTo(RoundToInt(Player.y - p.y), RoundToInt(Player.x - p.x));
        const float y = float(80 + 30 * n);
        DrawSpriteRotated(ItemImages[ITEM_ORB], 780, y, 0, 32);
        DrawSpriteRotated(ItemImages[ITEM_ARROW], 780, y, float(a - 90), 20);
    }
}

void DrawHud() {
    DrawPipeFrame();
    // Energy in whole tens (truncated), fuel rounded: full energy shows 21 segments.
    DrawGauge(EnergySegmentImage, 50, Player.energy / 10);
    DrawGauge(FuelSegmentImage, 500, RoundToInt(Player.fuel / 10));
    DrawPickupCompass();
    DrawText(HUD_FONT, NumberToText(Player.score).c_str(), 320, 30, 20, 20);
    for (int k = 0; k < 5; k++)
        DrawSpriteRotated(ScreenImages[SCREEN_WEAPON_BUTTONS + k], 30, float(250 + 50 * k), 0, 25);
    for (int k = 0; k < 5; k++)
        DrawText(HUD_FONT, NumberToText(Player.ammo[k]).c_str(), -10, 270 + 50 * k, 15, 15);
}
