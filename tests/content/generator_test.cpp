// generator_test.cpp - the effect and map generators still make exactly the committed files,
// so that the effect and sector tests, which read what the game embeds and installs, speak
// for the generators too.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/testkit.h"
#include "tools/assetgen/assetgen.h"

TEST(AssetGenerator, WritesTheCommittedEffectsAndMapByteForByte) {
    TempDir dir;
    ASSERT_TRUE(GenerateSounds(dir.Path()));
    ASSERT_TRUE(GenerateMap(dir.Path()));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        files++;
        EXPECT_TRUE(ReadFileBytes(entry.path()) == ReadFileBytes(SourcePath("assets/" + name)))
            << "assets/" << name << " is not what the generator makes: run the assets target";
    }
    EXPECT_EQ(files, 14) << "thirteen effects and the map";
}
