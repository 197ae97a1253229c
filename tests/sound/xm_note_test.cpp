// Notes and instruments tick by tick: key offs, instrument numbers, notes out of range,
// envelopes, fade-out, Lxx, EDx, E9x, Rxy, ECx and 9xx.
#include "tests/sound/xm_test_song.h"

constexpr ChannelField KeyOnOf = [](const MusicChannel& ch) { return int(ch.keyOn); };

// Instrument 1 with volume 48, panning 32, a volume envelope held at 32, fade-out 1024.
static XmModule EnvelopeSong(const std::vector<std::string>& rows) {
    XmModule xm = Song(rows);
    xm.instruments[0].volumeEnvelope = {.points = {{0, 64}, {4, 32}, {8, 32}, {12, 0}},
                                        .sustainPoint = 1,
                                        .on = true,
                                        .sustain = true};
    xm.instruments[0].fadeout = 1024;
    xm.instruments[0].samples[0].volume = 48;
    xm.instruments[0].samples[0].panning = 32;
    return xm;
}

// Key offs; an instrument number restores the sample's volume and pan, alone restarts it.
TEST(XmNote, KeyOffsAndInstrumentNumbersActAsFt2Does) {
    const XmModule song =
        EnvelopeSong({"C-4 01 10 8FF | C-4 01 10 8FF", "... 01 .. ... | === 01 .. ...",
                      "... .. .. ... | F-4 .. .. K04"});
    ExpectTicks("instrument alone: volume", song, VolumeOf, 6, {48});
    ExpectTicks("instrument alone: panning", song, PanningOf, 6, {32});
    ExpectTicks("instrument alone: envelope restarts", song, EnvelopeOf, 6, {64, 56, 48});
    ExpectTicks("key off and instrument: volume", song, VolumeOf, 6, {48}, 1);
    ExpectTicks("key off and instrument: released", song, KeyOnOf, 6, {0}, 1);
    ExpectTicks("key off and instrument: envelope goes on", song, EnvelopeOf, 6,
                {32, 32, 32, 32, 32, 24}, 1);
    ExpectTicks("key off and instrument: fading", song, FadeoutOf, 6, {32768 - 1024, 32768 - 2048},
                1);
    ExpectTicks("K with a note: the note is not played", song, PeriodOf, 12, {C4}, 1);
    ExpectTicks("without a volume envelope note 97 silences at once",
                Song({"C-4 01 .. ...", "=== .. .. ..."}), VolumeOf, 6, {0});
    ExpectTicks("and so does K", Song({"C-4 01 .. ...", "... .. .. K04"}), VolumeOf, 6, {0});
    ExpectTicks("K with an instrument number: the sample's volume",
                Song({"C-4 01 20 ...", "... 01 .. K00"}), VolumeOf, 6, {64});
    // K00 beside the column's Mx releases the note (not cut) and the slide goes on.
    const XmModule sliding = EnvelopeSong({"C-4 01 .. ...", "A-4 .. F1 ...", "... .. F2 K00"});
    ExpectTicks("volume stays", sliding, VolumeOf, 12, {48, 48, 48});
    ExpectTicks("released", sliding, KeyOnOf, 12, {0});
    ExpectTicks("envelope leaves the sustain", sliding, EnvelopeOf, 12, {32, 32, 32, 32, 32, 24});
    ExpectTicks("fading", sliding, FadeoutOf, 12, {32768 - 1024, 32768 - 2048});
    ExpectTicks("sliding to A-4", sliding, PeriodOf, 11, {C4 - 320, C4 - 320, C4 - 448, C4 - 576});
}

// An instrument number alone picks a released note up (no new sample) and restarts tremor's count.
TEST(XmNote, InstrumentNumbersPickUpAReleasedNoteAndRestartTremor) {
    const XmModule picked = EnvelopeSong({"C-4 01 .. ...", "=== .. .. ...", "... 01 .. ..."});
    ExpectTicks("key down again", picked, KeyOnOf, 11, {0, 1});
    ExpectTicks("envelope from the start", picked, EnvelopeOf, 12, {64, 56});
    ExpectTicks("fade-out from full", picked, FadeoutOf, 11, {32768 - 6144, 32768});
    EXPECT_EQ(NoteStarts(picked, 18), (std::vector<int>{}));
    XmModule tremor = Song({"C-4 01 .. T13", "... 02 .. T13", "C-4 01 .. T13", "... .. .. T13"});
    tremor.instruments.push_back(tremor.instruments[0]);
    tremor.instruments[1].samples[0].volume = 32;
    ExpectTicks("instrument change", tremor, VolumeOf, 0,
                {64, 64, 64, 0, 0, 0, 64, 64, 64, 0, 0, 0, 64, 64, 64, 0, 0, 0, 0, 0, 64, 64, 0});
}

