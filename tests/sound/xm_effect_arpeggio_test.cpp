// Arpeggio (0xy): the note, +x and +y semitones in turn, tick by tick.
#include "tests/sound/xm_test_song.h"

// The cycle is counted from the end of the row, as FT2 counts its ticks down from the speed:
// at speed 6 the ticks after the first play +y, +x, the note, +y, +x.
TEST(XmArpeggio, CyclesNoteAndTwoIntervalsCountedDownFromTheSpeedThenReturnsToTheNote) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x0, 0x47};
    TestSong song(xm);
    const int p = LinearPeriod(NOTE_C4);
    EXPECT_EQ(song.Record(7, PeriodOf),
              (std::vector<int>{p, p - 7 * 64, p - 4 * 64, p, p - 7 * 64, p - 4 * 64, p}));
}

TEST(XmArpeggio, ArpeggioTicksStartFromTheNoteBelowAFineSlidPitch) {
    XmModule xm = TestModule();
    xm.speed = 2;
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0xE, 0x12}; // 8 units above C-4
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0x0, 0xC0};
    TestSong song(xm);
    const int p = LinearPeriod(NOTE_C4);
    EXPECT_EQ(song.Record(4, PeriodOf), (std::vector<int>{p - 8, p - 8, p - 8, p - 12 * 64}));
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
    EXPECT_EQ(periods[1], 856);  // +y = 12 semitones: half the period
    EXPECT_EQ(periods[2], 1712); // +x = 0
    for (int t = 6; t < 12; t++) EXPECT_EQ(periods[size_t(t)], 1712) << "tick " << t;
}
