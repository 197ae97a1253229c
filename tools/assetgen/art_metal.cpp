// art_metal.cpp - the metal finishes of art_metal.h.
#include "tools/assetgen/art_metal.h"

Colour BrushedMetal(Vec2 p, Colour base, uint32_t seed) {
    const float streak = ValueNoise(p.x * 0.15f, p.y * 3.0f, 1.0f, seed) - 0.5f;
    const float blotch = FractalNoise(p.x, p.y, 22, seed + 7) - 0.5f;
    return base * (1 + streak * 0.07f + blotch * 0.22f);
}

Colour RustyMetal(Vec2 p, Colour base, uint32_t seed) {
    const Colour metal = BrushedMetal(p, base, seed);
    const float rust = FractalNoise(p.x, p.y, 14, seed + 31);
    const float pits = ValueNoise(p.x, p.y, 1.5f, seed + 5);
    Colour c = Mix(metal, Colour{0.55f, 0.27f, 0.12f}, SmoothStep(0.5f, 0.72f, rust) * 0.75f);
    return c * (1 - SmoothStep(0.7f, 0.95f, pits) * 0.25f);
}
