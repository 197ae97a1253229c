// camera_hud_test.cpp - the camera's easing and limits, and what the HUD shows.
#include "app/catalogue.h"
#include "app/globals.h"
#include "objects/pickups.h"
#include "play/play_frame.h"
#include "play/player.h"
#include "support/list.h"
#include "tests/play/play_harness.h"

namespace {

class CameraAndHud : public PlayScenario {};

TEST_F(CameraAndHud, CameraClosesAFiftiethAcrossAndAThirtiethDownTowardsThePlayer) {
    PlacePlayer(3000, 3000); // free air: it falls to 3004 before the camera moves
    float scrollX = 0, scrollY = 0;
    Play(PLAY_RESUME, 1, [&](uint32_t) {
        scrollX = ActivePlayVisit->scrollX;
        scrollY = ActivePlayVisit->scrollY;
    });
    EXPECT_FLOAT_EQ(CameraX, 2600.0f / 50);
    EXPECT_FLOAT_EQ(CameraY, 2704.0f / 30);
    EXPECT_FLOAT_EQ(scrollX, 2600.0f / 60);
    EXPECT_FLOAT_EQ(scrollY, 2704.0f / 60);
}

TEST_F(CameraAndHud, CameraRestsAtTheSectorsLimitsWithoutScrolling) {
    PlacePlayer(6336, 5936); // bottom-right corner of the usable area
    CameraX = 5590;
    CameraY = 5390;
    std::vector<float> x, y, scroll;
    Play(PLAY_RESUME, 3, [&](uint32_t) {
        x.push_back(CameraX);
        y.push_back(CameraY);
        scroll.push_back(ActivePlayVisit->scrollX + ActivePlayVisit->scrollY);
    });
    EXPECT_LT(x[0], 5600); // one frame of easing: 5590 + 346 / 50
    EXPECT_NE(scroll[0], 0);
    EXPECT_EQ(x[2], 5600);
    EXPECT_EQ(y[2], 5400);
    EXPECT_EQ(scroll[2], 0);

    PlacePlayer(100, 100); // top-left: the target lies beyond the limits
    CameraX = CameraY = 0;
    Play(PLAY_RESUME, 3, [&](uint32_t) { EXPECT_EQ(ActivePlayVisit->scrollX, 0); });
    EXPECT_EQ(CameraX, 0);
    EXPECT_EQ(CameraY, 0);
}

TEST_F(CameraAndHud, GaugesShowOneSegmentPerTenEnergyAndFuelPlusOne) {
    const uint32_t frame = SolidTexture(0x0000FF), energy = SolidTexture(0xFF0000),
                   fuel = SolidTexture(0x00FF00);
    for (uint32_t& t : HudFrameImages) t = frame;
    EnergySegmentImage = energy;
    FuelSegmentImage = fuel;
    map.Fill(0, 5, 20, 5, 1);
    PlacePlayer(300, 288);
    Player.fuel = 0;
    Play(PLAY_RESUME, 2, [&](uint32_t f) {
        const Picture p = ReadBackBuffer();
        if (f == 1) {
            // Full energy: 21 segments of 12 px from x 50; empty tank: one segment.
            EXPECT_EQ(p.At(56, 37), 0xFF0000u);
            EXPECT_EQ(p.At(50 + 12 * 20 + 6, 37), 0xFF0000u);
            EXPECT_EQ(p.At(50 + 12 * 21 + 6, 37), 0x0000FFu);
            EXPECT_EQ(p.At(506, 37), 0x00FF00u);
            EXPECT_EQ(p.At(518, 37), 0x0000FFu);
            Player.energy = 9;
            Player.fuel = 200;
        } else {
            EXPECT_EQ(p.At(56, 37), 0xFF0000u);
            EXPECT_EQ(p.At(68, 37), 0x0000FFu);
            EXPECT_EQ(p.At(500 + 12 * 20 + 6, 37), 0x00FF00u);
            EXPECT_EQ(p.At(500 + 12 * 21 + 6, 37), 0x0000FFu);
        }
    });
}

TEST_F(CameraAndHud, CompassShowsOneOrbPerPickupWithAnArrowTowardsIt) {
    ItemImages[0] = SolidTexture(0xFFFF00);
    ItemImages[3] = SolidTexture(0xFF0000, true); // the arrow points up in its picture
    map.Fill(0, 5, 20, 5, 1);
    PlacePlayer(300, 288);
    const float at[3][2] = {{1300, 288}, {100, 288}, {300, 1288}}; // right, left, below
    for (const auto& xy : at) {
        Pickup* p = ListAppend(Pickups);
        p->x = xy[0];
        p->y = xy[1];
    }
    Play(PLAY_RESUME, 1, [&](uint32_t) {
        const Picture p = ReadBackBuffer();
        for (int n = 0; n < 3; n++) EXPECT_EQ(p.At(765, 80 + 30 * n), 0xFFFF00u) << n;
        EXPECT_NE(p.At(765, 170), 0xFFFF00u); // no fourth orb
        EXPECT_EQ(p.At(786, 80), 0xFF0000u);  // the arrow turns right
        EXPECT_EQ(p.At(774, 80), 0xFFFF00u);
        EXPECT_EQ(p.At(774, 110), 0xFF0000u); // left
        EXPECT_EQ(p.At(786, 110), 0xFFFF00u);
        EXPECT_EQ(p.At(780, 146), 0xFF0000u); // down
        EXPECT_EQ(p.At(780, 134), 0xFFFF00u);
    });
}

} // namespace
