// music_notation_test.cpp - the song notation: what each token writes into the pattern cells,
// how tracks are reused (transposed, delayed, re-voiced, scaled), and that mistakes in a song
// text are refused with the line that holds them.
#include <gtest/gtest.h>

#include <string>

#include "tools/assetgen/music_song.h"

namespace {

// A two-channel song around `body`, with two small instruments and a drum kit.
std::string Song(const std::string& body) {
    return "title t\nchannels 2\nspeed 6\ntempo 125\n"
           "instrument 1 square vol=40\ninstrument 2 kick\n"
           "kit k @2 C4\nkit g @2 C4v10\n" +
           body;
}

XmModule Compile(const std::string& text) {
    CompiledSong song;
    std::string error;
    EXPECT_TRUE(CompileSong(text, "t.song", &song, &error)) << error;
    return song.module;
}

// The error a faulty song gives ("" when it compiles).
std::string ErrorOf(const std::string& text) {
    CompiledSong song;
    std::string error;
    if (CompileSong(text, "t.song", &song, &error)) return "";
    return error;
}

const XmCell& At(const XmModule& m, int pattern, int row, int channel) {
    return m.patterns.at(size_t(pattern)).cells.at(size_t(row) * m.channels + size_t(channel));
}

constexpr uint8_t C4 = 49; // XM note number of C-4

} // namespace

TEST(MusicNotation, EachTokenWritesItsCells) {
    const XmModule m = Compile(Song("pattern p 10\n    1 L2 @1 C4 D#4:3 -:1 Bb3 ^\norder p\n"));
    ASSERT_EQ(m.patterns.size(), 1u);
    EXPECT_EQ(At(m, 0, 0, 0).note, C4);
    EXPECT_EQ(At(m, 0, 0, 0).instrument, 1);
    EXPECT_EQ(At(m, 0, 1, 0).note, 0) << "a note of length 2 leaves its second row empty";
    EXPECT_EQ(At(m, 0, 2, 0).note, C4 + 3);
    EXPECT_EQ(At(m, 0, 6, 0).note, C4 - 2); // Bb3 after one held row
    EXPECT_EQ(At(m, 0, 8, 0).note, XM_NOTE_KEY_OFF);
    EXPECT_EQ(At(m, 0, 8, 0).instrument, 0) << "a key-off names no instrument";
    // The second channel was never written: every one of its cells is empty.
    for (int r = 0; r < 10; r++) EXPECT_EQ(At(m, 0, r, 1).note, 0);
}

TEST(MusicNotation, ModifiersPlaceVolumesAndEffectsOnTheRightRows) {
    const XmModule m = Compile(Song("pattern p 16\n"
                                    "    1 @1 vib=63 C4:4v20!E93&A01>C00 D4:6~ /G4:6\n"
                                    "    2 @1 E4:4*047 -:4V71 %A4m:8\n"
                                    "order p\n"));
    EXPECT_EQ(At(m, 0, 0, 0).volume, 0x10 + 0x20);
    EXPECT_EQ(At(m, 0, 0, 0).effect, 0xE); // first row: !E93
    EXPECT_EQ(At(m, 0, 0, 0).param, 0x93);
    EXPECT_EQ(At(m, 0, 1, 0).effect, 0xA); // later rows: &A01
    EXPECT_EQ(At(m, 0, 1, 0).param, 0x01);
    EXPECT_EQ(At(m, 0, 3, 0).effect, 0xC); // last row: >C00 wins over &
    // '~': vibrato from the note's third row on (the default delay of two rows).
    EXPECT_EQ(At(m, 0, 5, 0).effect, 0);
    EXPECT_EQ(At(m, 0, 6, 0).effect, 4);
    EXPECT_EQ(At(m, 0, 6, 0).param, 0x63);
    EXPECT_EQ(At(m, 0, 9, 0).effect, 4);
    // '/': tone portamento with its speed on the first row, continued with 300 after.
    EXPECT_EQ(At(m, 0, 10, 0).note, C4 + 7);
    EXPECT_EQ(At(m, 0, 10, 0).effect, 3);
    EXPECT_EQ(At(m, 0, 10, 0).param, 0x10);
    EXPECT_EQ(At(m, 0, 15, 0).effect, 3);
    EXPECT_EQ(At(m, 0, 15, 0).param, 0);
    // '*' on every row, 'V' in the volume column of all rows but the first.
    for (int r = 0; r < 4; r++) EXPECT_EQ(At(m, 0, r, 1).param, 0x47) << r;
    EXPECT_EQ(At(m, 0, 4, 1).volume, 0);
    EXPECT_EQ(At(m, 0, 5, 1).volume, 0x71);
    // A chord name becomes its arpeggio on every row of the note: minor is 0, 3, 7.
    EXPECT_EQ(At(m, 0, 8, 1).note, C4 + 9);
    for (int r = 8; r < 16; r++) EXPECT_EQ(At(m, 0, r, 1).param, 0x37) << r;
}

