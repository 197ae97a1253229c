// play_bench.cpp - what a drawn frame of the play mode costs.
//
//   HeavyFrameLogic   1,000 sprite and 1,000 dot particles, 100 drones, 200 shots, 16 orbs at
//                     the start of every frame, drawing switched off (RenderEnabled = false):
//                     game logic alone. Between frames, with the clock stopped, the lists are
//                     brought back to those sizes (hits and walls spawn sparks, drones die).
//   HeavyFrameDrawn   the same scene drawn on the offscreen GL display; counts GL calls.
//   IdleAtStart       an idle new game: the figure the next one is compared with.
//   IdleAfterOneHour  an idle game after 288,000 frames (one hour at 80 frames a second) in
//                     which drones gathered, twelve every 1201 frames; logic alone.
//
// Runs on the scripted backend (virtual clock, no keys) on the main thread.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "core/globals.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "core/level_map.h"
#include "play/play_frame.h"
#include "core/player.h"
#include "render/display.h"
#include "support/random.h"

namespace {

constexpr int32_t HEAVY_PARTICLES = 1000;
constexpr int32_t HEAVY_DRONES = 100;
constexpr int32_t HEAVY_SHOTS = 200;
constexpr uint32_t FRAMES_PER_HOUR = 80 * 3600;

bool DisplayOpen = false;

bool OpenBenchDisplay() {
    if (DisplayOpen) return true;
    const char* why = nullptr;
    ScriptReset();
    if (!PlatformInit(PLATFORM_SCRIPTED, &why)) return false;
    InitRenderLayer(nullptr);
    DisplayOpen = OpenDisplay(800, 600, 32, "play bench");
    return DisplayOpen;
}

// A new game on a sector with a floor under the start and a few walls for the shots to meet,
// built in memory (the bench writes no files).
void StartGame() {
    RandomSeed(12345);
    SetNewGamePlayer();
    ClearLevelMap();
    for (int col = 0; col < MAP_SIZE; col++) LevelMap[col][6] = 1;
    for (int row = 0; row < 6; row++) LevelMap[12][row] = 5, LevelMap[0][row] = 3;
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

void HeavyFrame(benchmark::State& state, bool draw) {
    if (!OpenBenchDisplay()) {
        state.SkipWithError("no display");
        return;
    }
    RenderEnabled = draw;
    StartGame();
    PlayVisit visit{};
    uint64_t glCalls = 0, frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TopUpHeavyScene();
        state.ResumeTiming();
        RenderCallCount = 0;
        RunPlayFrame(visit);
        glCalls += RenderCallCount;
        frames++;
    }
    RenderEnabled = true;
    state.counters["sprites"] = double(SpriteParticles.count);
    state.counters["dots"] = double(DotParticles.count);
    state.counters["drones"] = double(Enemies.count);
    state.counters["shots"] = double(Shots.count);
    state.counters["orbs"] = double(Pickups.count);
    if (draw) state.counters["gl_calls_per_frame"] = double(glCalls) / double(frames ? frames : 1);
}

void HeavyFrameLogic(benchmark::State& state) {
    HeavyFrame(state, false);
}
void HeavyFrameDrawn(benchmark::State& state) {
    HeavyFrame(state, true);
}

void IdleGame(benchmark::State& state, uint32_t framesBefore) {
    if (!OpenBenchDisplay()) {
        state.SkipWithError("no display");
        return;
    }
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

} // namespace

BENCHMARK(HeavyFrameLogic)->Unit(benchmark::kMicrosecond);
BENCHMARK(HeavyFrameDrawn)->Unit(benchmark::kMicrosecond);
BENCHMARK(IdleAtStart)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(IdleAfterOneHour)->Unit(benchmark::kMicrosecond)->Iterations(2000);

BENCHMARK_MAIN();
