// Arpeggio (0xy): the note, +x and +y semitones in turn, tick by tick.
#include "tests/sound/xm_test_song.h"

TEST(XmArpeggio, CyclesNoteAndTwoIntervalsEveryTickThenReturnsToTheNote) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x0, 0x47};
    TestSong song(xm);
    const int p = LinearPeriod(NOTE_C4);
    EXPECT_EQ(song.Record(7, PeriodOf),
              (std::vector<int>{p, p - 4 * 64, p - 7 * 64, p, p - 4 * 64, p - 7 * 64, p}));
}

TEST(XmArpeggio, ZeroParameterIsNoArpeggioAndAmigaTableShiftsBySemitoneRatios) {
    XmModule xm = TestModule();
    xm.linearFrequencies = false;
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x0, 0x0C};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0x0, 0x00};
    TestSong song(xm);
    const std::vector<int> periods = song.Record(12, PeriodOf);
    ASSERT_EQ(periods.size(), 12u);
    EXPECT_EQ(periods[0], 1712); // C-4 in the Amiga table
    EXPECT_EQ(periods[1], 1712); // +0
    EXPECT_EQ(periods[2], 856);  // +12 semitones: half the period
    for (int t = 6; t < 12; t++) EXPECT_EQ(periods[size_t(t)], 1712) << "tick " << t;
}
