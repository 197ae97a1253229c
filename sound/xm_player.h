// xm_player.h - the XM module player: music mixed on its own thread into a looping ring.
//
// The main thread starts and stops songs; the mixing thread renders 4096-byte blocks of
// 48 kHz 16-bit stereo into a 64 KiB ring that the audio output plays in a loop.
#pragma once

#include <cstdint>

enum : int32_t {
    MODULE_FROM_MEMORY = 1,
    MODULE_FROM_FILE = 2,
    MODULE_NO_LOOP = 8,
    MODULE_PAUSED = 16,
};

// Stops any song, then starts the module (if source is not null). Returns non-zero when
// playback started. PlayModule(nullptr, 0, 0) stops the music.
int32_t PlayModule(const void* source, int32_t length, int32_t flags);

// Ends the mixing thread and waits for it, then frees the module. Safe when nothing plays.
void StopModule();
