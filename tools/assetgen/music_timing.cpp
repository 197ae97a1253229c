// music_timing.cpp - follows a song's flow row by row to find how long it plays.
#include "tools/assetgen/music_timing.h"

#include <algorithm>
#include <vector>

namespace {

constexpr uint8_t FX_JUMP = 0x0B, FX_BREAK = 0x0D, FX_EXTENDED = 0x0E, FX_SPEED = 0x0F;
constexpr int MAX_ROWS = 200000; // far beyond any song of ours; ends a runaway loop

} // namespace

SongLength MeasureSongLength(const XmModule& m) {
    SongLength out;
    int speed = m.speed, tempo = m.tempo;
    size_t order = 0;
    int row = 0;
    const int channels = m.channels;
    std::vector<int> loopRow(size_t(channels), 0), loopCount(size_t(channels), 0);
    while (order < m.orders.size()) {
        if (++out.rows > MAX_ROWS) {
            out.runaway = true;
            break;
        }
        const size_t index = m.orders[order];
        const XmPattern* p = index < m.patterns.size() ? &m.patterns[index] : nullptr;
        const int rows = p ? p->rows : 64; // a missing pattern plays as 64 empty rows
        if (row >= rows) row = 0;          // a break past the end of the next pattern
        int jumpOrder = -1, breakRow = -1, loopTo = -1, delay = 0;
        for (int ch = 0; p && ch < channels; ch++) {
            const XmCell& c = p->cells[size_t(row) * channels + ch];
            const int hi = c.param >> 4, lo = c.param & 15;
            if (c.effect == FX_SPEED && c.param > 0) {
                if (c.param < 32)
                    speed = c.param;
                else
                    tempo = c.param;
            } else if (c.effect == FX_JUMP) {
                jumpOrder = c.param;
            } else if (c.effect == FX_BREAK) {
                breakRow = hi * 10 + lo;
            } else if (c.effect == FX_EXTENDED && hi == 6) {
                if (lo == 0) {
                    loopRow[size_t(ch)] = row;
                } else if (loopCount[size_t(ch)] == 0) {
                    loopCount[size_t(ch)] = lo;
                    loopTo = loopRow[size_t(ch)];
                } else if (--loopCount[size_t(ch)] > 0) {
                    loopTo = loopRow[size_t(ch)];
                }
            } else if (c.effect == FX_EXTENDED && hi == 14) {
                delay = lo;
            }
        }
        out.frames += int64_t(speed) * (1 + delay) * (120000 / tempo);
        if (loopTo >= 0) {
            row = loopTo;
        } else if (jumpOrder >= 0 || breakRow >= 0) {
            const size_t next = jumpOrder >= 0 ? size_t(jumpOrder) : order + 1;
            if (next <= order) break; // the song jumps back: it loops here
            order = next;
            row = breakRow >= 0 && breakRow < 256 ? breakRow : 0;
            std::fill(loopRow.begin(), loopRow.end(), 0);
        } else if (++row >= rows) {
            order++;
            row = 0;
            std::fill(loopRow.begin(), loopRow.end(), 0);
        }
    }
    return out;
}
