// image_file.cpp - PNG (libpng) and BMP picture files for screenshots and golden pictures.
#include "platform/image_file.h"

#include <png.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

bool HasExtension(const std::string& path, const char* ext) {
    const size_t n = std::strlen(ext);
    if (path.size() < n) return false;
    for (size_t i = 0; i < n; i++)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - n + i])) != ext[i])
            return false;
    return true;
}

void Put16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v), p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v), Put16(p + 2, v >> 16);
}
uint32_t Get32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

bool WriteBmp(FILE* f, const std::vector<uint8_t>& rgb, int w, int h) {
    const uint32_t row = (uint32_t(w) * 3 + 3) & ~3u;
    uint8_t header[54] = {'B', 'M'};
    Put32(header + 2, 54 + row * h);
    Put32(header + 10, 54);
    Put32(header + 14, 40);
    Put32(header + 18, uint32_t(w));
    Put32(header + 22, uint32_t(h));
    Put16(header + 26, 1);
    Put16(header + 28, 24);
    Put32(header + 34, row * h);
    if (std::fwrite(header, 1, 54, f) != 54) return false;
    std::vector<uint8_t> line(row, 0);
    for (int y = h - 1; y >= 0; y--) { // bottom row first
        const uint8_t* src = rgb.data() + size_t(y) * w * 3;
        for (int x = 0; x < w; x++) {
            line[x * 3] = src[x * 3 + 2];
            line[x * 3 + 1] = src[x * 3 + 1];
            line[x * 3 + 2] = src[x * 3];
        }
        if (std::fwrite(line.data(), 1, row, f) != row) return false;
    }
    return true;
}

bool ReadBmp(FILE* f, std::vector<uint8_t>* rgb, int* w, int* h) {
    uint8_t header[54];
    if (std::fread(header, 1, 54, f) != 54 || header[0] != 'B' || header[1] != 'M') return false;
    const int32_t width = int32_t(Get32(header + 18)), height = int32_t(Get32(header + 22));
    if (header[28] != 24 || width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return false;
    const uint32_t row = (uint32_t(width) * 3 + 3) & ~3u;
    if (std::fseek(f, long(Get32(header + 10)), SEEK_SET) != 0) return false;
    rgb->assign(size_t(width) * height * 3, 0);
    std::vector<uint8_t> line(row);
    for (int y = height - 1; y >= 0; y--) {
        if (std::fread(line.data(), 1, row, f) != row) return false;
        uint8_t* dst = rgb->data() + size_t(y) * width * 3;
        for (int x = 0; x < width; x++) {
            dst[x * 3] = line[x * 3 + 2];
            dst[x * 3 + 1] = line[x * 3 + 1];
            dst[x * 3 + 2] = line[x * 3];
        }
    }
    *w = width;
    *h = height;
    return true;
}

} // namespace

bool WriteImageFile(const std::string& path, const std::vector<uint8_t>& rgb, int width,
                    int height) {
    if (width <= 0 || height <= 0 || rgb.size() < size_t(width) * height * 3) return false;
    FilePtr f(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!f) return false;
    if (HasExtension(path, ".bmp")) return WriteBmp(f.get(), rgb, width, height);
    if (!HasExtension(path, ".png")) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = uint32_t(width);
    image.height = uint32_t(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_stdio(&image, f.get(), 0, rgb.data(), 0, nullptr) != 0;
}

bool ReadImageFile(const std::string& path, std::vector<uint8_t>* rgb, int* width, int* height) {
    if (HasExtension(path, ".bmp")) {
        FilePtr f(std::fopen(path.c_str(), "rb"), std::fclose);
        return f && ReadBmp(f.get(), rgb, width, height);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    rgb->assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    *width = int(image.width);
    *height = int(image.height);
    return true;
}
