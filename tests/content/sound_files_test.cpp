// sound_files_test.cpp - the shipped effects: formats, rates, depths and lengths per slot,
// the chunks the bank's walk must step over, measured levels, and whether each one sounds
// like what it marks (by its spectrum and its shape in time).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/catalogue.h"
#include "assets/assets.h"
#include "sound/wav_chunks.h"

namespace {

// What each slot must hold: rate, bits per sample and length in seconds.
struct SlotFormat {
    int slot;
    uint32_t rate;
    int bits;
    double seconds;
};
const SlotFormat SLOT_FORMATS[] = {
    {0, 22050, 16, 0.09}, {1, 44100, 8, 0.11},  {2, 11025, 16, 0.43}, {3, 11025, 8, 0.30},
    {5, 11000, 8, 0.27},  {6, 22050, 8, 0.28},  {7, 11025, 16, 2.04}, {8, 11025, 8, 0.17},
    {9, 44100, 8, 0.02},  {10, 11025, 8, 0.57}, {11, 8363, 8, 0.74},  {12, 22050, 16, 0.44},
    {13, 11025, 8, 0.26},
};

struct Effect {
    WavSound wav{};
    std::vector<double> samples; // -1 .. 1
    bool ok = false;
};

std::vector<double> DecodeSamples(const WavSound& w) {
    std::vector<double> s;
    if (w.bitsPerSample == 8) {
        for (uint32_t i = 0; i < w.bytes; i++) s.push_back((double(w.samples[i]) - 128.0) / 128.0);
    } else {
        for (uint32_t i = 0; i + 1 < w.bytes; i += 2) {
            int16_t v;
            std::memcpy(&v, w.samples + i, 2);
            s.push_back(double(v) / 32768.0);
        }
    }
    return s;
}

Effect LoadEffect(int slot) {
    Effect e;
    const EmbeddedAsset* asset = FindEmbeddedAsset(SoundSlotFile(slot));
    if (!asset || !ReadWavChunks(asset->data, asset->size, &e.wav)) return e;
    e.samples = DecodeSamples(e.wav);
    e.ok = true;
    return e;
}

// Brightness of a stretch: its zero crossings per second, halved (the frequency of a pure
// tone; for noise it rises with the share of high frequencies).
double Brightness(const Effect& e, double from, double to) {
    const size_t a = size_t(from * double(e.samples.size())),
                 b = size_t(to * double(e.samples.size()));
    int crossings = 0;
    for (size_t i = a + 1; i < b; i++) crossings += (e.samples[i - 1] < 0) != (e.samples[i] < 0);
    return crossings / 2.0 / (double(b - a) / e.wav.rate);
}

// Strength of one frequency in a stretch (the Goertzel filter).
double Tone(const Effect& e, double from, double to, double hz) {
    const size_t a = size_t(from * double(e.samples.size())),
                 b = size_t(to * double(e.samples.size()));
    const double k = 2 * std::cos(2 * M_PI * hz / e.wav.rate);
    double s1 = 0, s2 = 0;
    for (size_t i = a; i < b; i++) {
        const double s0 = e.samples[i] + k * s1 - s2;
        s2 = s1, s1 = s0;
    }
    return s1 * s1 + s2 * s2 - k * s1 * s2;
}

// The strongest of some candidate frequencies in a stretch.
double StrongestOf(const Effect& e, double from, double to, std::initializer_list<double> hz) {
    double best = 0, strongest = 0;
    for (double f : hz) {
        const double t = Tone(e, from, to, f);
        if (t > strongest) strongest = t, best = f;
    }
    return best;
}

double Energy(const std::vector<double>& s, size_t from, size_t to) {
    double e = 0;
    for (size_t i = from; i < to && i < s.size(); i++) e += s[i] * s[i];
    return e;
}

} // namespace

TEST(SoundFiles, EverySlotHoldsMonoPcmInItsRateDepthAndLength) {
    for (const SlotFormat& f : SLOT_FORMATS) {
        SCOPED_TRACE("slot " + std::to_string(f.slot));
        const Effect e = LoadEffect(f.slot);
        ASSERT_TRUE(e.ok) << SoundSlotFile(f.slot) << " is missing or does not load";
        EXPECT_EQ(e.wav.formatTag, 1);
        EXPECT_EQ(e.wav.channels, 1);
        EXPECT_EQ(e.wav.rate, f.rate);
        EXPECT_EQ(e.wav.bitsPerSample, f.bits);
        const double seconds = double(e.samples.size()) / f.rate;
        EXPECT_NEAR(seconds, f.seconds, 0.005);
    }
    // Slot 4 is slot 3's file, played at 8000 per second: about 0.41 s, lower and slower.
    EXPECT_STREQ(SoundSlotFile(4), SoundSlotFile(3));
    const Effect slow = LoadEffect(4);
    ASSERT_TRUE(slow.ok);
    EXPECT_NEAR(double(slow.samples.size()) / SOUND_SLOT4_FREQUENCY, 0.41, 0.01);
    EXPECT_EQ(SoundSlotFile(-1), nullptr);
    EXPECT_EQ(SoundSlotFile(SOUND_SLOTS), nullptr);
}

