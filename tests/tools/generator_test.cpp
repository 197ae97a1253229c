// generator_test.cpp - the asset generator makes exactly the committed pictures, effects and
// map, so that the tests of what the game embeds speak for the generator too.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/catalogue.h"
#include "tests/testkit.h"
#include "tools/assetgen/assetgen.h"

TEST(AssetGenerator, WritesTheCommittedPicturesEffectsAndMapByteForByte) {
    TempDir dir;
    ASSERT_TRUE(GenerateArt(dir.Path()) && GenerateSounds(dir.Path()) && GenerateMap(dir.Path()));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        files++;
        if (IsHandMadeAsset(SourcePath("assets"), name)) continue;
        EXPECT_TRUE(ReadFileBytes(entry.path()) == ReadFileBytes(SourcePath("assets/" + name)))
            << "assets/" << name << " is not what the generator makes: run the assets target";
    }
    EXPECT_EQ(files, CataloguePictureCount + 15) << "the glow block, thirteen effects, the map";
}

TEST(AssetGenerator, LeavesAFileOnTheHandMadeListAlone) {
    TempDir dir;
    WriteFileText(dir.File(HAND_MADE_LIST), "# by hand\n  tiles.bmp  \n#panel.bmp\n");
    WriteFileText(dir.File("tiles.bmp"), "an artist's tiles");
    ASSERT_TRUE(GenerateArt(dir.Path()));
    EXPECT_EQ(ReadFileText(dir.File("tiles.bmp")), "an artist's tiles");
    EXPECT_GT(ReadFileBytes(dir.File("panel.bmp")).size(), 1000u) << "a commented name is made";
}