// The fade-out speed is the last started instrument's, even out of range; just below C-0 plays.
TEST(XmNote, InstrumentsOfNotesOutOfRangeStillSetTheFadeOutAndJustBelowC0Plays) {
    std::vector<std::string> rows = {"C-4 01 .. ...", "=== 02 .. ...", "... 02 .. ...",
                                     "B-7 02 .. ...", "=== .. .. ...", "C-0 03 .. ...",
                                     "C-0 04 .. ..."};
    auto instruments = [](XmModule m) {
        m.instruments[0].fadeout = 1000;
        const int8_t relative[] = {24, -1, -2}; // B-7 + 24 is out of range; C-0 - 1 is not
        for (int i = 0; i < 3; i++) {
            m.instruments.push_back(m.instruments[0]);
            m.instruments.back().fadeout = 3000;
            m.instruments.back().samples[0].relativeNote = relative[i];
            m.instruments.back().samples[0].volume = uint8_t(20 * i);
        }
        return m;
    };
    const XmModule xm = instruments(Song(rows));
    ExpectTicks("fade-out by row", xm, FadeoutOf, 11, {32768 - 6000, 32768, 32768, 32768 - 18000},
                0, 6);
    ExpectTicks("pitch stays", xm, PeriodOf, 0, {C4, C4, C4, C4, C4, C4, C4}, 0, 6);
    ExpectTicks("volume of the last sample started", xm, VolumeOf, 30, {20, 20}, 0, 6);
    EXPECT_EQ(NoteStarts(xm, 42), (std::vector<int>{30})); // row 5: C-0 03 alone starts anew
    rows[2] = "C-4 .. .. ...";
    ExpectTicks("fade-out speed kept", instruments(Song(rows)), FadeoutOf, 17, {32768 - 12000});
}

TEST(XmEnvelope, EnvelopesInterpolateHoldLoopAndFollowLxx) {
    const XmModule held = EnvelopeSong({"C-4 01 .. ...", "", "=== .. .. ..."});
    ExpectTicks("held at the sustain point until the key off, then on", held, EnvelopeOf, 0,
                {64, 56, 48, 40, 32, 32, 32, 32, 32, 32, 32, 32,
                 32, 32, 32, 32, 32, 24, 16, 8,  0,  0,  0,  0});
    ExpectTicks("an ended envelope holds its last point", held,
                [](const MusicChannel& ch) { return ch.volumeTick; }, 30, {12});
    ExpectTicks("fade-out runs after the key off", held, FadeoutOf, 12, {31744, 30720, 29696});
    XmModule loop = Song({"C-4 01 .. ...", "... .. .. L01"});
    XmInstrument& ins = loop.instruments[0];
    ins.volumeEnvelope = {
        .points = {{0, 0}, {2, 64}, {4, 0}}, .loopEnd = 2, .on = true, .loop = true};
    ins.panningEnvelope = ins.volumeEnvelope;
    ExpectTicks("loop, then L01", loop, EnvelopeOf, 0, {0, 32, 64, 32, 0, 32, 32, 64, 32});
    // As in FT2 Lxx moves the panning envelope only when the volume envelope has a sustain.
    auto panningTick = [](const MusicChannel& ch) { return ch.panningTick; };
    ExpectTicks("L01 leaves the panning envelope", loop, panningTick, 6, {3});
    ins.volumeEnvelope.sustain = true;
    ExpectTicks("L01 moves it with a volume sustain", loop, panningTick, 6, {2});
    XmModule room = Song({"C-4 01 .. 8C0"}); // 64 of room either way
    room.instruments[0].panningEnvelope = {.points = {{0, 64}, {1, 0}}, .on = true};
    ExpectTicks("panning envelope within the room left by the pan", room, PanningOf, 0, {255, 128});
}

