// render_internal.h - helpers shared by the render layer's own files.
#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "render/display.h"

// Places a viewport given in the game's frame coordinates (origin bottom left) inside the
// letterbox rectangle of the drawable.
void SetFrameViewport(int x, int y, int width, int height);

// Frame pixels to drawable pixels, for line widths and point sizes on a scaled frame.
float FrameScale();

// Adds to the count of GL calls of the current frame.
inline void CountGl(uint32_t calls) { RenderCallCount += calls; }
