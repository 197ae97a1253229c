// music_timing.h - how long a song plays before it loops, read from its patterns.
//
// Called by the asset generator's music part and by the music tests, on one thread. It
// follows the song flow only (speed and tempo changes, pattern breaks, jumps, pattern loops
// and pattern delays), without mixing anything, at the game's output rate of 48000 frames
// per second with ticks of 120000 / tempo whole frames.
#pragma once

#include <cstdint>

#include "tools/xm/xm_writer.h"

struct SongLength {
    int64_t frames = 0;   // output frames from the start until the song jumps back
    int rows = 0;         // rows played (a pattern loop counts its rows again)
    bool runaway = false; // the flow never reached the end (an endless pattern loop)
    double Seconds() const { return double(frames) / 48000.0; }
};

// Plays the order list from order 0 until its end or a jump back to an earlier order.
SongLength MeasureSongLength(const XmModule& module);
