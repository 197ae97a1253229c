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
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unordered_map>
#include <vector>

#include "platform/image_file.h"

namespace {

// The header's 32-bit big-endian fields that matter here, by their place.
enum XwdField { // clang-format off
    XWD_HEADER_SIZE = 0, XWD_VERSION = 1, XWD_FORMAT = 2, XWD_WIDTH = 4, XWD_HEIGHT = 5,
    XWD_BYTE_ORDER = 7, XWD_BITS_PER_PIXEL = 11, XWD_BYTES_PER_LINE = 12, XWD_RED_MASK = 14,
    XWD_NCOLORS = 19, XWD_FIELDS = 25
}; // clang-format on

// The 8-bit value of a channel under its mask (0xFF0000 and the like).
uint8_t Channel(uint32_t pixel, uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) shift++;
    return uint8_t(((pixel & mask) >> shift) * 255 / (mask >> shift));
}

bool DecodeXwd(const std::vector<uint8_t>& file, int* width, int* height,
               std::vector<uint8_t>* rgb) {
    if (file.size() < 4 * XWD_FIELDS) return false;
    uint32_t h[XWD_FIELDS];
    for (int i = 0; i < XWD_FIELDS; i++) {
        const uint8_t* p = file.data() + 4 * i;
        h[i] = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    }
    const uint32_t bits = h[XWD_BITS_PER_PIXEL], bytes = bits / 8; // of a pixel
    if (h[XWD_VERSION] != 7 || h[XWD_FORMAT] != 2 || (bits != 24 && bits != 32)) return false;
    const uint64_t w = h[XWD_WIDTH], ht = h[XWD_HEIGHT], line = h[XWD_BYTES_PER_LINE];
    if (w == 0 || ht == 0 || w > 16384 || ht > 16384 || line < w * bytes) return false;
    const uint64_t start = uint64_t(h[XWD_HEADER_SIZE]) + uint64_t(h[XWD_NCOLORS]) * 12; // colours
    if (start > file.size() || line * ht > file.size() - start) return false;
    *width = int(w), *height = int(ht);
    rgb->assign(size_t(w * ht * 3), 0);
    for (uint64_t i = 0; i < w * ht; i++) {
        const uint8_t* p = file.data() + start + (i / w) * line + (i % w) * bytes;
        uint32_t v = 0;
        for (uint32_t k = 0; k < bytes; k++)
            v |= uint32_t(p[k]) << (h[XWD_BYTE_ORDER] == 1 ? 8 * (bytes - 1 - k) : 8 * k);
        for (int c = 0; c < 3; c++) (*rgb)[3 * i + c] = Channel(v, h[XWD_RED_MASK + c]);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: xwd_check IN.xwd OUT.png\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
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
    uint32_t top = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const uint32_t c = uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2];
        if (counts.size() < 100000 || counts.count(c)) top = std::max(top, ++counts[c]);
        for (int k = 0; k < 3; k++) hash = (hash ^ rgb[i + k]) * 1099511628211ull;
    }
    const double share = 100.0 * top / (double(width) * height);
    std::printf("%dx%d colours %zu top %.1f%% hash %016llx\n", width, height, counts.size(), share,
                static_cast<unsigned long long>(hash));
    return counts.size() >= 16 && share <= 97.0 ? 0 : 1;
}