TEST(SoundFiles, TheChunkWalkMeetsFactBeforeDataAndListAfterIt) {
    int withFact = 0, withList = 0, longFormat = 0;
    for (const SlotFormat& f : SLOT_FORMATS) {
        const EmbeddedAsset* a = FindEmbeddedAsset(SoundSlotFile(f.slot));
        ASSERT_NE(a, nullptr);
        ASSERT_GE(a->size, 44u);
        uint32_t riffSize, formatSize;
        std::memcpy(&riffSize, a->data + 4, 4);
        std::memcpy(&formatSize, a->data + 16, 4);
        EXPECT_EQ(riffSize, a->size - 8) << SoundSlotFile(f.slot);
        longFormat += formatSize == 18;
        // Our own walk of every chunk, odd ones padded, must end exactly at the file's end.
        bool pastData = false;
        const uint8_t* dataChunk = nullptr;
        size_t at = 12;
        while (at + 8 <= a->size) {
            uint32_t n;
            std::memcpy(&n, a->data + at + 4, 4);
            const std::string id(reinterpret_cast<const char*>(a->data + at), 4);
            if (id == "fact" && !pastData) withFact++;
            if (id == "LIST" && pastData) withList++;
            if (id == "data") pastData = true, dataChunk = a->data + at + 8;
            at += 8 + n + (n & 1);
        }
        EXPECT_EQ(at, a->size) << SoundSlotFile(f.slot);
        WavSound w{};
        ASSERT_TRUE(ReadWavChunks(a->data, a->size, &w));
        EXPECT_EQ(w.samples, dataChunk) << "the bank reads samples from elsewhere than data";
    }
    EXPECT_GE(withFact, 1);
    EXPECT_GE(withList, 2);
    EXPECT_GE(longFormat, 1);
}

TEST(SoundFiles, EffectsPeakNearMinusOneDecibelWithoutClippingOffsetOrClicks) {
    for (const SlotFormat& f : SLOT_FORMATS) {
        SCOPED_TRACE("slot " + std::to_string(f.slot));
        const Effect e = LoadEffect(f.slot);
        ASSERT_TRUE(e.ok);
        double peak = 0, sum = 0;
        int railHits = 0;
        for (double v : e.samples) {
            peak = std::max(peak, std::fabs(v)), sum += v;
            railHits += v <= -1.0 || v >= (f.bits == 8 ? 127.0 / 128 : 32767.0 / 32768);
        }
        const double peakDb = 20 * std::log10(peak);
        EXPECT_GT(peakDb, -1.6);
        EXPECT_LT(peakDb, -0.5);
        EXPECT_EQ(railHits, 0);
        EXPECT_LT(std::fabs(sum / double(e.samples.size())), 0.004) << "DC offset";
        // Starts and ends at silence (a short fade), so no click when cut off or restarted.
        const double edge = f.bits == 8 ? 0.025 : 0.01;
        EXPECT_LT(std::fabs(e.samples.front()), edge);
        EXPECT_LT(std::fabs(e.samples.back()), edge);
    }
}

TEST(SoundFiles, EachEffectSoundsLikeWhatItMarks) {
    const Effect gun = LoadEffect(0), ping = LoadEffect(1), bolt = LoadEffect(3);
    const Effect teleport = LoadEffect(7), chime = LoadEffect(8), blip = LoadEffect(9);
    const Effect boom = LoadEffect(10), thud = LoadEffect(11), bonk = LoadEffect(12);
    const Effect pickup = LoadEffect(13);
    ASSERT_TRUE(gun.ok && ping.ok && bolt.ok && teleport.ok && chime.ok && blip.ok && boom.ok &&
                thud.ok && bonk.ok && pickup.ok);
    // The fast gun is a crack: nearly all its energy in the first 40 ms.
    const size_t gunSplit = size_t(0.04 * gun.wav.rate);
    EXPECT_GT(Energy(gun.samples, 0, gunSplit) / Energy(gun.samples, 0, gun.samples.size()), 0.9);
    // The metallic ping is bright, the explosion darker, the foot thud and the bonk low.
    EXPECT_GT(Brightness(ping, 0, 0.5), 1800);
    EXPECT_LT(Brightness(boom, 0, 0.5), 1200);
    EXPECT_LT(Brightness(thud, 0, 0.3), 300);
    EXPECT_LT(Brightness(bonk, 0, 0.5), 700);
    // The bolt falls and the teleport rises.
    EXPECT_GT(Brightness(bolt, 0, 0.3), 1.5 * Brightness(bolt, 0.5, 0.8));
    EXPECT_GT(Brightness(teleport, 0.55, 0.7), 2 * Brightness(teleport, 0.05, 0.2));
    // The blip is one clean tone; the chime two notes, the second a fifth higher; the pickup
    // climbs note by note.
    EXPECT_EQ(StrongestOf(blip, 0, 1, {740, 1000, 1480, 2000, 2960}), 1480);
    EXPECT_EQ(StrongestOf(chime, 0, 0.3, {1318.5, 1975.5}), 1318.5);
    EXPECT_EQ(StrongestOf(chime, 0.4, 0.8, {1318.5, 1975.5}), 1975.5);
    const double notes[4] = {1046.5, 1318.5, 1568.0, 2093.0};
    for (int k = 0; k < 4; k++) {
        const double from = 0.045 * k * pickup.wav.rate / double(pickup.samples.size());
        const double to = from + 0.03 * pickup.wav.rate / double(pickup.samples.size());
        EXPECT_EQ(StrongestOf(pickup, from, to, {notes[0], notes[1], notes[2], notes[3]}), notes[k])
            << "note " << k;
    }
}
