// soak_test.cpp - an hour of seeded random play through every mode: no fault, lists bounded,
// no heap creep. MORVEXA_SOAK_FRAMES (288000), MORVEXA_SOAK_SEED (1), MORVEXA_SOAK_DRAW (0).
#include <gtest/gtest.h>

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <iterator>
#include <random>

#include "core/globals.h"
#include "core/level_map.h"
#include "core/player.h"
#include "frontend/highscores.h"
#include "objects/back_panels.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "objects/targets.h"
#include "objects/volley_shots.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/play_frame.h"
#include "render/display.h"
#include "tests/testkit.h"

// AddressSanitizer's allocator, when it is linked in, counts the live heap; glibc's otherwise.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace {

long long LiveHeapBytes() {
    if (__sanitizer_get_current_allocated_bytes)
        return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
    return static_cast<long long>(mallinfo2().uordblks);
}

uint32_t EnvNumber(const char* name, uint32_t fallback) {
    const char* v = std::getenv(name);
    return v && *v ? uint32_t(std::strtoul(v, nullptr, 10)) : fallback;
}

// The congratulations screen runs inside the level-end mode while GameMode says play.
enum { CONGRATULATIONS = 5, MODES = 6 };
const char* const MODE_NAMES[MODES] = {"menu", "play",      "high scores",
                                       "shop", "level end", "congratulations"};

template <auto& list> long long ListBytes() {
    long long nodes = list.count;
    for (auto* n = list.spare; n; n = n->next) nodes++;
    return nodes * static_cast<long long>(sizeof(*list.first));
}

// Each list, the most it held, and the most it may hold (0: checked apart).
struct Watched {
    const char* name;
    const int32_t& count;
    long long (*bytes)();
    int32_t limit, peak = 0;
};
Watched watched[] = {
    {"drones", Enemies.count, ListBytes<Enemies>, 0},
    {"shots", Shots.count, ListBytes<Shots>, 3000}, // ten a trigger, short-lived
    {"sprite particles", SpriteParticles.count, ListBytes<SpriteParticles>, 20000},
    {"dot particles", DotParticles.count, ListBytes<DotParticles>, 20000},
    {"orbs", Pickups.count, ListBytes<Pickups>, PICKUPS_MAX},
    {"panels", BackPanels.count, ListBytes<BackPanels>, 0},
    {"targets", Targets.count, ListBytes<Targets>, PICKUPS_MAX},
    {"volley shots", VolleyShots.count, ListBytes<VolleyShots>, 2000},
    {"arrival points", TeleportTargets.count, ListBytes<TeleportTargets>, 0},
    {"score entries", HighScores.count, ListBytes<HighScores>, 0},
};

long long HeapOutsideLists() {
    long long heap = LiveHeapBytes();
    for (const Watched& w : watched) heap -= w.bytes();
    return heap;
}

// Key bits in the order of KEYS; F2 to F5 follow F1.
constexpr uint32_t K_LEFT = 1, K_RIGHT = 2, K_UP = 4, K_DOWN = 8, K_SPACE = 16, K_ESCAPE = 32,
                   K_F1 = 64;
const int KEYS[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE, VK_ESCAPE,
                    VK_F1,   VK_F2,    VK_F3, VK_F4,   VK_F5};
enum Warp { NO_WARP, ONTO_SHOP, ONTO_ORB, ONTO_BASE };
struct Hold {
    uint32_t keys;
    int frames;
    Warp warp = NO_WARP; // before the keys go down
};

struct SoakPlayer {
    std::mt19937 random;
    int mode = -1, cursor = 0, playFrames = 0, gameLength = 0, nextTrip = 0, sectorFrames = 0;
    uint32_t held = 0;
    bool aiming = false; // in this target round
    int roundFrames = 0, roundEscapeAt = -1, crossX = 400, crossY = 300;
    std::deque<Hold> plan;
    std::vector<std::string> faults;
    uint32_t visits[MODES] = {}, frames[MODES] = {}, games = 0, sectors = 0, shopTrips = 0,
             baseTrips = 0, saves = 0, bought = 0;
    int32_t highestSector = 0, longestGame = 0;
    std::vector<long long> heapAtNewGame;

