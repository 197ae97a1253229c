// Volume: Cxx, Axy (memory shared with 5xy/6xy), EAx/EBx, the volume column's set, slides and
// fine slides, global volume Gxx and Hxy.
#include "tests/sound/xm_test_song.h"

TEST(XmVolume, VolumeSlideDownWithMemoryAndUpTakingPrecedence) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0x30, 0xA, 0x02};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xA, 0x00};
    Cell(xm, 0, 2, 0) = {0, 0, 0, 0xA, 0x31}; // both nibbles: up wins
    TestSong song(xm);
    EXPECT_EQ(song.Record(18, VolumeOf), (std::vector<int>{32, 30, 28, 26, 24, 22, 22, 20, 18, 16,
                                                           14, 12, 12, 15, 18, 21, 24, 27}));
}

TEST(XmVolume, SetVolumeClampsAndFineSlidesActOnTheFirstTickOnly) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0xC, 0x50}; // 80 -> 64
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0xE, 0xB5};       // fine down 5
    Cell(xm, 0, 2, 0) = {0, 0, 0, 0xE, 0xB0};       // memory
    Cell(xm, 0, 3, 0) = {0, 0, 0x93, 0xE, 0xA2};    // volume column fine up 3, then EA2
    TestSong song(xm);
    std::vector<int> rows;
    for (int row = 0; row < 4; row++) {
        const std::vector<int> r = song.Record(6, VolumeOf);
        for (int v : r) EXPECT_EQ(v, r[0]);
        rows.push_back(r[0]);
    }
    EXPECT_EQ(rows, (std::vector<int>{64, 59, 54, 59}));
}

TEST(XmVolume, VolumeColumnSetsAndSlidesOnLaterTicks) {
    XmModule xm = TestModule();
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0x50, 0, 0}; // 64
    Cell(xm, 0, 1, 0) = {0, 0, 0x64, 0, 0};       // down 4 per tick
    Cell(xm, 0, 2, 0) = {0, 0, 0x12, 0, 0};       // set 2
    Cell(xm, 0, 3, 0) = {0, 0, 0x71, 0, 0};       // up 1 per tick
    TestSong song(xm);
    const std::vector<int> r = song.Record(24, VolumeOf);
    EXPECT_EQ(std::vector<int>(r.begin() + 6, r.begin() + 12),
              (std::vector<int>{64, 60, 56, 52, 48, 44}));
    EXPECT_EQ(r[12], 2);
    EXPECT_EQ(r[23], 7);
}

TEST(XmVolume, GlobalVolumeScalesEveryChannelAndSlidesPerTick) {
    XmModule xm = TestModule(2);
    Cell(xm, 0, 0, 0) = {NOTE_C4, 1, 0, 0x10, 0x20}; // global 32
    Cell(xm, 0, 0, 1) = {NOTE_C4, 1, 0, 0, 0};
    Cell(xm, 0, 1, 0) = {0, 0, 0, 0x11, 0x01}; // global down 1 per tick
    TestSong song(xm);
    ASSERT_TRUE(song.Tick());
    EXPECT_EQ(song.Channel(0).finalVolume, 32768);
    EXPECT_EQ(song.Channel(1).finalVolume, 32768);
    for (int t = 1; t < 12; t++) song.Tick();
    EXPECT_EQ(song.music->globalVolume, 27);
}
