// generator_test.cpp - the effect and map generators write the same bytes on every run, and
// what they write is what the game reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "play/level_map.h"
#include "sound/wav_chunks.h"
#include "tests/testkit.h"
#include "tools/assetgen/assetgen.h"

namespace {

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
