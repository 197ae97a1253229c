// music_notation_test.cpp - the song notation: the cells each token writes, reused tracks, and
// mistakes refused with their line.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tools/assetgen/music_song.h"

namespace {

// A five-channel song around `body`, with two small instruments and a drum kit.
std::string Song(const std::string& body) {
    return "title t\nchannels 5\nspeed 6\ntempo 125\n"
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

// Fields of cells of the first pattern, each (row, channel, field, value); the fields are n note,
// i instrument, v volume column, e effect, p effect parameter.
void ExpectCells(const XmModule& m,
                 std::initializer_list<std::tuple<int, int, char, int>> expected) {
    ASSERT_FALSE(m.patterns.empty());
    for (const auto& [row, channel, field, value] : expected) {
        const XmCell& c = m.patterns[0].cells.at(size_t(row) * m.channels + size_t(channel));
        const int fields[] = {c.note, c.instrument, c.volume, c.effect, c.param};
        EXPECT_EQ(fields[std::string("nivep").find(field)], value)
            << "row " << row << " channel " << channel << " " << field;
    }
}

constexpr int C4 = 49; // XM note number of C-4

} // namespace

TEST(MusicNotation, NotesModifiersAndReusedTracksWriteTheirCells) {
    const XmModule m = Compile(Song("track riff\n    L2 @1 C4 E4v20\n"
                                    "pattern p 16\n"
                                    "    1 L2 @1 C4 D#4:3 -:1 Bb3 ^ -:6\n"
                                    "    2 @1 vib=63 C4:4v20!E93&A01>C00 D4:6~ /G4:6\n"
                                    "    3 @1 E4:4*047 -:4V71 %A4m:8\n"
                                    "    4 $riff $riff+5 ( $riff-12 )*2\n"
                                    "    5 $riff>1@2%50*2 |k.g.|*2\n"
                                    "order p\n"));
    // Channel 0: lengths, a held row, a key-off that names no instrument. Channel 1: !E93 on
    // the first row, &A01 on later ones, >C00 on the last wins over &; '~' vibrato from the
    // note's third row on; '/' portamento at its speed, then 300. Channel 2: '*' on every row,
    // 'V' after the first row, a minor chord as the arpeggio 037 on every row. Channel 3: the
    // track transposed and repeated. Channel 4: the echo a row later with its last row cut,
    // on instrument 2 at half volume (the kick's 64 and E4v20's 32, halved), its repeat
    // repeating the delayed copy; drum grids from the kit, untransposed.
    ExpectCells(m,
                {{0, 0, 'n', C4},          {0, 0, 'i', 1},           {1, 0, 'n', 0},
                 {2, 0, 'n', C4 + 3},      {6, 0, 'n', C4 - 2},      {8, 0, 'n', XM_NOTE_KEY_OFF},
                 {8, 0, 'i', 0},           {0, 1, 'v', 0x10 + 0x20}, {0, 1, 'e', 0xE},
                 {0, 1, 'p', 0x93},        {1, 1, 'e', 0xA},         {1, 1, 'p', 0x01},
                 {3, 1, 'e', 0xC},         {5, 1, 'e', 0},           {6, 1, 'e', 4},
                 {6, 1, 'p', 0x63},        {9, 1, 'e', 4},           {10, 1, 'n', C4 + 7},
                 {10, 1, 'e', 3},          {10, 1, 'p', 0x10},       {15, 1, 'e', 3},
                 {15, 1, 'p', 0},          {0, 2, 'p', 0x47},        {3, 2, 'p', 0x47},
                 {4, 2, 'v', 0},           {5, 2, 'v', 0x71},        {8, 2, 'n', C4 + 9},
                 {8, 2, 'p', 0x37},        {15, 2, 'p', 0x37},       {2, 3, 'n', C4 + 4},
                 {4, 3, 'n', C4 + 5},      {6, 3, 'n', C4 + 9},      {8, 3, 'n', C4 - 12},
                 {12, 3, 'n', C4 - 12},    {0, 4, 'n', 0},           {1, 4, 'n', C4},
                 {1, 4, 'i', 2},           {1, 4, 'v', 0x10 + 32},   {3, 4, 'v', 0x10 + 16},
                 {5, 4, 'n', C4},          {8, 4, 'n', C4},          {9, 4, 'n', 0},
                 {10, 4, 'v', 0x10 + 0x10}});
}

TEST(MusicNotation, MistakesAreRefusedWithTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
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
        // The line number is the line of the fault, counted from the top of the text.
        {"pattern p 4\n    1 @1 C4:4\n    2 @1 C4:4 C4:1\norder p\n", "t.song:11:"},
    };
    for (const auto& [body, says] : cases) {
        CompiledSong song;
        std::string error;
        EXPECT_FALSE(CompileSong(Song(body), "t.song", &song, &error)) << body;
        EXPECT_NE(error.find(says), std::string::npos) << body << " gave: " << error;
        EXPECT_EQ(error.rfind("t.song:", 0), 0u) << error;
    }
}
