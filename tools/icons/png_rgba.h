// png_rgba.h - writing a picture with its alpha channel as a PNG file (the icon tool's only
// output; platform/image_file.h writes RGB screenshots without alpha).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height RGBA bytes (top row first) as an 8-bit RGBA PNG. False on failure.
bool WritePngRgba(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height);
