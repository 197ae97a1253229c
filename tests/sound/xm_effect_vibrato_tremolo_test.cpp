// Vibrato (4xy, volume column Sx/Vx), tremolo (7xy), their waveforms, and auto-vibrato.
#include "tests/sound/xm_test_song.h"

TEST(XmVibrato, SineVibratoSwingsThePeriodFromTheSecondTickAndKeepsItsMemory) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x4, 0x48};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0x4, 0x00};
    TestSong song(xm);
    const int p = LinearPeriod(NOTE_C4);
    // Position grows by 4 x speed a tick; delta = sine(position) x depth / 32.
    const std::vector<int> r = song.Record(12, PeriodOf);
    EXPECT_EQ(std::vector<int>(r.begin(), r.begin() + 6),
              (std::vector<int>{p, p, p + 97 * 8 / 32, p + 180 * 8 / 32, p + 235 * 8 / 32,
                                p + 255 * 8 / 32}));
    EXPECT_EQ(r[6], p);                // the first tick of the next row has no vibrato
    EXPECT_EQ(r[7], p + 235 * 8 / 32); // but the position went on: 80 -> sine index 20
}

TEST(XmVibrato, SquareWaveformAndVibratoEndingRestoreThePeriod) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0xE, 0x42};
    Cell(xm, 0, 1, 0) = {NOTE_C4, 1, 0, 0x4, 0x84};
    TestSong song(xm);
    for (int t = 0; t < 6; t++) song.Tick();
    const int p = LinearPeriod(NOTE_C4);
    const std::vector<int> r = song.Record(8, PeriodOf);
    EXPECT_EQ(r[1], p + 255 * 4 / 32);
    EXPECT_EQ(r[4], p + 255 * 4 / 32); // position 96: still the first half
    EXPECT_EQ(r[5], p - 255 * 4 / 32); // position 128: the second half
    EXPECT_EQ(r[6], p);
}

TEST(XmTremolo, TremoloSwingsTheVolumeButLeavesTheNoteVolumeAlone) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0x30, 0x7, 0x88}; // volume 32
    TestSong song(xm);
    const std::vector<int> r = song.Record(7, VolumeOf);
    EXPECT_EQ(r, (std::vector<int>{32, 32, 32 + 180 * 8 / 64, 32 + 255 * 8 / 64, 32 + 180 * 8 / 64,
                                   32, 32}));
    EXPECT_EQ(song.Channel().volume, 32);
}

TEST(XmAutoVibrato, InstrumentVibratoMovesThePitchWithoutAnyEffect) {
    XmModule xm = TestModule();
    xm.instruments[0].vibratoType = 1; // square
    xm.instruments[0].vibratoDepth = 8;
    xm.instruments[0].vibratoRate = 64;
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0, 0};
    TestSong song(xm);
    const int p = LinearPeriod(NOTE_C4);
    const int d = (64 * 8 * 256) >> 14;
    EXPECT_EQ(song.Record(4, PeriodOf), (std::vector<int>{p + d, p + d, p - d, p - d}));
}
