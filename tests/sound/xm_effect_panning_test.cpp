// Panning: 8xx, E8x (settled: x x 16), Pxy slides, the volume column's set and slides, and
// the linear pan law of the voice gains.
#include "tests/sound/xm_test_song.h"

TEST(XmPanning, SetPanningByEffectExtendedEffectAndVolumeColumn) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x8, 0x40};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xE, 0x8C};
    Cell(xm, 0, 2, 0) = {0, 0, 0xC3, 0, 0};
    TestSong song(xm);
    std::vector<int> rows;
    for (int row = 0; row < 3; row++) rows.push_back(song.Record(6, PanningOf)[5]);
    EXPECT_EQ(rows, (std::vector<int>{0x40, 0xC0, 0x30}));
}

TEST(XmPanning, PanSlidesRightWithPrecedenceAndClampAtTheEdges) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x8, 0xF8};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0x19, 0x40}; // right 4 per tick
    Cell(xm, 0, 2, 0) = {0, 0, 0xD8, 0, 0};    // volume column: left 8 per tick
    TestSong song(xm);
    const std::vector<int> r = song.Record(18, PanningOf);
    EXPECT_EQ(std::vector<int>(r.begin() + 6, r.begin() + 12),
              (std::vector<int>{248, 252, 255, 255, 255, 255}));
    EXPECT_EQ(r[17], 255 - 5 * 8);
}

TEST(XmPanning, LinearPanLawSplitsTheVoiceGain) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x8, 0x33}; // 51
    TestSong song(xm);
    ASSERT_TRUE(song.Tick());
    const MixVoice& v = song.music->voices[0][0];
    const int32_t g = song.music->gainFull;
    EXPECT_EQ(v.targetLeft >> 16, g * (255 - 51) / 255);
    EXPECT_EQ(v.targetRight >> 16, g * 51 / 255);
}
