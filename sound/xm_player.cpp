// xm_player.cpp - the threaded module player: the ring, the mixing thread, the operations.
//
// Sections: 1. state  2. rendering a block  3. mixing thread  4. start and stop  5. queries
#include "sound/xm_player.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <new>
#include <thread>

#include "platform/audio_out.h"
#include "sound/xm_song.h"

// ================================================================ 1. state
static const int32_t VOLUME_TABLE[MODULE_VOLUME_STEPS] = {
    1,    130,  164,  207,  260,  328,  413,  519,   654,   823,   1036,  1305,  1642,
    2068, 2603, 3277, 4125, 5193, 6538, 8231, 10362, 13045, 16423, 20675, 26029, 32768};

namespace {
struct MusicPlayerState {
    ModuleData* module = nullptr;
    MusicContext* music = nullptr;
    std::thread thread;
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> running{false};
    std::atomic<bool> paused{false};
    std::atomic<int32_t> master{0}; // 32768 = unity; 0 until first set
    std::atomic<int32_t> jumpRequest{-1};
    std::atomic<uint32_t> playTimeMs{0};
    int32_t flags = 0;
    int nextBlock = 0;
    int silentBlocksAfterEnd = 0;
    std::atomic<int> readIndex{0};
    std::atomic<int32_t> levels[MODULE_RING_BLOCKS][2] = {};
    std::atomic<int32_t> rowOrder[MODULE_RING_BLOCKS][2] = {};
    char title[21] = {};
    int32_t accumulator[MODULE_BLOCK_FRAMES * 2];
    alignas(16) int16_t ring[MODULE_RING_BYTES / 2];
};
MusicPlayerState Player;
} // namespace

// ================================================================ 2. rendering a block
static void RenderNextBlock() {
    MusicPlayerState& p = Player;
    std::memset(p.accumulator, 0, sizeof p.accumulator);
    const int32_t jump = p.jumpRequest.exchange(-1);
    if (jump >= 0) JumpMusicToOrder(p.music, jump);
    if (!p.paused.load(std::memory_order_relaxed) && !p.music->finished)
        RenderMusic(p.music, p.accumulator, MODULE_BLOCK_FRAMES);
    if (p.music->finished) p.silentBlocksAfterEnd++;
    const int b = p.nextBlock;
    int32_t left = 0, right = 0;
    ConvertAccumulator(p.accumulator, MODULE_BLOCK_FRAMES, p.master.load(std::memory_order_relaxed),
                       p.ring + b * MODULE_BLOCK_FRAMES * 2, &left, &right);
    p.levels[b][0].store(left, std::memory_order_relaxed);
    p.levels[b][1].store(right, std::memory_order_relaxed);
    p.rowOrder[b][0].store(p.music->row, std::memory_order_relaxed);
    p.rowOrder[b][1].store(p.music->order, std::memory_order_relaxed);
    p.playTimeMs.store(p.music->playTimeMs, std::memory_order_relaxed);
    p.nextBlock = (b + 1) % MODULE_RING_BLOCKS;
    AudioOutRingWritten();
}

