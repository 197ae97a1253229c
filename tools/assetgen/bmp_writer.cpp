// bmp_writer.cpp - BMP encoding for the generated pictures.
#include "tools/assetgen/bmp_writer.h"

#include <cstddef>

namespace {

constexpr uint32_t FILE_HEADER_SIZE = 14;
constexpr uint32_t INFO_HEADER_SIZE = 40;
constexpr uint32_t PIXELS_PER_METRE = 2835; // 72 dots per inch

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

uint32_t RowStride(int width, int bits) {
    return ((uint32_t(width) * bits + 31) / 32) * 4;
}

// Both headers and the palette; the pixel rows follow at the returned offset.
std::vector<uint8_t> StartBmp(int width, int height, int bits, const std::vector<uint32_t>& palette,
                              uint32_t* pixelOffset) {
    const uint32_t paletteBytes = uint32_t(palette.size()) * 4;
    const uint32_t imageBytes = RowStride(width, bits) * uint32_t(height);
    *pixelOffset = FILE_HEADER_SIZE + INFO_HEADER_SIZE + paletteBytes;
    std::vector<uint8_t> out(*pixelOffset + imageBytes, 0);
    out[0] = 0x42;
    out[1] = 0x4D;
    Put32(out, 2, uint32_t(out.size()));
    Put32(out, 10, *pixelOffset);
    Put32(out, 14, INFO_HEADER_SIZE);
    Put32(out, 18, uint32_t(width));
    Put32(out, 22, uint32_t(height)); // positive: bottom row first
    Put16(out, 26, 1);
    Put16(out, 28, uint32_t(bits));
    Put32(out, 30, 0); // uncompressed
    Put32(out, 34, imageBytes);
    Put32(out, 38, PIXELS_PER_METRE);
    Put32(out, 42, PIXELS_PER_METRE);
    Put32(out, 46, uint32_t(palette.size()));
    Put32(out, 50, 0);
    for (size_t i = 0; i < palette.size(); i++) {
        const size_t at = FILE_HEADER_SIZE + INFO_HEADER_SIZE + i * 4;
        out[at] = uint8_t(palette[i]);           // blue
        out[at + 1] = uint8_t(palette[i] >> 8);  // green
        out[at + 2] = uint8_t(palette[i] >> 16); // red
    }
    return out;
}

} // namespace

std::vector<uint8_t> EncodeBmpDirect(int width, int height, const std::vector<uint8_t>& rgb,
                                     int bits) {
    if (width <= 0 || height <= 0 || (bits != 24 && bits != 32)) return {};
    if (rgb.size() != size_t(width) * size_t(height) * 3) return {};
    uint32_t pixelOffset = 0;
    std::vector<uint8_t> out = StartBmp(width, height, bits, {}, &pixelOffset);
    const uint32_t stride = RowStride(width, bits);
    const int bytesPerPixel = bits / 8;
    for (int y = 0; y < height; y++) {
        uint8_t* row = out.data() + pixelOffset + size_t(height - 1 - y) * stride;
        for (int x = 0; x < width; x++) {
            const uint8_t* p = rgb.data() + (size_t(y) * width + x) * 3;
            row[x * bytesPerPixel] = p[2];
            row[x * bytesPerPixel + 1] = p[1];
            row[x * bytesPerPixel + 2] = p[0];
        }
    }
    return out;
}

std::vector<uint8_t> EncodeBmpIndexed(int width, int height, const std::vector<uint8_t>& indices,
                                      const std::vector<uint32_t>& palette, int bits) {
    if (width <= 0 || height <= 0 || (bits != 4 && bits != 8)) return {};
    if (indices.size() != size_t(width) * size_t(height)) return {};
    if (palette.empty() || palette.size() > (size_t(1) << bits)) return {};
    for (uint8_t index : indices)
        if (index >= palette.size()) return {};
    uint32_t pixelOffset = 0;
    std::vector<uint8_t> out = StartBmp(width, height, bits, palette, &pixelOffset);
    const uint32_t stride = RowStride(width, bits);
    for (int y = 0; y < height; y++) {
        uint8_t* row = out.data() + pixelOffset + size_t(height - 1 - y) * stride;
        const uint8_t* in = indices.data() + size_t(y) * width;
        for (int x = 0; x < width; x++) {
            if (bits == 8)
                row[x] = in[x];
            else
                row[x / 2] |= uint8_t((x & 1) ? in[x] : in[x] << 4); // left pixel high nibble
        }
    }
    return out;
}
