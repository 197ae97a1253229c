// level_end_test.cpp - the target round at the base: its countdown and time-out, the volleys
// and their bursts, the crosshair's keys and clamp, the targets' drift and wrap, Escape, and
// the congratulations screen that leads into the next sector.
#include <cmath>
#include <vector>

#include "app/globals.h"
#include "app/state_dump.h"
#include "objects/level_end_mode.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/targets.h"
#include "objects/volley_shots.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/play_mode.h"
#include "play/player.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/text.h"
#include "support/list.h"
#include "tests/between/between_fixture.h"

namespace {

using LevelEnd = BetweenLevels;

// The first target held still at a place, so that a volley aimed there is sure to meet it.
void PinTarget(float x, float y) {
    Targets.first->record = Target{x, y, 0, 0, Targets.first->record.hits, 0};
}

void AddTarget(float x, float y, float vx, float vy, int32_t hits = TARGET_HITS) {
    *ListAppend(Targets) = Target{x, y, vx, vy, hits, 0};
}

void BeginTestFrame() {
    ClearDisplay();
    Begin2D(800, 600);
}

// True when every pixel that the time text covers whatever lies behind it (drawn over black
// and over white, the pixels that come out the same) shows in the frame as in the text.
bool ShowsTimeText(const Picture& frame, const char* text) {
    Picture over[2];
    for (int i = 0; i < 2; i++) {
        BeginTestFrame();
        DrawGradientQuad(0, 0, 800, 600, i, i, i, i, i, i);
        DrawText(1, text, 310, 30, 20, 20);
        over[i] = ReadBackBuffer();
    }
    int covered = 0;
    for (int y = 30; y < 50; y++)
        for (int x = 310; x < 500; x++)
            if (over[0].At(x, y) == over[1].At(x, y) && ++covered &&
                frame.At(x, y) != over[0].At(x, y))
                return false;
    return covered > 500;
}

int CountDots(float r, float g, float b) {
    int n = 0;
    for (auto* d = DotParticles.first; d; d = d->next)
        n += d->record.r == r && d->record.g == g && d->record.b == b;
    return n;
}

// ================================================================ the countdown
TEST_F(LevelEnd, RoundThatTimesOutShowsTimeMinusOneLastAndPutsTheSurvivorsBack) {
    PickupsCarried = 3;
    Player.level = 4;
    CameraX = 1234.5f;
    CameraY = 777.75f;
    ScriptSetKey(VK_RIGHT, true);
    ScriptSetKey(VK_UP, true);
    std::vector<int32_t> time(1, INT32_MIN);
    Picture beforeLast, last;
    const std::string music5 = ModuleTitle(5);
    EXPECT_TRUE(RunMode(LevelEndMode, 5000, [&](uint32_t f) {
        time.push_back(Visit("time"));
        if (f == 1) {
            EXPECT_EQ(MusicNow(), music5);
            EXPECT_EQ(CameraX + CameraY, 0);
            EXPECT_EQ(Targets.count, 3);
            for (auto* n = Targets.first; n; n = n->next)
                EXPECT_FLOAT_EQ(n->record.vx * 10, std::round(n->record.vx * 10)) << "tenths";
        }
        if (f == 100) { // right and up into the clamp
            EXPECT_EQ(Visit("cursorX"), 780);
            EXPECT_EQ(Visit("cursorY"), 20);
        }
        if (f == 2000) beforeLast = ReadBackBuffer();
        if (f == 2001) last = ReadBackBuffer();
        RenderEnabled = f >= 1999; // only the last two frames are looked at
    }));
    ASSERT_EQ(time.size(), 2002u) << "2001 frames: from 1999 down to -1";
    EXPECT_EQ(time[1], 1999);
    EXPECT_EQ(time[2001], -1);
    EXPECT_GE(GetTickCount() - SCRIPT_CLOCK_START, 25000u) << "counted in drawn frames";
    EXPECT_TRUE(ShowsTimeText(last, "TIME -1"));
    EXPECT_FALSE(ShowsTimeText(last, "TIME 0"));
    EXPECT_TRUE(ShowsTimeText(beforeLast, "TIME 0"));
    // The three survivors lie in the sector again, each at a cell centre.
    EXPECT_EQ(PickupsCarried, 0);
    EXPECT_EQ(PickupsLeft, 3);
    for (auto* n = Pickups.first; n; n = n->next)
        EXPECT_EQ(int(n->record.x) % 64 + int(n->record.y) % 64, 64);
    EXPECT_EQ(GameMode, MODE_PLAY);
    EXPECT_EQ(PlayEntry, PLAY_RESUME);
    EXPECT_EQ(Player.level, 4);
    EXPECT_EQ(Targets.count, 0);
    EXPECT_EQ(CameraX, 1234) << "restored rounded, halves to even";
    EXPECT_EQ(CameraY, 778);
    EXPECT_EQ(MusicNow(), "");
    EXPECT_EQ(VisitText("mode"), "\"\"");
}

// ================================================================ volleys
TEST_F(LevelEnd, ThreeWellAimedVolleysDestroyATargetAndPlayResumesWhileOrbsLieAbout) {
    ScatterPickups(2);
    PickupsCarried = 1;
    ScriptSetKey(VK_SPACE, true);
    std::vector<uint32_t> volleys;
    std::vector<int32_t> hitsAfterBursts;
    int32_t shots = 0;
    uint32_t lastFrame = 0, destroyed = 0;
    Picture secondBurst;
    EXPECT_TRUE(RunMode(LevelEndMode, 500, [&](uint32_t f) {
        lastFrame = f;
        if (f == 1) PinTarget(400, 300);
        if (VolleyShots.count > shots) volleys.push_back(f);
        shots = VolleyShots.count;
        if (volleys.size() == 3) ScriptSetKey(VK_SPACE, false);
        if (Targets.count == 0) {
            destroyed = f;
            return;
        }
        const int32_t hits = Targets.first->record.hits;
        if (hits == (hitsAfterBursts.empty() ? TARGET_HITS : hitsAfterBursts.back())) return;
        hitsAfterBursts.push_back(hits);
        if (hitsAfterBursts.size() == 2) secondBurst = ReadBackBuffer();
    }));
    EXPECT_EQ(volleys, (std::vector<uint32_t>{11, 22, 33}));
    EXPECT_EQ(hitsAfterBursts, (std::vector<int32_t>{5, 1, -3})) << "four hits a volley";
    EXPECT_EQ(destroyed, lastFrame) << "the round ends with its last target";
    EXPECT_EQ(CountDots(1, 1, 1), 12 * 36) << "a ring of sparks for each hit";
    EXPECT_EQ(CountDots(1, 0.8f, 0.9f), 72) << "a ring for the destroyed target";
    EXPECT_EQ(PickupsLeft, 2);
    EXPECT_EQ(GameMode, MODE_PLAY);
    EXPECT_EQ(PlayEntry, PLAY_RESUME);
    EXPECT_EQ(Player.level, 0);
    EXPECT_TRUE(MatchesGolden(secondBurst, "levelend_round"));
}

TEST_F(LevelEnd, BurstHitsEveryTargetCloserThan40PixelsAndOnlyShotsCloserThan30ToTheirAimBurst) {
    // Distances from the burst at (300, 300): 0, 39, 39.9, exactly 40, 41.
    for (auto [x, y] : {std::pair{300.f, 300.f}, {300, 261}, {339.9f, 300}, {324, 332}, {259, 300}})
        AddTarget(x, y, 0, 0);
    *ListAppend(VolleyShots) = VolleyShot{300, 300, 0, 0, 300, 300};
    *ListAppend(VolleyShots) = VolleyShot{500, 500, 0, 0, 500, 530};  // 30 away: flies on
    *ListAppend(VolleyShots) = VolleyShot{486, 100, 14, 0, 500, 129}; // moves to 29 away
    BeginTestFrame();
    UpdateVolleyShots();
    std::vector<int32_t> hitsAndFlash;
    for (auto* n = Targets.first; n; n = n->next)
        hitsAndFlash.push_back(n->record.hits * 10 + n->record.flash);
    EXPECT_EQ(hitsAndFlash, (std::vector<int32_t>{81, 81, 81, 90, 90}));
    EXPECT_EQ(CountDots(1, 1, 1), 3 * 36);
    ASSERT_EQ(VolleyShots.count, 1);
    EXPECT_EQ(VolleyShots.first->record.y, 500);
}

TEST_F(LevelEnd, CrosshairOnACornerPointFiresWithoutNaNAndEscapeEndsTheGame) {
    PickupsCarried = 1;
    CameraX = 640;
    CameraY = 320;
    // Left to x 40, down into the clamp at y 580, then up to y 40: the top-left corner point.
    ScriptSetKey(VK_LEFT, true);
    int32_t atClamp = 0, hitsAtVolley = INT32_MIN;
    std::string dumpAtVolley;
    EXPECT_TRUE(RunMode(LevelEndMode, 1000, [&](uint32_t f) {
        const int32_t x = Visit("cursorX"), y = Visit("cursorY");
        if (f == 1) PinTarget(40, 40);
        if (x == 40 && y == 300) ScriptSetKey(VK_LEFT, false), ScriptSetKey(VK_DOWN, true);
        if (y == 580 && ++atClamp == 3) ScriptSetKey(VK_DOWN, false), ScriptSetKey(VK_UP, true);
        if (x == 40 && y == 40) ScriptSetKey(VK_UP, false), ScriptSetKey(VK_SPACE, true);
        if (VolleyShots.count == 3 && dumpAtVolley.empty()) {
            // The corner's own shot had no direction and burst on its first move.
            dumpAtVolley = DumpState(f);
            hitsAtVolley = Targets.first->record.hits;
            ScriptSetKey(VK_ESCAPE, true);
        }
    }));
    EXPECT_EQ(atClamp, 3) << "held at the clamp for three frames";
    ASSERT_FALSE(dumpAtVolley.empty());
    EXPECT_EQ(dumpAtVolley.find("NaN"), std::string::npos) << dumpAtVolley;
    EXPECT_EQ(dumpAtVolley.find("Infinity"), std::string::npos);
    EXPECT_EQ(hitsAtVolley, 8) << "its burst at (54, 40) hit the target on the corner";
    // Chosen: Escape ends the game at once; nothing is scattered and no sector is cleaned.
    EXPECT_EQ(GameMode, MODE_HIGHSCORES);
    EXPECT_EQ(PickupsLeft + Player.level, 0);
    EXPECT_EQ(Targets.count + VolleyShots.count, 0);
    EXPECT_EQ(CameraX, 640);
    EXPECT_EQ(CameraY, 320);
    EXPECT_EQ(MusicNow(), "");
}

// ================================================================ targets
TEST_F(LevelEnd, TargetsWrapAtTheEdgesRenewTheirDriftEachTurnAndGoBelowZeroHits) {
    BeginTestFrame();
    // Spin 90 moves them sideways only; sideways they wrap round by 800.
    TargetSpin = 89;
    AddTarget(799, 300, 5, 0);
    AddTarget(1, 300, -5, 0);
    AddTarget(800, 300, 0, 0);
    UpdateTargets();
    EXPECT_EQ(TargetSpin, 92) << "once per target";
    EXPECT_NEAR(Targets.first->record.x, 4, 0.01);
    EXPECT_NEAR(Targets.first->next->record.x, 796, 0.01);
    EXPECT_EQ(Targets.last->record.x, 800) << "800 itself is on the field";
    // Spin 360 moves them up and down; past the band they jump to its other edge.
    ClearTargets();
    TargetSpin = 358;
    AddTarget(400, 578, 0, 5);
    AddTarget(400, 22, 0, -5);
    UpdateTargets();
    EXPECT_EQ(Targets.first->record.y, 20);
    EXPECT_EQ(Targets.last->record.y, 580);
    // Past 360 the spin starts again at 0 and the target draws a new drift, in tenths up to 10,
    // that moves it in the same frame.
    ClearTargets();
    AddTarget(400, 300, 1, 1);
    Target& t = Targets.first->record;
    for (int turn = 0; turn < 100; turn++) {
        TargetSpin = 360;
        t.y = 300;
        UpdateTargets();
        ASSERT_EQ(TargetSpin, 0);
        EXPECT_LE(std::fabs(t.vx), 10.0f);
        EXPECT_LE(std::fabs(t.vy), 10.0f);
        EXPECT_FLOAT_EQ(t.vy * 10, std::round(t.vy * 10));
        EXPECT_FLOAT_EQ(t.y, 300 + t.vy);
    }
    // No hits left is still a target; one hit more destroys it and delivers its orb.
    ClearTargets();
    PickupsCarried = 2;
    AddTarget(200, 200, 0, 0, 0);
    AddTarget(600, 200, 0, 0, -1);
    UpdateTargets();
    ASSERT_EQ(Targets.count, 1);
    EXPECT_EQ(Targets.first->record.x, 200);
    EXPECT_EQ(PickupsCarried, 1);
    EXPECT_EQ(CountDots(1, 0.8f, 0.9f), 72);
}

// ================================================================ a cleaned sector
TEST_F(LevelEnd,
       CleanedSectorShowsCongratulationsUntilSpaceAtThe51stFrameAndTheNextSectorHasTwoMoreOrbs) {
    WriteFileBytes("startmap.map", std::vector<uint8_t>(40804, 0));
    Player.level = 2; // five orbs in this sector
    PickupsCarried = 1;
    ScriptSetKey(VK_SPACE, true);
    uint32_t roundEnd = 0, lastFrame = 0;
    int32_t fireCountAtEnd = -1, levelOnScreen = -1;
    Picture screen;
    EXPECT_TRUE(RunMode(LevelEndMode, 500, [&](uint32_t f) {
        lastFrame = f;
        if (f == 1) PinTarget(400, 300);
        if (roundEnd == 0 && PickupsCarried == 0) roundEnd = f, fireCountAtEnd = Visit("fireCount");
        if (roundEnd && f == roundEnd + 10) screen = ReadBackBuffer(), levelOnScreen = Player.level;
    }));
    ASSERT_GT(roundEnd, 0u);
    EXPECT_EQ(lastFrame, roundEnd + 51 - fireCountAtEnd) << "space counts when the count passes 50";
    EXPECT_EQ(levelOnScreen, 3);
    EXPECT_EQ(GameMode, MODE_PLAY);
    EXPECT_EQ(PlayEntry, PLAY_NEXT_SECTOR);
    EXPECT_TRUE(MatchesGolden(screen, "levelend_congratulations"));
    EXPECT_FALSE(RunMode(PlayMode, 1));
    EXPECT_EQ(PickupsLeft, 7);
    EXPECT_EQ(Pickups.count, 7);
}

} // namespace