TEST(MusicNotation, TracksAreReusedTransposedDelayedRevoicedAndScaled) {
    const XmModule m = Compile(Song("track riff\n    L2 @1 C4 E4v20\n"
                                    "pattern p 16\n"
                                    "    1 $riff $riff+5 ( $riff-12 )*2\n"
                                    "    2 $riff>1@2%50*2 |k.g.|*2\n"
                                    "order p\n"));
    EXPECT_EQ(At(m, 0, 2, 0).note, C4 + 4);
    EXPECT_EQ(At(m, 0, 4, 0).note, C4 + 5);
    EXPECT_EQ(At(m, 0, 6, 0).note, C4 + 9);
    EXPECT_EQ(At(m, 0, 8, 0).note, C4 - 12);
    EXPECT_EQ(At(m, 0, 12, 0).note, C4 - 12);
    // The echo: one row later, its last row cut, played by instrument 2 at half volume.
    EXPECT_EQ(At(m, 0, 0, 1).note, 0);
    EXPECT_EQ(At(m, 0, 1, 1).note, C4);
    EXPECT_EQ(At(m, 0, 1, 1).instrument, 2);
    EXPECT_EQ(At(m, 0, 1, 1).volume, 0x10 + 32) << "the kick's default 64, halved";
    EXPECT_EQ(At(m, 0, 3, 1).volume, 0x10 + 16) << "E4v20 (32), halved";
    EXPECT_EQ(At(m, 0, 5, 1).note, C4) << "the repeat repeats the delayed copy";
    // Drum grids come from the kit and ignore transposition.
    EXPECT_EQ(At(m, 0, 8, 1).note, C4);
    EXPECT_EQ(At(m, 0, 10, 1).volume, 0x10 + 0x10);
    EXPECT_EQ(At(m, 0, 9, 1).note, 0);
}

TEST(MusicNotation, SongHeaderOrderListAndSwingReachTheModule) {
    const XmModule m = Compile(Song("restart 1\nswing 7 5 2\n"
                                    "pattern a 4\n    1 @1 C4:4\npattern b 2\n    1 @1 D4:2\n"
                                    "order a b\n    a\n"));
    EXPECT_EQ(m.channels, 2);
    EXPECT_EQ(m.tempo, 125);
    EXPECT_EQ(m.restartPosition, 1);
    EXPECT_EQ(m.orders, (std::vector<uint8_t>{0, 1, 0}));
    ASSERT_EQ(m.patterns[1].rows, 2);
    for (int r = 0; r < 4; r++) {
        EXPECT_EQ(At(m, 0, r, 1).effect, 0xF);
        EXPECT_EQ(At(m, 0, r, 1).param, r % 2 ? 5 : 7);
    }
    EXPECT_EQ(m.instruments.size(), 2u);
    EXPECT_EQ(m.instruments[0].samples[0].volume, 40);
}

TEST(MusicNotation, MistakesAreRefusedWithTheirLine) {
    struct Case {
        const char* body;
        const char* says;
    };
    const Case cases[] = {
        {"pattern p 4\n    1 @1 C4:3\norder p\n", "fills 3 of its 4 rows"},
        {"pattern p 4\n    1 @1 C4:5\norder p\n", "runs to row 5"},
        {"pattern p 4\n    1 C4:4\norder p\n", "before any @instrument"},
        {"pattern p 4\n    1 @3 C4:4\norder p\n", "not defined"},
        {"pattern p 4\n    1 @1 H4:4\norder p\n", "cannot read"},
        {"pattern p 4\n    1 @1 C4:4x\norder p\n", "unknown modifier"},
        {"pattern p 4\n    1 @1 C4:4v41\norder p\n", "above 40"},
        {"pattern p 4\n    1 $nothing\norder p\n", "no track named"},
        {"pattern p 4\n    1 |kz..|\norder p\n", "no kit letter"},
        {"pattern p 4\n    1 ( @1 C4:4\norder p\n", "without ')'"},
        {"pattern p 4\n    1 @1 C4:4\norder q\n", "no pattern named"},
        {"pattern p 4\n    1 @1 C4:4\npattern q 4\n    1 @1 C4:4\norder p\n", "never played"},
        {"pattern p 4\n    1 @1 C4:4\norder p\nrestart 3\n", "past the order list"},
        {"track a\n    $a\npattern p 4\n    1 $a\norder p\n", "too deeply"},
        {"pattern p 4\n    1 @1 C4:2 C9:2\norder p\n", "outside C0..B7"},
        {"pattern p 4\n    1 @1 C4:4 ^:0\norder p\n", "length"},
        {"instrument 3 saw tone=3\npattern p 4\n    1 @1 C4:4\norder p\n", "means nothing"},
    };
    for (const Case& c : cases) {
        const std::string error = ErrorOf(Song(c.body));
        EXPECT_NE(error.find(c.says), std::string::npos) << c.body << " gave: " << error;
        EXPECT_EQ(error.rfind("t.song:", 0), 0u) << error;
    }
    // The line number is the line of the fault, counted from the top of the text.
    EXPECT_EQ(
        ErrorOf(Song("pattern p 4\n    1 @1 C4:4\n    2 @1 C4:4 C4:1\norder p\n")).substr(0, 10),
        "t.song:11:");
}
