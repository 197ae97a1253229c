// music_synth_test.cpp - the synthesised instruments: in tune through the engine, clean loops,
// width and level, noise by its seed, settings checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/music/music_render.h"
#include "tools/assetgen/music_song.h"

namespace {

// A song of one instrument holding `note` for 16 rows; a fault is expected only with `error`.
XmModule Compile(const std::string& instrument, const std::string& note = "C4",
                 std::string* error = nullptr) {
    CompiledSong song;
    std::string reason;
    const bool ok =
        CompileSong("title t\nchannels 2\nspeed 6\ntempo 125\ninstrument 1 " + instrument +
                        "\npattern p 16\n    1 @1 " + note + ":16\norder p\n",
                    "t.song", &song, &reason);
    if (error) *error = ok ? "" : reason;
    EXPECT_TRUE(ok || error) << reason;
    return song.module;
}

XmInstrument Make(const std::string& instrument) {
    const XmModule m = Compile(instrument);
    return m.instruments.empty() ? XmInstrument{} : m.instruments[0];
}

// Pitch in Hz of the left side from rising crossings of its mean (low-passed, with hysteresis).
double MeasurePitch(const RenderedSong& song) {
    std::vector<double> x;
    double y = 0, mean = 0, square = 0;
    for (size_t f = MUSIC_RATE / 10; f < song.Frames(); f++) {
        x.push_back(y += 0.08 * (song.samples[2 * f] - y));
        mean += y, square += y * y;
    }
    mean /= double(x.size());
    const double h = 0.3 * std::sqrt(square / double(x.size()) - mean * mean);
    double first = -1, last = -1;
    int crossings = 0;
    bool armed = false;
    for (size_t i = 1; i < x.size(); i++) {
        const double a = x[i - 1] - mean, b = x[i] - mean;
        armed = armed || b < -h;
        if (armed && a < 0 && b >= 0) {
            last = double(i - 1) + a / (a - b);
            first = first < 0 ? last : first;
            crossings++, armed = false;
        }
    }
    return crossings < 2 ? 0 : (crossings - 1) * double(MUSIC_RATE) / (last - first);
}

double Semitones(double hz, double reference) {
    return 12.0 * std::log2(hz / reference);
}

} // namespace

TEST(MusicSynth, EveryTonalPresetSoundsMiddleCAtC4AndConcertAAtA4) {
    // Plain settings, so that each wave has one clean zero crossing a cycle.
    for (const char* instrument :
         {"saw cut=3 period=128", "square cut=3", "pulse duty=0.3 cut=2", "tri", "sine period=16",
          "pad chord=single spread=0 cut=1", "fm idx=0 idx1=0 sweep=0", "organ bars=008000000",
          "saw detune=64 dmix=0.3 cut=2", "pulse pwm=0.2 pwmcycles=32 cut=2"}) {
        for (const auto& [note, hz] : {std::pair{"C4", 261.6256}, std::pair{"A4", 440.0}}) {
            SCOPED_TRACE(std::string(instrument) + " " + note);
            const RenderedSong song =
                RenderModule(WriteXm(Compile(instrument, note)), MUSIC_STOP_AT_END, 1);
            ASSERT_TRUE(song.loaded);
            const double measured = MeasurePitch(song);
            EXPECT_NEAR(Semitones(measured, hz), 0.0, 0.05) << measured << " Hz";
        }
    }
    // Drums and noise play at their own rate on C-4.
    for (const char* rate : {"11025", "16000", "22050", "32000"}) {
        const XmSample s = Make(std::string("noise rate=") + rate + " samples=256").samples.at(0);
        const double played = 8363.0 * std::pow(2.0, (s.relativeNote + s.finetune / 128.0) / 12.0);
        EXPECT_NEAR(Semitones(played, std::atof(rate)), 0.0, 1.0 / 128) << rate;
    }
}

