// art_canvas.h - the painting surface of the picture generator: colours, vectors, a float
// RGBA canvas, anti-aliased painting of signed-distance shapes, lighting, noise and a seeded
// random generator.
//
// Every picture is painted on a Canvas in straight (not premultiplied) colour and turned into
// bytes at the end: pixels below half coverage become the key colour, pure black, which the
// game draws transparent; opaque pixels never come out pure black. Used by the art_*.cpp
// files of the asset generator only; single-threaded; everything here is deterministic.
//
// Sections: vectors and colours | canvas | painting | lighting | noise and random numbers
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "support/maths.h"

// ---------------------------------------------------------------- vectors and colours
struct Vec2 {
    float x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float s) {
    return {a.x * s, a.y * s};
}
inline float Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline float Length(Vec2 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec2 Rotate(Vec2 p, float degrees) {
    const float r = degrees * 0.017453292f, c = std::cos(r), s = std::sin(r);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

struct Vec3 {
    float x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec3 Normalise(Vec3 a) {
    const float l = Length(a);
    return l > 0 ? a * (1.0f / l) : Vec3{0, 0, 1};
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

struct Colour {
    float r = 0, g = 0, b = 0;
};
inline Colour operator+(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Colour operator*(Colour a, float s) {
    return {a.r * s, a.g * s, a.b * s};
}
inline Colour operator*(Colour a, Colour b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Colour Mix(Colour a, Colour b, float t) {
    return a * (1 - t) + b * t;
}
// 0xRRGGBB as a colour.
inline Colour Hex(uint32_t rgb) {
    return {float((rgb >> 16) & 255) / 255.0f, float((rgb >> 8) & 255) / 255.0f,
            float(rgb & 255) / 255.0f};
}
inline float Clamp01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}
inline float SmoothStep(float e0, float e1, float v) {
    const float t = Clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
// Colour ramp through evenly spaced stops, t from 0 to 1.
Colour Ramp(const std::vector<Colour>& stops, float t);

// Nearest integer, halves to even: the game's one rounding rule.
inline int ArtRound(float v) {
    return RoundToInt(v);
}
// A channel 0..1 as a byte.
inline uint8_t ToByte(float v) {
    return uint8_t(ArtRound(Clamp01(v) * 255.0f));
}

// ---------------------------------------------------------------- canvas
struct Pixel {
    Colour c;
    float a = 0; // coverage: 0 transparent, 1 opaque
};

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels; // rows top first
    Pixel& At(int x, int y) { return pixels[size_t(y) * width + x]; }
    const Pixel& At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

Canvas MakeCanvas(int width, int height);
void FillCanvas(Canvas& canvas, Colour colour, float alpha = 1);
// Puts colour over the pixel with the given opacity (straight alpha "over").
void BlendPixel(Canvas& canvas, int x, int y, Colour colour, float opacity);
// Copies src onto dst with its top-left corner at (x, y), blending by src's coverage.
void DrawCanvas(Canvas& dst, const Canvas& src, int x, int y);
// Averages factor x factor blocks (coverage-weighted colour).
Canvas Downsample(const Canvas& src, int factor);
// Turns transparent pixels that touch an opaque one (8 neighbours, or 4) into the colour.
void AddOutline(Canvas& canvas, Colour colour, bool diagonals);
// Unsharp mask over the opaque pixels: crisper shading on small sprites.
void SharpenCanvas(Canvas& canvas, float amount);
// Mirrors left to right.
Canvas MirrorCanvas(const Canvas& src);

// RGB bytes, rows top first: coverage below one half gives the key black; opaque pixels are
// never pure black (lifted to (1, 1, 1)). dither > 0 adds an ordered 4 x 4 dither of that
// many byte steps before rounding (smooth gradients without bands).
std::vector<uint8_t> CanvasToRgb(const Canvas& canvas, float dither = 0);

// ---------------------------------------------------------------- painting
// Paints a shape given by its signed distance (negative inside, in pixels) with a colour
// from shade(p) evaluated at the centre of the covered part of each pixel. Coverage is
// measured with n x n samples per pixel in the box [x0, x1) x [y0, y1).
template <class Sdf, class Shade>
void PaintShape(Canvas& canvas, float x0, float y0, float x1, float y1, const Sdf& sdf,
                const Shade& shade, int n = 4, float opacity = 1) {
    const int ix0 = std::max(0, int(std::floor(x0))), iy0 = std::max(0, int(std::floor(y0)));
    const int ix1 = std::min(canvas.width, int(std::ceil(x1)));
    const int iy1 = std::min(canvas.height, int(std::ceil(y1)));
    const float step = 1.0f / float(n);
    for (int y = iy0; y < iy1; y++) {
        for (int x = ix0; x < ix1; x++) {
            const Vec2 centre{float(x) + 0.5f, float(y) + 0.5f};
            const float dc = sdf(centre);
            float coverage;
            Vec2 at = centre;
            if (dc > 1.0f) continue;
            if (dc < -1.0f) {
                coverage = 1;
            } else {
                int inside = 0;
                Vec2 sum{0, 0};
                for (int sy = 0; sy < n; sy++) {
                    for (int sx = 0; sx < n; sx++) {
                        const Vec2 p{float(x) + (float(sx) + 0.5f) * step,
                                     float(y) + (float(sy) + 0.5f) * step};
                        if (sdf(p) < 0) {
                            inside++;
                            sum = sum + p;
                        }
                    }
                }
                if (inside == 0) continue;
                coverage = float(inside) / float(n * n);
                at = sum * (1.0f / float(inside));
            }
            BlendPixel(canvas, x, y, shade(at), coverage * opacity);
        }
    }
}

// Paints the whole canvas with a shade, no shape.
template <class Shade> void PaintEverywhere(Canvas& canvas, const Shade& shade, float opacity = 1) {
    for (int y = 0; y < canvas.height; y++)
        for (int x = 0; x < canvas.width; x++)
            BlendPixel(canvas, x, y, shade(Vec2{float(x) + 0.5f, float(y) + 0.5f}), opacity);
}

// Outward unit gradient of a distance function (central differences).
template <class Sdf> Vec2 SdfGradient(const Sdf& sdf, Vec2 p) {
    const float e = 0.35f;
    Vec2 g{sdf(Vec2{p.x + e, p.y}) - sdf(Vec2{p.x - e, p.y}),
           sdf(Vec2{p.x, p.y + e}) - sdf(Vec2{p.x, p.y - e})};
    const float l = Length(g);
    return l > 1e-6f ? g * (1.0f / l) : Vec2{0, 0};
}

// ---------------------------------------------------------------- lighting
// The game's light comes from the top left and a little from the front, in screen axes
// (x right, y down, z towards the viewer).
extern const Vec3 LIGHT_DIRECTION;

// Normal of a bevelled slab: flat inside, tilted outward over the bevel band by up to
// maxTilt degrees; round = true gives a rounded edge, false a straight chamfer.
Vec3 BevelNormal(float depthInside, Vec2 outward, float bevel, float maxTilt, bool round);

struct Material {
    Colour base;              // diffuse colour
    Colour specular{1, 1, 1}; // highlight colour
    float ambient = 0.35f;    // share lit without the light
    float gloss = 0.5f;       // highlight strength
    float shininess = 24;     // highlight tightness
};
Colour Shade(const Material& material, Vec3 normal);

// Chrome: a sky-to-ground environment looked up by height (0 top .. 1 bottom of the part)
// bent by the normal.
Colour ChromeShade(float height, Vec3 normal, Colour sky, Colour ground);

// ---------------------------------------------------------------- noise and random numbers
uint32_t HashU32(uint32_t v);
// 0 <= value < 1, a pure function of its arguments.
float HashUnit(int x, int y, uint32_t seed);
// Smooth value noise, about 0..1, features of `scale` pixels.
float ValueNoise(float x, float y, float scale, uint32_t seed);
// Four octaves of value noise.
float FractalNoise(float x, float y, float scale, uint32_t seed);

// Ordered dither threshold of a pixel, -0.5 .. 0.5 (4 x 4 Bayer matrix).
float BayerThreshold(int x, int y);

struct ArtRandom {
    uint32_t state;
};
uint32_t NextRandom(ArtRandom& random);
float RandomUnit(ArtRandom& random); // 0 <= value < 1
float RandomBetween(ArtRandom& random, float lo, float hi);
