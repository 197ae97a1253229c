// backdrop.cpp - a mode's still backdrop kept as a copy of the frame and copied back on later
// frames. Called by the menu mode inside a frame, main thread only.
//
// Software GL pays for every blended, filtered pixel of large sprites each frame; the menu's
// logo and robots never move, so the first frame draws them, the frame is copied into a
// framebuffer object of its own, and later frames copy the areas the still sprites cover back
// with glBlitFramebuffer: each pixel gets exactly the bytes it had. A blit of the same size is
// a plain copy of memory in Mesa's software rasterisers, where drawing the copy back as a
// texture would shade every pixel again. Blits need OpenGL 3.0 or ARB_framebuffer_object;
// without them nothing is kept and the mode draws its sprites every frame, as it would anyway.
// The copy is made again after a change of the letterbox rectangle or of the GL context.
#include "render/backdrop.h"

#include <cmath>
#include <cstring>

#include "platform/platform.h"
#include "render/render_internal.h"

namespace {

GLuint BackdropFramebuffer = 0;
GLuint BackdropRenderbuffer = 0;
int BackdropWidth = 0, BackdropHeight = 0; // the renderbuffer's size
bool BackdropKept = false;
int BlitsAvailable = -1;                              // -1 not asked yet in this context
PlatformFrameRect BackdropFrame = {0, 0, 0, 0, 0.0f}; // where the copy was taken from

// The parts of the frame the backdrop covers; elsewhere the cleared colour is the backdrop.
constexpr int MAX_BACKDROP_AREAS = 16;
PixelBox BackdropAreas[MAX_BACKDROP_AREAS];
int BackdropAreaCount = 0;

bool BlitsSupported() {
    if (BlitsAvailable < 0) {
        const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        BlitsAvailable = (version && version[0] >= '3' && version[0] <= '9') ||
                         (extensions && std::strstr(extensions, "GL_ARB_framebuffer_object"));
        CountGl(2);
    }
    return BlitsAvailable == 1;
}

// Copies the areas from one framebuffer to the other, pixel for pixel. `toWindow` copies the
// kept frame back, inside the scissor box ClearDisplay set (blits obey it); the copy into the
// framebuffer object is taken with the scissor test off.
void BlitAreas(const PlatformFrameRect& r, bool toWindow) {
    glPushAttrib(GL_ENABLE_BIT);
    if (!toWindow) glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, toWindow ? BackdropFramebuffer : 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, toWindow ? 0 : BackdropFramebuffer);
    for (int i = 0; i < BackdropAreaCount; i++) {
        const PixelBox& a = BackdropAreas[i];
        const int wx = r.x + a.x1, wy = r.y + a.y1, w = a.x2 - a.x1, h = a.y2 - a.y1;
        if (toWindow)
            glBlitFramebuffer(a.x1, a.y1, a.x2, a.y2, wx, wy, wx + w, wy + h, GL_COLOR_BUFFER_BIT,
                              GL_NEAREST);
        else
            glBlitFramebuffer(wx, wy, wx + w, wy + h, a.x1, a.y1, a.x2, a.y2, GL_COLOR_BUFFER_BIT,
                              GL_NEAREST);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glPopAttrib();
    CountGl(uint32_t(5 + BackdropAreaCount));
}

} // namespace

void ForgetBackdrop() {
    BackdropKept = false;
}

void DropBackdrop() {
    // The framebuffer went with its context; its name may be another's in the new one.
    BackdropKept = false;
    BackdropFramebuffer = BackdropRenderbuffer = 0;
    BackdropWidth = BackdropHeight = 0;
    BlitsAvailable = -1;
}

bool DrawBackdrop() {
    if (!RenderEnabled || !BackdropKept) return false;
    const PlatformFrameRect r = PlatformGetFrameRect();
    if (!SameFrameRect(r, BackdropFrame)) {
        BackdropKept = false;
        return false;
    }
    SettleDrawState();
    BlitAreas(r, true);
    return true;
}

void KeepBackdrop(const FrameArea* areas, int count) {
    if (!RenderEnabled || count > MAX_BACKDROP_AREAS || !BlitsSupported()) return;
    SettleDrawState();
    const PlatformFrameRect r = PlatformGetFrameRect();
    if (BackdropFramebuffer == 0 || r.width != BackdropWidth || r.height != BackdropHeight) {
        if (BackdropFramebuffer == 0) {
            glGenFramebuffers(1, &BackdropFramebuffer);
            glGenRenderbuffers(1, &BackdropRenderbuffer);
        }
        glBindRenderbuffer(GL_RENDERBUFFER, BackdropRenderbuffer);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, r.width, r.height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        glBindFramebuffer(GL_FRAMEBUFFER, BackdropFramebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  BackdropRenderbuffer);
        const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        CountGl(8);
        if (!complete) return;
        BackdropWidth = r.width, BackdropHeight = r.height;
    }
    BackdropAreaCount = 0;
    for (int i = 0; i < count; i++) BackdropAreas[BackdropAreaCount++] = PixelsOfArea(areas[i], r);
    BlitAreas(r, false);
    BackdropFrame = r;
    BackdropKept = true;
}
