// art_generator_test.cpp - the picture generator itself: two runs write the same bytes, and
// every file comes out in the shape, depth and size the catalogue cuts it at.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/catalogue.h"
#include "render/image.h"
#include "tests/testkit.h"
#include "tools/assetgen/assetgen.h"

TEST(ArtGenerator, TwoRunsWriteTheSameBytesInTheCatalogueShapes) {
    TempDir first, second;
    ASSERT_TRUE(GenerateArt(first.Path()));
    ASSERT_TRUE(GenerateArt(second.Path()));
    std::vector<std::string> files{GLOW_BLOCK_FILE};
    for (int i = 0; i < CataloguePictureCount; i++) files.push_back(CataloguePictures[i].file);
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> a = ReadFileBytes(first.File(file)),
                                   b = ReadFileBytes(second.File(file));
        ASSERT_FALSE(a.empty()) << "not written";
        EXPECT_TRUE(a == b) << "differs between runs";
    }
    EXPECT_EQ(ReadFileBytes(first.File(GLOW_BLOCK_FILE)).size(), size_t(GLOW_BLOCK_BYTES));
    for (int i = 0; i < CataloguePictureCount; i++) {
        const CataloguePicture& pic = CataloguePictures[i];
        SCOPED_TRACE(pic.file);
        const std::vector<uint8_t> bytes = ReadFileBytes(first.File(pic.file));
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[28] | bytes[29] << 8, pic.bitsPerPixel);
        ASSERT_TRUE(CatchImage(3003, bytes.data(), bytes.size()));
        EXPECT_EQ(ImageWidth(3003), pic.width);
        EXPECT_EQ(ImageHeight(3003), pic.height);
    }
    FreeImage(3003);
}
