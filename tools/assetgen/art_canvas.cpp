// art_canvas.cpp - canvas, lighting, noise and random numbers of the picture generator.
#include "tools/assetgen/art_canvas.h"

const Vec3 LIGHT_DIRECTION = Normalise(Vec3{-0.55f, -0.75f, 0.9f});

Colour Ramp(const std::vector<Colour>& stops, float t) {
    if (stops.empty()) return {};
    if (stops.size() == 1) return stops[0];
    const float f = Clamp01(t) * float(stops.size() - 1);
    const size_t i = std::min(stops.size() - 2, size_t(f));
    return Mix(stops[i], stops[i + 1], f - float(i));
}

// ---------------------------------------------------------------- canvas
Canvas MakeCanvas(int width, int height) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.pixels.assign(size_t(width) * height, Pixel{});
    return canvas;
}

void FillCanvas(Canvas& canvas, Colour colour, float alpha) {
    for (Pixel& p : canvas.pixels) p = Pixel{colour, alpha};
}

void BlendPixel(Canvas& canvas, int x, int y, Colour colour, float opacity) {
    if (!canvas.Inside(x, y) || opacity <= 0) return;
    Pixel& p = canvas.At(x, y);
    opacity = Clamp01(opacity);
    const float outA = opacity + p.a * (1 - opacity);
    if (outA <= 0) return;
    p.c = (colour * opacity + p.c * (p.a * (1 - opacity))) * (1.0f / outA);
    p.a = outA;
}

void DrawCanvas(Canvas& dst, const Canvas& src, int x, int y) {
    for (int sy = 0; sy < src.height; sy++)
        for (int sx = 0; sx < src.width; sx++) {
            const Pixel& p = src.At(sx, sy);
            if (p.a > 0) BlendPixel(dst, x + sx, y + sy, p.c, p.a);
        }
}

Canvas Downsample(const Canvas& src, int factor) {
    Canvas out = MakeCanvas(src.width / factor, src.height / factor);
    const float n = float(factor * factor);
    for (int y = 0; y < out.height; y++)
        for (int x = 0; x < out.width; x++) {
            Colour sum;
            float alpha = 0;
            for (int sy = 0; sy < factor; sy++)
                for (int sx = 0; sx < factor; sx++) {
                    const Pixel& p = src.At(x * factor + sx, y * factor + sy);
                    sum = sum + p.c * p.a;
                    alpha += p.a;
                }
            Pixel& o = out.At(x, y);
            o.a = alpha / n;
            o.c = alpha > 0 ? sum * (1.0f / alpha) : Colour{};
        }
    return out;
}

void AddOutline(Canvas& canvas, Colour colour, bool diagonals) {
    const Canvas before = canvas;
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++) {
            if (before.At(x, y).a >= 0.5f) continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; dy++)
                for (int dx = -1; dx <= 1 && !touches; dx++) {
                    if ((dx == 0 && dy == 0) || (!diagonals && dx != 0 && dy != 0)) continue;
                    touches = before.Inside(x + dx, y + dy) && before.At(x + dx, y + dy).a >= 0.5f;
                }
            if (touches) canvas.At(x, y) = Pixel{colour, 1};
        }
}

void SharpenCanvas(Canvas& canvas, float amount) {
    const Canvas before = canvas;
    const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++) {
            if (before.At(x, y).a < 0.5f) continue;
            Colour sum;
            int n = 0;
            for (int k = 0; k < 4; k++) {
                if (!before.Inside(x + dx[k], y + dy[k])) continue;
                const Pixel& q = before.At(x + dx[k], y + dy[k]);
                if (q.a < 0.5f) continue;
                sum = sum + q.c;
                n++;
            }
            if (n == 0) continue;
            const Colour c = before.At(x, y).c;
            const Colour average = sum * (1.0f / float(n));
            Colour& out = canvas.At(x, y).c;
            out = c + (c + average * -1.0f) * amount;
            out = {Clamp01(out.r), Clamp01(out.g), Clamp01(out.b)};
        }
}

Canvas MirrorCanvas(const Canvas& src) {
    Canvas out = MakeCanvas(src.width, src.height);
    for (int y = 0; y < src.height; y++)
        for (int x = 0; x < src.width; x++) out.At(x, y) = src.At(src.width - 1 - x, y);
    return out;
}

