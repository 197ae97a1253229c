// image.h - the numbered image store, BMP decoding and texture making.
//
// Pictures are decoded into numbered images (999 is the staging sheet, 1000 the picture
// that TextureFromImage reads), cut with GrabImage and uploaded as textures. Textures are
// stored in the usual row order and the sprite operations address them accordingly, so the
// picture on screen is the one the design describes. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int WorkImage = 999;
constexpr int GrabImageNumber = 1000;

// Decodes an uncompressed BMP (4, 8, 24 or 32 bits per pixel) from memory into image
// `number`, replacing any image there. Every read is bounds-checked against `size`: data
// without the magic, with sizes or offsets outside the data, or of another depth, returns
// 0 and stores nothing.
int CatchImage(int number, const uint8_t* data, size_t size);

// Copies the rectangle (x, y, width, height) of image `source` into a new image `target`.
// Returns 0 (changing nothing) when the source is missing or the rectangle leaves it.
int GrabImage(int source, int target, int x, int y, int width, int height);

// Colour number of a pixel (red + 256 green + 65536 blue); 0 outside the image.
uint32_t ImagePixel(int number, int x, int y);
int ImageWidth(int number); // 0 when there is no image
int ImageHeight(int number);
void FreeImage(int number);

// Texture from image 1000: key colour -> alpha 0, else 255; orientation 0 as drawn,
// 1 mirrored left to right, 2 top to bottom, 3 half a turn; filter 0 nearest, 1 linear,
// 2 mipmapped (GLU); clamp non-zero clamps to edge. Returns the texture handle (0 for a
// filter outside 0 to 2).
uint32_t TextureFromImage(uint32_t key, int orientation, int filter, int clamp);

// Cuts `count` (at most MAX_BOXES) boxes of size x size pixels from image `source`, box k at
// (boxes[k][0], boxes[k][1]), each as TextureFromImage would make it with linear filtering,
// and stores a texture handle for each in `slots` (0 where the box leaves the image). The
// boxes share one texture, each with a border that filtering sees as the edge of a texture
// of its own, so they draw as their own textures would while sprites of any of them join
// one run of the draw queue.
constexpr int MAX_BOXES = 64;
void TexturesFromBoxes(int source, const int (*boxes)[2], int count, int size, uint32_t key,
                       int orientation, int clamp, uint32_t* slots);

// Texture of size x size texels from count bytes of RGBA, taken as they are.
uint32_t TextureFromPixels(const uint8_t* rgba, int count, int size);