// ================================================================ 3. mixing thread
// Real-time sleeps: the platform's Sleep drives the scripted backend's virtual clock and
// belongs to the main thread.
static void WaitFiveMilliseconds() {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

static void MixingThread() {
    MusicPlayerState& p = Player;
    while (!p.stopRequested.load()) {
        const int heard = int((AudioOutRingPosition() / MODULE_BLOCK_BYTES) % MODULE_RING_BLOCKS);
        WaitFiveMilliseconds();
        if (p.stopRequested.load()) break;
        while (p.nextBlock != heard && !p.stopRequested.load()) {
            if (!p.paused.load(std::memory_order_relaxed))
                p.readIndex.store((p.readIndex.load() + 1) % MODULE_RING_BLOCKS);
            RenderNextBlock();
            WaitFiveMilliseconds();
        }
        // A song without loop has ended once its last block has been heard.
        if (p.silentBlocksAfterEnd > MODULE_RING_BLOCKS) {
            AudioOutStopRing();
            break;
        }
    }
    p.running.store(false);
}

// ================================================================ 4. start and stop
void StopModule() {
    MusicPlayerState& p = Player;
    if (p.thread.joinable()) {
        p.stopRequested.store(true);
        p.thread.join(); // the mixer never runs on freed data
    }
    p.running.store(false);
    AudioOutStopRing();
    delete p.music;
    p.music = nullptr;
    FreeModule(p.module);
    p.module = nullptr;
    p.title[0] = 0;
    p.playTimeMs.store(0);
    p.readIndex.store(0);
    for (int b = 0; b < MODULE_RING_BLOCKS; b++)
        for (int k = 0; k < 2; k++) {
            p.levels[b][k].store(0);
            p.rowOrder[b][k].store(0);
        }
}

int32_t PlayModule(const void* source, int32_t length, int32_t flags) {
    MusicPlayerState& p = Player;
    StopModule();
    if (!source) return 0;
    if (!(flags & (MODULE_FROM_MEMORY | MODULE_FROM_FILE))) return 0; // no resources here
    if (!AudioOutOpen()) return 0;
    int32_t unset = 0;
    p.master.compare_exchange_strong(unset, 32768);

    if (flags & MODULE_FROM_MEMORY)
        p.module =
            length > 0 ? LoadModule(static_cast<const uint8_t*>(source), size_t(length)) : nullptr;
    else
        p.module = LoadModuleFile(static_cast<const char*>(source));
    p.music = p.module ? new (std::nothrow) MusicContext : nullptr;
    if (!p.music) {
        StopModule();
        return 0;
    }
    p.flags = flags;
    StartMusic(p.music, p.module, (flags & MODULE_NO_LOOP) ? MUSIC_STOP_AT_END : MUSIC_LOOP);
    std::memcpy(p.title, p.module->title, sizeof p.title);
    p.paused.store((flags & MODULE_PAUSED) != 0);
    p.jumpRequest.store(-1);
    p.stopRequested.store(false);
    p.nextBlock = 0;
    p.silentBlocksAfterEnd = 0;
    p.readIndex.store(0);
    for (int b = 0; b < MODULE_RING_BLOCKS; b++) RenderNextBlock();
    if (!AudioOutStartRing(p.ring, MODULE_RING_BYTES)) {
        StopModule();
        return 0;
    }
    p.running.store(true);
    try {
        p.thread = std::thread(MixingThread);
    } catch (...) {
        StopModule();
        return 0;
    }
    return 1;
}

// ================================================================ 5. queries and controls
void PauseModule() {
    Player.paused.store(true);
}
void ResumeModule() {
    Player.paused.store(false);
}

void SetModuleVolume(int32_t step) {
    if (step < 0) step = 0; // mended: a negative step would read before the table
    if (step > MODULE_VOLUME_STEPS - 1) step = MODULE_VOLUME_STEPS - 1;
    Player.master.store(VOLUME_TABLE[step]);
}

void JumpToOrder(int32_t n) {
    if (!Player.module) return;
    Player.jumpRequest.store(n >= 0 && n < Player.module->orderCount ? n : 0);
}

uint32_t GetModuleTime() {
    return Player.playTimeMs.load();
}

ModuleLevels GetModuleLevels(int32_t i) {
    const int b = (Player.readIndex.load() + (i & (MODULE_RING_BLOCKS - 1))) % MODULE_RING_BLOCKS;
    return {Player.levels[b][0].load(), Player.levels[b][1].load()};
}

ModuleRowOrder GetModuleRowOrder(int32_t i) {
    const int b = (Player.readIndex.load() + (i & (MODULE_RING_BLOCKS - 1))) % MODULE_RING_BLOCKS;
    return {Player.rowOrder[b][0].load(), Player.rowOrder[b][1].load()};
}

const char* GetModuleTitle() {
    return Player.title;
}

bool ModulePlaying() {
    return Player.running.load();
}
