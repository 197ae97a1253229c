// display.cpp - opening and closing the display, clearing and presenting frames, the
// projections and the global GL switches.
//
// The frame is always 800 x 600 in the game's coordinates; on a larger window or a full
// screen it is scaled into a centred letterbox rectangle and the rest is cleared to black.
// The scissor test keeps every drawing inside that rectangle.
#include <GL/glu.h>

#include <cmath>

#include "platform/platform.h"
#include "render/render_internal.h"
#include "support/maths.h"

int32_t DisplayWidth = 0;
int32_t DisplayHeight = 0;
uint32_t RenderCallCount = 0;
uint32_t RenderPrimitiveCount = 0;
bool RenderEnabled = true;

namespace {

float ClearRed = 0, ClearGreen = 0, ClearBlue = 0, ClearAlpha = 0;

// The game's last viewport in frame pixels, and the letterbox it was placed into: when the
// window is resized, maximised or switched to full screen, the next ClearDisplay places the
// same viewport into the new letterbox (the play mode never sets a viewport of its own).
int ViewX = 0, ViewY = 0, ViewWidth = 800, ViewHeight = 600;
PlatformFrameRect ViewFrame = {0, 0, 0, 0, 0.0f};

} // namespace

bool SameFrameRect(const PlatformFrameRect& a, const PlatformFrameRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

PixelBox PixelsOfArea(const FrameArea& area, const PlatformFrameRect& frame) {
    const auto clampTo = [](float v, int most) {
        return v < 0 ? 0 : v > float(most) ? most : int(v);
    };
    const float left = float(area.x) * frame.scale;
    const float right = float(area.x + area.width) * frame.scale;
    const float top = float(area.y) * frame.scale;
    const float bottom = float(area.y + area.height) * frame.scale;
    PixelBox p;
    p.x1 = clampTo(std::floor(left) - 1, frame.width);
    p.x2 = clampTo(std::ceil(right) + 1, frame.width);
    p.y1 = clampTo(std::floor(float(frame.height) - bottom) - 1, frame.height);
    p.y2 = clampTo(std::ceil(float(frame.height) - top) + 1, frame.height);
    return p;
}

void SetFrameViewport(int x, int y, int width, int height) {
    const PlatformFrameRect r = PlatformGetFrameRect();
    ViewX = x, ViewY = y, ViewWidth = width, ViewHeight = height, ViewFrame = r;
    glViewport(r.x + RoundToInt(float(x) * r.scale), r.y + RoundToInt(float(y) * r.scale),
               RoundToInt(float(width) * r.scale), RoundToInt(float(height) * r.scale));
}

float FrameScale() {
    return PlatformGetFrameRect().scale;
}

bool OpenDisplay(int width, int height, int depth, const char* title) {
    (void)depth; // the desktop's own depth; the game asks for 32 bits and gets true colour
    DisplayWidth = width;
    DisplayHeight = height;
    // The command line may have answered already (--fullscreen, --windowed).
    const int preset = PlatformFullscreenPreset();
    const bool fullscreen = preset >= 0 ? preset == 1 : PlatformAskYesNo("Fullscreen?", title);
    if (!PlatformOpenWindow(width, height, title, fullscreen)) return false;
    ResetDrawQueue(); // a new context starts from GL's initial state
    if (!RenderEnabled) return true;
    Drawn.depthTest = true;
    SettleDrawState();
    Begin2DViewport();
    ClearDisplay();
    FlipDisplay();
    return true;
}

void CloseDisplay() {
    ResetDrawQueue(); // whatever was queued goes with the context
    PlatformCloseWindow();
}

void SetClearColor(float red, float green, float blue, float alpha) {
    ClearRed = red, ClearGreen = green, ClearBlue = blue, ClearAlpha = alpha;
}

void ClearDisplay() {
    if (!RenderEnabled) return;
    CheckDrawContext();
    int dw = 0, dh = 0;
    PlatformGetDrawableSize(&dw, &dh);
    const PlatformFrameRect r = PlatformGetFrameRect();
    SettleDrawState();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (!SameFrameRect(r, ViewFrame)) SetFrameViewport(ViewX, ViewY, ViewWidth, ViewHeight);
    // A frame drawn again only where it changes leaves the rest, the bars included, as they
    // were; the scissor box keeps the whole frame's drawing inside that part.
    PixelBox part;
    const bool partial = PartialFrameBox(r, &part);
    if (!partial && (r.x > 0 || r.y > 0 || r.width < dw || r.height < dh)) {
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glEnable(GL_SCISSOR_TEST);
    if (partial)
        glScissor(r.x + part.x1, r.y + part.y1, part.x2 - part.x1, part.y2 - part.y1);
    else
        glScissor(r.x, r.y, r.width, r.height);
    glClearColor(ClearRed, ClearGreen, ClearBlue, ClearAlpha);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    NoteDepthCleared();
    // Destination alpha stays at the cleared 1.0, so the (destination-alpha, zero) blend
    // that AlphaBlendOff leaves behind writes colours unchanged, whatever the visual.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    CountGl(8);
}

void FlipDisplay() {
    if (RenderEnabled) SettleDrawState(), glFlush();
    NotePartialFrameBeforeSwap();
    PlatformSwapBuffers();
    NoteFramePresented();
    NotePartialFrameAfterSwap();
}

void Begin2D(int width, int height) {
    DisplayWidth = width;
    DisplayHeight = height;
    if (!RenderEnabled) return;
    SettleDrawState();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -2048, 2048);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    CountGl(5);
    Drawn.depthTest = false;
    SettleDrawState();
    NoteOrthoProjection(0, float(width), float(height), 0, -2048, 2048);
    NoteModelviewIdentity();
}

void Begin2DViewport() {
    if (!RenderEnabled) return;
    SettleDrawState();
    SetFrameViewport(0, 0, DisplayWidth, DisplayHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, DisplayWidth, DisplayHeight, 0, 0, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    CountGl(6);
    NoteOrthoProjection(0, float(DisplayWidth), float(DisplayHeight), 0, 0, 100);
    NoteModelviewIdentity();
}

void Begin3D(float width, float height, float farPlane, float fieldOfView) {
    DisplayWidth = RoundToInt(width);
    DisplayHeight = RoundToInt(height);
    if (!RenderEnabled) return;
    SettleDrawState();
    HandDepthToGame();
    SetFrameViewport(0, 0, DisplayWidth, DisplayHeight);
    NoteOtherProjection();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, double(float(DisplayWidth) / float(DisplayHeight)), 0.1, farPlane);
    glMatrixMode(GL_MODELVIEW);
    CountGl(5);
    Drawn.depthTest = true;
    SettleDrawState();
}

// Blending, the alpha test (GL_GREATER 0.1) and culling are kept in the record of drawing
// state: queued primitives carry them, and GL follows when something is drawn.
void AlphaBlendOn() {
    if (!RenderEnabled) return;
    Drawn.alphaTest = true;
    Drawn.blend = BLEND_ALPHA;
}

void AlphaBlendOff() {
    if (!RenderEnabled) return;
    Drawn.alphaTest = false;
    Drawn.blend = BLEND_DESTINATION_ALPHA; // blending itself stays on
}

void CullingOn() {
    if (RenderEnabled) Drawn.cull = true;
}
void CullingOff() {
    if (RenderEnabled) Drawn.cull = false;
}
// The face culled and the polygon mode change how queued quads draw: the queue is drawn first.
void SetCullFront() {
    if (RenderEnabled) SettleDrawState(), glCullFace(GL_FRONT), CountGl(1);
}
void WireframeMode() {
    if (RenderEnabled) SettleDrawState(), glPolygonMode(GL_FRONT_AND_BACK, GL_LINE), CountGl(1);
}
void SolidMode() {
    if (RenderEnabled) SettleDrawState(), glPolygonMode(GL_FRONT_AND_BACK, GL_FILL), CountGl(1);
}
