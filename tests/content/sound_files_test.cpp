// sound_files_test.cpp - the shipped effects: formats, rates, depths and lengths per slot,
// the chunks the bank's walk must step over, measured levels, and whether each one sounds
// like what it marks (by its spectrum and its shape in time).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
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

// Power spectrum of a stretch of samples (Hann window, zero-padded to a power of two).
struct Spectrum {
    std::vector<double> power;
    double binHz;
    double Centroid() const {
        double sum = 0, weighted = 0;
        for (size_t k = 1; k < power.size(); k++) sum += power[k], weighted += power[k] * k * binHz;
        return sum > 0 ? weighted / sum : 0;
    }
    double Peak() const {
        size_t best = 1;
        for (size_t k = 1; k < power.size(); k++)
            if (power[k] > power[best]) best = k;
        return double(best) * binHz;
    }
    double ShareBelow(double hz) const {
        double sum = 0, low = 0;
        for (size_t k = 1; k < power.size(); k++) {
            sum += power[k];
            if (double(k) * binHz < hz) low += power[k];
        }
        return sum > 0 ? low / sum : 0;
    }
};

Spectrum SpectrumOf(const std::vector<double>& s, size_t from, size_t count, double rate) {
    size_t n = 1;
    while (n < count) n *= 2;
    n *= 2;
    std::vector<std::complex<double>> a(n);
    for (size_t i = 0; i < count && from + i < s.size(); i++) {
        const double w = 0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(count));
        a[i] = s[from + i] * w;
    }
    // Iterative radix-2 transform.
    for (size_t i = 1, j = 0; i < n; i++) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2 * M_PI / double(len));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (size_t k = 0; k < len / 2; k++, w *= step) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
    Spectrum sp;
    sp.binHz = rate / double(n);
    sp.power.resize(n / 2);
    for (size_t k = 0; k < n / 2; k++) sp.power[k] = std::norm(a[k]);
    return sp;
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
        // Our own walk of every chunk from the first to the end of the file.
        bool pastData = false;
        const uint8_t* dataChunk = nullptr;
        for (size_t at = 12; at + 8 <= a->size;) {
            uint32_t n;
            std::memcpy(&n, a->data + at + 4, 4);
            const std::string id(reinterpret_cast<const char*>(a->data + at), 4);
            if (id == "fact" && !pastData) withFact++;
            if (id == "LIST" && pastData) withList++;
            if (id == "data") pastData = true, dataChunk = a->data + at + 8;
            at += 8 + n + (n & 1);
        }
        WavSound w{};
        ASSERT_TRUE(ReadWavChunks(a->data, a->size, &w));
        EXPECT_EQ(w.samples, dataChunk) << "the bank reads samples from elsewhere than data";
    }
    EXPECT_GE(withFact, 1);
    EXPECT_GE(withList, 1);
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
    auto whole = [](const Effect& e) {
        return SpectrumOf(e.samples, 0, e.samples.size(), e.wav.rate);
    };
    auto part = [](const Effect& e, double from, double to) {
        const size_t a = size_t(from * e.samples.size()), b = size_t(to * e.samples.size());
        return SpectrumOf(e.samples, a, b - a, e.wav.rate);
    };
    const Effect gun = LoadEffect(0), ping = LoadEffect(1), bolt = LoadEffect(3);
    const Effect teleport = LoadEffect(7), chime = LoadEffect(8), blip = LoadEffect(9);
    const Effect boom = LoadEffect(10), thud = LoadEffect(11), bonk = LoadEffect(12);
    const Effect pickup = LoadEffect(13);
    ASSERT_TRUE(gun.ok && ping.ok && bolt.ok && teleport.ok && chime.ok && blip.ok && boom.ok &&
                thud.ok && bonk.ok && pickup.ok);

    // The fast gun is a crack: nearly all its energy in the first 40 ms.
    const size_t gunSplit = size_t(0.04 * gun.wav.rate);
    EXPECT_GT(Energy(gun.samples, 0, gunSplit) / Energy(gun.samples, 0, gun.samples.size()), 0.9);
    // The metallic ping is bright; the explosion and the foot thud are low.
    EXPECT_GT(whole(ping).Centroid(), 2000);
    EXPECT_LT(whole(ping).ShareBelow(1000), 0.1);
    EXPECT_GT(whole(boom).ShareBelow(1200), 0.5);
    EXPECT_LT(whole(thud).Peak(), 200);
    // The bolt falls and the teleport rises.
    EXPECT_GT(part(bolt, 0.0, 0.3).Centroid(), 1.5 * part(bolt, 0.5, 0.8).Centroid());
    EXPECT_GT(part(teleport, 0.55, 0.7).Centroid(), 2 * part(teleport, 0.05, 0.2).Centroid());
    // The blip is one clean tone; the bonk a hollow low one.
    EXPECT_NEAR(whole(blip).Peak(), 1480, 60);
    EXPECT_LT(whole(bonk).Peak(), 450);
    // The chime's two notes, the second higher.
    EXPECT_NEAR(part(chime, 0.0, 0.3).Peak(), 1318, 40);
    EXPECT_NEAR(part(chime, 0.4, 0.8).Peak(), 1975, 50);
    // The pickup climbs note by note.
    const double notes[] = {part(pickup, 0.02, 0.16).Peak(), part(pickup, 0.19, 0.33).Peak(),
                            part(pickup, 0.36, 0.5).Peak(), part(pickup, 0.54, 0.7).Peak()};
    for (int k = 1; k < 4; k++) EXPECT_GT(notes[k], notes[k - 1]) << "note " << k;
}
