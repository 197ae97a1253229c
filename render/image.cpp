// image.cpp - the numbered image store, the BMP decoder and the texture makers.
//
// The decoder reads untrusted bytes (a picture may one day be replaced by hand): every
// offset and size is checked against the data before it is used.
#include "render/image.h"

#include <GL/glu.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "render/render_internal.h"

namespace {

struct Image {
    int width = 0;
    int height = 0;
    int depth = 32;
    std::vector<uint32_t> pixels; // colour numbers, row by row, top row first
};

constexpr int MAX_IMAGE_NUMBER = 4095;
constexpr int MAX_IMAGE_SIDE = 16384;
std::vector<std::unique_ptr<Image>> Images;
uint32_t FakeTextureCounter = 0; // handles handed out while RenderEnabled is false

Image* FindImage(int number) {
    if (number < 0 || number >= int(Images.size())) return nullptr;
    return Images[number].get();
}

void StoreImage(int number, std::unique_ptr<Image> image) {
    if (int(Images.size()) <= number) Images.resize(number + 1);
    Images[number] = std::move(image);
}

uint32_t Read16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}
uint32_t Read32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}

uint32_t ColourNumber(uint8_t red, uint8_t green, uint8_t blue) {
    return red | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
}

// Decodes an uncompressed BMP into a 32-bit image; nullptr when the data is not one.
std::unique_ptr<Image> DecodeBmp(const uint8_t* data, size_t size) {
    if (!data || size < 54 || data[0] != 0x42 || data[1] != 0x4D) return nullptr;
    const uint64_t pixelOffset = Read32(data + 10);
    const uint64_t headerSize = Read32(data + 14);
    const int32_t width = int32_t(Read32(data + 18));
    const int32_t rawHeight = int32_t(Read32(data + 22));
    const uint32_t bits = Read16(data + 28);
    const uint32_t compression = Read32(data + 30);
    uint64_t coloursUsed = Read32(data + 46);
    if (headerSize < 40 || 14 + headerSize > size) return nullptr;
    if (compression != 0) return nullptr;
    if (bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;
    if (rawHeight == INT32_MIN) return nullptr;
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > MAX_IMAGE_SIDE || height > MAX_IMAGE_SIDE)
        return nullptr;

    // Palette of 4- and 8-bit pictures: blue, green, red, reserved.
    std::vector<uint32_t> palette;
    if (bits <= 8) {
        const uint64_t maxColours = 1u << bits;
        if (coloursUsed == 0 || coloursUsed > maxColours) coloursUsed = maxColours;
        const uint64_t paletteAt = 14 + headerSize;
        if (paletteAt + coloursUsed * 4 > size) return nullptr;
        palette.assign(maxColours, 0); // indices past the stored colours read as black
        for (uint64_t i = 0; i < coloursUsed; i++) {
            const uint8_t* p = data + paletteAt + i * 4;
            palette[i] = ColourNumber(p[2], p[1], p[0]);
        }
    }

    const uint64_t stride = ((uint64_t(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || stride * uint64_t(height) > size - pixelOffset) return nullptr;

    auto image = std::make_unique<Image>();
    image->width = width;
    image->height = height;
    image->depth = 32;
    image->pixels.resize(size_t(width) * height);
    for (int32_t y = 0; y < height; y++) {
        const int32_t fileRow = topDown ? y : height - 1 - y; // rows are stored bottom up
        const uint8_t* row = data + pixelOffset + uint64_t(fileRow) * stride;
        uint32_t* out = image->pixels.data() + size_t(y) * width;
        for (int32_t x = 0; x < width; x++) {
            switch (bits) {
            case 4: {
                const uint8_t b = row[x / 2];
                out[x] = palette[(x & 1) ? (b & 15) : (b >> 4)]; // high nibble is the left pixel
                break;
            }
            case 8: out[x] = palette[row[x]]; break;
            case 24: out[x] = ColourNumber(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
            default: out[x] = ColourNumber(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]); break;
            }
        }
    }
    return image;
}

uint32_t NewTextureName() {
    if (!RenderEnabled) return ++FakeTextureCounter;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    NoteTextureBound(name);
    CountGl(2);
    return name;
}

} // namespace

int CatchImage(int number, const uint8_t* data, size_t size) {
    if (number < 0 || number > MAX_IMAGE_NUMBER) return 0;
    std::unique_ptr<Image> image = DecodeBmp(data, size);
    if (!image) return 0;
    StoreImage(number, std::move(image));
    return 1;
}

int GrabImage(int source, int target, int x, int y, int width, int height) {
    const Image* src = FindImage(source);
    if (!src || target < 0 || target > MAX_IMAGE_NUMBER) return 0;
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x > src->width - width ||
        y > src->height - height)
        return 0;
    auto image = std::make_unique<Image>();
    image->width = width;
    image->height = height;
    image->depth = src->depth;
    image->pixels.resize(size_t(width) * height);
    for (int row = 0; row < height; row++)
        for (int col = 0; col < width; col++)
            image->pixels[size_t(row) * width + col] =
                src->pixels[size_t(y + row) * src->width + x + col];
    StoreImage(target, std::move(image));
    return 1;
}

uint32_t ImagePixel(int number, int x, int y) {
    const Image* image = FindImage(number);
    if (!image || x < 0 || y < 0 || x >= image->width || y >= image->height) return 0;
    return image->pixels[size_t(y) * image->width + x];
}

int ImageWidth(int number) {
    const Image* image = FindImage(number);
    return image ? image->width : 0;
}

int ImageHeight(int number) {
    const Image* image = FindImage(number);
    return image ? image->height : 0;
}

