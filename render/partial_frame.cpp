// partial_frame.cpp - frames drawn again only where they change (see partial_frame.h).
// Called by a mode (SetChangingAreas) and by ClearDisplay and FlipDisplay, main thread only.
//
// Software GL pays for every cleared and drawn pixel, and a frame of the main menu changes
// in a band across its middle only (the highlight bar, the equalizer, the credits). Drawing
// just that band needs the last frame still in the back buffer, which OpenGL does not
// promise: the GL is asked by reading the box the frame changes back before presenting it
// and again after. When both reads give the same pixels on two frames in a row, and the box
// changed from the frame before each time (a back buffer holding an older frame would then
// differ), the back buffer is kept, and that is trusted for the rest of the GL context. A
// single difference, or no answer within eight frames (a box that never changes), and it is
// taken not to be kept: every frame is drawn whole, as before. A GPU draws a whole menu frame
// in no time and may hand out back buffers in turns, so this is tried on software
// rasterisers only.
#include "render/partial_frame.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "render/render_internal.h"

namespace {

constexpr int MAX_CHANGING_AREAS = 8;
constexpr int CHECKS_NEEDED = 2;  // frames found kept before it is trusted
constexpr int CHECKS_AT_MOST = 8; // frames read back before giving up on an unchanging box

enum BackBufferKept : uint8_t { KEPT_UNKNOWN, KEPT_YES, KEPT_NO };

struct PartialFrameState {
    BackBufferKept kept = KEPT_UNKNOWN; // in this GL context
    int checksPassed = 0;
    int checksMade = 0;
    bool named = false; // this frame named its changing areas
    PixelBox box{};     // their bounding box
    // The frame on screen: whether it named its areas (and was drawn), their box, the
    // letterbox it was drawn in.
    bool shownNamed = false;
    PixelBox shownBox{};
    PlatformFrameRect shownFrame{};
    // The check: the box read back before presenting this frame, whether it changed from
    // the read of the frame before (so that it counts), and that read.
    std::vector<uint8_t> read, lastRead;
    PixelBox lastReadBox{};
    bool haveLastRead = false;
    bool readCounts = false;
};
PartialFrameState Partial;

PixelBox Union(const PixelBox& a, const PixelBox& b) {
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

bool SameBox(const PixelBox& a, const PixelBox& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

// The box's pixels in the back buffer.
std::vector<uint8_t> ReadBox(const PlatformFrameRect& frame, const PixelBox& box) {
    const int w = std::max(0, box.x2 - box.x1), h = std::max(0, box.y2 - box.y1);
    std::vector<uint8_t> pixels(size_t(w) * size_t(h) * 4);
    if (w > 0 && h > 0)
        glReadPixels(frame.x + box.x1, frame.y + box.y1, w, h, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
    CountGl(1);
    return pixels;
}

// Mesa's llvmpipe and softpipe, the classic swrast, and other software renderers by name.
bool SoftwareRasteriser() {
    const char* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    CountGl(1);
    if (!name) return false;
    for (const char* word : {"llvmpipe", "softpipe", "Software Rasterizer", "software"})
        if (std::strstr(name, word)) return true;
    return false;
}

bool Checking() {
    if (!RenderEnabled || !Partial.named || Partial.kept != KEPT_UNKNOWN) return false;
    if (!SoftwareRasteriser()) Partial.kept = KEPT_NO;
    return Partial.kept == KEPT_UNKNOWN;
}

} // namespace

void SetChangingAreas(const FrameArea* areas, int count) {
    Partial.named = false;
    if (!RenderEnabled || count <= 0 || count > MAX_CHANGING_AREAS) return;
    const PlatformFrameRect frame = PlatformGetFrameRect();
    Partial.box = PixelsOfArea(areas[0], frame);
    for (int i = 1; i < count; i++) Partial.box = Union(Partial.box, PixelsOfArea(areas[i], frame));
    Partial.named = true;
}

bool PartialFrameBox(const PlatformFrameRect& frame, PixelBox* box) {
    if (!Partial.named || !Partial.shownNamed || Partial.kept != KEPT_YES ||
        !SameFrameRect(frame, Partial.shownFrame))
        return false;
    *box = Union(Partial.box, Partial.shownBox);
    return true;
}

void NotePartialFrameBeforeSwap() {
    if (!Checking()) return;
    Partial.read = ReadBox(PlatformGetFrameRect(), Partial.box);
    // Only a box that changed since the frame before tells a kept buffer from one holding an
    // older frame.
    Partial.readCounts = Partial.haveLastRead && SameBox(Partial.lastReadBox, Partial.box) &&
                         Partial.read != Partial.lastRead;
}

void NotePartialFrameAfterSwap() {
    const PlatformFrameRect frame = PlatformGetFrameRect();
    const bool checking = Checking();
    if (checking) {
        if (ReadBox(frame, Partial.box) != Partial.read)
            Partial.kept = KEPT_NO;
        else if (Partial.readCounts && ++Partial.checksPassed >= CHECKS_NEEDED)
            Partial.kept = KEPT_YES;
        else if (++Partial.checksMade >= CHECKS_AT_MOST)
            Partial.kept = KEPT_NO; // reading back every frame would cost more than it saves
        Partial.lastRead.swap(Partial.read);
        Partial.lastReadBox = Partial.box;
    }
    Partial.haveLastRead = checking;
    Partial.shownNamed = RenderEnabled && Partial.named;
    Partial.shownBox = Partial.box;
    Partial.shownFrame = frame;
    Partial.named = false;
}

void DropPartialFrame() {
    Partial = PartialFrameState{};
}
