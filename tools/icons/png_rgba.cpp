// png_rgba.cpp - an RGBA PNG writer on libpng.
#include "tools/icons/png_rgba.h"

#include <png.h>

#include <cstdio>

bool WritePngRgba(const std::string& path, const std::vector<uint8_t>& rgba, int width,
                  int height) {
    if (width <= 0 || height <= 0 || rgba.size() != size_t(width) * height * 4) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    const bool ok =
        png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), width * 4, nullptr) != 0;
    if (!ok) std::fprintf(stderr, "morvexa-icons: %s: %s\n", path.c_str(), image.message);
    png_image_free(&image);
    return ok;
}
