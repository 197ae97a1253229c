// bmp_fuzzer.cpp - any bytes given to the BMP decoder are refused or decoded inside their
// size, and the decoded picture can be cut and turned into a texture as the catalogue does.
//
// The whole input is the picture file; its last four bytes also choose the cut (x, y, width,
// height as fractions of the picture) and the texture's orientation and filter, so the
// shipped pictures serve as seeds as they are. Drawing is off, so the texel conversion runs
// without GL. Also built into the reliability tests (entry point renamed).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/display.h"
#include "render/image.h"

// libFuzzer's entry point (the tests build it in under another name).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RenderEnabled = false;
    if (size < 4) return 0;
    const uint8_t* cut = data + size - 4;
    constexpr int SHEET = 7;
    FreeImage(SHEET);
    FreeImage(GrabImageNumber);
    if (!CatchImage(SHEET, data, size)) {
        if (ImageWidth(SHEET) != 0 || ImageHeight(SHEET) != 0)
            std::abort(); // refused: nothing kept
        return 0;
    }
    const int w = ImageWidth(SHEET), h = ImageHeight(SHEET);
    if (w <= 0 || h <= 0) std::abort();
    // Each decoded pixel comes from the data: at most 2 pixels per byte (4 bits each).
    if (uint64_t(w) * uint64_t(h) > uint64_t(size) * 2 + 64) std::abort();
    volatile uint32_t sum = 0;
    for (int y = 0; y < h; y += 1 + h / 64)
        for (int x = 0; x < w; x += 1 + w / 64) sum = sum + ImagePixel(SHEET, x, y);
    if (ImagePixel(SHEET, w, 0) != 0 || ImagePixel(SHEET, 0, -1) != 0) std::abort();

    const int x = cut[0] * w / 256, y = cut[1] * h / 256;
    // Up to twice the picture's size: some cuts leave it and must be refused.
    const int cw = 1 + (cut[2] & 0x7F) * w / 64, ch = 1 + (cut[3] & 0x7F) * h / 64;
    const bool inside = x + cw <= w && y + ch <= h;
    const int grabbed = GrabImage(SHEET, GrabImageNumber, x, y, cw, ch);
    if (grabbed != int(inside)) std::abort();
    if (grabbed) {
        if (ImagePixel(GrabImageNumber, 0, 0) != ImagePixel(SHEET, x, y)) std::abort();
        const int orientation = cut[2] >> 7 | (cut[3] >> 6 & 2);
        if (TextureFromImage(0, orientation, cut[3] % 3, cut[1] & 1) == 0) std::abort();
    }
    // A cut one pixel past the right edge is refused.
    if (GrabImage(SHEET, GrabImageNumber + 1, 1, 0, w, 1) != 0) std::abort();
    return 0;
}
