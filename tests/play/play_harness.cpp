// play_harness.cpp - scenario runs of the real play mode on the scripted backend.
#include "tests/play/play_harness.h"

#include "app/globals.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/level_map.h"
#include "play/play_mode.h"
#include "play/player.h"
#include "render/image.h"
#include "sound/xm_player.h"
#include "support/random.h"

void TestMap::Fill(int col0, int row0, int col1, int row1, int32_t code) {
    for (int c = col0; c <= col1; c++)
        for (int r = row0; r <= row1; r++) Set(c, r, code);
}

void TestMap::Write() const {
    std::vector<uint8_t> bytes;
    for (int32_t v : cells)
        for (int b = 0; b < 4; b++) bytes.push_back(uint8_t(uint32_t(v) >> (8 * b)));
    WriteFileBytes("startmap.map", bytes);
}

void PlayScenario::SetUp() {
    dir = std::make_unique<TempDir>(true);
    if (!OpenTestDisplay()) GTEST_SKIP() << "no GL display";
    RandomSeed(20240601);
    Player = PlayerState{};
    CameraX = CameraY = 0;
    FrameRate = 80;
    FramePeriod = 12.5f;
    LastFrameTick = float(GetTickCount());
    ClearLevelMap();
    ClearPickups();
    ClearEnemies();
    ListClear(Shots);
    ListClear(SpriteParticles);
    ListClear(DotParticles);
}

void PlayScenario::TearDown() {
    CloseTestDisplay();
    dir.reset();
}

namespace {
struct HookContext {
    const std::function<void(uint32_t)>* onFrame;
    uint32_t frames;
    uint32_t before; // presents counted before the run (opening the display presents once)
};
void OnFrame(uint32_t frame, void* context) {
    auto* c = static_cast<HookContext*>(context);
    const uint32_t drawn = frame - c->before; // 1 for the run's first frame
    if (*c->onFrame) (*c->onFrame)(drawn);
    if (drawn >= c->frames) throw ProgramExit{0};
}
} // namespace

uint32_t PlayScenario::Play(int32_t entry, uint32_t frames,
                            const std::function<void(uint32_t)>& onFrame) {
    map.Write();
    if (entry == PLAY_RESUME) { // a resumed game has its map loaded already
        ClearLevelMap();
        LoadLevelMap();
    }
    PlayEntry = entry;
    GameMode = MODE_PLAY;
    const uint32_t before = PlatformFrameCount();
    HookContext context{&onFrame, frames, before};
    ScriptSetFrameHook(OnFrame, &context);
    try {
        PlayMode();
    } catch (const ProgramExit&) {
    }
    StopModule(); // a run stopped inside the mode leaves the play music's thread running
    ScriptSetFrameHook(nullptr, nullptr);
    return PlatformFrameCount() - before;
}

void PlayScenario::PlacePlayer(float x, float y) {
    Player.x = x;
    Player.y = y;
    Player.energy = 200;
    Player.fuel = 200;
    Player.weapon = 1;
    Player.firePeriod = 5;
    for (int32_t& a : Player.ammo) a = 100;
}

void PlayScenario::AddHeldEnemy(float screenX, float screenY) {
    SpawnEnemy(0, 0, 1);
    Enemy* e = ListCurrent(Enemies);
    e->screenX = screenX;
    e->screenY = screenY;
}

void PlayScenario::Hold(int vk, bool down) {
    ScriptSetKey(vk, down);
}

uint32_t PlayScenario::SolidTexture(uint32_t rgb, bool topHalf) {
    std::vector<uint8_t> texels(64 * 64 * 4);
    for (int i = 0; i < 64 * 64; i++) {
        texels[i * 4 + 0] = uint8_t(rgb >> 16);
        texels[i * 4 + 1] = uint8_t(rgb >> 8);
        texels[i * 4 + 2] = uint8_t(rgb);
        // The texels' rows become the picture's columns (TextureFromPixels stores them
        // transposed), so the first 32 of each row are the picture's top half.
        texels[i * 4 + 3] = (!topHalf || i % 64 < 32) ? 255 : 0;
    }
    return TextureFromPixels(texels.data(), int(texels.size()), 64);
}
