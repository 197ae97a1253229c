// screen_test.cpp - the camera's easing and limits, the sector's limits, the HUD's gauges and
// compass, and whole play frames as golden pictures: a busy moment, and a long game's crowd.
#include "tests/scenario.h"

namespace {

using Screen = Scenario;

TEST_F(Screen, CameraClosesAFiftiethAcrossAndAThirtiethDownAndRestsAtTheSectorsLimits) {
    // From the bottom-right corner of the usable area, in free air and walking right, with the
    // camera 346 px across and 246 px up from its target.
    PlacePlayer(6336, 5936);
    CameraX = 5590, CameraY = 5390;
    ScriptSetKey(VK_RIGHT, true);
    std::vector<float> seen;
    auto look = [&](uint32_t) {
        for (float v : {CameraX, CameraY, ActivePlayVisit->scrollX, ActivePlayVisit->scrollY})
            seen.push_back(v);
    };
    Play(PLAY_RESUME, 2, look);
    // The panels scroll a sixtieth of the distance; a clamped axis does not scroll them.
    EXPECT_EQ(seen, (std::vector<float>{5590 + 346.f / 50, 5390 + 246.f / 30, 346.f / 60,
                                        246.f / 60, 5600, 5400, 0, 0}));
    EXPECT_EQ(std::pair(Player.x, Player.y), std::pair(6336.f, 5936.f));
    // Top-left: the camera's target lies beyond its limits from the first frame.
    PlacePlayer(4, 100);
    CameraX = CameraY = 0;
    ScriptSetKey(VK_RIGHT, false);
    ScriptSetKey(VK_LEFT, true);
    seen.clear();
    Play(PLAY_RESUME, 2, look);
    EXPECT_EQ(std::pair(seen, Player.x), std::pair(std::vector<float>(8, 0), 0.f));
}

TEST_F(Screen, GaugesShowOneSegmentPerTenEnergyAndFuelPlusOneAndTheCompassOneOrbPerPickup) {
    for (uint32_t& t : HudFrameImages) t = SolidTexture(0x0000FF);
    EnergySegmentImage = SolidTexture(0xFF0000);
    FuelSegmentImage = SolidTexture(0x00FF00);
    ItemImages[0] = SolidTexture(0xFFFF00);
    ItemImages[3] = SolidTexture(0xFF0000, true); // the arrow points up in its picture
    Fill(0, 5, 20, 5, 1);
    PlacePlayer(300, 288);
    Player.fuel = 0;
    for (auto [x, y] : {std::pair{1300.f, 288.f}, {100, 288}, {300, 1288}}) { // right, left, below
        Pickup* p = ListAppend(Pickups);
        p->x = x, p->y = y;
    }
    // Segments of 12 px from x 50 and 500: full energy shows 21, an empty tank one; then
    // energy 9 shows one and a full tank 21.
    const int32_t last[2][2] = {{20, 0}, {0, 20}};
    Play(PLAY_RESUME, 2, [&](uint32_t f) {
        const Picture p = ReadBackBuffer();
        for (int g = 0; g < 2; g++) {
            const int x = 50 + 450 * g + 6, n = last[f - 1][g];
            EXPECT_EQ(p.At(x + 12 * n, 37), g ? 0x00FF00u : 0xFF0000u) << f << g;
            EXPECT_EQ(p.At(x + 12 * (n + 1), 37), 0x0000FFu) << f << g;
        }
        Player.energy = 9, Player.fuel = 200;
        if (f == 2) return;
        for (int n = 0; n < 3; n++) EXPECT_EQ(p.At(765, 80 + 30 * n), 0xFFFF00u) << n;
        EXPECT_NE(p.At(765, 170), 0xFFFF00u); // no fourth orb
        // Red where the arrow points, the yellow orb on the other side of the centre.
        for (auto [x, y, rgb] : {std::tuple{786, 80, 0xFF0000u},
                                 {774, 80, 0xFFFF00u},
                                 {774, 110, 0xFF0000u},
                                 {786, 110, 0xFFFF00u},
                                 {780, 146, 0xFF0000u},
                                 {780, 134, 0xFFFF00u}})
            EXPECT_EQ(p.At(x, y), rgb) << x << "," << y;
    });
}

// From the menu's "START GAME" on the shipped sector: the robot lifts off the shop terminal
// on its jet, firing a fan of fireballs into a wall.
TEST(PlayGolden, FlyingAndFiringOverTheShopTerminal) {
    TempDir dir(true);
    WriteFileBytes("startmap.map", ReadFileBytes(SourcePath("assets/startmap.map")));
    Picture frame;
    const ScriptedRun run = RunScriptedGame(R"(
        at 10 down up      # menu: cursor up to START GAME
        at 20 up up
        at 40 down space
        at 50 up space
        at 150 down right  # walk onto the shop terminal
        at 160 up right
        at 200 down f3     # fireballs
        at 201 up f3
        at 200 down space
        at 240 down up     # lift off
        at 262 up up
        at 268 end
    )",
                                            [&](uint32_t f) {
                                                if (f == 268) frame = ReadBackBuffer();
                                                return true;
                                            });
    ASSERT_EQ(run.exitCode, 0) << run.scriptError;
    EXPECT_TRUE(MatchesGolden(frame, "play_flying_firing"));
}

// An idle game after half an hour: drones arrive twelve every 15 seconds and, never shot,
// all circle the player on screen; the whole crowd drawn on one frame. Only that frame is
// drawn, the 143,999 before it are game logic alone.
TEST_F(Screen, HalfAnHourOfDronesCirclingTheIdlePlayerAllDrawnOnOneFrame) {
    Fill(0, 6, MAP_SIZE - 1, 6, 1); // a floor under the start, walls for the stray shots
    Fill(12, 0, 12, 5, 5);
    Fill(0, 0, 0, 5, 3);
    constexpr uint32_t HALF_HOUR = 80 * 60 * 30;
    Picture frame;
    RenderEnabled = false;
    const uint32_t frames = Play(PLAY_NEW_GAME, HALF_HOUR, [&](uint32_t f) {
        RenderEnabled = f + 1 >= HALF_HOUR;
        if (f == HALF_HOUR) frame = ReadBackBuffer();
    });
    RenderEnabled = true;
    ASSERT_EQ(frames, HALF_HOUR);
    EXPECT_GE(Enemies.count, 1400);
    EXPECT_TRUE(MatchesGolden(frame, "play_long_game"));
}

} // namespace
