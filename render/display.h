// display.h - the display, the projections each frame starts with, and the global GL switches.
//
// All calls are made from the main thread, which owns the OpenGL context. The game keeps an
// 800 x 600 coordinate system whatever the window size: the frame is drawn into a letterbox
// rectangle of the drawable that the platform reports, and every viewport below is placed
// inside that rectangle.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------- display globals
extern int32_t
    DisplayWidth; // pixels used by the projections (set by OpenDisplay, Begin2D, Begin3D)
extern int32_t DisplayHeight;

// Counts of GL calls issued since the last reset, for the benchmarks' "GL calls per frame"
// figure, and of primitives asked for (sprites, glyphs, quads, lines, points, boxes), which
// says how much a frame showed however the calls were batched.
extern uint32_t RenderCallCount;
extern uint32_t RenderPrimitiveCount;

// When false, every drawing operation returns without touching GL (benchmarks and long soak
// runs measure game logic alone). Texture makers still return fresh non-zero handles.
extern bool RenderEnabled;

// A part of the 800 x 600 frame in the game's coordinates (origin top left).
struct FrameArea {
    int x, y, width, height;
};

// ---------------------------------------------------------------- operations
// Reads the first command-line parameter: exactly "info" shows the banner box. Creates the
// glyph table. Called just before OpenDisplay.
void InitRenderLayer(const char* firstParameter);

// Asks "Fullscreen?" (title as caption), opens the window and the GL context, enables the
// depth test, sets the 2D viewport, clears and presents once. Returns false when no window
// could be opened (the caller then ends the program).
bool OpenDisplay(int width, int height, int depth, const char* title);
void CloseDisplay();

void SetClearColor(float red, float green, float blue, float alpha);
void ClearDisplay(); // colour and depth; the letterbox bars are cleared to black
void FlipDisplay();  // glFlush, then present
// Waits until the GL has drawn everything asked of it so far (glFinish); the benchmarks call
// it so that a frame's wall time includes the rasteriser's work.
void FinishDrawing();

void Begin2D(int width, int height);
void Begin2DViewport();
void Begin3D(float width, float height, float farPlane, float fieldOfView);

void AlphaBlendOn();
void AlphaBlendOff();
void CullingOn();
void CullingOff();
void SetCullFront();
void WireframeMode();
void SolidMode();