TEST(MusicSynth, LoopsJoinWithoutAStepLargerThanTheWaveMakesItself) {
    for (const char* instrument :
         {"saw detune=128", "saw period=128 cut0=22 cut=7 sweep=20 res=1.2",
          "pulse duty=0.24 pwm=0.16 pwmcycles=128", "pad chord=min period=16",
          "pad chord=maj7 cycles=160", "pad chord=dom7 cycles=160 low=0.5",
          "fm ratio=3.5 loopcycles=2 sweep=16", "organ bars=868000400 perc=0.8",
          "noise hp=3000 samples=2048"}) {
        SCOPED_TRACE(instrument);
        const XmSample s = Make(instrument).samples.at(0);
        ASSERT_EQ(s.loopType, XM_LOOP_FORWARD);
        ASSERT_GT(s.loopLength, 1u);
        ASSERT_EQ(s.loopStart + s.loopLength, s.data.size()) << "the loop runs to the end";
        int largest = 0;
        for (size_t i = s.loopStart + 1; i < s.data.size(); i++)
            largest = std::max(largest, std::abs(s.data[i] - s.data[i - 1]));
        EXPECT_LE(std::abs(s.data[s.loopStart] - s.data.back()), largest + 1)
            << "the loop's end jumps to its start";
    }
}

TEST(MusicSynth, SamplesAreStoredAtTheirWidthLevelLoopAndSeed) {
    auto peak = [](const XmSample& s) {
        int p = 0;
        for (int16_t v : s.data) p = std::max(p, std::abs(int(v)));
        return p;
    };
    const XmSample eight = Make("kick peak=0.5").samples.at(0);
    EXPECT_FALSE(eight.sixteenBit);
    EXPECT_EQ(peak(eight), 64) << "half of 127, rounded";
    EXPECT_EQ(eight.loopType, XM_LOOP_NONE);
    const XmSample sixteen = Make("pad").samples.at(0);
    EXPECT_TRUE(sixteen.sixteenBit) << "pads are kept at 16 bits";
    EXPECT_NEAR(peak(sixteen), 0.97 * 32767, 1);
    EXPECT_EQ(Make("pad bits=8").samples.at(0).data.size(), sixteen.data.size());
    EXPECT_EQ(Make("pad loop=pingpong").samples.at(0).loopType, XM_LOOP_PINGPONG);
    EXPECT_EQ(Make("saw loop=none").samples.at(0).loopLength, 0u);
    // Noise comes from its seed (the songs' own test finds the same bytes on every run).
    EXPECT_NE(Make("noise seed=4").samples.at(0).data, Make("noise seed=5").samples.at(0).data);
}

TEST(MusicSynth, EnvelopeAndVibratoSettingsLandInTheirOwnFieldsAndBadOnesAreRefused) {
    const XmInstrument ins = Make("square vib=0,48,2,9 env=0:52,2:64,12:54,60:48 sus=3 "
                                  "panenv=0:20,100:44 panenvloop=0-1");
    EXPECT_EQ((std::vector<int>{ins.vibratoSweep, ins.vibratoDepth, ins.vibratoRate}),
              (std::vector<int>{48, 2, 9}));
    EXPECT_EQ(ins.volumeEnvelope.points.at(2), (std::pair<uint16_t, uint16_t>{12, 54}));
    EXPECT_TRUE(ins.volumeEnvelope.sustain && !ins.volumeEnvelope.loop);
    EXPECT_EQ(ins.volumeEnvelope.sustainPoint, 3);
    EXPECT_TRUE(ins.panningEnvelope.loop && !ins.panningEnvelope.sustain);
    EXPECT_FALSE(Make("square").volumeEnvelope.on);

    std::string error;
    for (const char* bad :
         {"saw tone=3", "saw cut=40", "saw duty=0.3 pwm=0.2", "pad chord=nine",
          "pad chord=maj7 cycles=120", "fm ratio=3.5", "organ bars=88", "kick vol=65",
          "kick env=0:64,0:30", "kick env=4:64", "kick env=0:70", "kick env=0:64 sus=2",
          "kick vib=4,0,0,0", "kick bits=12", "kick f0=abc", "kick loop=pingpong", "drum"}) {
        Compile(bad, "C4", &error);
        EXPECT_NE(error, "") << bad;
    }
    Compile("saw tone=3", "C4", &error);
    EXPECT_NE(error.find("tone"), std::string::npos) << "names the setting";
}
