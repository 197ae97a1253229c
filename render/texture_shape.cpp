// texture_shape.cpp - where a texture shows, read off its texels when it is made (image.cpp)
// and looked up when its quads are queued (draw_queue.cpp), and the handles that stand for
// parts of a shared texture. Main thread only.
//
// Bilinear filtering counts: a fragment at texel-space coordinate u samples the two texels
// whose centres lie either side of it, so it reaches half a texel beyond a texel's own span
// (nearest filtering reaches less, and is covered by the same bounds).
#include <algorithm>
#include <vector>

#include "render/render_internal.h"

namespace {

std::vector<TextureBox> InkBoxes; // by texture name
const TextureBox WHOLE;

struct TexturePart {
    uint32_t texture;
    TextureBox part, ink;
};
std::vector<TexturePart> Parts;
constexpr uint32_t PART_HANDLE = 0x40000000;

uint8_t AlphaAt(const uint8_t* texels, int width, int x, int y) {
    return texels[(size_t(y) * size_t(width) + size_t(x)) * 4 + 3];
}

// The texel interval a fragment must fall in to sample one of texels first..last, with a
// texel more for the rounding of interpolated coordinates; on a repeating texture an
// interval that touches one edge reaches round to the other.
void InkSpan(int first, int last, int size, bool wraps, float* low, float* high) {
    float lo = float(first) - 1.5f, hi = float(last) + 2.5f;
    if (wraps && last == size - 1) lo = 0;
    if (wraps && first == 0) hi = float(size);
    *low = std::max(lo, 0.0f) / float(size);
    *high = std::min(hi, float(size)) / float(size);
}

} // namespace

TextureBox FindInkBox(const uint8_t* texels, int width, int height, bool wraps) {
    TextureBox box;
    int x1 = width, y1 = height, x2 = -1, y2 = -1;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            if (AlphaAt(texels, width, x, y) != 0)
                x1 = std::min(x1, x), x2 = std::max(x2, x), y1 = std::min(y1, y),
                y2 = std::max(y2, y);
    if (x2 < 0) return box; // nothing shows: left whole
    InkSpan(x1, x2, width, wraps, &box.s1, &box.s2);
    InkSpan(y1, y2, height, wraps, &box.t1, &box.t2);
    return box;
}

void NoteTextureShape(uint32_t texture, const uint8_t* texels, int width, int height, bool wraps,
                      bool mipmapped) {
    if (texture >= InkBoxes.size()) InkBoxes.resize(size_t(texture) + 1);
    // Mipmapped textures are minified from levels whose texels reach further: left whole.
    const bool whole = mipmapped || width <= 0 || height <= 0 || !texels;
    InkBoxes[texture] = whole ? WHOLE : FindInkBox(texels, width, height, wraps);
}

const TextureBox& InkBoxOf(uint32_t texture) {
    return texture < InkBoxes.size() ? InkBoxes[texture] : WHOLE;
}

uint32_t NoteTexturePart(uint32_t texture, const TextureBox& part, const TextureBox& ink) {
    Parts.push_back({texture, part, ink});
    return PART_HANDLE | uint32_t(Parts.size() - 1);
}

void ResolveTexture(uint32_t handle, uint32_t* texture, TextureBox* part, TextureBox* ink) {
    const uint32_t index = handle & ~PART_HANDLE;
    if ((handle & PART_HANDLE) && index < Parts.size()) {
        *texture = Parts[index].texture, *part = Parts[index].part, *ink = Parts[index].ink;
        return;
    }
    *texture = handle, *part = WHOLE, *ink = InkBoxOf(handle);
}
