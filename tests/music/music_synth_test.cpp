// music_synth_test.cpp - the synthesised instruments: in tune with each other through the real
// engine, loops that join without a click, stored at the stated width and level, the same on
// every run, and settings that are checked rather than ignored.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "tests/music/music_render.h"
#include "tools/assetgen/music_synth.h"

namespace {

InstrumentSettings Settings(const std::string& text) {
    InstrumentSettings s;
    size_t i = 0;
    while (i < text.size()) {
        size_t end = text.find(' ', i);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(i, end - i);
        const size_t eq = item.find('=');
        if (eq != std::string::npos) s.values[item.substr(0, eq)] = item.substr(eq + 1);
        i = end + 1;
    }
    return s;
}

XmInstrument Make(const std::string& preset, const std::string& settings) {
    XmInstrument ins;
    std::string error;
    EXPECT_TRUE(SynthesiseInstrument(preset, Settings(settings), &ins, &error)) << error;
    return ins;
}

std::string ErrorOf(const std::string& preset, const std::string& settings) {
    XmInstrument ins;
    std::string error;
    return SynthesiseInstrument(preset, Settings(settings), &ins, &error) ? "" : error;
}

// One channel holding `note` for two seconds on the instrument.
std::vector<uint8_t> OneNoteModule(const XmInstrument& ins, uint8_t note) {
    XmModule m;
    m.channels = 2;
    m.instruments = {ins};
    XmPattern p;
    p.Resize(16, 2);
    p.At(0, 0, 2) = XmCell{note, 1, 0, 0, 0};
    m.patterns = {p};
    m.orders = {0};
    return WriteXm(m);
}

double Semitones(double hz, double reference) {
    return 12.0 * std::log2(hz / reference);
}

} // namespace

TEST(MusicSynth, EveryTonalPresetSoundsMiddleCAtC4AndConcertAAtA4) {
    // Plain settings, so that each wave has one clean zero crossing a cycle.
    const std::pair<const char*, const char*> presets[] = {
        {"saw", "cut=3 period=128"},
        {"square", "cut=3"},
        {"pulse", "duty=0.3 cut=2"},
        {"tri", ""},
        {"sine", "period=16"},
        {"pad", "chord=single spread=0 cut=1"},
        {"fm", "idx=0 idx1=0 sweep=0"},
        {"organ", "bars=008000000"},
        {"saw", "detune=64 dmix=0.3 cut=2"},
        {"pulse", "pwm=0.2 pwmcycles=32 cut=2"},
    };
    for (const auto& [preset, settings] : presets) {
        SCOPED_TRACE(std::string(preset) + " " + settings);
        const XmInstrument ins = Make(preset, settings);
        const uint8_t notes[2] = {49, 58}; // C-4, A-4
        const double expected[2] = {261.6256, 440.0};
        for (int k = 0; k < 2; k++) {
            const RenderedSong song =
                RenderModule(OneNoteModule(ins, notes[k]), MUSIC_STOP_AT_END, 2);
            ASSERT_TRUE(song.loaded);
            const double hz = MeasurePitch(song, 4800, 48000);
            EXPECT_NEAR(Semitones(hz, expected[k]), 0.0, 0.05) << hz << " Hz";
        }
    }
}

TEST(MusicSynth, DrumsAndNoiseAreTunedToPlayAtTheirOwnRateOnC4) {
    for (const char* rate : {"11025", "16000", "22050", "32000"}) {
        const XmInstrument ins = Make("noise", std::string("rate=") + rate + " samples=256");
        const XmSample& s = ins.samples[0];
        const double played = 8363.0 * std::pow(2.0, (s.relativeNote + s.finetune / 128.0) / 12.0);
        EXPECT_NEAR(Semitones(played, std::atof(rate)), 0.0, 1.0 / 128) << rate;
    }
}