void FreeImage(int number) {
    if (FindImage(number)) Images[number].reset();
}

namespace {

// Texels of image 1000 in the usual row order (the sprites address them so): texel (row, col)
// holds the picture's pixel chosen by the orientation, alpha 0 where it is the key colour.
// Any other orientation leaves zero bytes.
std::vector<uint8_t> KeyedTexels(uint32_t key, int orientation, int* width, int* height) {
    const Image* image = FindImage(GrabImageNumber);
    const int w = image ? image->width : 0;
    const int h = image ? image->height : 0;
    std::vector<uint8_t> texels(size_t(w) * h * 4, 0);
    if (orientation >= 0 && orientation <= 3) {
        for (int row = 0; row < h; row++) {
            for (int col = 0; col < w; col++) {
                const int px = (orientation & 1) ? w - 1 - col : col;
                const int py = (orientation & 2) ? h - 1 - row : row;
                const uint32_t c = image->pixels[size_t(py) * w + px];
                uint8_t* t = texels.data() + (size_t(row) * w + col) * 4;
                t[0] = uint8_t(c);
                t[1] = uint8_t(c >> 8);
                t[2] = uint8_t(c >> 16);
                t[3] = c == key ? 0 : 255;
            }
        }
    }
    *width = w, *height = h;
    return texels;
}

int PowerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

} // namespace

uint32_t TextureFromImage(uint32_t key, int orientation, int filter, int clamp) {
    if (filter < 0 || filter > 2) return 0;
    int w = 0, h = 0;
    const std::vector<uint8_t> texels = KeyedTexels(key, orientation, &w, &h);
    const uint32_t name = NewTextureName();
    if (!RenderEnabled) return name;
    NoteTextureShape(name, texels.data(), w, h, !clamp, filter == 2);
    if (clamp) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (filter == 2) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        if (w > 0 && h > 0)
            gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, w, h, GL_RGBA, GL_UNSIGNED_BYTE,
                              texels.data());
    } else {
        const GLint f = filter == 0 ? GL_NEAREST : GL_LINEAR;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, f);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, f);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     w > 0 ? texels.data() : nullptr);
    }
    CountGl(6);
    return name;
}

void TexturesFromBoxes(int source, const int (*boxes)[2], int count, int size, uint32_t key,
                       int orientation, int clamp, uint32_t* slots) {
    if (!RenderEnabled) {
        for (int i = 0; i < count; i++)
            slots[i] = GrabImage(source, GrabImageNumber, boxes[i][0], boxes[i][1], size, size)
                           ? NewTextureName()
                           : 0;
        return;
    }
    const int pitch = size + 2;
    const int columns = std::max(1, std::min(count, 1024 / pitch));
    const int rows = (count + columns - 1) / columns;
    const int width = PowerOfTwoAtLeast(columns * pitch), height = PowerOfTwoAtLeast(rows * pitch);
    std::vector<uint8_t> atlas(size_t(width) * size_t(height) * 4, 0);
    TextureBox parts[MAX_BOXES], inks[MAX_BOXES];
    bool present[MAX_BOXES] = {};
    count = std::min(count, MAX_BOXES);
    for (int i = 0; i < count; i++) {
        if (!GrabImage(source, GrabImageNumber, boxes[i][0], boxes[i][1], size, size)) continue;
        int w = 0, h = 0;
        const std::vector<uint8_t> texels = KeyedTexels(key, orientation, &w, &h);
        const int ax = (i % columns) * pitch, ay = (i / columns) * pitch;
        // A border round the box: at its edges filtering samples what it would on a texture
        // of its own, the edge texels again when clamped, those of the far edge when repeated.
        const auto borderSource = [&](int v) {
            return clamp ? std::clamp(v - 1, 0, size - 1) : (v - 1 + size) % size;
        };
        for (int y = 0; y < pitch; y++)
            for (int x = 0; x < pitch; x++)
                std::copy_n(
                    texels.data() +
                        (size_t(borderSource(y)) * size_t(size) + size_t(borderSource(x))) * 4,
                    4, atlas.data() + (size_t(ay + y) * size_t(width) + size_t(ax + x)) * 4);
        parts[i] = {float(ax + 1) / float(width), float(ay + 1) / float(height),
                    float(ax + 1 + size) / float(width), float(ay + 1 + size) / float(height)};
        inks[i] = FindInkBox(texels.data(), size, size, !clamp);
        present[i] = true;
    }
    const uint32_t name = NewTextureName();
    NoteTextureShape(name, nullptr, 0, 0, false, false);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 atlas.data());
    CountGl(7);
    for (int i = 0; i < count; i++)
        slots[i] = present[i] ? NoteTexturePart(name, parts[i], inks[i]) : 0;
}

uint32_t TextureFromPixels(const uint8_t* rgba, int count, int size) {
    const uint32_t name = NewTextureName();
    if (!RenderEnabled) return name;
    // Missing bytes stay zero. The bytes are rows of texels as the design uploads them; our
    // sprites address textures with s and t exchanged, so they are stored transposed here
    // to show on screen as the design's do (texel 1 of the first row below texel 0).
    std::vector<uint8_t> texels(size > 0 ? size_t(size) * size * 4 : 0, 0);
    const size_t present = rgba && count > 0 ? std::min<size_t>(size_t(count), texels.size()) : 0;
    for (size_t b = 0; b < present; b++) {
        const size_t texel = b / 4, row = texel / size_t(size), column = texel % size_t(size);
        texels[(column * size_t(size) + row) * 4 + b % 4] = rgba[b];
    }
    NoteTextureShape(name, texels.data(), size, size, true, false);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (size > 0)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels.data());
    CountGl(4);
    return name;
}
