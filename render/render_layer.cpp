// render_layer.cpp - the render layer's start-up. It sits above the layer's other files (it
// empties the glyph table that text.cpp owns), so that their includes point one way.
#include <malloc.h>

#include <cstring>

#include "platform/platform.h"
#include "render/display.h"
#include "render/text.h"

namespace {

// Mesa's software rasteriser allocates and frees scratch memory of some hundred kilobytes
// around every draw. With glibc's defaults that memory goes back to the system at each free
// and every draw pays page faults to touch it again: two thirds of the main thread's time in
// a menu frame, more in a virtual machine. Keeping freed memory in the heap (up to 64 MiB,
// and blocks up to 32 MiB from the heap rather than fresh mappings) removes that cost.
void KeepFreedMemory() {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

} // namespace

void InitRenderLayer(const char* firstParameter) {
    KeepFreedMemory();
    if (firstParameter && std::strcmp(firstParameter, "info") == 0)
        PlatformShowMessage("MORVEXA render layer: OpenGL 1.x vertex arrays on SDL2", "Info");
    ClearGlyphTable();
}
