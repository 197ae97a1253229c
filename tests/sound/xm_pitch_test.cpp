// Pitch, tick by tick: slides (1xx 2xx 3xx E1x E2x X1x X2x, Mx beside 3xx), finetune (sample,
// E5x), the edges of the note range, arpeggio, vibrato and auto-vibrato.
#include "tests/sound/xm_test_song.h"

template <typename F> static XmModule With(XmModule m, F change) {
    change(m);
    return m;
}
static XmModule Finetuned(int finetune, const char* cell = "C-4 01 .. ...") {
    XmModule m = Song({cell});
    m.instruments[0].samples[0].finetune = int8_t(finetune);
    return m;
}

TEST(XmPitch, SlidesAndFinetuneMoveThePeriodAndTonePortamentoStartsNoNote) {
    ExpectTicks("1xx: 4 units a step from the second tick, 100 remembers",
                Song({"C-4 01 .. 108", "... .. .. 100"}), PeriodOf, 0,
                {C4, C4 - 32, C4 - 64, C4 - 96, C4 - 128, C4 - 160, C4 - 160, C4 - 192});
    ExpectTicks("2xx does not carry over to a row without it", Song({"C-4 01 .. 202"}), PeriodOf, 4,
                {C4 + 32, C4 + 40, C4 + 40, C4 + 40});
    ExpectTicks("E12 (8 units), E10, X23 (3 units), X20: the first tick only, each remembers",
                Song({"C-4 01 .. E12", "... .. .. E10", "... .. .. X23", "... .. .. X20"}),
                PeriodOf, 5, {C4 - 8, C4 - 16, C4 - 13, C4 - 10}, 0, 6);
    ExpectTicks("310 slides to its target and stops there, the volume column's F1 too",
                Song({"C-4 01 .. ...", "D-4 .. .. 310", "C-4 .. F1 ..."}), PeriodOf, 6,
                {C4, C4 - 64, C4 - 128, C4 - 128, C4 - 128, C4 - 128, C4 - 128, C4 - 64, C4, C4});
    // The slide keeps its note's direction: pushed past the target it jumps to it.
    ExpectTicks(
        "3xx keeps its direction",
        Song({"C-4 01 .. ...", "D-4 .. .. 310", "... .. .. 110", "... .. .. 310", "C-4 .. .. 310"}),
        PeriodOf, 18,
        {C4 - 448, C4 - 128, C4 - 128, C4 - 128, C4 - 128, C4 - 128, C4 - 128, C4 - 64, C4});
    // A new note leaves the target where the last porta note put it: F1 and 310 slide to it.
    for (const char* slide : {"... .. F1 ...", "... .. .. 310"})
        ExpectTicks(slide, Song({"C-4 01 .. ...", "D-4 .. FF ...", "C-4 01 .. ...", slide}),
                    PeriodOf, 18, {C4, C4 - 64, C4 - 128, C4 - 128});
    // Each channel slides at its own speed memory; a porta note while it is 0 is no target.
    const XmModule memories =
        Song({"C-4 01 .. ... | C-4 01 .. ...", "D-4 .. .. 300 | D-4 .. .. 3FF",
              "... .. .. 310 | ... .. .. 300"});
    ExpectTicks("300 with no speed yet: D-4 is no target", memories, PeriodOf, 6,
                {C4, C4, C4, C4, C4, C4, C4, C4, C4});
    ExpectTicks("3FF beside it", memories, PeriodOf, 6, {C4, C4 - 128, C4 - 128}, 1);
    // Mx and 3xx on one row both slide every tick at the one memory's speed, the effect read last.
    ExpectTicks("F2 beside 308", Song({"C-4 01 .. ...", "A-4 .. F2 308"}), PeriodOf, 6,
                {C4, C4 - 64, C4 - 128, C4 - 192});
    ExpectTicks("F4 beside 300", Song({"C-4 01 .. ...", "A-4 .. F4 300"}), PeriodOf, 6,
                {C4, C4 - 512, C4 - 576});
    // The low 3 bits of a finetune are dropped; E5F overrides it: (15 - 8) x 16.
    for (auto [finetune, period] : {std::pair{7, C4}, {8, C4 - 4}, {127, C4 - 60}, {-28, C4 + 16}})
        ExpectTicks("finetune " + std::to_string(finetune), Finetuned(finetune), PeriodOf, 0,
                    {period});
    ExpectTicks("E5F", Finetuned(-28, "C-4 01 .. E5F"), PeriodOf, 0, {C4 - 56});
    // Tone portamento starts no note when nothing sounds, nor after the sample has ended.
    TestSong silent(Song({"C-4 01 .. 3FF"}));
    silent.Skip(6);
    EXPECT_FALSE(silent.music->voices[0][0].active);
    XmModule xm = Song({"C-4 01 .. ...", "D-4 .. .. 310"});
    xm.instruments[0].samples[0].loopType = XM_LOOP_NONE;
    xm.instruments[0].samples[0].data.resize(16);
    TestSong ended(xm);
    std::vector<int32_t> acc(2 * 5760);
    ASSERT_EQ(RenderMusic(ended.music.get(), acc.data(), 5760), 5760); // row 0: the sample ends
    ended.Tick();
    EXPECT_FALSE(ended.music->voices[0][0].active);
    EXPECT_EQ(ended.Channel().targetPeriod, C4 - 128);
}

