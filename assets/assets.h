// assets.h - the files of assets/ built into the executable.
//
// Pictures (BMP), effects (WAV), music (XM), the glow block and the default startmap.map are
// linked into the program; nothing but the player's own startmap.map and scores.dat is read
// from disk at run time.
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedAsset {
    const char* name; // file name in assets/, e.g. "tiles.bmp"
    const uint8_t* data;
    size_t size;
};

// The asset of that file name, or nullptr when there is none.
const EmbeddedAsset* FindEmbeddedAsset(const char* name);

// Every embedded asset, in a fixed order.
const EmbeddedAsset* EmbeddedAssets(size_t* count);