    int Roll(int n) { return int(random() % uint32_t(n)); }
    void Then(uint32_t keys, int holdFrames, int pause) {
        plan.push_back({keys, holdFrames}), plan.push_back({0, pause});
    }
    // Menus poll every 16th frame (the shop every 8th): a hold that long meets one poll.
    void PlanMenu() {
        plan.push_back({0, Roll(10) == 0 ? 600 + Roll(1400) : 1 + Roll(200)}); // the credits
        for (int n = Roll(3); n > 0; n--) {                                    // there and back
            const uint32_t first = Roll(2) ? K_UP : K_DOWN;
            Then(first, 16, 4 + Roll(20)), Then(first ^ (K_UP | K_DOWN), 16, 4 + Roll(20));
        }
        Then(Roll(4) == 0 ? K_SPACE : K_UP | K_SPACE, 16, 40); // "HIGHSCORES" or "START GAME"
    }
    void PlanHighScores() { // opens on "SAVE SCORES"
        plan.push_back({0, 16 + Roll(300)});
        cursor = 1;
        if (Roll(4) == 0) Then(K_UP | K_SPACE, 16, 8), cursor = 0; // "RESET SCORES"
        if (Roll(2) == 0) {
            if (cursor == 0) Then(K_DOWN, 16, 8), cursor = 1;
            Then(K_SPACE, 16, 8), saves++;
        }
        for (; cursor != 2; cursor++) Then(K_DOWN, 16, 8);
        Then(K_SPACE, 16, 40); // "BACK TO MENU"
    }
    void PlanShop() { // six items, "EXIT SHOP" last; the cursor wraps
        plan.push_back({0, 8 + Roll(60)});
        for (int n = Roll(8), step; n > 0; n--) {
            if ((step = Roll(3)) < 2)
                Then(step ? K_DOWN : K_UP, 8, 8), cursor += step ? 1 : 5;
            else if (cursor % 6 != 5)
                Then(K_SPACE, 8, 8), bought++;
        }
        for (; cursor % 6 != 5; cursor++) Then(K_DOWN, 8, 8);
        Then(K_SPACE, 8, 24);
    }
    void PlanPlay() {
        if (playFrames >= gameLength) return Then(K_ESCAPE, 2, 40);
        if (playFrames >= nextTrip) { // long stretches between, so that drone waves gather
            nextTrip = playFrames + 600 + Roll(Roll(3) == 0 ? 6000 : 1500);
            if (Roll(2) == 0 || PickupsLeft == 0) {
                plan.push_back({0, 3, ONTO_SHOP}), shopTrips++;
            } else {
                for (int k = 0; k < PickupsLeft; k++) plan.push_back({0, 3, ONTO_ORB});
                plan.push_back({0, 3, ONTO_BASE}), baseTrips++;
            }
            return Then(K_DOWN, 12, 30); // a machine opens 120 frames after its last use
        }
        uint32_t keys = 0; // walking, flying, firing, now and then a weapon key or down
        if (Roll(3) == 0) keys |= Roll(2) ? K_LEFT : K_RIGHT;
        if (Roll(3) == 0) keys |= K_UP;
        if (Roll(2) == 0) keys |= K_SPACE;
        if (Roll(12) == 0) keys |= K_DOWN;
        if (Roll(10) == 0) plan.push_back({K_F1 << Roll(5), 1});
        plan.push_back({keys, 2 + Roll(60)});
    }
    void PlanRound() { // aimed at a target, or at random
        if (aiming && Targets.first) {
            const Target& t = Targets.first->record;
            const uint32_t x = t.x < crossX - 4 ? K_LEFT : t.x > crossX + 4 ? K_RIGHT : 0;
            const uint32_t y = t.y < crossY - 4 ? K_UP : t.y > crossY + 4 ? K_DOWN : 0;
            return plan.push_back({x | y | K_SPACE, 1});
        }
        uint32_t keys = 0;
        if (Roll(2)) keys |= Roll(2) ? K_LEFT : K_RIGHT;
        if (Roll(2)) keys |= Roll(2) ? K_UP : K_DOWN;
        if (Roll(2)) keys |= K_SPACE;
        plan.push_back({keys, 1 + Roll(30)});
    }
    void Put(Warp warp) { // where a player would have walked or flown
        if (warp == ONTO_ORB && Pickups.first)
            Player.x = Pickups.first->record.x, Player.y = Pickups.first->record.y;
        if (warp != ONTO_SHOP && warp != ONTO_BASE) return;
        std::vector<std::pair<int, int>> spots; // a machine's cell with free space above
        for (int col = 0; col < MAP_SIZE; col++)
            for (int row = 1; row < MAP_SIZE; row++)
                if (LevelMap[col][row - 1] == 0 &&
                    (LevelMap[col][row] | 1) == (warp == ONTO_SHOP ? 19 : 23))
                    spots.push_back({col, row});
        if (spots.empty()) return;
        const auto [col, row] = spots[size_t(Roll(int(spots.size())))];
        Player.x = float(MAP_CELL * col + MAP_CELL / 2),
        Player.y = float(MAP_CELL * row - MAP_CELL / 2);
    }
    void Enter(int next) {
        mode = next, plan.clear(), cursor = 0;
        visits[mode]++;
        if (mode == MODE_LEVEL_END) {
            aiming = Roll(3) != 0, roundEscapeAt = Roll(20) == 0 ? Roll(1500) : -1;
            roundFrames = 0, crossX = 400, crossY = 300;
        }
        if (mode != MODE_PLAY || (PlayEntry != PLAY_NEW_GAME && PlayEntry != PLAY_NEXT_SECTOR))
            return;
        sectorFrames = 0; // the drones were cleared, the orbs laid out
        if (PlayEntry == PLAY_NEXT_SECTOR) return void(sectors++);
        games++, longestGame = std::max(longestGame, playFrames), playFrames = 0;
        gameLength = 1500 + Roll(Roll(5) == 0 ? 30000 : 6000);
        nextTrip = 200 + Roll(600);
        heapAtNewGame.push_back(HeapOutsideLists());
    }
    void Fault(uint32_t frame, const std::string& what) {
        if (faults.size() < 20) faults.push_back("frame " + std::to_string(frame) + ": " + what);
    }
    void Check(uint32_t frame) {
        for (Watched& w : watched) {
            w.peak = std::max(w.peak, w.count);
            if (w.limit && w.count > w.limit) Fault(frame, std::string(w.name) + " pile up");
        }
        highestSector = std::max(highestSector, Player.level);
        if (Pickups.count != PickupsLeft) Fault(frame, "the orb list and PickupsLeft disagree");
        if (PickupsLeft + PickupsCarried > PICKUPS_MAX) Fault(frame, "more than 16 orbs");
        if (Enemies.count > 12 * (sectorFrames / 1201 + 1)) // a wave of 12 every 1201 frames
            Fault(frame, "more drones than the waves sent: " + std::to_string(Enemies.count));
        if (TeleportTargets.count != TeleportTargetCount) Fault(frame, "arrival points miscounted");
    }
    bool OnFrame(uint32_t frame, uint32_t last) { // false ends the run
        const int now = ActivePlayVisit                                          ? MODE_PLAY
                        : GameMode == MODE_PLAY && PlayEntry == PLAY_NEXT_SECTOR ? CONGRATULATIONS
                                                                                 : GameMode;
        if (now >= 0 && now < MODES) frames[now]++;
        if (now == MODE_PLAY) playFrames++, sectorFrames++;
        if (now == MODE_LEVEL_END) { // the crosshair moved by the keys held in this frame
            roundFrames++;
            crossX = std::clamp(crossX + 6 * (!!(held & K_RIGHT) - !!(held & K_LEFT)), 20, 780);
            crossY = std::clamp(crossY + 6 * (!!(held & K_DOWN) - !!(held & K_UP)), 20, 580);
        }
        Check(frame);
        if (frame >= last) return longestGame = std::max(longestGame, playFrames), false;
        if (now != mode && now >= 0 && now < MODES) Enter(now);
        // In the frame a mode hands over (GameMode already names the next) no keys are held.
        if (GameMode != MODE_PLAY ? now != GameMode : now == MODE_PLAY && !ActivePlayVisit)
            plan.assign(1, {0, 1});
        else if (mode == MODE_LEVEL_END && roundFrames == roundEscapeAt)
            plan.assign(1, {K_ESCAPE, 2});
        if (plan.empty()) {
            if (mode == MODE_MENU) PlanMenu();
            if (mode == MODE_HIGHSCORES) PlanHighScores();
            if (mode == MODE_SHOP) PlanShop();
            if (mode == MODE_PLAY) PlanPlay();
            if (mode == MODE_LEVEL_END) PlanRound();
            if (mode == CONGRATULATIONS) plan.push_back({K_SPACE, 60}); // read every 51st
        }
        Hold& hold = plan.front();
        if (hold.warp) Put(hold.warp), hold.warp = NO_WARP;
        for (int k = 0; k < int(std::size(KEYS)); k++) ScriptSetKey(KEYS[k], (hold.keys >> k) & 1);
        held = hold.keys;
        if (--hold.frames <= 0) plan.pop_front();
        return true;
    }
};

} // namespace

