// art_generator_test.cpp - the picture generator still makes exactly the committed pictures,
// so that the picture tests, which run the makers, speak for what the game embeds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/catalogue.h"
#include "tests/testkit.h"
#include "tools/assetgen/assetgen.h"

TEST(ArtGenerator, WritesTheCommittedPicturesByteForByte) {
    TempDir dir;
    ASSERT_TRUE(GenerateArt(dir.Path()));
    std::vector<std::string> files{GLOW_BLOCK_FILE};
    for (int i = 0; i < CataloguePictureCount; i++) files.push_back(CataloguePictures[i].file);
    for (const std::string& file : files) {
        const std::vector<uint8_t> made = ReadFileBytes(dir.File(file));
        ASSERT_FALSE(made.empty()) << file << " not written";
        EXPECT_TRUE(made == ReadFileBytes(SourcePath("assets/" + file)))
            << "assets/" << file << " is not what the generator makes: run the assets target";
    }
}
