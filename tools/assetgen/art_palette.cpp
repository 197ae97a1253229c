// art_palette.cpp - median-cut palettes and palette mapping.
#include "tools/assetgen/art_palette.h"

#include <map>

namespace {

struct ColourCount {
    uint32_t rgb;
    uint32_t count;
};

int Channel(uint32_t rgb, int axis) {
    return int((rgb >> (16 - 8 * axis)) & 255);
}

// One box of the median cut: a range of the sorted colour list.
struct Box {
    size_t begin, end;
};

uint32_t BoxMean(const std::vector<ColourCount>& colours, Box box) {
    double sum[3] = {0, 0, 0}, weight = 0;
    for (size_t i = box.begin; i < box.end; i++) {
        for (int a = 0; a < 3; a++) sum[a] += double(Channel(colours[i].rgb, a)) * colours[i].count;
        weight += colours[i].count;
    }
    uint32_t rgb = 0;
    for (int a = 0; a < 3; a++) rgb = (rgb << 8) | uint32_t(ArtRound(float(sum[a] / weight)));
    return rgb == 0 ? 0x010101 : rgb;
}

// Widest channel of a box and its extent, weighted by how many pixels the box holds.
int WidestAxis(const std::vector<ColourCount>& colours, Box box, double* score) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    double pixels = 0;
    for (size_t i = box.begin; i < box.end; i++) {
        for (int a = 0; a < 3; a++) {
            lo[a] = std::min(lo[a], Channel(colours[i].rgb, a));
            hi[a] = std::max(hi[a], Channel(colours[i].rgb, a));
        }
        pixels += colours[i].count;
    }
    // green counts most for the eye, blue least
    const double weights[3] = {1.0, 1.2, 0.8};
    int best = 0;
    double bestExtent = -1;
    for (int a = 0; a < 3; a++) {
        const double extent = (hi[a] - lo[a]) * weights[a];
        if (extent > bestExtent) bestExtent = extent, best = a;
    }
    *score = box.end - box.begin > 1 ? bestExtent * std::sqrt(pixels) : -1;
    return best;
}

float Distance(uint32_t a, Colour c) {
    const float dr = float(Channel(a, 0)) / 255 - c.r, dg = float(Channel(a, 1)) / 255 - c.g,
                db = float(Channel(a, 2)) / 255 - c.b;
    return dr * dr * 0.30f + dg * dg * 0.59f + db * db * 0.11f;
}

} // namespace

IndexedPicture MapToPalette(const Canvas& canvas, const std::vector<uint32_t>& palette,
                            float dither) {
    IndexedPicture out;
    out.width = canvas.width;
    out.height = canvas.height;
    out.palette = palette;
    out.indices.assign(size_t(canvas.width) * canvas.height, 0);
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++) {
            const Pixel& p = canvas.At(x, y);
            if (p.a < 0.5f) continue;
            const float offset = dither * BayerThreshold(x, y) / 255.0f;
            const Colour c{p.c.r + offset, p.c.g + offset, p.c.b + offset};
            size_t best = 1;
            float bestDistance = 1e9f;
            for (size_t i = 1; i < palette.size(); i++) {
                const float d = Distance(palette[i], c);
                if (d < bestDistance) bestDistance = d, best = i;
            }
            out.indices[size_t(y) * canvas.width + x] = uint8_t(best);
        }
    return out;
}

IndexedPicture ReduceToPalette(const Canvas& canvas, int colours, float dither) {
    // Histogram of the opaque pixels as they would be written at 24 bits.
    const std::vector<uint8_t> rgb = CanvasToRgb(canvas);
    std::map<uint32_t, uint32_t> histogram;
    for (size_t i = 0; i < canvas.pixels.size(); i++) {
        if (canvas.pixels[i].a < 0.5f) continue;
        histogram[(uint32_t(rgb[i * 3]) << 16) | (uint32_t(rgb[i * 3 + 1]) << 8) |
                  rgb[i * 3 + 2]]++;
    }
    std::vector<ColourCount> list;
    for (const auto& [c, n] : histogram) list.push_back({c, n});

    std::vector<Box> boxes;
    if (!list.empty()) boxes.push_back({0, list.size()});
    while (int(boxes.size()) < colours - 1) {
        size_t pick = boxes.size();
        double bestScore = 0;
        int axis = 0;
        for (size_t b = 0; b < boxes.size(); b++) {
            double score = 0;
            const int a = WidestAxis(list, boxes[b], &score);
            if (score > bestScore) bestScore = score, pick = b, axis = a;
        }
        if (pick == boxes.size()) break; // every box holds one colour
        Box& box = boxes[pick];
        std::stable_sort(list.begin() + long(box.begin), list.begin() + long(box.end),
                         [axis](const ColourCount& a, const ColourCount& b) {
                             return Channel(a.rgb, axis) < Channel(b.rgb, axis);
                         });
        uint64_t total = 0, running = 0;
        for (size_t i = box.begin; i < box.end; i++) total += list[i].count;
        size_t cut = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; i++) {
            running += list[i].count;
            cut = i + 1;
            if (running * 2 >= total) break;
        }
        const Box upper{cut, box.end};
        box.end = cut;
        boxes.push_back(upper);
    }
    std::vector<uint32_t> palette{0x000000};
    for (const Box& box : boxes) palette.push_back(BoxMean(list, box));
    if (palette.size() < 2) palette.push_back(0x010101);
    return MapToPalette(canvas, palette, dither);
}
