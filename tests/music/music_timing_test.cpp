// music_timing_test.cpp - the generator's reading of a song's length, against the engine's
// clock where the song ends.
#include <gtest/gtest.h>

#include <array>

#include "tests/music/music_render.h"
#include "tools/assetgen/music_timing.h"

constexpr int64_t TICK125 = 120000 / 125, TICK150 = 120000 / 150; // frames of a tick

// Empty patterns in order with effects {pattern, row, channel, effect, parameter}.
static void ExpectLength(const char* what, int patterns, int rows,
                         const std::vector<std::array<int, 5>>& effects, int expectedRows,
                         int64_t expectedFrames, bool ends) {
    SCOPED_TRACE(what);
    XmModule m;
    m.channels = 2, m.speed = 6, m.tempo = 125;
    for (int i = 0; i < patterns; i++) {
        m.patterns.emplace_back().Resize(rows, 2);
        m.orders.push_back(uint8_t(i));
    }
    for (const auto& [pattern, row, channel, effect, param] : effects)
        m.patterns[size_t(pattern)].At(row, channel, 2) =
            XmCell{0, 0, 0, uint8_t(effect), uint8_t(param)};
    const SongLength length = MeasureSongLength(m);
    EXPECT_EQ(std::tuple(length.rows, length.frames, length.runaway),
              std::tuple(expectedRows, expectedFrames, false));
    if (ends) {
        EXPECT_EQ(length.frames,
                  int64_t(RenderModule(WriteXm(m), MUSIC_STOP_AT_END, 600).Frames()));
    }
}

TEST(MusicTiming, RowsCountTheirTicksThroughSpeedTempoLoopsDelaysBreaksAndJumps) {
    ExpectLength("speed 3 from row 4 of the first pattern, tempo 150 from the second on", 2, 8,
                 {{0, 4, 0, 0xF, 3}, {1, 0, 1, 0xF, 0x96}}, 16,
                 4 * 6 * TICK125 + 4 * 3 * TICK125 + 8 * 3 * TICK150, true);
    ExpectLength("rows 2 to 5 three times, the last row four times as long", 1, 8,
                 {{0, 2, 0, 0xE, 0x60}, {0, 5, 0, 0xE, 0x62}, {0, 7, 1, 0xE, 0xE3}}, 8 + 2 * 4,
                 (7 + 2 * 4 + 4) * 6 * TICK125, true);
    ExpectLength("a break into row 6 of the second pattern, whose last row jumps back", 3, 8,
                 {{0, 1, 0, 0xD, 0x06}, {1, 7, 0, 0xB, 0x00}}, 2 + 2, 4 * 6 * TICK125, false);
    ExpectLength("a jump forward plays on", 3, 8, {{0, 0, 1, 0xB, 0x02}}, 1 + 8, 9 * 6 * TICK125,
                 true);
}
