// Pitch slides: 1xx, 2xx (with memory), 3xx tone portamento and its volume-column form,
// E1x/E2x fine slides, X1x/X2x extra-fine slides, E5x finetune.
#include <cmath>

#include "tests/sound/xm_test_song.h"

TEST(XmPortamento, SlidesUpAndDownFourPeriodUnitsPerStepOnEveryTickButTheFirst) {
    XmModule xm = TestModule(2);
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x1, 0x08};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0x1, 0x00}; // memory
    Cell(xm, 0, 0, 1) = {NOTE_C4, 1, 0, 0x2, 0x02};
    TestSong song(xm);
    const int p = LinearPeriod(NOTE_C4);
    std::vector<int> up, down;
    for (int t = 0; t < 12 && song.Tick(); t++) {
        up.push_back(song.Channel(0).outPeriod);
        down.push_back(song.Channel(1).outPeriod);
    }
    EXPECT_EQ(up, (std::vector<int>{p, p - 32, p - 64, p - 96, p - 128, p - 160, p - 160, p - 192,
                                    p - 224, p - 256, p - 288, p - 320}));
    EXPECT_EQ(down[5], p + 40);
    EXPECT_EQ(down[11], p + 40); // 2xx does not carry over to a row without it
}

TEST(XmPortamento, TonePortamentoSlidesToTheNewNoteWithoutRestartingAndStopsThere) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 1, 0) = {NOTE_C4 + 2, 0, 0, 0x3, 0x10};
    Cell(xm, 0, 2, 0) = {NOTE_C4, 0, 0xF1, 0, 0}; // volume-column form: speed 1 x 16
    TestSong song(xm);
    const int p = LinearPeriod(NOTE_C4);
    for (int t = 0; t < 6; t++) song.Tick();
    EXPECT_EQ(song.Record(6, PeriodOf),
              (std::vector<int>{p, p - 64, p - 128, p - 128, p - 128, p - 128}));
    EXPECT_FALSE(song.music->voices[0][1].active); // no new note: nothing fades out
    EXPECT_EQ(song.Record(4, PeriodOf), (std::vector<int>{p - 128, p - 64, p, p}));
}

TEST(XmPortamento, FineAndExtraFineSlidesActOnceOnTheFirstTickWithMemories) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0xE, 0x12}; // fine up 2 -> 8 units
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xE, 0x10};       // memory
    Cell(xm, 0, 2, 0) = {0, 0, 0, 0x21, 0x23};      // extra fine down 3 units
    Cell(xm, 0, 3, 0) = {0, 0, 0, 0x21, 0x20};      // memory
    TestSong song(xm);
    const int p = LinearPeriod(NOTE_C4);
    std::vector<int> firstTicks;
    for (int row = 0; row < 4; row++) {
        const std::vector<int> r = song.Record(6, PeriodOf);
        ASSERT_EQ(r.size(), 6u);
        for (int v : r) EXPECT_EQ(v, r[0]) << "row " << row;
        firstTicks.push_back(r[0]);
    }
    EXPECT_EQ(firstTicks, (std::vector<int>{p - 8, p - 16, p - 13, p - 10}));
}

TEST(XmPortamento, FinetuneEffectOverridesTheSampleFinetuneOfTheNoteOnItsRow) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0xE, 0x5F}; // (15 - 8) x 16 = 112
    TestSong song(xm);
    ASSERT_TRUE(song.Tick());
    EXPECT_EQ(song.Channel().outPeriod, LinearPeriod(NOTE_C4) - 56);
    EXPECT_NEAR(song.Channel().frequency, 8363.0 * std::exp2(56 / 768.0), 0.01);
}
