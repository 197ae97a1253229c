// bmp_writer.h - BMP files as the game's decoder reads them: 40-byte info header, rows stored
// bottom up and padded to four bytes, 4 and 8 bits with a palette, 24 and 32 bits direct.
//
// Used by the picture part of the asset generator (and its tests). Pure byte work, no state.
#pragma once

#include <cstdint>
#include <vector>

// A picture given as RGB bytes, rows top first (width x height x 3 bytes), written at 24 or 32
// bits per pixel (the fourth byte of a 32-bit pixel is written as 0). Empty result when the
// sizes do not match or bits is neither 24 nor 32.
std::vector<uint8_t> EncodeBmpDirect(int width, int height, const std::vector<uint8_t>& rgb,
                                     int bits);

// A picture given as palette indices, rows top first (one byte per pixel), written at 4 or 8
// bits per pixel with its palette (colours 0xRRGGBB; at most 16 or 256). In 4-bit rows the
// left pixel takes the high nibble. Empty result on mismatched sizes, an index past the
// palette or a palette too long for the depth.
std::vector<uint8_t> EncodeBmpIndexed(int width, int height, const std::vector<uint8_t>& indices,
                                      const std::vector<uint32_t>& palette, int bits);
