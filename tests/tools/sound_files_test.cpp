// sound_files_test.cpp - the shipped effects: mono PCM, chunks that walk to the file's end (a
// "fact" and a "LIST" among them), and levels without clipping, offset or clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "core/catalogue.h"
#include "sound/wav_chunks.h"

// The rates, depths and lengths are the generator's to choose (its byte test holds them); what
// every file, made or hand-made, must be is checked here.
TEST(SoundFiles, EverySlotHoldsMonoPcmPeakingNearMinusOneDecibelWithoutOffsetOrClicks) {
    std::set<std::string> chunkIds;
    for (int slot = 0; slot < SOUND_SLOTS; slot++) {
        SCOPED_TRACE(SoundSlotFile(slot));
        const EmbeddedAsset* a = FindEmbeddedAsset(SoundSlotFile(slot));
        WavSound w{};
        ASSERT_TRUE(a && ReadWavChunks(a->data, a->size, &w)) << "missing or does not load";
        const int bits = w.bitsPerSample;
        EXPECT_TRUE(w.formatTag == 1 && w.channels == 1 && (bits == 8 || bits == 16));
        // The RIFF size and every chunk, odd ones padded, end exactly at the file's end, and
        // the bank reads its samples from the data chunk.
        uint32_t riffSize, n;
        std::memcpy(&riffSize, a->data + 4, 4);
        EXPECT_EQ(riffSize, a->size - 8);
        const uint8_t* data = nullptr;
        size_t at = 12;
        for (; at + 8 <= a->size; at += 8 + n + (n & 1)) {
            std::memcpy(&n, a->data + at + 4, 4);
            chunkIds.insert(std::string(reinterpret_cast<const char*>(a->data + at), 4));
            if (std::memcmp(a->data + at, "data", 4) == 0) data = a->data + at + 8;
        }
        EXPECT_EQ(std::pair(at, w.samples), std::pair(a->size, data));

        std::vector<double> s; // -1 .. 1
        for (uint32_t i = 0; bits == 8 && i < w.bytes; i++)
            s.push_back((w.samples[i] - 128.0) / 128);
        for (uint32_t i = 0; bits == 16 && i + 1 < w.bytes; i += 2)
            s.push_back(int16_t(w.samples[i] | w.samples[i + 1] << 8) / 32768.0);
        ASSERT_GT(s.size(), w.rate / 100) << "shorter than a hundredth of a second";
        double peak = 0, sum = 0;
        int railHits = 0;
        for (double v : s) {
            peak = std::max(peak, std::fabs(v)), sum += v;
            railHits += v <= -1.0 || v >= (bits == 8 ? 127.0 / 128 : 32767.0 / 32768);
        }
        EXPECT_TRUE(20 * std::log10(peak) > -1.6 && 20 * std::log10(peak) < -0.5) << peak;
        EXPECT_EQ(railHits, 0);
        EXPECT_LT(std::fabs(sum / double(s.size())), 0.004) << "DC offset";
        // Starts and ends at silence (a short fade): no click when cut off or restarted.
        const double edge = bits == 8 ? 0.025 : 0.01;
        EXPECT_TRUE(std::fabs(s.front()) < edge && std::fabs(s.back()) < edge);
    }
    EXPECT_TRUE(chunkIds.count("fact") && chunkIds.count("LIST")) << "the walk meets real data";
    // Slot 4 is slot 3's file, played at 8000 per second: lower and slower.
    EXPECT_STREQ(SoundSlotFile(4), SoundSlotFile(3));
    EXPECT_TRUE(SoundSlotFile(-1) == nullptr && SoundSlotFile(SOUND_SLOTS) == nullptr);
}
