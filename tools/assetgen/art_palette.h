// art_palette.h - palettes for the 4-bit and 8-bit pictures: median-cut reduction of a
// painted picture and mapping onto a given palette with optional ordered dither.
//
// Index 0 is always the key colour, pure black: transparent pixels map to it and no opaque
// pixel ever does. Used by the art_*.cpp files of the asset generator; deterministic.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/art_canvas.h"

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;  // rows top first
    std::vector<uint32_t> palette; // 0xRRGGBB; entry 0 is 0x000000
};

// Reduces the picture to at most `colours` entries (2 to 256, the key included) by median
// cut over its opaque pixels and maps it, dithered by `dither` byte steps (0: none).
IndexedPicture ReduceToPalette(const Canvas& canvas, int colours, float dither);

// Maps the picture onto a palette whose entry 0 is the key; opaque pixels take the nearest of
// the entries 1 and up after an ordered dither of `dither` byte steps.
IndexedPicture MapToPalette(const Canvas& canvas, const std::vector<uint32_t>& palette,
                            float dither);
