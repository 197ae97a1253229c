// Volume and panning envelopes (points, sustain, loop), fade-out, key off by note 97 and by
// Kxx (settled: on the row's first tick), and Lxx.
#include "tests/sound/xm_test_song.h"

static int EnvelopeOf(const MusicChannel& ch) {
    return ch.volumeEnvelope;
}

static XmModule EnvelopeModule() {
    XmModule xm = TestModule();
    XmEnvelope& e = xm.instruments[0].volumeEnvelope;
    e.on = true;
    e.points = {{0, 64}, {4, 32}, {8, 32}, {12, 0}};
    e.sustain = true;
    e.sustainPoint = 1;
    xm.instruments[0].fadeout = 4096;
    return xm;
}

TEST(XmEnvelope, VolumeEnvelopeInterpolatesAndHoldsAtSustainUntilKeyOff) {
    XmModule xm = EnvelopeModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 2, 0) = {XM_NOTE_KEY_OFF, 0, 0, 0, 0};
    TestSong song(xm);
    const std::vector<int> r = song.Record(24, EnvelopeOf);
    EXPECT_EQ(std::vector<int>(r.begin(), r.begin() + 6),
              (std::vector<int>{64, 56, 48, 40, 32, 32}));
    for (int t = 6; t < 12; t++) EXPECT_EQ(r[size_t(t)], 32) << t;
    // Key off on tick 12: the envelope goes on from point 1 and fades 4096 a tick.
    EXPECT_EQ(std::vector<int>(r.begin() + 12, r.begin() + 24),
              (std::vector<int>{32, 32, 32, 32, 32, 24, 16, 8, 0, 0, 0, 0}));
    EXPECT_EQ(song.Channel().fadeout, 32768 - 12 * 4096 < 0 ? 0 : 32768 - 12 * 4096);
}

TEST(XmEnvelope, LoopRepeatsBetweenItsPointsAndLxxSetsThePosition) {
    XmModule xm = TestModule();
    XmEnvelope& e = xm.instruments[0].volumeEnvelope;
    e.on = true;
    e.points = {{0, 0}, {2, 64}, {4, 0}};
    e.loop = true;
    e.loopStart = 0;
    e.loopEnd = 2;
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0x15, 0x01};
    TestSong song(xm);
    EXPECT_EQ(song.Record(6, EnvelopeOf), (std::vector<int>{0, 32, 64, 32, 0, 32}));
    EXPECT_EQ(song.Record(3, EnvelopeOf), (std::vector<int>{32, 64, 32}));
}

TEST(XmEnvelope, PanningEnvelopeSwingsWithinTheRoomLeftByThePan) {
    XmModule xm = TestModule();
    XmEnvelope& e = xm.instruments[0].panningEnvelope;
    e.on = true;
    e.points = {{0, 64}, {1, 0}};
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x8, 0xC0}; // pan 192: 64 of room either way
    TestSong song(xm);
    EXPECT_EQ(song.Record(2, PanningOf), (std::vector<int>{255, 192 - 64}));
}

TEST(XmKeyOff, KeyOffWithoutEnvelopeSilencesAtOnceAndKxxActsOnTheFirstTick) {
    XmModule xm = TestModule(2);
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 0, 1) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 1, 0) = {XM_NOTE_KEY_OFF, 0, 0, 0, 0};
    Cell(xm, 0, 1, 1) = {0, 0, 0, 0x14, 0x04}; // settled: the parameter is not used
    TestSong song(xm);
    for (int t = 0; t < 6; t++) song.Tick();
    ASSERT_TRUE(song.Tick());
    EXPECT_EQ(song.Channel(0).outVolume, 0);
    EXPECT_EQ(song.Channel(1).outVolume, 0);
    EXPECT_FALSE(song.Channel(1).keyOn);
}

TEST(XmKeyOff, InstrumentWithoutNoteRestoresVolumeAndRestartsTheEnvelope) {
    XmModule xm = EnvelopeModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0x10, 0, 0}; // volume 0
    Cell(xm, 0, 1, 0) = {0, 1, 0, 0, 0};
    TestSong song(xm);
    for (int t = 0; t < 6; t++) song.Tick();
    ASSERT_TRUE(song.Tick());
    EXPECT_EQ(song.Channel().volume, 64);
    EXPECT_EQ(song.Channel().volumeEnvelope, 64);
    EXPECT_FALSE(song.music->voices[0][1].active); // the sample was not restarted
}
