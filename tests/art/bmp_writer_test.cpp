// bmp_writer_test.cpp - the generator's BMP files as the game reads them: every depth
// through the game's own decoder, and what the writer refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/image.h"
#include "tools/assetgen/bmp_writer.h"

namespace {

constexpr int SCRATCH = 3001;

uint32_t Field32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// Colour number as the decoder reports it: red in the lowest byte.
uint32_t Number(uint32_t rgb) {
    return (rgb >> 16) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

} // namespace

TEST(BmpWriter, EveryDepthReadsBackThroughTheGameDecoderWithPaddedBottomUpRows) {
    // 5 x 3: an odd width pads every depth's rows, and no two rows are alike.
    const int w = 5, h = 3;
    const std::vector<uint32_t> palette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                        0x123456, 0xFEDCBA, 0x010000};
    std::vector<uint8_t> indices(w * h), rgb(w * h * 3);
    for (int i = 0; i < w * h; i++) {
        indices[i] = uint8_t((i * 3 + i / w) % palette.size());
        const uint32_t c = palette[indices[i]];
        rgb[i * 3] = uint8_t(c >> 16), rgb[i * 3 + 1] = uint8_t(c >> 8),
                rgb[i * 3 + 2] = uint8_t(c);
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
        const size_t paletteBytes = c.bits <= 8 ? palette.size() * 4 : 0;
        EXPECT_EQ(Field32(c.file, 2), c.file.size());
        EXPECT_EQ(Field32(c.file, 10), 54 + paletteBytes);
        EXPECT_EQ(Field32(c.file, 14), 40u);
        EXPECT_EQ(int32_t(Field32(c.file, 22)), h); // positive: bottom row first
        EXPECT_EQ(c.file[28], c.bits);
        EXPECT_EQ(c.file.size(), 54 + paletteBytes + c.stride * h);
        ASSERT_TRUE(CatchImage(SCRATCH, c.file.data(), c.file.size()));
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                EXPECT_EQ(ImagePixel(SCRATCH, x, y), Number(palette[indices[y * w + x]]))
                    << "pixel " << x << ", " << y;
    }
    FreeImage(SCRATCH);
}

TEST(BmpWriter, RefusesPicturesItCannotWriteFaithfully) {
    const std::vector<uint8_t> rgb(4 * 4 * 3, 7);
    EXPECT_TRUE(EncodeBmpDirect(4, 4, rgb, 16).empty());
    EXPECT_TRUE(EncodeBmpDirect(4, 5, rgb, 24).empty());
    EXPECT_TRUE(EncodeBmpDirect(0, 0, {}, 24).empty());
    const std::vector<uint8_t> indices(16, 2);
    EXPECT_TRUE(EncodeBmpIndexed(4, 4, indices, {0, 1}, 8).empty()); // index past the palette
    EXPECT_TRUE(EncodeBmpIndexed(4, 4, indices, std::vector<uint32_t>(17, 0), 4).empty());
    EXPECT_FALSE(EncodeBmpIndexed(4, 4, indices, std::vector<uint32_t>(16, 0), 4).empty());
}