TEST(MusicSynth, LoopsJoinWithoutAStepLargerThanTheWaveMakesItself) {
    const std::pair<const char*, const char*> looped[] = {
        {"saw", "detune=128"},
        {"saw", "period=128 cut0=22 cut=7 sweep=20 res=1.2"},
        {"pulse", "duty=0.24 pwm=0.16 pwmcycles=128"},
        {"pad", "chord=min period=16"},
        {"pad", "chord=maj7 cycles=160"},
        {"pad", "chord=dom7 cycles=160 low=0.5"},
        {"fm", "ratio=3.5 loopcycles=2 sweep=16"},
        {"organ", "bars=868000400 perc=0.8"},
        {"noise", "hp=3000 samples=2048"},
    };
    for (const auto& [preset, settings] : looped) {
        SCOPED_TRACE(std::string(preset) + " " + settings);
        const XmSample s = Make(preset, settings).samples[0];
        ASSERT_EQ(s.loopType, XM_LOOP_FORWARD);
        ASSERT_GT(s.loopLength, 1u);
        ASSERT_EQ(s.loopStart + s.loopLength, s.data.size()) << "the loop runs to the end";
        int largest = 0;
        for (size_t i = s.loopStart + 1; i < s.data.size(); i++)
            largest = std::max(largest, std::abs(s.data[i] - s.data[i - 1]));
        const int join = std::abs(s.data[s.loopStart] - s.data.back());
        EXPECT_LE(join, largest + 1) << "the loop's end jumps to its start";
    }
}

TEST(MusicSynth, SamplesAreStoredAtTheirWidthAndLevelAndTheSameOnEveryRun) {
    const XmSample eight = Make("kick", "peak=0.5").samples[0];
    EXPECT_FALSE(eight.sixteenBit);
    int peak = 0;
    for (int16_t v : eight.data) peak = std::max(peak, std::abs(int(v)));
    EXPECT_EQ(peak, 64) << "half of 127, rounded";
    EXPECT_EQ(eight.loopType, XM_LOOP_NONE);

    const XmSample sixteen = Make("pad", "").samples[0];
    EXPECT_TRUE(sixteen.sixteenBit) << "pads are kept at 16 bits";
    peak = 0;
    for (int16_t v : sixteen.data) peak = std::max(peak, std::abs(int(v)));
    EXPECT_NEAR(peak, 0.97 * 32767, 1);
    EXPECT_EQ(Make("pad", "bits=8").samples[0].data.size(), sixteen.data.size());
    EXPECT_EQ(Make("pad", "loop=pingpong").samples[0].loopType, XM_LOOP_PINGPONG);
    EXPECT_EQ(Make("saw", "loop=none").samples[0].loopLength, 0u);

    // Noise comes from a fixed seed: the same settings give the same bytes, another seed not.
    EXPECT_EQ(Make("snare", "").samples[0].data, Make("snare", "").samples[0].data);
    EXPECT_EQ(Make("noise", "seed=4").samples[0].data, Make("noise", "seed=4").samples[0].data);
    EXPECT_NE(Make("noise", "seed=4").samples[0].data, Make("noise", "seed=5").samples[0].data);
}

TEST(MusicSynth, EnvelopeAndVibratoSettingsLandInTheirOwnFields) {
    const XmInstrument ins = Make("square", "vib=0,48,2,9 env=0:52,2:64,12:54,60:48 sus=3 "
                                            "panenv=0:20,100:44 panenvloop=0-1");
    EXPECT_EQ((std::vector<int>{ins.vibratoSweep, ins.vibratoDepth, ins.vibratoRate}),
              (std::vector<int>{48, 2, 9}));
    EXPECT_EQ(ins.volumeEnvelope.points[2], (std::pair<uint16_t, uint16_t>{12, 54}));
    EXPECT_TRUE(ins.volumeEnvelope.sustain && !ins.volumeEnvelope.loop);
    EXPECT_EQ(ins.volumeEnvelope.sustainPoint, 3);
    EXPECT_TRUE(ins.panningEnvelope.loop && !ins.panningEnvelope.sustain);
    EXPECT_FALSE(Make("square", "").volumeEnvelope.on);
}

TEST(MusicSynth, SettingsAreCheckedNotIgnored) {
    const std::pair<const char*, const char*> bad[] = {
        {"saw", "tone=3"},
        {"saw", "cut=40"},
        {"saw", "duty=0.3 pwm=0.2"},
        {"pad", "chord=nine"},
        {"pad", "chord=maj7 cycles=120"},
        {"fm", "ratio=3.5"},
        {"organ", "bars=88"},
        {"kick", "vol=65"},
        {"kick", "env=0:64,0:30"},
        {"kick", "env=4:64"},
        {"kick", "env=0:70"},
        {"kick", "env=0:64 sus=2"},
        {"kick", "vib=4,0,0,0"},
        {"kick", "bits=12"},
        {"kick", "f0=abc"},
        {"kick", "loop=pingpong"},
        {"drum", ""},
    };
    for (const auto& [preset, settings] : bad)
        EXPECT_NE(ErrorOf(preset, settings), "") << preset << " " << settings;
    EXPECT_NE(ErrorOf("saw", "tone=3").find("tone"), std::string::npos) << "names the setting";
}
