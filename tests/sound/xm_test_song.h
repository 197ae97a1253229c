// xm_test_song.h - tiny modules for the sound tests, played tick by tick through the engine.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sound/xm_song.h"
#include "tools/xm/xm_writer.h"

constexpr int C4 = 4608; // the linear period of C-4

// One empty pattern at speed 6; one instrument: a looped 256-value saw, full volume, centre.
inline XmModule TestModule(int channels = 1, int rows = 64) {
    XmModule m;
    m.name = "test";
    m.channels = channels;
    m.orders = {0};
    m.patterns.emplace_back().Resize(rows, channels);
    XmSample s;
    for (int i = 0; i < 256; i++) s.data.push_back(int16_t(i - 128));
    s.loopType = XM_LOOP_FORWARD;
    s.loopLength = 256;
    m.instruments.emplace_back().samples.push_back(s);
    return m;
}

// A cell as a tracker shows it: "C#4 01 30 A0F", "=== .. .. ..."; effects in base 36.
inline XmCell ParseCell(const std::string& t) {
    static const std::string notes = "C-C#D-D#E-F-F#G-G#A-A#B-";
    auto hex = [&](size_t at, size_t n) {
        return t.compare(at, n, std::string(n, '.')) == 0 ? 0
                                                          : std::stoi(t.substr(at, n), nullptr, 16);
    };
    XmCell c;
    if (t.compare(0, 3, "===") == 0)
        c.note = XM_NOTE_KEY_OFF;
    else if (t[0] != '.')
        c.note = uint8_t(notes.find(t.substr(0, 2)) / 2 + 12 * (t[2] - '0') + 1);
    c.instrument = uint8_t(hex(4, 2));
    c.volume = uint8_t(hex(7, 2));
    if (t[10] != '.')
        c.effect = uint8_t(std::stoi(t.substr(10, 1), nullptr, 36)), c.param = uint8_t(hex(11, 2));
    return c;
}

// A test module whose pattern 0 holds the given rows, channels separated by " | ".
inline XmModule Song(const std::vector<std::string>& rows, int length = 64) {
    const int channels = int(std::count(rows[0].begin(), rows[0].end(), '|')) + 1;
    XmModule m = TestModule(channels, length);
    for (size_t r = 0; r < rows.size(); r++)
        for (size_t c = 0, at = 0; at + 13 <= rows[r].size(); c++, at += 16)
            m.patterns[0].At(int(r), int(c), channels) = ParseCell(rows[r].substr(at, 13));
    return m;
}

struct ModuleDeleter {
    void operator()(ModuleData* m) const { FreeModule(m); }
};
using ModulePtr = std::unique_ptr<ModuleData, ModuleDeleter>;

inline ModulePtr LoadTestModule(const XmModule& xm) {
    std::string error;
    const std::vector<uint8_t> bytes = WriteXm(xm, &error);
    EXPECT_FALSE(bytes.empty()) << error;
    return ModulePtr(LoadModule(bytes.data(), bytes.size()));
}

// A song engine over a test module, stepped one tick at a time.
struct TestSong {
    ModulePtr module;
    std::unique_ptr<MusicContext> music = std::make_unique<MusicContext>(); // large: not stacked
    explicit TestSong(const XmModule& xm, MusicEnding ending = MUSIC_STOP_AT_END)
        : module(LoadTestModule(xm)) {
        if (module) StartMusic(music.get(), module.get(), ending);
    }
    bool Tick() { return StepMusicTick(music.get()); }
    void Skip(int ticks) {
        for (int i = 0; i < ticks; i++) Tick();
    }
    const MusicChannel& Channel(int c = 0) const { return music->channels[c]; }
};

using ChannelField = int (*)(const MusicChannel&);
constexpr ChannelField PeriodOf = [](const MusicChannel& ch) { return ch.outPeriod; };
constexpr ChannelField VolumeOf = [](const MusicChannel& ch) { return ch.outVolume; };
constexpr ChannelField PanningOf = [](const MusicChannel& ch) { return ch.finalPanning; };
constexpr ChannelField EnvelopeOf = [](const MusicChannel& ch) { return ch.volumeEnvelope; };
constexpr ChannelField FadeoutOf = [](const MusicChannel& ch) { return ch.fadeout; };

// Expects a field of channel c after each tick (`stride` apart), once `skip` ticks have played.
inline void ExpectTicks(const std::string& what, const XmModule& xm, ChannelField field, int skip,
                        const std::vector<int>& expected, int c = 0, int stride = 1) {
    TestSong song(xm);
    song.Skip(skip);
    std::vector<int> got;
    for (size_t i = 0; i < expected.size(); i++) {
        song.Skip(i > 0 ? stride - 1 : 0);
        if (!song.Tick()) break;
        got.push_back(field(song.Channel(c)));
    }
    EXPECT_EQ(got, expected) << what;
}

// The ticks on which channel c started a note anew (the old one moves to its second voice).
inline std::vector<int> NoteStarts(const XmModule& xm, int ticks, int c = 0) {
    TestSong song(xm);
    std::vector<int> starts;
    for (int t = 0; t < ticks && song.Tick(); t++) {
        if (song.music->voices[c][1].active) starts.push_back(t);
        song.music->voices[c][1].active = false;
    }
    return starts;
}
