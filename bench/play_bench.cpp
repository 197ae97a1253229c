// play_bench.cpp - what a drawn frame of the play mode and of the main menu costs, and how long
// the game takes to show its first frame. Prints figures only, asserts nothing.
//
//   HeavyFrameLogic    1,000 sprite and 1,000 dot particles, 100 drones, 200 shots, 16 orbs at
//                      the start of every frame, drawing switched off (RenderEnabled = false):
//                      game logic alone. Between frames, with the clock stopped, the lists are
//                      brought back to those sizes (hits and walls spawn sparks, drones die).
//   HeavyFrameDrawn    the same scene drawn on the offscreen GL display, waiting for the
//                      rasteriser at the end of each frame (glFinish).
//   QuietFrameDrawn    a new game's frame with the robot standing at the start: background,
//                      tiles, orbs, robot and HUD, what every play frame draws; drawn so.
//   LongGameDrawn      an idle game after 144,000 frames (30 minutes at 80 frames a second)
//                      in which drones gathered, twelve every 1201 frames, and now circle the
//                      player; drawn like HeavyFrameDrawn.
//   MenuFrame          the real game from start-up on the scripted backend, sitting in the
//                      main menu; the figures are per drawn menu frame.
//   StartUpToMenu      morvexa-script as a new process whose script ends after the first
//                      frame (start-up, one menu frame, shut-down): wall time of the process.
//   IdleAtStart        an idle new game: the figure the next one is compared with.
//   IdleAfterOneHour   an idle game after 288,000 frames (one hour); logic alone.
//
// The play scenes are the game's own: the shipped sector (assets/startmap.map) with the robot
// at its start, the catalogue's pictures, the background panels laid out as start-up lays
// them, so every tile, panel and sprite costs what it costs in a game.
//
// Counters: gl_calls_per_frame (GL calls counted by the render layer), primitives_per_frame
// (sprites, glyphs, lines and points asked for), all_threads_cpu_ms
// (CPU of the whole process per frame: the game's thread and the rasteriser's threads), and
// for the menu cpu_share_at_80fps (that CPU times 80 frames a second, in per cent of a core).
// "Time" is wall time per frame, "CPU" the main thread's.
//
// Runs on the scripted backend (virtual clock, no keys) on the main thread.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/mode_loop.h"
#include "core/catalogue.h"
#include "core/globals.h"
#include "core/level_map.h"
#include "core/player.h"
#include "objects/back_panels.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/play_frame.h"
#include "render/display.h"
#include "support/random.h"

extern char** environ;

namespace {

constexpr int32_t HEAVY_PARTICLES = 1000;
constexpr int32_t HEAVY_DRONES = 100;
constexpr int32_t HEAVY_SHOTS = 200;
constexpr uint32_t FRAMES_PER_HOUR = 80 * 3600;
constexpr int WARM_UP_FRAMES = 20; // the rasteriser compiles its shaders on the first frames

bool DisplayOpen = false;

bool OpenBenchDisplay() {
    if (DisplayOpen) return true;
    const char* why = nullptr;
    ScriptReset();
    if (!PlatformInit(PLATFORM_SCRIPTED, &why)) return false;
    InitRenderLayer(nullptr);
    DisplayOpen = OpenDisplay(800, 600, 32, "play bench");
    if (!DisplayOpen) return false;
    SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1.0f);
    BuildCatalogueFirstHalf();
    RandomSeed(12345);
    ListClear(BackPanels);
    FillBackPanels();
    BuildCatalogueSecondHalf();
    return true;
}

