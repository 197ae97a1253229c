// music_timing_test.cpp - the generator's reading of how long a song plays before it loops:
// speed and tempo changes, pattern loops, delays, breaks and jumps, checked against the
// song engine's own clock.
#include <gtest/gtest.h>

#include "tests/music/music_render.h"
#include "tools/assetgen/music_timing.h"

namespace {

// `count` empty patterns of `rows` rows, played in order, one channel pair.
XmModule Flow(int count, int rows) {
    XmModule m;
    m.channels = 2;
    m.speed = 6;
    m.tempo = 125;
    for (int i = 0; i < count; i++) {
        XmPattern p;
        p.Resize(rows, 2);
        m.patterns.push_back(p);
        m.orders.push_back(uint8_t(i));
    }
    return m;
}

void Put(XmModule& m, int pattern, int row, int channel, uint8_t effect, uint8_t param) {
    m.patterns[size_t(pattern)].At(row, channel, m.channels) = XmCell{0, 0, 0, effect, param};
}

// Frames of a tick at a tempo, as the engine cuts them.
int64_t Tick(int tempo) {
    return 120000 / tempo;
}

// The engine's length of one pass through the order list.
int64_t EngineFrames(const XmModule& m) {
    return int64_t(RenderModule(WriteXm(m), MUSIC_STOP_AT_END, 600).Frames());
}

} // namespace

TEST(MusicTiming, RowsCountTheirTicksAtTheTempoInForceIncludingChangesOnTheRow) {
    XmModule m = Flow(2, 8);
    Put(m, 0, 4, 0, 0xF, 3);    // speed 3 from row 4 of the first pattern
    Put(m, 1, 0, 1, 0xF, 0x96); // tempo 150 from the second pattern on
    const SongLength length = MeasureSongLength(m);
    EXPECT_EQ(length.rows, 16);
    EXPECT_EQ(length.frames, 4 * 6 * Tick(125) + 4 * 3 * Tick(125) + 8 * 3 * Tick(150));
    EXPECT_FALSE(length.runaway);
    EXPECT_EQ(length.frames, EngineFrames(m));
}

TEST(MusicTiming, PatternLoopsAndDelaysLengthenTheSong) {
    XmModule m = Flow(1, 8);
    Put(m, 0, 2, 0, 0xE, 0x60);
    Put(m, 0, 5, 0, 0xE, 0x62); // rows 2..5 three times
    Put(m, 0, 7, 1, 0xE, 0xE3); // the last row four times as long
    const SongLength length = MeasureSongLength(m);
    EXPECT_EQ(length.rows, 8 + 2 * 4);
    EXPECT_EQ(length.frames, (7 + 2 * 4 + 4) * 6 * Tick(125));
    EXPECT_EQ(length.frames, EngineFrames(m));
}

TEST(MusicTiming, BreaksSkipRowsAndAJumpBackIsWhereTheSongLoops) {
    XmModule m = Flow(3, 8);
    Put(m, 0, 1, 0, 0xD, 0x06); // into row 6 of the second pattern
    Put(m, 1, 7, 0, 0xB, 0x00); // back to the start: the song loops here
    const SongLength length = MeasureSongLength(m);
    EXPECT_EQ(length.rows, 2 + 2);
    EXPECT_EQ(length.frames, 4 * 6 * Tick(125));

    XmModule forward = Flow(3, 8);
    Put(forward, 0, 0, 1, 0xB, 0x02); // a jump forward plays on
    EXPECT_EQ(MeasureSongLength(forward).rows, 1 + 8);
}
