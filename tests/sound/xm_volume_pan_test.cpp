// Volume and panning, tick by tick: Cxx, Axy, EAx/EBx, the volume column's set, slides and
// pan, Gxx/Hxy, tremolo, tremor, 8xx, E8x (settled: x x 16), Pxy and the linear pan law.
#include "tests/sound/xm_test_song.h"

TEST(XmVolume, VolumeEffectsAndTheVolumeColumnActTickByTick) {
    ExpectTicks("A02 slides down from the second tick, A00 remembers, A31: up wins",
                Song({"C-4 01 30 A02", "... .. .. A00", "... .. .. A31"}), VolumeOf, 0,
                {32, 30, 28, 26, 24, 22, 22, 20, 18, 16, 14, 12, 12, 15, 18, 21, 24, 27});
    ExpectTicks("C50 clamps to 64; EB5, EB0 (memory), column fine up 3 then EA2: first tick only",
                Song({"C-4 01 .. C50", "... .. .. EB5", "... .. .. EB0", "... .. 93 EA2"}),
                VolumeOf, 5, {64, 59, 54, 59}, 0, 6);
    ExpectTicks("column: set 64, down 4 a tick, set 2, up 1 a tick",
                Song({"C-4 01 50 ...", "... .. 64 ...", "... .. 12 ...", "... .. 71 ..."}),
                VolumeOf, 6, {64, 60, 56, 52, 48, 44, 2, 2, 2, 2, 2, 2, 2, 3, 4, 5, 6, 7});
    ExpectTicks("788: tremolo swings the heard volume", Song({"C-4 01 30 788"}), VolumeOf, 0,
                {32, 32, 54, 63, 54, 32, 32});
    // A vibrato of depth 0 that moved its position past half way turns the ramp down.
    ExpectTicks("E71 ramp after 480", Song({"C-4 01 30 E71", "... .. .. 480", "... .. .. 734"}),
                VolumeOf, 13, {47, 46, 44, 43, 41});
    ExpectTicks("E71 ramp alone", Song({"C-4 01 30 E71", "", "... .. .. 734"}), VolumeOf, 13,
                {32, 33, 35, 36, 38});
    ExpectTicks("T11: 2 ticks on, 2 off, across rows", Song({"C-4 01 .. T11", "... .. .. T00"}),
                VolumeOf, 0, {64, 64, 64, 0, 0, 64, 64, 64, 0, 0, 64, 64});
    // Tremolo leaves the note's own volume; global volume scales every channel.
    TestSong song(Song({"C-4 01 30 788 | C-4 01 .. G20", "... .. .. ... | ... .. .. H01"}));
    ASSERT_TRUE(song.Tick());
    EXPECT_EQ(song.Channel(0).finalVolume, 16384); // 32 of 64, global 32 of 64
    EXPECT_EQ(song.Channel(1).finalVolume, 32768);
    song.Skip(11);
    EXPECT_EQ(std::pair(song.Channel(0).volume, song.music->globalVolume), std::pair(32, 27));
}

TEST(XmPanning, PanningIsSetAndSlidUpToTheEdges) {
    ExpectTicks("840, E8C (x x 16), column C3",
                Song({"C-4 01 .. 840", "... .. .. E8C", "... .. C3 ..."}), PanningOf, 5,
                {0x40, 0xC0, 0x30}, 0, 6);
    ExpectTicks("P40 right 4 a tick to the edge, column D8 left 8, column D0 hard left (FT2)",
                Song({"C-4 01 .. 8F8", "... .. .. P40", "... .. D8 ...", "... .. D0 ..."}),
                PanningOf, 6, {248, 252, 255, 255, 255, 255, 255, 247, 239, 231, 223, 215, 215, 0});
    // The linear law splits the voice's gain.
    TestSong song(Song({"C-4 01 .. 833"})); // 51
    ASSERT_TRUE(song.Tick());
    const MixVoice& v = song.music->voices[0][0];
    EXPECT_EQ(v.targetLeft >> 16, song.music->gainFull * (255 - 51) / 255);
    EXPECT_EQ(v.targetRight >> 16, song.music->gainFull * 51 / 255);
}