// A delayed cell acts on its tick after the column slide; a key off restarts the instrument.
TEST(XmNoteDelay, DelayedRowsActOnTheirTickAsFt2Does) {
    XmModule xm = Song({"C-4 01 .. ... | C-4 01 .. ... | C-4 01 .. ... | C-4 02 .. ...",
                        "... .. 6F ED2 | ... 01 6A ED2 | === .. .. ED2 | === .. .. ED2",
                        "C-4 01 20 ED3 | ... .. .. ... | ... .. .. ... | ... .. .. ..."});
    xm.instruments.push_back(xm.instruments[0]);
    xm.instruments[1].volumeEnvelope = {.points = {{0, 64}, {4, 0}}, .on = true};
    ExpectTicks("column slide through the delay tick", xm, VolumeOf, 6, {64, 49, 34, 19, 4, 0});
    ExpectTicks("instrument number over the slide", xm, VolumeOf, 6, {64, 54, 64, 54, 44, 34}, 1);
    ExpectTicks("key off without envelope: silent, not released", xm, VolumeOf, 6, {64, 64, 0, 0},
                2);
    ExpectTicks("key off with envelope: it starts again", xm, EnvelopeOf, 6, {0, 0, 64, 48}, 3);
    for (int c : {2, 3}) ExpectTicks("delayed key off: not released", xm, KeyOnOf, 8, {1}, c);
    ExpectTicks("delayed note with its volume column", xm, VolumeOf, 12, {0, 0, 0, 16, 16, 16});
    // A delayed row replays the last note, restarts envelopes and repeats under EEx.
    EXPECT_EQ(NoteStarts(Song({"C-4 01 .. ...", "... .. .. ED2", "... 01 .. ED3"}), 18),
              (std::vector<int>{8, 15}));
    const XmModule released = EnvelopeSong({"C-4 01 .. ...", "=== .. .. ...", "D-4 .. .. ED1"});
    ExpectTicks("envelope restarts on the delay tick", released, EnvelopeOf, 12, {16, 64, 56});
    ExpectTicks("the key is down again", released, KeyOnOf, 13, {1});
    ExpectTicks("fade-out starts over", released, FadeoutOf, 13, {32768});
    EXPECT_EQ(
        NoteStarts(Song({"C-4 01 .. ... | ... .. .. ...", "... .. .. ED2 | ... .. .. EE1"}), 24),
        (std::vector<int>{8, 14}));
}

TEST(XmNote, RetrigCutAndOffsetActOnTheirTicks) {
    // E90, as in FT2, restarts the note on the row's first tick only.
    EXPECT_EQ(NoteStarts(Song({"C-4 01 .. ...", "... .. .. E92", "... .. .. E90"}), 18),
              (std::vector<int>{8, 10, 12}));
    ExpectTicks("R72 halves the volume every 2 ticks", Song({"C-4 01 50 R72"}), VolumeOf, 0,
                {64, 64, 32, 32, 16, 16});
    // Rxy counts the first tick of rows without a note too; an instrument number starts it over.
    EXPECT_EQ(NoteStarts(Song({"C-4 01 .. R02", "... .. .. R02"}), 12),
              (std::vector<int>{2, 4, 6, 8, 10}));
    EXPECT_EQ(NoteStarts(Song({"C-4 01 .. R03", "C-4 01 .. R03"}), 12),
              (std::vector<int>{3, 6, 9}));
    ExpectTicks("EC3 on its tick, EC0 on the first", Song({"C-4 01 .. EC3", "C-4 01 .. EC0"}),
                VolumeOf, 0, {64, 64, 64, 0, 0, 0, 0, 0});
    // 9xx acts, and remembers its parameter, only where a note starts: not under portamento.
    XmModule xm = Song(
        {"C-4 01 .. 902", "C-4 01 F1 903", "C-4 01 .. 900", "C-4 01 .. 904"}); // 4: past the end
    xm.instruments[0].samples[0].data.assign(1024, 100);
    xm.instruments[0].samples[0].loopType = XM_LOOP_NONE;
    TestSong song(xm);
    std::vector<int64_t> starts;
    for (int row = 0; row < 3; row++) {
        song.Tick();
        starts.push_back(song.music->voices[0][0].position >> 32);
        song.Skip(5);
    }
    EXPECT_EQ(starts, (std::vector<int64_t>{512, 512, 512}));
    song.Tick();
    EXPECT_FALSE(song.music->voices[0][0].active);
}
