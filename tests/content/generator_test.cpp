// generator_test.cpp - the effect and map generators write the same bytes on every run, and
// what they write is what the game reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "play/level_map.h"
#include "sound/wav_chunks.h"
#include "tests/testkit.h"
#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/wav_writer.h"

namespace {

std::vector<double> DecodeSamples(const WavSound& w) {
    std::vector<double> s;
    for (uint32_t i = 0; w.bitsPerSample == 16 && i + 1 < w.bytes; i += 2) {
        int16_t v;
        std::memcpy(&v, w.samples + i, 2);
        s.push_back(double(v) / 32768.0);
    }
    return s;
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(AssetGenerator, EffectsAndMapComeOutByteForByteTheSameOnEveryRun) {
    TempDir first, second;
    ASSERT_TRUE(GenerateSounds(first.Path()));
    ASSERT_TRUE(GenerateMap(first.Path()));
    ASSERT_TRUE(GenerateSounds(second.Path()));
    ASSERT_TRUE(GenerateMap(second.Path()));
    const std::vector<std::string> names = FilesIn(first.Path());
    ASSERT_EQ(names, FilesIn(second.Path()));
    ASSERT_EQ(names.size(), 14u); // thirteen effects and the map
    for (const std::string& name : names) {
        const std::vector<uint8_t> a = ReadFileBytes(first.File(name));
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, ReadFileBytes(second.File(name))) << name << " differs between two runs";
        if (name.ends_with(".wav")) {
            WavSound w{};
            EXPECT_TRUE(ReadWavChunks(a.data(), a.size(), &w)) << name;
        }
    }
    EXPECT_EQ(ReadFileBytes(first.File("startmap.map")).size(), size_t(MAP_FILE_BYTES));
}

TEST(WavWriter, QuantisesBothDepthsAndPadsAnOddDataChunk) {
    const std::vector<float> s = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f};
    WavLayout sixteen;
    sixteen.rate = 8363;
    sixteen.bits = 16;
    const std::vector<uint8_t> a = EncodeWav(s, sixteen);
    WavSound w{};
    ASSERT_TRUE(ReadWavChunks(a.data(), a.size(), &w));
    EXPECT_EQ(w.rate, 8363u);
    EXPECT_EQ(w.bitsPerSample, 16);
    ASSERT_EQ(w.bytes, 10u);
    const std::vector<double> d = DecodeSamples(w);
    EXPECT_EQ(d[0], 0.0);
    EXPECT_NEAR(d[1], 1.0, 1e-4);
    EXPECT_NEAR(d[2], -1.0, 1e-4);
    EXPECT_NEAR(d[3], 0.5, 1e-4);
    EXPECT_NEAR(d[4], 1.0, 1e-4); // clipped, not wrapped

    WavLayout eight;
    eight.rate = 11000;
    eight.bits = 8;
    eight.factChunk = true;
    eight.listName = "odd";
    const std::vector<uint8_t> b = EncodeWav(s, eight);
    ASSERT_TRUE(ReadWavChunks(b.data(), b.size(), &w));
    ASSERT_EQ(w.bytes, 5u);
    EXPECT_NEAR(w.samples[0], 128, 1); // silence is 128 in unsigned samples, give or take dither
    EXPECT_NEAR(w.samples[1], 255, 1);
    EXPECT_NEAR(w.samples[2], 1, 1);
    // The odd data chunk is padded, so "LIST" starts on an even offset right after it.
    const size_t listAt = size_t(w.samples - b.data()) + 5 + 1;
    ASSERT_LT(listAt + 4, b.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data() + listAt), 4), "LIST");
    uint32_t riffSize;
    std::memcpy(&riffSize, b.data() + 4, 4);
    EXPECT_EQ(riffSize, b.size() - 8);
}
