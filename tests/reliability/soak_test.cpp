// soak_test.cpp - a long run of the whole game with random but seeded input through every
// mode, checking that it never faults and that its memory stays bounded.
//
// Sections: 1. settings and figures  2. memory  3. the player's choices  4. the checks
//           5. the run
//
//   MORVEXA_SOAK_FRAMES   drawn frames to play (default 288000: an hour at 80 a second)
//   MORVEXA_SOAK_SEED     the input's seed (default 1)
//   MORVEXA_SOAK_DRAW     1: draw every frame (default 0: game logic alone)
//
// The run starts the game as the driver does (scripted backend, virtual clock) and plays it
// from the frame hook: the menu (browsing, credits, "START GAME" or "HIGHSCORES"), play
// (random walking, flying, firing and weapon keys; games end by Escape or by energy), the
// high scores (reset, save, back), the shop (browsing, buying, "EXIT SHOP") and the target
// round (random or aimed), with the congratulations screen when a sector is cleaned. Random
// keys alone seldom find a machine, so now and then the robot is put on a shop terminal, or
// on each orb in turn and then on a base, and presses down there, as a player would.
//
// Memory: every list's size is checked against what the game can make of it each frame; the
// heap outside the list records (live bytes, from the sanitizer's allocator or malloc) is
// taken at each new game and must not creep upward; the resident size is reported. The
// figures are printed at the end. With drawing off an hour takes seconds, so the suites
// play the whole hour, under AddressSanitizer too; scripts/soak.sh runs other lengths,
// seeds and drawing.
#include <gtest/gtest.h>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/state_dump.h"
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
#include "play/level_map.h"
#include "play/play_frame.h"
#include "play/player.h"
#include "render/display.h"
#include "tests/testkit.h"

#if defined(__SANITIZE_ADDRESS__)
#define MVX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MVX_ASAN 1
#endif
#endif
#ifdef MVX_ASAN
#include <sanitizer/allocator_interface.h>
#endif

