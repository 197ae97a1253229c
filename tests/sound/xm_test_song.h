// xm_test_song.h - tiny modules for the sound tests, built with the XM writer and played tick
// by tick through the song engine, as trackers' regression suites do.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "sound/xm_song.h"
#include "tools/xm/xm_writer.h"

// A module of `channels` channels with one 64-row pattern and one instrument holding one
// forward-looped sample of 256 values (a saw) at full volume, centre pan, C-4 = 8363 Hz.
inline XmModule TestModule(int channels = 1, int rows = 64) {
    XmModule m;
    m.name = "test";
    m.channels = channels;
    m.speed = 6;
    m.tempo = 125;
    m.orders = {0};
    XmPattern p;
    p.Resize(rows, channels);
    m.patterns.push_back(p);
    XmInstrument ins;
    ins.name = "saw";
    XmSample s;
    for (int i = 0; i < 256; i++) s.data.push_back(int16_t(i - 128));
    s.loopType = XM_LOOP_FORWARD;
    s.loopStart = 0;
    s.loopLength = 256;
    ins.samples.push_back(s);
    m.instruments.push_back(ins);
    return m;
}

inline XmCell& Cell(XmModule& m, int pattern, int row, int channel) {
    return m.patterns[size_t(pattern)].At(row, channel, m.channels);
}

// Notes as the pattern writes them: C-4 is 49.
constexpr uint8_t NOTE_C4 = 49;

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
    std::unique_ptr<MusicContext> music = std::make_unique<MusicContext>();
    explicit TestSong(const XmModule& xm, MusicEnding ending = MUSIC_STOP_AT_END)
        : module(LoadTestModule(xm)) {
        if (module) StartMusic(music.get(), module.get(), ending);
    }
    bool Tick() { return StepMusicTick(music.get()); }
    const MusicChannel& Channel(int c = 0) const { return music->channels[c]; }
    // Steps n ticks and records one field of a channel after each.
    template <typename F> std::vector<int> Record(int n, F field, int c = 0) {
        std::vector<int> out;
        for (int i = 0; i < n && Tick(); i++) out.push_back(field(Channel(c)));
        return out;
    }
};

inline int PeriodOf(const MusicChannel& ch) {
    return ch.outPeriod;
}
inline int VolumeOf(const MusicChannel& ch) {
    return ch.outVolume;
}
inline int PanningOf(const MusicChannel& ch) {
    return ch.finalPanning;
}

// Linear-table period of a note 1..96 with finetune 0 (C-4 = 49 -> 4608).
inline int LinearPeriod(int note) {
    return 7680 - (note - 1) * 64;
}
