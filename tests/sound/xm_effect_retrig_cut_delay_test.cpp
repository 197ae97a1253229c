// Note retrigger (E9x, Rxy), note cut (ECx), note delay (EDx), sample offset (9xx), tremor (Txy).
#include "tests/sound/xm_test_song.h"

// Ticks on which channel 0's note started anew (its old voice began to fade out).
static std::vector<int> RestartTicks(TestSong& song, int ticks) {
    std::vector<int> out;
    for (int t = 0; t < ticks && song.Tick(); t++) {
        MixVoice& fade = song.music->voices[0][1];
        if (fade.active) out.push_back(t);
        fade.active = false; // ready to see the next restart
    }
    return out;
}

TEST(XmRetrig, RetrigRestartsTheSampleEveryXTicksAndE90DoesNothing) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xE, 0x92};
    Cell(xm, 0, 2, 0) = {0, 0, 0, 0xE, 0x90};
    TestSong song(xm);
    for (int t = 0; t < 6; t++) song.Tick();
    EXPECT_EQ(RestartTicks(song, 12), (std::vector<int>{2, 4}));
}

TEST(XmRetrig, MultiRetrigChangesTheVolumeOnEachRetrigger) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0x50, 0x1B, 0x72}; // halve every 2 ticks
    TestSong song(xm);
    EXPECT_EQ(song.Record(6, VolumeOf), (std::vector<int>{64, 64, 32, 32, 16, 16}));
}

TEST(XmNoteCut, NoteCutSilencesOnItsTickAndC0OnTheFirst) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0xE, 0xC3};
    Cell(xm, 0, 1, 0) = {NOTE_C4, 1, 0, 0xE, 0xC0};
    TestSong song(xm);
    EXPECT_EQ(song.Record(8, VolumeOf), (std::vector<int>{64, 64, 64, 0, 0, 0, 0, 0}));
}

TEST(XmNoteDelay, DelayedNotePlaysOnItsTickWithItsVolumeColumn) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0x20, 0xE, 0xD3};
    TestSong song(xm);
    const std::vector<int> periods = song.Record(6, PeriodOf);
    EXPECT_EQ(periods, (std::vector<int>{0, 0, 0, LinearPeriod(NOTE_C4), LinearPeriod(NOTE_C4),
                                         LinearPeriod(NOTE_C4)}));
    EXPECT_EQ(song.Channel().volume, 0x10);
    EXPECT_TRUE(song.music->voices[0][0].active);
}

TEST(XmSampleOffset, OffsetStartsInsideTheSampleAndRemembersItsParameter) {
    XmModule xm = TestModule();
    xm.instruments[0].samples[0].data.assign(1024, 100);
    xm.instruments[0].samples[0].loopType = XM_LOOP_NONE;
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x9, 0x02};
    Cell(xm, 0, 1, 0) = {NOTE_C4, 1, 0, 0x9, 0x00};
    Cell(xm, 0, 2, 0) = {NOTE_C4, 1, 0, 0x9, 0x04}; // past the end: the note is silent
    TestSong song(xm);
    song.Tick();
    EXPECT_EQ(song.music->voices[0][0].position >> 32, 512);
    for (int t = 0; t < 6; t++) song.Tick();
    EXPECT_EQ(song.music->voices[0][0].position >> 32, 512);
    for (int t = 0; t < 6; t++) song.Tick();
    EXPECT_FALSE(song.music->voices[0][0].active);
}

TEST(XmTremor, TremorAlternatesOnAndOffPhasesAcrossRows) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x1D, 0x11}; // on 2 ticks, off 2 ticks
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0x1D, 0x00};
    TestSong song(xm);
    EXPECT_EQ(song.Record(12, VolumeOf),
              (std::vector<int>{64, 64, 64, 0, 0, 64, 64, 64, 0, 0, 64, 64}));
}

TEST(XmNoteDelay, DelayedKeyOffRestartsTheInstrumentAndSilencesOnlyWithoutEnvelope) {
    XmModule xm = TestModule(2);
    XmInstrument withEnvelope = xm.instruments[0];
    withEnvelope.volumeEnvelope.on = true;
    withEnvelope.volumeEnvelope.points = {{0, 64}, {4, 0}};
    xm.instruments.push_back(withEnvelope);
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 0, 1) = {NOTE_C4, 2, 0, 0, 0};
    Cell(xm, 0, 1, 0) = {XM_NOTE_KEY_OFF, 0, 0, 0xE, 0xD2};
    Cell(xm, 0, 1, 1) = {XM_NOTE_KEY_OFF, 0, 0, 0xE, 0xD2};
    TestSong song(xm);
    for (int t = 0; t < 8; t++) song.Tick();
    EXPECT_EQ(song.Channel(0).outVolume, 64); // not yet: tick 1 of the row
    EXPECT_EQ(song.Channel(1).volumeEnvelope, 0);
    song.Tick(); // tick 2: the delayed key off
    EXPECT_EQ(song.Channel(0).outVolume, 0);
    EXPECT_TRUE(song.Channel(0).keyOn);            // no fade-out starts
    EXPECT_EQ(song.Channel(1).volumeEnvelope, 64); // the envelope starts again
    EXPECT_TRUE(song.Channel(1).keyOn);
}