TEST(Soak, SeededRandomPlayThroughEveryModeNeverFaultsAndKeepsMemoryBounded) {
    const uint32_t frames = EnvNumber("MORVEXA_SOAK_FRAMES", 288000);
    const uint32_t seed = EnvNumber("MORVEXA_SOAK_SEED", 1),
                   draw = EnvNumber("MORVEXA_SOAK_DRAW", 0);
    TempDir dir(true);
    WriteFileBytes("startmap.map", ReadFileBytes(SourcePath("assets/startmap.map")));
    WriteFileBytes("scores.dat", {}); // ten empty rows: the table grows with every game
    SoakPlayer p;
    p.random.seed(seed);
    const auto start = std::chrono::steady_clock::now();
    uint32_t clock = SCRIPT_CLOCK_START;
    const ScriptedRun run = RunScriptedGame("", [&](uint32_t frame) {
        RenderEnabled = draw != 0;
        clock = GetTickCount();
        return p.OnFrame(frame, frames);
    });
    RenderEnabled = true;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);

    std::printf("soak: seed %u, %u frames (%.0f s of virtual play) in %.1f s, drawing %s\n", seed,
                run.frames, (clock - SCRIPT_CLOCK_START) / 1000.0,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                draw ? "on" : "off");
    for (int m = 0; m < MODES; m++)
        std::printf("soak:   %-16s %7u visits %9u frames\n", MODE_NAMES[m], p.visits[m],
                    p.frames[m]);
    std::printf("soak: %u games (longest %d frames), %u sectors cleaned (highest sector %d), %u "
                "shop trips (%u purchases tried), %u base trips, %u saves\nsoak: peak list sizes:",
                p.games, p.longestGame, p.sectors, p.highestSector, p.shopTrips, p.bought,
                p.baseTrips, p.saves);
    for (const Watched& w : watched) std::printf(" %s %d", w.name, w.peak);
    std::printf("\nsoak: heap outside lists at each new game (KiB):");
    for (long long h : p.heapAtNewGame) std::printf(" %lld", h / 1024);
    std::printf("\nsoak: peak resident %ld KiB\n", usage.ru_maxrss);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.frames, frames) << "the game ended before the soak did";
    for (const std::string& fault : p.faults) ADD_FAILURE() << fault;
    for (int m = 0; m < MODES; m++) EXPECT_GT(p.visits[m], 0u) << MODE_NAMES[m] << " never visited";
    // Every later new game starts within 1 MiB of the first two's heap.
    if (p.heapAtNewGame.size() < 3) return (void)std::printf("soak: too few games to judge\n");
    const long long settled = std::max(p.heapAtNewGame[0], p.heapAtNewGame[1]);
    for (size_t g = 2; g < p.heapAtNewGame.size(); g++)
        EXPECT_LE(p.heapAtNewGame[g], settled + (1 << 20)) << "game " << g + 1;
}