void CloseBenchDisplay() {
    if (!DisplayOpen) return;
    CloseDisplay();
    PlatformShutdown();
    DisplayOpen = false;
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// A new game on the shipped sector, read from the source tree (the bench writes no files).
void StartGame() {
    RandomSeed(12345);
    SetNewGamePlayer();
    ClearLevelMap();
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(MORVEXA_ASSETS_DIR);
    LoadLevelMap();
    std::filesystem::current_path(here);
    ClearPickups();
    ClearEnemies();
    ListClear(Shots);
    ListClear(SpriteParticles);
    ListClear(DotParticles);
    CameraX = CameraY = 0;
}

// Drops the oldest records beyond `keep`.
template <typename T> void TrimList(List<T>& list, int32_t keep) {
    ListRewind(list);
    while (list.count > keep && ListNext(list)) ListDeleteCurrent(list);
}

// Brings every list back to the heavy scene's size, as a busy fight would.
void TopUpHeavyScene() {
    TrimList(SpriteParticles, HEAVY_PARTICLES);
    TrimList(DotParticles, HEAVY_PARTICLES);
    while (SpriteParticles.count < HEAVY_PARTICLES)
        SpawnSpriteParticle(float(RandomInt(780) + 10), float(RandomInt(580) + 10),
                            RandomInt(200) + 100, 30, 1.0f, -0.001f, RandomRange(-2, 2),
                            RandomRange(-2, 0), RandomInt(8), 1, 5);
    while (DotParticles.count < HEAVY_PARTICLES)
        SpawnDotParticle(CameraX + float(RandomInt(800)), CameraY + float(RandomInt(600)),
                         RandomInt(200) + 100, 3, 1.0f, -0.003f, RandomRange(-1, 1),
                         RandomRange(-1, 1), 1, 0.8f, 0.9f);
    while (Enemies.count < HEAVY_DRONES)
        SpawnEnemy(Player.x + RandomRange(-600, 600), Player.y + RandomRange(-400, 400), 0);
    while (Shots.count < HEAVY_SHOTS) {
        Player.weapon = RandomInt(4);
        Player.ammo[Player.weapon] = 100;
        Player.facing = RandomInt(1);
        FireWeapon();
    }
    TrimList(Shots, HEAVY_SHOTS); // one trigger may fire up to ten
    if (Pickups.count < PICKUPS_MAX) ScatterPickups(PICKUPS_MAX - Pickups.count);
}

// Drones whose centre passes the play mode's screen test, as UpdateEnemies draws them.
int32_t DronesOnScreen() {
    int32_t n = 0;
    ListRewind(Enemies);
    while (Enemy* e = ListNext(Enemies))
        n += e->screenX > 10 && e->screenX < 790 && e->screenY > 10 && e->screenY < 590;
    return n;
}

// Times drawn play frames; `topUp` restores the scene between frames with the clock stopped.
void TimeDrawnFrames(benchmark::State& state, PlayVisit& visit, bool topUp) {
    for (int i = 0; i < WARM_UP_FRAMES; i++) {
        if (topUp) TopUpHeavyScene();
        RunPlayFrame(visit);
        FinishDrawing();
    }
    uint64_t glCalls = 0, primitives = 0, frames = 0;
    double cpu = 0;
    for (auto _ : state) {
        if (topUp) {
            state.PauseTiming();
            TopUpHeavyScene();
            state.ResumeTiming();
        }
        const double cpuBefore = ProcessCpuSeconds();
        RenderCallCount = RenderPrimitiveCount = 0;
        RunPlayFrame(visit);
        FinishDrawing();
        glCalls += RenderCallCount;
        primitives += RenderPrimitiveCount;
        cpu += ProcessCpuSeconds() - cpuBefore;
        frames++;
    }
    const double n = double(frames ? frames : 1);
    state.counters["gl_calls_per_frame"] = double(glCalls) / n;
    state.counters["primitives_per_frame"] = double(primitives) / n;
    state.counters["all_threads_cpu_ms"] = 1000.0 * cpu / n;
}

void HeavyFrameLogic(benchmark::State& state) {
    if (!OpenBenchDisplay()) return state.SkipWithError("no display");
    RenderEnabled = false;
    StartGame();
    PlayVisit visit{};
    for (auto _ : state) {
        state.PauseTiming();
        TopUpHeavyScene();
        state.ResumeTiming();
        RunPlayFrame(visit);
    }
    RenderEnabled = true;
    state.counters["sprites"] = double(SpriteParticles.count);
    state.counters["dots"] = double(DotParticles.count);
    state.counters["drones"] = double(Enemies.count);
    state.counters["shots"] = double(Shots.count);
}

void HeavyFrameDrawn(benchmark::State& state) {
    if (!OpenBenchDisplay()) return state.SkipWithError("no display");
    RenderEnabled = true;
    StartGame();
    PlayVisit visit{};
    TimeDrawnFrames(state, visit, true);
    state.counters["drones"] = double(Enemies.count);
}

void QuietFrameDrawn(benchmark::State& state) {
    if (!OpenBenchDisplay()) return state.SkipWithError("no display");
    RenderEnabled = true;
    StartGame();
    ScatterPickups(PICKUPS_MAX);
    PlayVisit visit{};
    TimeDrawnFrames(state, visit, false);
}

void LongGameDrawn(benchmark::State& state) {
    if (!OpenBenchDisplay()) return state.SkipWithError("no display");
    RenderEnabled = false;
    StartGame();
    ScatterPickups(1);
    PlayVisit visit{};
    for (uint32_t f = 0; f < FRAMES_PER_HOUR / 2; f++) RunPlayFrame(visit);
    RenderEnabled = true;
    TimeDrawnFrames(state, visit, false);
    state.counters["drones"] = double(Enemies.count);
    state.counters["drones_on_screen"] = double(DronesOnScreen());
}

void IdleGame(benchmark::State& state, uint32_t framesBefore) {
    if (!OpenBenchDisplay()) return state.SkipWithError("no display");
    RenderEnabled = false;
    StartGame();
    ScatterPickups(1);
    PlayVisit visit{};
    for (uint32_t f = 0; f < framesBefore; f++) RunPlayFrame(visit);
    for (auto _ : state) RunPlayFrame(visit);
    RenderEnabled = true;
    state.counters["drones"] = double(Enemies.count);
}

void IdleAtStart(benchmark::State& state) {
    IdleGame(state, 0);
}
void IdleAfterOneHour(benchmark::State& state) {
    IdleGame(state, FRAMES_PER_HOUR);
}

// ---------------------------------------------------------------- the whole game
// A fresh working folder for the game's files (scores.dat), removed afterwards.
struct BenchFolder {
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::path path;
    BenchFolder() {
        path =
            std::filesystem::temp_directory_path() / ("morvexa-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        std::filesystem::current_path(path);
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::current_path(previous, ec);
        std::filesystem::remove_all(path, ec);
    }
};

struct MenuTiming {
    uint32_t frames = 0;  // menu frames to time after the warm-up
    uint32_t timed = 0;   // frames timed so far
    double wallStart = 0; // at the end of the warm-up
    double cpuStart = 0;
    double wall = 0, cpu = 0; // over the timed frames
    uint64_t glCalls = 0;
};

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Runs before each menu frame is presented: the first WARM_UP_FRAMES are not timed.
void OnMenuFrame(uint32_t frame, void* context) {
    MenuTiming& t = *static_cast<MenuTiming*>(context);
    FinishDrawing();
    if (frame == uint32_t(WARM_UP_FRAMES)) {
        t.wallStart = WallSeconds(), t.cpuStart = ProcessCpuSeconds();
        RenderCallCount = 0;
        return;
    }
    if (frame < uint32_t(WARM_UP_FRAMES)) return;
    if (++t.timed < t.frames) return;
    t.wall = WallSeconds() - t.wallStart;
    t.cpu = ProcessCpuSeconds() - t.cpuStart;
    t.glCalls = RenderCallCount;
    throw ProgramExit{0};
}

void MenuFrame(benchmark::State& state) {
    CloseBenchDisplay(); // the game opens its own
    BenchFolder folder;
    MenuTiming t;
    t.frames = 400;
    for (auto _ : state) {
        ScriptReset();
        ScriptSetFrameHook(OnMenuFrame, &t);
        char name[] = "morvexa";
        char* argv[] = {name, nullptr};
        RunGame(PLATFORM_SCRIPTED, 1, argv);
        ScriptSetFrameHook(nullptr, nullptr);
        state.SetIterationTime(t.wall / t.frames);
    }
    const double n = double(t.frames);
    state.counters["gl_calls_per_frame"] = double(t.glCalls) / n;
    state.counters["all_threads_cpu_ms"] = 1000.0 * t.cpu / n;
    state.counters["cpu_share_at_80fps"] = 100.0 * 80.0 * t.cpu / n;
}

// morvexa-script from process start to exit with a one-frame script.
void StartUpToMenu(benchmark::State& state) {
    BenchFolder folder;
    std::ofstream("one_frame.txt") << "at 1 end\n";
    for (auto _ : state) {
        const double start = WallSeconds();
        char program[] = MORVEXA_SCRIPT_PATH;
        char script[] = "one_frame.txt";
        char* argv[] = {program, script, nullptr};
        pid_t pid = 0;
        int status = -1;
        if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return state.SkipWithError("morvexa-script did not run");
        state.SetIterationTime(WallSeconds() - start);
    }
}

} // namespace

BENCHMARK(HeavyFrameLogic)->Unit(benchmark::kMicrosecond);
BENCHMARK(HeavyFrameDrawn)->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK(QuietFrameDrawn)->Unit(benchmark::kMillisecond)->Iterations(300);
BENCHMARK(LongGameDrawn)->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(MenuFrame)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(StartUpToMenu)->Unit(benchmark::kMillisecond)->Iterations(10)->UseManualTime();
BENCHMARK(IdleAtStart)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(IdleAfterOneHour)->Unit(benchmark::kMicrosecond)->Iterations(2000);

BENCHMARK_MAIN();
