// backdrop.cpp - a mode's still backdrop kept as a copy of the frame, drawn back in one opaque
// pass on later frames. Called by the menu mode inside a frame, main thread only.
//
// Software GL pays for every blended, filtered pixel of large sprites each frame; the menu's
// logo and robots never move, so the first frame draws them and copies what the frame holds
// (glCopyTexSubImage2D), and later frames put that copy back through a texture sampled at its
// own texel centres with nearest filtering and no blending: each pixel gets exactly the bytes
// it had, at a fraction of the cost. The copy is made again after a change of the letterbox
// rectangle or of the GL context.
#include "render/backdrop.h"

#include <cmath>

#include "platform/platform.h"
#include "render/render_internal.h"

namespace {

GLuint BackdropTexture = 0;
int BackdropTextureSize = 0; // the square texture's side, a power of two
bool BackdropKept = false;
PlatformFrameRect BackdropFrame = {0, 0, 0, 0, 0.0f}; // where the copy was taken from

// The parts of the frame the backdrop covers, in drawable pixels of the letterbox rectangle
// (origin bottom left, as GL counts them); elsewhere the cleared colour is the backdrop.
struct PixelArea {
    int x1, y1, x2, y2;
};
constexpr int MAX_BACKDROP_AREAS = 16;
PixelArea BackdropAreas[MAX_BACKDROP_AREAS];
int BackdropAreaCount = 0;

// A frame area (game coordinates, origin top left) as the drawable pixels it may touch:
// rounded outwards, so that every pixel a sprite over the area can reach is kept.
PixelArea PixelsOf(const BackdropArea& a, const PlatformFrameRect& r) {
    const auto clampTo = [](float v, int most) {
        return v < 0 ? 0 : v > float(most) ? most : int(v);
    };
    const float left = float(a.x) * r.scale, right = float(a.x + a.width) * r.scale;
    const float top = float(a.y) * r.scale, bottom = float(a.y + a.height) * r.scale;
    PixelArea p;
    p.x1 = clampTo(std::floor(left) - 1, r.width);
    p.x2 = clampTo(std::ceil(right) + 1, r.width);
    p.y1 = clampTo(std::floor(float(r.height) - bottom) - 1, r.height);
    p.y2 = clampTo(std::ceil(float(r.height) - top) + 1, r.height);
    return p;
}

bool SameFrame(const PlatformFrameRect& a, const PlatformFrameRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

int PowerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n) p *= 2;
    return p;
}

} // namespace

void ForgetBackdrop() {
    BackdropKept = false;
}

void DropBackdropTexture() {
    // The texture went with its context; its name may be another texture's in the new one.
    BackdropKept = false;
    BackdropTexture = 0;
    BackdropTextureSize = 0;
}

bool DrawBackdrop() {
    if (!RenderEnabled || !BackdropKept) return false;
    const PlatformFrameRect r = PlatformGetFrameRect();
    if (!SameFrame(r, BackdropFrame)) {
        BackdropKept = false;
        return false;
    }
    SettleDrawState();
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT |
                 GL_VIEWPORT_BIT);
    glDisable(GL_BLEND);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, BackdropTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glViewport(r.x, r.y, r.width, r.height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // Pixel (i, j) of the rectangle samples at texel (i + 0.5, j + 0.5): its own centre.
    const float texel = 1.0f / float(BackdropTextureSize);
    const float toClipX = 2.0f / float(r.width), toClipY = 2.0f / float(r.height);
    glBegin(GL_QUADS);
    for (int i = 0; i < BackdropAreaCount; i++) {
        const PixelArea& a = BackdropAreas[i];
        const float s1 = float(a.x1) * texel, s2 = float(a.x2) * texel;
        const float t1 = float(a.y1) * texel, t2 = float(a.y2) * texel;
        const float x1 = float(a.x1) * toClipX - 1, x2 = float(a.x2) * toClipX - 1;
        const float y1 = float(a.y1) * toClipY - 1, y2 = float(a.y2) * toClipY - 1;
        glTexCoord2f(s1, t1), glVertex2f(x1, y1);
        glTexCoord2f(s2, t1), glVertex2f(x2, y1);
        glTexCoord2f(s2, t2), glVertex2f(x2, y2);
        glTexCoord2f(s1, t2), glVertex2f(x1, y2);
    }
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopAttrib();
    CountGl(30);
    return true;
}

void KeepBackdrop(const BackdropArea* areas, int count) {
    if (!RenderEnabled) return;
    SettleDrawState();
    const PlatformFrameRect r = PlatformGetFrameRect();
    const int size = PowerOfTwoAtLeast(r.width > r.height ? r.width : r.height);
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    CountGl(1);
    if (size > largest) return; // too large to keep: the backdrop is drawn every frame
    glPushAttrib(GL_TEXTURE_BIT);
    if (BackdropTexture == 0 || size != BackdropTextureSize) {
        if (BackdropTexture != 0) glDeleteTextures(1, &BackdropTexture), CountGl(1);
        GLuint name = 0;
        glGenTextures(1, &name);
        BackdropTexture = name;
        BackdropTextureSize = size;
        glBindTexture(GL_TEXTURE_2D, BackdropTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size, size, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        CountGl(7);
    }
    glBindTexture(GL_TEXTURE_2D, BackdropTexture);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, r.x, r.y, r.width, r.height);
    glPopAttrib();
    CountGl(4);
    BackdropFrame = r;
    BackdropAreaCount = 0;
    for (int i = 0; i < count && i < MAX_BACKDROP_AREAS; i++)
        BackdropAreas[BackdropAreaCount++] = PixelsOf(areas[i], r);
    BackdropKept = count <= MAX_BACKDROP_AREAS;
}