// ================================================================ 1. settings and figures
namespace {

uint32_t EnvNumber(const char* name, uint32_t fallback) {
    const char* v = std::getenv(name);
    return v && *v ? uint32_t(std::strtoul(v, nullptr, 10)) : fallback;
}

// The congratulations screen runs inside the level-end mode after GameMode says play.
constexpr int MODE_CONGRATULATIONS = 5;
constexpr int MODES = 6;
const char* const MODE_NAMES[MODES] = {"menu", "play",      "high scores",
                                       "shop", "level end", "congratulations"};

constexpr int32_t DRONE_WAVE = 12;
constexpr int32_t DRONE_WAVE_FRAMES = 1201;

struct ListPeaks {
    int32_t enemies = 0, shots = 0, sprites = 0, dots = 0, pickups = 0, panels = 0, targets = 0,
            volleys = 0, arrivals = 0, scores = 0;
};

struct SoakFigures {
    uint32_t frames = 0;
    uint32_t modeFrames[MODES] = {};
    uint32_t modeVisits[MODES] = {};
    uint32_t games = 0, sectorsCleaned = 0, shopTrips = 0, baseTrips = 0, bought = 0, saves = 0;
    int32_t highestSector = 0, longestGame = 0;
    ListPeaks peaks;
    std::vector<long long> heapAtNewGame; // bytes outside list records
    std::vector<long long> heapEvery4096; // live heap bytes every 4096 frames
    long long peakHeap = 0;
    long peakRssKiB = 0;
    uint32_t dumps = 0;
};

// ================================================================ 2. memory
long long LiveHeapBytes() {
#ifdef MVX_ASAN
    return (long long)__sanitizer_get_current_allocated_bytes();
#else
    return (long long)mallinfo2().uordblks;
#endif
}

template <typename T> long long ListBytes(const List<T>& list) {
    long long nodes = list.count;
    for (const typename List<T>::Node* n = list.spare; n; n = n->next) nodes++;
    return nodes * (long long)sizeof(typename List<T>::Node);
}

// Live heap bytes that are not list records (records are recycled, never returned: their
// count follows the largest each list has been).
long long HeapOutsideLists() {
    return LiveHeapBytes() - ListBytes(Enemies) - ListBytes(Shots) - ListBytes(SpriteParticles) -
           ListBytes(DotParticles) - ListBytes(Pickups) - ListBytes(BackPanels) -
           ListBytes(Targets) - ListBytes(VolleyShots) - ListBytes(TeleportTargets) -
           ListBytes(HighScores);
}

long ResidentKiB() {
    long pages = 0, resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakResidentKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// ================================================================ 3. the player's choices
const int GAME_KEYS[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE, VK_ESCAPE,
                         VK_F1,   VK_F2,    VK_F3, VK_F4,   VK_F5};
enum : uint32_t {
    K_LEFT = 1,
    K_RIGHT = 2,
    K_UP = 4,
    K_DOWN = 8,
    K_SPACE = 16,
    K_ESCAPE = 32,
    K_F1 = 64, // F2 to F5 follow
};

struct KeyHold {
    uint32_t keys;
    int frames;
    int warp = 0; // 1 onto a shop, 2 onto the next orb, 3 onto a base (before the keys)
};

// A machine's cell with free space above it, where a robot can stand.
struct Spot {
    int col, row;
};

std::vector<Spot> MachineSpots(int32_t left, int32_t right) {
    std::vector<Spot> spots;
    for (int col = 0; col < MAP_SIZE; col++)
        for (int row = 1; row < MAP_SIZE; row++) {
            const int32_t c = LevelMap[col][row];
            if ((c == left || c == right) && LevelMap[col][row - 1] == 0)
                spots.push_back({col, row});
        }
    return spots;
}

class SoakPlayer {
  public:
    SoakPlayer(uint32_t seed, uint32_t frames) : random_(seed), frames_(frames) {}

    // Called after every drawn frame; returns false to end the run.
    bool OnFrame(uint32_t frame);
    SoakFigures figures;
    std::vector<std::string> faults; // broken rules, with their frame

  private:
    int EffectiveMode() const;
    void EnterMode(int mode);
    void PlanMenu();
    void PlanHighScores();
    void PlanShop();
    void PlanPlay();
    void PlanRound();
    void Warp(int kind);
    void ApplyKeys(uint32_t keys);
    void Check(uint32_t frame);
    void Fault(uint32_t frame, const std::string& what);
    int Roll(int n) { return int(random_() % uint32_t(n)); }

    std::mt19937 random_;
    uint32_t frames_;
    int mode_ = -1;
    std::deque<KeyHold> plan_;
    uint32_t heldKeys_ = 0;
    // Per visit and per game.
    int cursor_ = 0;           // the menu's, the high scores' or the shop's selection
    int playFrames_ = 0;       // frames of the current game
    int gameLength_ = 0;       // Escape after this many frames of play
    int nextTrip_ = 0;         // play frame of the next trip to a machine
    int sinceSectorStart_ = 0; // frames since the drones were last cleared
    bool aiming_ = false;
    int roundEscapeAt_ = -1;
    int roundFrames_ = 0;
    int crossX_ = 400, crossY_ = 300;
};

int SoakPlayer::EffectiveMode() const {
    if (ActivePlayVisit) return MODE_PLAY;
    if (GameMode == MODE_PLAY && PlayEntry == PLAY_NEXT_SECTOR) return MODE_CONGRATULATIONS;
    return GameMode;
}

void SoakPlayer::ApplyKeys(uint32_t keys) {
    for (int k = 0; k < int(sizeof GAME_KEYS / sizeof GAME_KEYS[0]); k++)
        ScriptSetKey(GAME_KEYS[k], (keys >> k) & 1);
    heldKeys_ = keys;
}

// Menus read their keys every 16th frame (the shop every 8th): a hold of exactly that many
// frames meets one poll, so the planned cursor is the game's.
void SoakPlayer::PlanMenu() {
    plan_.push_back({0, Roll(10) == 0 ? 600 + Roll(1400) : 1 + Roll(200)}); // sometimes the credits
    for (int wiggle = Roll(3); wiggle > 0; wiggle--) { // there and back: the cursor ends on 1
        const uint32_t first = Roll(2) ? K_UP : K_DOWN;
        plan_.push_back({first, 16});
        plan_.push_back({0, 4 + Roll(20)});
        plan_.push_back({first == K_UP ? K_DOWN : K_UP, 16});
        plan_.push_back({0, 4 + Roll(20)});
    }
    if (Roll(4) == 0) {
        plan_.push_back({K_SPACE, 16}); // "HIGHSCORES", where the menu opens
    } else {
        plan_.push_back({K_UP | K_SPACE, 16}); // "START GAME"
    }
    plan_.push_back({0, 40});
}

void SoakPlayer::PlanHighScores() {
    cursor_ = 1; // "SAVE SCORES"
    plan_.push_back({0, 16 + Roll(300)});
    if (Roll(4) == 0) {
        plan_.push_back({K_UP | K_SPACE, 16}); // "RESET SCORES"
        cursor_ = 0;
        plan_.push_back({0, 8});
    }
    if (Roll(2) == 0) {
        if (cursor_ == 0) plan_.push_back({K_DOWN, 16}), plan_.push_back({0, 8});
        cursor_ = 1;
        plan_.push_back({K_SPACE, 16});
        plan_.push_back({0, 8});
        figures.saves++;
    }
    for (; cursor_ != 2; cursor_++) plan_.push_back({K_DOWN, 16}), plan_.push_back({0, 8});
    plan_.push_back({K_SPACE, 16}); // "BACK TO MENU"
    plan_.push_back({0, 40});
}

void SoakPlayer::PlanShop() {
    cursor_ = 0;
    plan_.push_back({0, 8 + Roll(60)});
    for (int choice = Roll(8); choice > 0; choice--) {
        switch (Roll(3)) {
        case 0: plan_.push_back({K_UP, 8}), cursor_ = (cursor_ + 5) % 6; break;
        case 1: plan_.push_back({K_DOWN, 8}), cursor_ = (cursor_ + 1) % 6; break;
        default:
            if (cursor_ == 5) break; // buying only: leaving comes last
            plan_.push_back({K_SPACE, 8});
            figures.bought++;
            break;
        }
        plan_.push_back({0, 8});
    }
    for (; cursor_ != 5; cursor_ = (cursor_ + 1) % 6)
        plan_.push_back({K_DOWN, 8}), plan_.push_back({0, 8});
    plan_.push_back({K_SPACE, 8}); // "EXIT SHOP"
    plan_.push_back({0, 24});
}

void SoakPlayer::PlanPlay() {
    if (playFrames_ >= gameLength_) {
        plan_.push_back({K_ESCAPE, 2});
        plan_.push_back({0, 40});
        return;
    }
    if (playFrames_ >= nextTrip_) {
        // Long stretches between trips, so that drone waves (every 1201 frames of a visit)
        // gather and are fought.
        nextTrip_ = playFrames_ + 600 + Roll(Roll(3) == 0 ? 6000 : 1500);
        if (Roll(2) == 0 || PickupsLeft == 0) {
            plan_.push_back({0, 3, 1});
            plan_.push_back({K_DOWN, 12}); // the shop opens when the last use is 120 frames past
            figures.shopTrips++;
        } else {
            for (int k = 0; k < PickupsLeft; k++) plan_.push_back({0, 3, 2}); // collect each orb
            plan_.push_back({0, 3, 3});
            plan_.push_back({K_DOWN, 12});
            figures.baseTrips++;
        }
        plan_.push_back({0, 30});
        return;
    }
    // Random play: walking, flying, firing, now and then a weapon key or the down arrow.
    uint32_t keys = 0;
    if (Roll(3) == 0) keys |= Roll(2) ? K_LEFT : K_RIGHT;
    if (Roll(3) == 0) keys |= K_UP;
    if (Roll(2) == 0) keys |= K_SPACE;
    if (Roll(12) == 0) keys |= K_DOWN;
    if (Roll(10) == 0) {
        plan_.push_back({K_F1 << Roll(5), 1});
    }
    plan_.push_back({keys, 2 + Roll(60)});
}

void SoakPlayer::PlanRound() {
    // One decision every few frames: aimed at the nearest target, or at random.
    uint32_t keys = 0;
    if (aiming_ && Targets.count > 0) {
        float best = 1e30f, tx = 400, ty = 300;
        for (const List<Target>::Node* n = Targets.first; n; n = n->next) {
            const float dx = n->record.x - float(crossX_), dy = n->record.y - float(crossY_);
            if (dx * dx + dy * dy < best)
                best = dx * dx + dy * dy, tx = n->record.x, ty = n->record.y;
        }
        if (tx < crossX_ - 4) keys |= K_LEFT;
        if (tx > crossX_ + 4) keys |= K_RIGHT;
        if (ty < crossY_ - 4) keys |= K_UP;
        if (ty > crossY_ + 4) keys |= K_DOWN;
        keys |= K_SPACE;
        plan_.push_back({keys, 1});
        return;
    }
    if (Roll(2)) keys |= Roll(2) ? K_LEFT : K_RIGHT;
    if (Roll(2)) keys |= Roll(2) ? K_UP : K_DOWN;
    if (Roll(2)) keys |= K_SPACE;
    plan_.push_back({keys, 1 + Roll(30)});
}

// Puts the robot on a machine or an orb, where a player would have walked or flown.
void SoakPlayer::Warp(int kind) {
    if (kind == 2) {
        if (Pickups.first) Player.x = Pickups.first->record.x, Player.y = Pickups.first->record.y;
        return;
    }
    const std::vector<Spot> spots = kind == 1 ? MachineSpots(18, 19) : MachineSpots(22, 23);
    if (spots.empty()) return;
    const Spot s = spots[size_t(Roll(int(spots.size())))];
    Player.x = float(MAP_CELL * s.col + MAP_CELL / 2);
    Player.y = float(MAP_CELL * s.row - MAP_CELL / 2);
}

void SoakPlayer::EnterMode(int mode) {
    mode_ = mode;
    plan_.clear();
    ApplyKeys(0);
    if (mode < 0 || mode >= MODES) return;
    figures.modeVisits[mode]++;
    if (mode == MODE_PLAY && (PlayEntry == PLAY_NEW_GAME || PlayEntry == PLAY_NEXT_SECTOR)) {
        // A new game or sector has just cleared the drones and laid out the orbs.
        sinceSectorStart_ = 0;
        if (PlayEntry == PLAY_NEW_GAME) {
            figures.games++;
            figures.longestGame = std::max(figures.longestGame, playFrames_);
            playFrames_ = 0;
            gameLength_ = 1500 + Roll(Roll(5) == 0 ? 30000 : 6000);
            nextTrip_ = 200 + Roll(600);
            const long long heap = HeapOutsideLists();
            figures.heapAtNewGame.push_back(heap);
        } else {
            figures.sectorsCleaned++;
        }
    }
    if (mode == MODE_LEVEL_END) {
        aiming_ = Roll(3) != 0;
        roundEscapeAt_ = Roll(20) == 0 ? Roll(1500) : -1;
        roundFrames_ = 0;
        crossX_ = 400, crossY_ = 300;
    }
}

// ================================================================ 4. the checks
void SoakPlayer::Fault(uint32_t frame, const std::string& what) {
    if (faults.size() < 20) faults.push_back("frame " + std::to_string(frame) + ": " + what);
}

void SoakPlayer::Check(uint32_t frame) {
    ListPeaks& p = figures.peaks;
    p.enemies = std::max(p.enemies, Enemies.count);
    p.shots = std::max(p.shots, Shots.count);
    p.sprites = std::max(p.sprites, SpriteParticles.count);
    p.dots = std::max(p.dots, DotParticles.count);
    p.pickups = std::max(p.pickups, Pickups.count);
    p.panels = std::max(p.panels, BackPanels.count);
    p.targets = std::max(p.targets, Targets.count);
    p.volleys = std::max(p.volleys, VolleyShots.count);
    p.arrivals = std::max(p.arrivals, TeleportTargets.count);
    p.scores = std::max(p.scores, HighScores.count);
    figures.highestSector = std::max(figures.highestSector, Player.level);

    // What the game can make of each list.
    if (Pickups.count != PickupsLeft) Fault(frame, "the orb list and PickupsLeft disagree");
    if (PickupsLeft + PickupsCarried > PICKUPS_MAX) Fault(frame, "more than 16 orbs in a sector");
    if (Enemies.count > DRONE_WAVE * (sinceSectorStart_ / DRONE_WAVE_FRAMES + 1))
        Fault(frame, "more drones than the waves sent: " + std::to_string(Enemies.count));
    if (Targets.count > PICKUPS_MAX) Fault(frame, "more targets than orbs");
    if (TeleportTargets.count != TeleportTargetCount) Fault(frame, "arrival points miscounted");
    // Shots live at most a few hundred frames, ten to a trigger; particles a few hundred.
    if (Shots.count > 3000) Fault(frame, "shots pile up: " + std::to_string(Shots.count));
    if (SpriteParticles.count > 20000 || DotParticles.count > 20000)
        Fault(frame, "particles pile up");
    if (VolleyShots.count > 2000) Fault(frame, "volley shots pile up");

    if (frame % 4096 == 0) {
        figures.peakHeap = std::max(figures.peakHeap, LiveHeapBytes());
        figures.heapEvery4096.push_back(LiveHeapBytes());
        // The state dump reads every list: it must stay a whole JSON object for this frame.
        const std::string dump = DumpState(frame);
        const std::string head = "{\"frame\":" + std::to_string(frame) + ",";
        if (dump.compare(0, head.size(), head) != 0 || dump.size() < 3 ||
            dump[dump.size() - 2] != '}')
            Fault(frame, "the state dump is cut: " + dump.substr(0, 40));
        figures.dumps++;
    }
}

bool SoakPlayer::OnFrame(uint32_t frame) {
    if (frame == 1) RenderEnabled = EnvNumber("MORVEXA_SOAK_DRAW", 0) != 0;
    figures.frames = frame;
    const int mode = EffectiveMode();
    if (mode >= 0 && mode < MODES) figures.modeFrames[mode]++;
    if (mode == MODE_PLAY) playFrames_++, sinceSectorStart_++;
    if (mode == MODE_LEVEL_END) {
        // The crosshair moved by the keys held in this frame.
        roundFrames_++;
        crossX_ += 6 * (((heldKeys_ & K_RIGHT) != 0) - ((heldKeys_ & K_LEFT) != 0));
        crossY_ += 6 * (((heldKeys_ & K_DOWN) != 0) - ((heldKeys_ & K_UP) != 0));
        crossX_ = std::clamp(crossX_, 20, 780);
        crossY_ = std::clamp(crossY_, 20, 580);
    }
    Check(frame);
    if (frame >= frames_) {
        figures.longestGame = std::max(figures.longestGame, playFrames_); // the game still on
        return false;
    }

    // The frame in which a mode hands over (GameMode already names the next one while the
    // old one finishes its frame) holds no keys, so the next mode starts clean.
    const bool handing =
        GameMode != MODE_PLAY ? mode != GameMode : mode == MODE_PLAY && !ActivePlayVisit;
    if (mode != mode_) EnterMode(mode);
    if (handing) {
        ApplyKeys(0);
        plan_.clear();
        return true;
    }
    if (mode == MODE_LEVEL_END && roundFrames_ == roundEscapeAt_) plan_.assign(1, {K_ESCAPE, 2});

    if (plan_.empty()) {
        switch (mode) {
        case MODE_MENU: PlanMenu(); break;
        case MODE_HIGHSCORES: PlanHighScores(); break;
        case MODE_SHOP: PlanShop(); break;
        case MODE_PLAY: PlanPlay(); break;
        case MODE_LEVEL_END: PlanRound(); break;
        case MODE_CONGRATULATIONS: plan_.push_back({K_SPACE, 60}); break; // looked at every 51st
        default: plan_.push_back({0, 1}); break;
        }
    }
    KeyHold& hold = plan_.front();
    if (hold.warp) Warp(hold.warp), hold.warp = 0;
    ApplyKeys(hold.keys);
    if (--hold.frames <= 0) plan_.pop_front();
    return true;
}

} // namespace

// ================================================================ 5. the run
TEST(Soak, SeededRandomPlayThroughEveryModeNeverFaultsAndKeepsMemoryBounded) {
    const uint32_t frames = EnvNumber("MORVEXA_SOAK_FRAMES", 288000);
    const uint32_t seed = EnvNumber("MORVEXA_SOAK_SEED", 1);
    TempDir dir(true);
    WriteFileBytes("startmap.map", ReadFileBytes(SourcePath("assets/startmap.map")));
    // An empty score file: ten empty rows, so every game that scores is added to the table,
    // which grows with each visit and each save.
    WriteFileBytes("scores.dat", {});

    SoakPlayer player(seed, frames);
    const auto start = std::chrono::steady_clock::now();
    const uint32_t clockStart = SCRIPT_CLOCK_START;
    uint32_t clockEnd = clockStart;
    const ScriptedRun run = RunScriptedGame("", [&](uint32_t frame) {
        clockEnd = GetTickCount();
        return player.OnFrame(frame);
    });
    RenderEnabled = true;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    SoakFigures& f = player.figures;
    f.peakRssKiB = PeakResidentKiB();

    std::printf("soak: seed %u, %u frames (%.0f s of virtual play) in %.1f s, drawing %s\n", seed,
                run.frames, double(clockEnd - clockStart) / 1000.0, seconds,
                EnvNumber("MORVEXA_SOAK_DRAW", 0) ? "on" : "off");
    for (int m = 0; m < MODES; m++)
        std::printf("soak:   %-16s %7u visits %9u frames\n", MODE_NAMES[m], f.modeVisits[m],
                    f.modeFrames[m]);
    std::printf("soak: %u games (longest %d frames), %u sectors cleaned (highest sector %d), "
                "%u shop trips (%u purchases tried), %u base trips, %u saves, %u state dumps\n",
                f.games, f.longestGame, f.sectorsCleaned, f.highestSector, f.shopTrips, f.bought,
                f.baseTrips, f.saves, f.dumps);
    const ListPeaks& p = f.peaks;
    std::printf("soak: peak list sizes: drones %d, shots %d, sprite particles %d, dot particles "
                "%d, orbs %d, panels %d, targets %d, volley shots %d, arrival points %d, "
                "score entries %d\n",
                p.enemies, p.shots, p.sprites, p.dots, p.pickups, p.panels, p.targets, p.volleys,
                p.arrivals, p.scores);
    std::printf("soak: heap outside lists at each new game (KiB):");
    for (long long h : f.heapAtNewGame) std::printf(" %lld", h / 1024);
    std::printf("\nsoak: live heap every 4096 frames (KiB):");
    for (long long h : f.heapEvery4096) std::printf(" %lld", h / 1024);
    std::printf("\nsoak: peak live heap %lld KiB, peak resident %ld KiB, resident now %ld KiB\n",
                f.peakHeap / 1024, f.peakRssKiB, ResidentKiB());

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.frames, frames) << "the game ended before the soak did";
    for (const std::string& fault : player.faults) ADD_FAILURE() << fault;
    for (int m = 0; m < MODES; m++)
        EXPECT_GT(f.modeVisits[m], 0u) << MODE_NAMES[m] << " never visited";
    // No creeping heap: every new game after the first two starts within 1 MiB of the most
    // any of the first two started with (lists recycle their records, so their peaks are
    // counted apart). An hour plays some forty games; a run of a few thousand frames may
    // play too few to judge.
    if (f.heapAtNewGame.size() < 3) {
        std::printf("soak: too few games (%zu) to judge the heap\n", f.heapAtNewGame.size());
        return;
    }
    const long long settled = std::max(f.heapAtNewGame[0], f.heapAtNewGame[1]);
    for (size_t g = 2; g < f.heapAtNewGame.size(); g++)
        EXPECT_LE(f.heapAtNewGame[g], settled + (1 << 20)) << "game " << g + 1;
}
