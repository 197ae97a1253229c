// level_end_test.cpp - the target round (time-out, volleys, bursts, crosshair, targets' drift,
// Escape) and the congratulations screen.
#include "between/level_end_mode.h"
#include "objects/targets.h"
#include "objects/volley_shots.h"
#include "render/draw.h"
#include "render/text.h"
#include "tests/scenario.h"

namespace {

using LevelEnd = Scenario;

void AddTarget(float x, float y, float vx = 0, float vy = 0, int32_t hits = TARGET_HITS) {
    *ListAppend(Targets) = Target{x, y, vx, vy, hits, 0};
}

// The first target held still at a place, so that a volley aimed there is sure to meet it.
void PinTarget(float x, float y) {
    Targets.first->record = Target{x, y, 0, 0, TARGET_HITS, 0};
}

// True when the pixels the time text covers (same over black and white) show it in the frame.
bool ShowsTimeText(const Picture& frame, const char* text) {
    Picture over[2];
    for (int i = 0; i < 2; i++) {
        ClearDisplay();
        Begin2D(800, 600);
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

TEST_F(LevelEnd, RoundThatTimesOutShowsTimeMinusOneLastAndPutsTheSurvivorsBack) {
    PickupsCarried = 3;
    Player.level = 4;
    CameraX = 1234.5f, CameraY = 777.75f;
    for (int vk : {VK_RIGHT, VK_UP}) ScriptSetKey(vk, true);
    std::vector<int32_t> time{INT32_MIN};
    Picture last[2];
    const uint32_t frames = Run(LevelEndMode, 5000, [&](uint32_t f) {
        time.push_back(Visit("time"));
        if (f == 1) {
            EXPECT_EQ(std::tuple(CameraX, CameraY, Targets.count), std::tuple(0.f, 0.f, 3));
            for (auto* n = Targets.first; n; n = n->next)
                EXPECT_FLOAT_EQ(n->record.vx * 10, std::round(n->record.vx * 10)) << "tenths";
        }
        // Right and up into the clamp, then left and down into the other corner.
        if (f == 100 || f == 250) {
            EXPECT_EQ(std::pair(Visit("cursorX"), Visit("cursorY")),
                      f == 100 ? std::pair(780, 20) : std::pair(20, 580));
        }
        if (f == 100) {
            ScriptSetKey(VK_RIGHT, false), ScriptSetKey(VK_UP, false);
            ScriptSetKey(VK_LEFT, true), ScriptSetKey(VK_DOWN, true);
        }
        if (f == 2000 || f == 2001) last[f - 2000] = ReadBackBuffer();
        RenderEnabled = f >= 1999; // only the last two frames are looked at
    });
    EXPECT_EQ(std::tuple(frames, time[1], time[2001]), std::tuple(2001u, 1999, -1));
    EXPECT_TRUE(ShowsTimeText(last[0], "TIME 0"));
    EXPECT_TRUE(ShowsTimeText(last[1], "TIME -1"));
    EXPECT_FALSE(ShowsTimeText(last[1], "TIME 0"));
    // The three survivors lie in the sector again, each at a cell centre.
    EXPECT_EQ(std::tuple(PickupsCarried, PickupsLeft, Targets.count), std::tuple(0, 3, 0));
    for (auto* n = Pickups.first; n; n = n->next)
        EXPECT_EQ(int(n->record.x) % 64 + int(n->record.y) % 64, 64);
    EXPECT_EQ(std::tuple(GameMode, PlayEntry, Player.level), std::tuple(MODE_PLAY, PLAY_RESUME, 4));
    EXPECT_EQ(std::pair(CameraX, CameraY), std::pair(1234.f, 778.f)) << "rounded, halves to even";
    EXPECT_EQ(VisitText("mode"), "\"\"");
}

TEST_F(LevelEnd, VolleysEvery11thFrameHitFourTimesAndACleanedSectorShowsCongratulations) {
    Player.level = 2; // five orbs in this sector
    PickupsCarried = 1;
    std::vector<uint32_t> volleys;
    std::vector<int32_t> hits{TARGET_HITS};
    int32_t shots = 0, levelOnScreen = -1, fireCountAtEnd = -1;
    uint32_t roundEnd = 0;
    Picture secondBurst, screen;
    const uint32_t frames = Run(LevelEndMode, 500, [&](uint32_t f) {
        if (f == 1) PinTarget(400, 300);
        if (VolleyShots.count > shots) volleys.push_back(f);
        shots = VolleyShots.count;
        ScriptSetKey(VK_SPACE, volleys.size() < 3 || roundEnd); // three volleys, then answer
        if (Targets.count && Targets.first->record.hits != hits.back()) {
            hits.push_back(Targets.first->record.hits);
            if (hits.size() == 3) secondBurst = ReadBackBuffer();
        }
        if (roundEnd == 0 && PickupsCarried == 0) { // the round ends with its last target
            roundEnd = f, fireCountAtEnd = Visit("fireCount");
            EXPECT_EQ(Targets.count, 0);
            EXPECT_EQ(CountDots(1, 1, 1), 12 * 36) << "a ring of sparks for each hit";
            EXPECT_EQ(CountDots(1, 0.8f, 0.9f), 72) << "a ring for the destroyed target";
        }
        if (roundEnd && f == roundEnd + 10) screen = ReadBackBuffer(), levelOnScreen = Player.level;
    });
    EXPECT_EQ(volleys, (std::vector<uint32_t>{11, 22, 33}));
    EXPECT_EQ(hits, (std::vector<int32_t>{9, 5, 1, -3})) << "four hits a volley";
    ASSERT_GT(roundEnd, 0u);
    EXPECT_EQ(frames, roundEnd + 51 - fireCountAtEnd) << "space counts when the count passes 50";
    EXPECT_EQ(levelOnScreen, 3);
    EXPECT_EQ(std::tuple(GameMode, PlayEntry), std::tuple(MODE_PLAY, PLAY_NEXT_SECTOR));
    EXPECT_TRUE(MatchesGolden(secondBurst, "levelend_round"));
    EXPECT_TRUE(MatchesGolden(screen, "levelend_congratulations"));
    Play(PLAY_NEXT_SECTOR, 1);
    EXPECT_EQ(std::pair(PickupsLeft, Pickups.count), std::pair(7, 7));

    // With orbs still lying about, play resumes in the same sector.
    ScatterPickups(2);
    PickupsCarried = 1;
    ScriptSetKey(VK_SPACE, true);
    Run(LevelEndMode, 500, [&](uint32_t f) {
        if (f == 1) PinTarget(400, 300);
    });
    EXPECT_EQ(std::tuple(GameMode, PlayEntry, Player.level, PickupsCarried, PickupsLeft),
              std::tuple(MODE_PLAY, PLAY_RESUME, 3, 0, 9));
}

TEST_F(LevelEnd, BurstHitsEveryTargetCloserThan40PixelsAndOnlyShotsCloserThan30ToTheirAimBurst) {
    // Distances from the burst at (300, 300): 0, 39, 39.9, exactly 40, 41.
    for (auto [x, y] : {std::pair{300.f, 300.f}, {300, 261}, {339.9f, 300}, {324, 332}, {259, 300}})
        AddTarget(x, y);
    *ListAppend(VolleyShots) = VolleyShot{300, 300, 0, 0, 300, 300};
    *ListAppend(VolleyShots) = VolleyShot{500, 500, 0, 0, 500, 530};  // 30 away: flies on
    *ListAppend(VolleyShots) = VolleyShot{486, 100, 14, 0, 500, 129}; // moves to 29 away
    UpdateVolleyShots();
    std::vector<int32_t> hitsAndFlash;
    for (auto* n = Targets.first; n; n = n->next)
        hitsAndFlash.push_back(n->record.hits * 10 + n->record.flash);
    EXPECT_EQ(hitsAndFlash, (std::vector<int32_t>{81, 81, 81, 90, 90}));
    EXPECT_EQ(CountDots(1, 1, 1), 3 * 36);
    ASSERT_EQ(VolleyShots.count, 1);
    EXPECT_EQ(VolleyShots.first->record.y, 500);
}

TEST_F(LevelEnd, AVolleyAimedAtACornerFliesWithoutNaNAndEscapeEndsTheGameAtOnce) {
    AddTarget(40, 40);
    FireVolley(40, 40); // the corner's own shot has no direction and bursts on its first move
    UpdateVolleyShots();
    EXPECT_EQ(std::pair(Targets.first->record.hits, VolleyShots.count), std::pair(8, 3));
    for (auto* n = VolleyShots.first; n; n = n->next)
        EXPECT_TRUE(std::isfinite(n->record.vx) && std::isfinite(n->record.vy));
    // Chosen: Escape ends the game at once; nothing is scattered and no sector is cleaned.
    PickupsCarried = 1;
    CameraX = 640, CameraY = 320;
    ScriptSetKey(VK_ESCAPE, true);
    EXPECT_EQ(Run(LevelEndMode, 100), 1u);
    EXPECT_EQ(std::tuple(GameMode, PickupsLeft, Player.level), std::tuple(MODE_HIGHSCORES, 0, 0));
    EXPECT_EQ(std::tuple(Targets.count, VolleyShots.count, CameraX, CameraY),
              std::tuple(0, 0, 640.f, 320.f));
}

TEST_F(LevelEnd, TargetsWrapAtTheEdgesRenewTheirDriftEachTurnAndGoBelowZeroHits) {
    auto whole = [](float Target::*field) {
        std::vector<int> v;
        for (auto* n = Targets.first; n; n = n->next)
            v.push_back(int(std::round(n->record.*field)));
        return v;
    };
    // The spin turns once per target: 90 to 92 move them sideways, where they wrap round by
    // 800 (800 itself is on the field).
    TargetSpin = 89;
    AddTarget(799, 300, 5, 0);
    AddTarget(1, 300, -5, 0);
    AddTarget(800, 300);
    UpdateTargets();
    EXPECT_EQ(TargetSpin, 92);
    EXPECT_EQ(whole(&Target::x), (std::vector<int>{4, 796, 800}));
    // 359 and 360 move them up and down: past the band they jump to its other edge.
    ClearTargets();
    TargetSpin = 358;
    AddTarget(400, 578, 0, 5);
    AddTarget(400, 22, 0, -5);
    UpdateTargets();
    EXPECT_EQ(whole(&Target::y), (std::vector<int>{20, 580}));
    // Past 360 the spin starts again at 0 and the target draws a new drift, in tenths up to 10,
    // that moves it in the same frame.
    ClearTargets();
    AddTarget(400, 300, 1, 1);
    Target& t = Targets.first->record;
    for (int turn = 0; turn < 100; turn++) {
        TargetSpin = 360, t.y = 300;
        UpdateTargets();
        ASSERT_TRUE(TargetSpin == 0 && std::fabs(t.vx) <= 10 && std::fabs(t.vy) <= 10) << t.vx;
        ASSERT_FLOAT_EQ(t.vy * 10, std::round(t.vy * 10));
        ASSERT_FLOAT_EQ(t.y, 300 + t.vy);
    }
    // No hits left is still a target; one hit more destroys it and delivers its orb.
    ClearTargets();
    PickupsCarried = 2;
    AddTarget(200, 200, 0, 0, 0);
    AddTarget(600, 200, 0, 0, -1);
    UpdateTargets();
    EXPECT_EQ(whole(&Target::x), std::vector<int>{200});
    EXPECT_EQ(std::pair(PickupsCarried, CountDots(1, 0.8f, 0.9f)), std::pair(1, 72));
}

} // namespace
