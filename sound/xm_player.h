// xm_player.h - the XM module player: music mixed on its own thread into a looping ring.
//
// The main thread starts and stops songs; the mixing thread renders 4096-byte blocks of
// 48 kHz 16-bit stereo into a 64 KiB ring (16 blocks) that the audio output plays in a loop,
// keeping up to 15 blocks ahead of the block being heard. The query calls may come from the
// main thread at any time while a song plays.
#pragma once

#include <cstdint>

enum : int32_t {
    MODULE_FROM_MEMORY = 1,
    MODULE_FROM_FILE = 2,
    MODULE_NO_LOOP = 8,
    MODULE_PAUSED = 16,
};

constexpr int MODULE_RING_BYTES = 65536;
constexpr int MODULE_RING_BLOCKS = 16;
constexpr int MODULE_BLOCK_BYTES = 4096;
constexpr int MODULE_BLOCK_FRAMES = 1024;
constexpr int MODULE_VOLUME_STEPS = 26;

// Stops any song, then starts the module (if source is not null). Returns non-zero when
// playback started. PlayModule(nullptr, 0, 0) stops the music. A source that is neither
// memory nor a file (a Windows resource) is refused.
int32_t PlayModule(const void* source, int32_t length, int32_t flags);

// Ends the mixing thread and waits for it, then frees the module. Safe when nothing plays.
void StopModule();

// Never called by the game; for tools, tests and a future options screen.
void PauseModule();
void ResumeModule();
void SetModuleVolume(int32_t step); // 0..25, 2 dB a step; higher values are 25
void JumpToOrder(int32_t n);        // n inside the order list, else order 0
uint32_t GetModuleTime();           // milliseconds played

// Block records, i = 0 for the block being heard and 1..15 for the ones after it.
struct ModuleLevels {
    int32_t left, right; // average absolute output level of the block
};
struct ModuleRowOrder {
    int32_t row, order;
};
ModuleLevels GetModuleLevels(int32_t i);
ModuleRowOrder GetModuleRowOrder(int32_t i);
const char* GetModuleTitle(); // "" when nothing plays

// True while a song is loaded and its thread runs (a MODULE_NO_LOOP song ends by itself).
bool ModulePlaying();