// The range counts the row's sample's relative note (B-7 +24 ignored, +23 plays), both tables.
TEST(XmPitch, NotesAtTheEdgesOfTheRange) {
    auto edges = [](bool linear) {
        XmModule m = Song(
            {"C-4 01 .. ...", "B-7 03 .. ...", "B-7 02 .. ...", "C-0 04 .. ...", "C-0 05 .. ..."});
        m.linearFrequencies = linear;
        const int relative[] = {23, 24, -1, 0}, finetune[] = {127, 0, 0, -128};
        for (int i = 0; i < 4; i++) {
            m.instruments.push_back(m.instruments[0]);
            m.instruments.back().samples[0].relativeNote = int8_t(relative[i]);
            m.instruments.back().samples[0].finetune = int8_t(finetune[i]);
        }
        return m;
    };
    ExpectTicks("linear", edges(true), PeriodOf, 0, {C4, C4, 128 - 60, 128 - 60, 7680 + 64}, 0, 6);
    EXPECT_EQ(NoteStarts(edges(true), 30), (std::vector<int>{12, 18, 24}));
    EXPECT_EQ(NoteStarts(edges(false), 30), (std::vector<int>{12, 18, 24}));
    TestSong amiga(edges(false));
    std::vector<int> p;
    for (int row = 0; row < 5; row++, amiga.Skip(5))
        p.push_back((amiga.Tick(), amiga.Channel().outPeriod));
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[3]}), (std::vector<int>{1712, 1712, p[2]}));
    EXPECT_LT(p[2], 1712 >> 5); // above B-8
    EXPECT_GT(p[4], 1712 << 4); // below C-0
}

// Arpeggio counts from the row's end (+y, +x, note, ...), from the nearest note, up to C-8.
TEST(XmPitch, ArpeggioAndVibratoSwingThePitchFromTheSecondTick) {
    auto speed2 = [](XmModule& m) { m.speed = 2; };
    ExpectTicks("047 cycle", Song({"C-4 01 .. 047"}), PeriodOf, 0,
                {C4, C4 - 448, C4 - 256, C4, C4 - 448, C4 - 256, C4});
    ExpectTicks("slid half a semitone up: still from C-4",
                With(Song({"C-4 01 .. ...", "... .. .. E18", "... .. .. 0C0"}), speed2), PeriodOf,
                5, {C4 - 768});
    ExpectTicks("slid a little more: from C#4",
                With(Song({"C-4 01 .. ...", "... .. .. E19", "... .. .. 0C0"}), speed2), PeriodOf,
                5, {C4 - 64 - 768});
    ExpectTicks("B-7 + 12 plays C-8", Song({"B-7 01 .. 0C0"}), PeriodOf, 2, {1536});
    ExpectTicks("Amiga table: +12 halves the period, 000 is no arpeggio",
                With(Song({"C-4 01 .. 00C", "... .. .. 000"}),
                     [](XmModule& m) { m.linearFrequencies = false; }),
                PeriodOf, 0, {1712, 856, 1712, 1712, 856, 1712, 1712, 1712});
    // Position grows by 4 x speed a tick; delta = sine(position) x depth / 32.
    ExpectTicks("448 sine, 400 remembers, no vibrato on a row's first tick",
                Song({"C-4 01 .. 448", "... .. .. 400"}), PeriodOf, 0,
                {C4, C4, C4 + 24, C4 + 45, C4 + 58, C4 + 63, C4, C4 + 58});
    ExpectTicks("E42 square: the second half swings the other way, a row without it ends it",
                Song({"C-4 01 .. E42", "C-4 01 .. 484"}), PeriodOf, 6,
                {C4, C4 + 31, C4 + 31, C4 + 31, C4 + 31, C4 - 31, C4});
    const int d = (64 * 8 * 256) >> 14; // auto-vibrato: wave 64 x depth 8 x 256 >> 14
    ExpectTicks("auto-vibrato of the instrument, square, rate 64",
                With(Song({"C-4 01 .. ..."}),
                     [](XmModule& m) {
                         m.instruments[0].vibratoType = 1;
                         m.instruments[0].vibratoDepth = 8;
                         m.instruments[0].vibratoRate = 64;
                     }),
                PeriodOf, 0, {C4 + d, C4 + d, C4 - d, C4 - d});
}
