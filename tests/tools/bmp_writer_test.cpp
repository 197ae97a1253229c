// bmp_writer_test.cpp - the generator's BMP files as the game reads them: every depth
// through the game's own decoder.
#include <gtest/gtest.h>

#include <vector>

#include "render/image.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

uint32_t Field32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

} // namespace

TEST(BmpWriter, EveryDepthReadsBackThroughTheGameDecoderWithPaddedBottomUpRows) {
    // 5 x 3: an odd width pads every depth's rows, and no two rows are alike.
    const int w = 5, h = 3, SCRATCH = 3001;
    const std::vector<uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                        0x123456, 0xFEDCBA, 0x010000};
    std::vector<uint8_t> indices(w * h), rgb;
    for (int i = 0; i < w * h; i++) {
        indices[i] = uint8_t((i * 3 + i / w) % palette.size());
        for (int k = 16; k >= 0; k -= 8) rgb.push_back(uint8_t(palette[indices[i]] >> k));
    }
    struct Case {
        int bits;
        std::vector<uint8_t> file;
        uint32_t stride;
    };
    const Case cases[] = {{24, EncodeBmpDirect(w, h, rgb, 24), 16},
                          {32, EncodeBmpDirect(w, h, rgb, 32), 20},
                          {8, EncodeBmpIndexed(w, h, indices, palette, 8), 8},
                          {4, EncodeBmpIndexed(w, h, indices, palette, 4), 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        ASSERT_FALSE(c.file.empty());
        const size_t pixelsAt = 54 + (c.bits <= 8 ? palette.size() * 4 : 0);
        EXPECT_EQ(Field32(c.file, 2), c.file.size());
        EXPECT_EQ(Field32(c.file, 10), pixelsAt);
        EXPECT_EQ(Field32(c.file, 14), 40u);
        EXPECT_EQ(int32_t(Field32(c.file, 22)), h); // positive: bottom row first
        EXPECT_EQ(c.file[28], c.bits);
        EXPECT_EQ(c.file.size(), pixelsAt + c.stride * h);
        ASSERT_TRUE(CatchImage(SCRATCH, c.file.data(), c.file.size()));
        for (int i = 0; i < w * h; i++) { // the decoder's colours have red in the lowest byte
            const uint32_t rgbColour = palette[indices[i]];
            EXPECT_EQ(ImagePixel(SCRATCH, i % w, i / w),
                      (rgbColour >> 16) | (rgbColour & 0xFF00) | ((rgbColour & 0xFF) << 16))
                << "pixel " << i % w << ", " << i / w;
        }
    }
    FreeImage(SCRATCH);
}
