// render_layer.cpp - the render layer's start-up. It sits above the layer's other files (it
// empties the glyph table that text.cpp owns), so that their includes point one way.
#include <cstring>

#include "platform/platform.h"
#include "render/display.h"
#include "render/text.h"

void InitRenderLayer(const char* firstParameter) {
    if (firstParameter && std::strcmp(firstParameter, "info") == 0)
        PlatformShowMessage("MORVEXA render layer: OpenGL 1.x vertex arrays on SDL2", "Info");
    ClearGlyphTable();
}