std::vector<uint8_t> CanvasToRgb(const Canvas& canvas, float dither) {
    std::vector<uint8_t> rgb(size_t(canvas.width) * canvas.height * 3, 0);
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++) {
            const Pixel& p = canvas.At(x, y);
            if (p.a < 0.5f) continue; // key colour
            const float offset = dither * BayerThreshold(x, y) / 255.0f;
            uint8_t* out = rgb.data() + (size_t(y) * canvas.width + x) * 3;
            out[0] = ToByte(p.c.r + offset);
            out[1] = ToByte(p.c.g + offset);
            out[2] = ToByte(p.c.b + offset);
            if (out[0] == 0 && out[1] == 0 && out[2] == 0) out[0] = out[1] = out[2] = 1;
        }
    return rgb;
}

// ---------------------------------------------------------------- lighting
Vec3 BevelNormal(float depthInside, Vec2 outward, float bevel, float maxTilt, bool round) {
    if (depthInside >= bevel || bevel <= 0) return {0, 0, 1};
    const float u = 1 - Clamp01(depthInside / bevel); // 1 at the edge, 0 at the inner rim
    const float tilt = (round ? std::sqrt(u) * 0.85f + u * 0.15f : 1.0f) * maxTilt * 0.017453292f;
    const float s = std::sin(tilt);
    return Normalise(Vec3{outward.x * s, outward.y * s, std::cos(tilt)});
}

Colour Shade(const Material& m, Vec3 n) {
    const float diffuse = std::max(0.0f, Dot(n, LIGHT_DIRECTION));
    const Vec3 half = Normalise(LIGHT_DIRECTION + Vec3{0, 0, 1});
    const float highlight = std::pow(std::max(0.0f, Dot(n, half)), m.shininess) * m.gloss;
    return m.base * (m.ambient + (1 - m.ambient) * diffuse * 1.15f) + m.specular * highlight;
}

Colour ChromeShade(float height, Vec3 n, Colour sky, Colour ground) {
    // The reflected view ray tilts the horizon: faces turned up show more sky.
    const float t = Clamp01(height + n.y * 0.45f);
    Colour c;
    if (t < 0.5f) {
        c = Mix(sky * 0.55f, sky, SmoothStep(0.0f, 0.5f, t)); // darker zenith, bright near horizon
        c = Mix(c, Colour{1, 1, 1}, SmoothStep(0.38f, 0.5f, t) * 0.8f);
    } else {
        c = Mix(ground * 0.35f, ground, SmoothStep(0.5f, 1.0f, t));
    }
    const Vec3 half = Normalise(LIGHT_DIRECTION + Vec3{0, 0, 1});
    const float highlight = std::pow(std::max(0.0f, Dot(n, half)), 30.0f);
    return c + Colour{1, 1, 1} * (highlight * 0.6f);
}

// ---------------------------------------------------------------- noise and random numbers
uint32_t HashU32(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7feb352dU;
    v ^= v >> 15;
    v *= 0x846ca68bU;
    v ^= v >> 16;
    return v;
}

float HashUnit(int x, int y, uint32_t seed) {
    const uint32_t h =
        HashU32(uint32_t(x) * 0x9E3779B1U ^ HashU32(uint32_t(y) + seed * 0x85EBCA77U));
    return float(h >> 8) / 16777216.0f;
}

float ValueNoise(float x, float y, float scale, uint32_t seed) {
    const float fx = x / scale, fy = y / scale;
    const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
    float tx = fx - float(ix), ty = fy - float(iy);
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = HashUnit(ix, iy, seed), b = HashUnit(ix + 1, iy, seed);
    const float c = HashUnit(ix, iy + 1, seed), d = HashUnit(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

float FractalNoise(float x, float y, float scale, uint32_t seed) {
    float sum = 0, weight = 0, amplitude = 1;
    for (int octave = 0; octave < 4; octave++) {
        sum += ValueNoise(x, y, scale, seed + uint32_t(octave) * 101) * amplitude;
        weight += amplitude;
        amplitude *= 0.5f;
        scale *= 0.5f;
    }
    return sum / weight;
}

float BayerThreshold(int x, int y) {
    static const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (float(BAYER[y & 3][x & 3]) + 0.5f) / 16.0f - 0.5f;
}

uint32_t NextRandom(ArtRandom& random) {
    // xorshift32: small, fast and the same on every machine
    uint32_t x = random.state ? random.state : 0x2545F491U;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    random.state = x;
    return x;
}

float RandomUnit(ArtRandom& random) {
    return float(NextRandom(random) >> 8) / 16777216.0f;
}

float RandomBetween(ArtRandom& random, float lo, float hi) {
    return lo + (hi - lo) * RandomUnit(random);
}
