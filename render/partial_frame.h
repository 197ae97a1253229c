// partial_frame.h - frames drawn again only where they change. Called by a mode inside its
// frames (the main menu), main thread only.
//
// A frame whose pixels differ from the last frame's only inside a few areas names them
// before it clears. Where the GL keeps the back buffer from one frame to the next (Mesa's
// software rasterisers do; it is checked on the first frames before it is trusted),
// ClearDisplay then clears only the bounding box of these areas and the last frame's, and
// every drawing of the frame is clipped to that box: outside it the back buffer still holds
// the last frame, which is the same there. The mode draws its whole frame as always:
//
//     SetChangingAreas(areas, count); // every frame, before ClearDisplay
//     ClearDisplay();
//     ...the whole frame...
//
// What lies outside the areas must be drawn alike in every frame. A frame that names no
// areas, one drawn with drawing off, a new letterbox or a new GL context draw the whole
// frame again.
#pragma once

#include "render/display.h"

// At most 8 areas; more, or none, draw the whole frame.
void SetChangingAreas(const FrameArea* areas, int count);
