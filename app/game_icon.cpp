// game_icon.cpp - cutting, trimming and scaling the robot picture into icons.
#include "app/game_icon.h"

#include <algorithm>

#include "assets/assets.h"
#include "render/image.h"
#include "support/maths.h"

namespace {

// The robot's shaded view: cell 1 of the top row of the menu pictures.
const char* const ICON_PICTURE = "screens.bmp";
constexpr int ICON_CELL_X = 256, ICON_CELL_Y = 0, ICON_CELL_SIZE = 256;

// Overlap of the source pixel [p, p + 1) with the span [lo, hi).
double Overlap(int p, double lo, double hi) {
    return std::max(0.0, std::min(double(p + 1), hi) - std::max(double(p), lo));
}

} // namespace

bool FindIconSquare(const std::vector<uint8_t>& rgba, int width, int height, IconSquare* square) {
    if (width <= 0 || height <= 0 || rgba.size() < size_t(width) * height * 4) return false;
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            if (rgba[(size_t(y) * width + x) * 4 + 3] != 0) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0) return false;
    const int w = right - left + 1, h = bottom - top + 1;
    const int side = std::max(w, h);
    const int margin = (side + 15) / 16;
    square->side = side + 2 * margin;
    square->x = left - margin - (side - w) / 2;
    square->y = top - margin - (side - h) / 2;
    return true;
}

std::vector<uint8_t> ScaleIconSquare(const std::vector<uint8_t>& rgba, int width, int height,
                                     const IconSquare& square, int size) {
    std::vector<uint8_t> out(size > 0 ? size_t(size) * size * 4 : 0, 0);
    if (size <= 0 || square.side <= 0 || rgba.size() < size_t(width) * height * 4) return out;
    const double step = double(square.side) / size; // source pixels per icon pixel
    for (int oy = 0; oy < size; oy++) {
        const double y0 = square.y + oy * step, y1 = y0 + step;
        for (int ox = 0; ox < size; ox++) {
            const double x0 = square.x + ox * step, x1 = x0 + step;
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = std::max(0, TruncToInt(y0) - 1);
                 sy < std::min(height, TruncToInt(y1) + 1); sy++) {
                const double wy = Overlap(sy, y0, y1);
                if (wy <= 0) continue;
                for (int sx = std::max(0, TruncToInt(x0) - 1);
                     sx < std::min(width, TruncToInt(x1) + 1); sx++) {
                    const double w = wy * Overlap(sx, x0, x1);
                    if (w <= 0) continue;
                    const uint8_t* p = &rgba[(size_t(sy) * width + sx) * 4];
                    const double wa = w * p[3]; // colour counts as much as it covers
                    r += wa * p[0], g += wa * p[1], b += wa * p[2], a += wa;
                }
            }
            uint8_t* q = &out[(size_t(oy) * size + ox) * 4];
            if (a <= 0) continue;
            q[0] = uint8_t(std::clamp(RoundToInt(r / a), 0, 255));
            q[1] = uint8_t(std::clamp(RoundToInt(g / a), 0, 255));
            q[2] = uint8_t(std::clamp(RoundToInt(b / a), 0, 255));
            q[3] = uint8_t(std::clamp(RoundToInt(a / (step * step)), 0, 255));
        }
    }
    return out;
}

bool MakeGameIcon(int size, std::vector<uint8_t>* rgba) {
    const EmbeddedAsset* picture = FindEmbeddedAsset(ICON_PICTURE);
    if (!picture || size <= 0) return false;
    bool cut = CatchImage(WorkImage, picture->data, picture->size) != 0 &&
               GrabImage(WorkImage, GrabImageNumber, ICON_CELL_X, ICON_CELL_Y, ICON_CELL_SIZE,
                         ICON_CELL_SIZE) != 0;
    std::vector<uint8_t> cell(size_t(ICON_CELL_SIZE) * ICON_CELL_SIZE * 4, 0);
    if (cut) {
        for (int y = 0; y < ICON_CELL_SIZE; y++)
            for (int x = 0; x < ICON_CELL_SIZE; x++) {
                const uint32_t colour = ImagePixel(GrabImageNumber, x, y);
                uint8_t* p = &cell[(size_t(y) * ICON_CELL_SIZE + x) * 4];
                p[0] = uint8_t(colour), p[1] = uint8_t(colour >> 8), p[2] = uint8_t(colour >> 16);
                p[3] = colour == 0 ? 0 : 255; // black is the key colour of every picture
            }
    }
    FreeImage(WorkImage);
    FreeImage(GrabImageNumber);
    IconSquare square;
    if (!cut || !FindIconSquare(cell, ICON_CELL_SIZE, ICON_CELL_SIZE, &square)) return false;
    *rgba = ScaleIconSquare(cell, ICON_CELL_SIZE, ICON_CELL_SIZE, square, size);
    return true;
}
