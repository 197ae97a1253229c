// scenario.cpp - the scenario fixture: display, catalogue, fresh state, mode runs.
#include "tests/scenario.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "objects/targets.h"
#include "objects/volley_shots.h"
#include "play/play_mode.h"
#include "render/image.h"
#include "sound/sound_effects.h"
#include "sound/xm_player.h"
#include "support/random.h"

void Scenario::SetUp() {
    if (!OpenTestDisplay()) GTEST_SKIP() << "no GL display";
    SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1.0f); // the game's dark blue
    InitSound();
    BuildCatalogueFirstHalf();
    BuildCatalogueSecondHalf();
    FreshState();
}

void Scenario::FreshState() {
    ScriptReset();
    RandomSeed(19950311);
    FrameRate = 80;
    FramePeriod = 12.5f;
    LastFrameTick = float(GetTickCount());
    Player = PlayerState{};
    CameraX = CameraY = 0;
    GameMode = PlayEntry = -1; // every way out of a mode must set them
    ClearLevelMap();
    ClearPickups();
    ClearEnemies();
    ClearTargets();
    ClearVolleyShots();
    ListClear(Shots);
    ListClear(SpriteParticles);
    ListClear(DotParticles);
    TargetSpin = 0;
    std::fill(map.begin(), map.end(), 0);
}

void Scenario::TearDown() {
    RenderEnabled = true;
    StopModule();
    FreeSounds();
    CloseTestDisplay();
}

uint32_t Scenario::Run(void (*mode)(), uint32_t frames,
                       const std::function<void(uint32_t)>& onFrame) {
    struct Hook {
        const std::function<void(uint32_t)>& onFrame;
        uint32_t frames, before;
    } hook{onFrame, frames, PlatformFrameCount()};
    ScriptSetFrameHook(
        [](uint32_t frame, void* context) {
            const Hook& h = *static_cast<Hook*>(context);
            if (h.onFrame) h.onFrame(frame - h.before);
            if (frame - h.before >= h.frames) throw ProgramExit{0};
        },
        &hook);
    try {
        mode();
    } catch (const ProgramExit&) {
        StopModule(); // as the game's shutdown does: the cut mode left its music playing
    }
    ScriptSetFrameHook(nullptr, nullptr);
    return PlatformFrameCount() - hook.before;
}

uint32_t Scenario::Play(int32_t entry, uint32_t frames,
                        const std::function<void(uint32_t)>& onFrame) {
    std::vector<uint8_t> bytes;
    for (int32_t v : map)
        for (int b = 0; b < 4; b++) bytes.push_back(uint8_t(uint32_t(v) >> (8 * b)));
    WriteFileBytes("startmap.map", bytes);
    if (entry == PLAY_RESUME) ClearLevelMap(), LoadLevelMap();
    PlayEntry = entry;
    GameMode = MODE_PLAY;
    return Run(PlayMode, frames, onFrame);
}

void Scenario::Fill(int col0, int row0, int col1, int row1, int32_t code) {
    for (int c = col0; c <= col1; c++)
        for (int r = row0; r <= row1; r++) map[c * MAP_SIZE + r] = code;
}

void Scenario::PlacePlayer(float x, float y) {
    Player.x = x, Player.y = y;
    Player.energy = Player.fuel = 200;
    Player.weapon = 1;
    Player.firePeriod = 5;
    for (int32_t& a : Player.ammo) a = 100;
}

uint32_t Scenario::SolidTexture(uint32_t rgb, bool topHalf) {
    std::vector<uint8_t> texels;
    // The texels' rows become the picture's columns (TextureFromPixels stores them
    // transposed), so the first 32 of each row are the picture's top half.
    for (int i = 0; i < 64 * 64; i++)
        texels.insert(texels.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb),
                                     uint8_t(!topHalf || i % 64 < 32 ? 255 : 0)});
    return TextureFromPixels(texels.data(), int(texels.size()), 64);
}

std::string Scenario::VisitText(const char* field) {
    const nlohmann::json dump = nlohmann::json::parse(DumpState(0), nullptr, false);
    if (!dump.is_object() || !dump.contains("Visit") || !dump["Visit"].contains(field)) return "?";
    return dump["Visit"][field].dump();
}
