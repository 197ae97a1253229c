// between_fixture.cpp - the suite's display, catalogue, mode runs and dump reader.
#include "tests/between/between_fixture.h"

#include <map>

#include "app/catalogue.h"
#include "app/globals.h"
#include "app/state_dump.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/targets.h"
#include "objects/volley_shots.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/level_map.h"
#include "play/player.h"
#include "render/display.h"
#include "sound/sound_effects.h"
#include "sound/xm_player.h"
#include "support/random.h"
#include "tests/app/json_reader.h"

void BetweenLevels::SetUpTestSuite() {
    displayOpen = OpenTestDisplay();
    if (!displayOpen) return;
    SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1.0f); // the game's dark blue
    InitSound();
    BuildCatalogueFirstHalf();
    BuildCatalogueSecondHalf();
}

void BetweenLevels::TearDownTestSuite() {
    if (!displayOpen) return;
    FreeSounds();
    CloseTestDisplay();
}

void BetweenLevels::SetUp() {
    if (!displayOpen) GTEST_SKIP() << "no GL display";
    ScriptReset();
    RandomSeed(19950311);
    FrameRate = 80;
    FramePeriod = 12.5f;
    LastFrameTick = float(GetTickCount());
    Player = PlayerState{};
    CameraX = CameraY = 0;
    GameMode = PlayEntry = -1; // every way out of a mode must set them
    ClearLevelMap();           // all free space: orbs can be scattered anywhere
    ClearPickups();
    ClearTargets();
    ClearVolleyShots();
    ListClear(DotParticles);
    TargetSpin = 0;
}

void BetweenLevels::TearDown() {
    RenderEnabled = true;
    StopModule();
}

namespace {
struct ModeRun {
    const std::function<void(uint32_t)>& eachFrame;
    uint32_t lastFrame;
};
void OnFrame(uint32_t frame, void* context) {
    const ModeRun& run = *static_cast<ModeRun*>(context);
    if (run.eachFrame) run.eachFrame(frame);
    if (frame >= run.lastFrame) throw ProgramExit{0};
}
} // namespace

bool BetweenLevels::RunMode(void (*mode)(), uint32_t lastFrame,
                            const std::function<void(uint32_t)>& eachFrame) {
    ModeRun run{eachFrame, lastFrame};
    ScriptSetFrameHook(OnFrame, &run);
    bool returned = true;
    try {
        mode();
    } catch (const ProgramExit&) {
        returned = false;
        StopModule(); // as the game's shutdown does: the cut mode left its music playing
    }
    ScriptSetFrameHook(nullptr, nullptr);
    return returned;
}

std::string BetweenLevels::VisitText(const char* field) {
    std::map<std::string, std::string> dump, visit;
    if (!ReadJsonObject(DumpState(0), &dump) || !ReadJsonObject(dump["Visit"], &visit)) return "?";
    return visit.count(field) ? visit[field] : "?";
}

std::string BetweenLevels::ModuleTitle(int module) {
    PlayModule(MusicModule(module), MusicModuleLength(module), MODULE_FROM_MEMORY);
    const std::string title = GetModuleTitle();
    PlayModule(nullptr, 0, 0);
    return title;
}

std::string BetweenLevels::MusicNow() {
    return ModulePlaying() ? GetModuleTitle() : "";
}
