// art_gradients.cpp - the three pictures that are pure colour ramps: the highlight bar of the
// menus and copper bars, the glow block of the sparks, and the rainbow strip that colours
// the copper bars (read pixel by pixel, never a texture).
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/bmp_writer.h"

PictureBytes MakeHighlightBar() {
    // A grey band, white along the middle row, falling away to black top and bottom; a
    // slightly brighter rim near the middle gives the bars a rounded, polished look.
    std::vector<uint8_t> rgb(64 * 64 * 3);
    for (int y = 0; y < 64; y++) {
        // 0 on the two middle rows .. 1 on the outermost
        const float d = std::max(0.0f, std::fabs((float(y) + 0.5f) - 32) - 1) / 31;
        const float body = std::pow(1 - d, 1.6f);
        const float sheen = 0.1f * std::exp(-(d - 0.2f) * (d - 0.2f) * 120) * (1 - body);
        const float v = Clamp01(body + sheen);
        for (int x = 0; x < 64; x++)
            for (int k = 0; k < 3; k++) rgb[(size_t(y) * 64 + x) * 3 + k] = ToByte(v);
    }
    return EncodeBmpDirect(64, 64, rgb, 24);
}

PictureBytes MakeGlow() {
    PictureBytes rgba(64 * 64 * 4);
    const std::vector<Colour> ramp{Hex(0xFFFFF0), Hex(0xFFF0A0), Hex(0xFFB040),
                                   Hex(0xF07010), Hex(0x902800), Hex(0x000000)};
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            const float d = std::min(1.0f, std::hypot(float(x) - 31.5f, float(y) - 31.5f) / 31.5f);
            const float alpha = std::pow(1 - d, 1.8f);
            const Colour c = Ramp(ramp, std::pow(d, 0.8f));
            uint8_t* t = rgba.data() + (size_t(y) * 64 + x) * 4;
            t[0] = ToByte(c.r);
            t[1] = ToByte(c.g);
            t[2] = ToByte(c.b);
            t[3] = ToByte(alpha);
        }
    return rgba;
}

PictureBytes MakeRainbow() {
    // purple, red, orange, yellow, green, cyan, blue and back to purple, top to bottom
    const std::vector<Colour> stops{Hex(0x9018D0), Hex(0xF01818), Hex(0xFF8C00), Hex(0xFFF020),
                                    Hex(0x20E030), Hex(0x20E8F0), Hex(0x2040FF), Hex(0x9018D0)};
    std::vector<uint8_t> rgb(600 * 3);
    for (int y = 0; y < 600; y++) {
        const Colour c = Ramp(stops, float(y) / 599.0f);
        rgb[size_t(y) * 3] = ToByte(c.r);
        rgb[size_t(y) * 3 + 1] = ToByte(c.g);
        rgb[size_t(y) * 3 + 2] = ToByte(c.b);
    }
    return EncodeBmpDirect(1, 600, rgb, 24);
}
