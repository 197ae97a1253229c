// xwd_check.cpp - reads a window dump written by xwd (the end-to-end test's screenshots),
// saves it as a PNG to look at, and says whether the picture is blank.
//
//     xwd_check IN.xwd OUT.png
//
// Prints "WIDTHxHEIGHT colours N top P% hash H": the number of distinct colours (counted up
// to 100000), the share of the commonest colour, and a hash of the pixels that tells two
// screens apart. Exits 0 for a picture with something on it (at least 16 colours and no
// colour on more than 97 % of it), 1 for a blank one, 2 when the file is not a 24- or 32-bit
// ZPixmap dump. The file is outside data: every read is checked against its size.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/image_file.h"

namespace {

enum XwdField {
    XWD_HEADER_SIZE,
    XWD_FILE_VERSION,
    XWD_PIXMAP_FORMAT,
    XWD_PIXMAP_DEPTH,
    XWD_PIXMAP_WIDTH,
    XWD_PIXMAP_HEIGHT,
    XWD_XOFFSET,
    XWD_BYTE_ORDER,
    XWD_BITMAP_UNIT,
    XWD_BITMAP_BIT_ORDER,
    XWD_BITMAP_PAD,
    XWD_BITS_PER_PIXEL,
    XWD_BYTES_PER_LINE,
    XWD_VISUAL_CLASS,
    XWD_RED_MASK,
    XWD_GREEN_MASK,
    XWD_BLUE_MASK,
    XWD_BITS_PER_RGB,
    XWD_COLORMAP_ENTRIES,
    XWD_NCOLORS,
    XWD_FIELDS = 25,
};
constexpr uint32_t ZPIXMAP = 2;
constexpr uint32_t XWD_VERSION = 7;
constexpr size_t XWD_COLOR_BYTES = 12;

uint32_t BigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// The 8-bit value of a channel under its mask (0xFF0000 and the like).
uint8_t Channel(uint32_t pixel, uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) shift++;
    const uint32_t max = mask >> shift;
    return uint8_t(((pixel & mask) >> shift) * 255 / max);
}

bool DecodeXwd(const std::vector<uint8_t>& file, int* width, int* height,
               std::vector<uint8_t>* rgb) {
    if (file.size() < 4 * XWD_FIELDS) return false;
    uint32_t h[XWD_FIELDS];
    for (int i = 0; i < XWD_FIELDS; i++) h[i] = BigEndian32(file.data() + 4 * i);
    if (h[XWD_FILE_VERSION] != XWD_VERSION || h[XWD_PIXMAP_FORMAT] != ZPIXMAP) return false;
    const uint32_t bpp = h[XWD_BITS_PER_PIXEL];
    if (bpp != 24 && bpp != 32) return false;
    const uint64_t w = h[XWD_PIXMAP_WIDTH], ht = h[XWD_PIXMAP_HEIGHT], line = h[XWD_BYTES_PER_LINE];
    if (w == 0 || ht == 0 || w > 16384 || ht > 16384 || line < w * (bpp / 8)) return false;
    const uint64_t start =
        uint64_t(h[XWD_HEADER_SIZE]) + uint64_t(h[XWD_NCOLORS]) * XWD_COLOR_BYTES;
    if (start > file.size() || line * ht > file.size() - start) return false;
    *width = int(w);
    *height = int(ht);
    rgb->assign(size_t(w * ht * 3), 0);
    const bool msbFirst = h[XWD_BYTE_ORDER] == 1;
    for (uint64_t y = 0; y < ht; y++) {
        const uint8_t* row = file.data() + start + y * line;
        for (uint64_t x = 0; x < w; x++) {
            const uint8_t* p = row + x * (bpp / 8);
            uint32_t v = 0;
            for (uint32_t k = 0; k < bpp / 8; k++)
                v |= uint32_t(p[k]) << (msbFirst ? 8 * (bpp / 8 - 1 - k) : 8 * k);
            uint8_t* o = rgb->data() + (y * w + x) * 3;
            o[0] = Channel(v, h[XWD_RED_MASK]);
            o[1] = Channel(v, h[XWD_GREEN_MASK]);
            o[2] = Channel(v, h[XWD_BLUE_MASK]);
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: xwd_check IN.xwd OUT.png\n");
        return 2;
    }
    std::vector<uint8_t> file;
    if (std::FILE* f = std::fopen(argv[1], "rb")) {
        uint8_t buffer[65536];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            file.insert(file.end(), buffer, buffer + n);
        std::fclose(f);
    }
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    if (!DecodeXwd(file, &width, &height, &rgb)) {
        std::fprintf(stderr, "xwd_check: %s is not a 24- or 32-bit ZPixmap window dump\n", argv[1]);
        return 2;
    }
    if (!WriteImageFile(argv[2], rgb, width, height)) {
        std::fprintf(stderr, "xwd_check: cannot write %s\n", argv[2]);
        return 2;
    }
    std::unordered_map<uint32_t, uint32_t> counts;
    uint64_t hash = 1469598103934665603ull; // FNV-1a over the pixels
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const uint32_t c = uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2];
        if (counts.size() < 100000 || counts.count(c)) counts[c]++;
        for (int k = 0; k < 3; k++) hash = (hash ^ rgb[i + k]) * 1099511628211ull;
    }
    uint32_t top = 0;
    for (const auto& [colour, n] : counts) top = n > top ? n : top;
    const double share = 100.0 * top / (double(width) * height);
    std::printf("%dx%d colours %zu top %.1f%% hash %016llx\n", width, height, counts.size(), share,
                (unsigned long long)hash);
    return counts.size() >= 16 && share <= 97.0 ? 0 : 1;
}
