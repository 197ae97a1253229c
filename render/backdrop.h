// backdrop.h - a still backdrop drawn once and then copied back each frame, so that large
// blended sprites that never move cost their fill once, not every frame; the pixels are the
// same. One backdrop at a time; the mode that uses it calls ForgetBackdrop when it starts.
// Called inside a frame, right after ClearDisplay, main thread only:
//
//     ClearDisplay();
//     Begin2D(800, 600);
//     if (!DrawBackdrop()) {
//         ...draw the still sprites...
//         KeepBackdrop(areas, count);
//     }
#pragma once

#include "render/display.h"

// Drops the kept copy: the next DrawBackdrop answers false.
void ForgetBackdrop();

// Draws the kept copy over the frame (as far as the frame is drawn: see partial_frame.h) and
// answers true; answers false (drawing nothing) when there is none, or the letterbox or the
// GL context changed since it was kept.
bool DrawBackdrop();

// Copies the frame drawn so far as the backdrop. Only the areas given (at most 16: the parts
// of the frame the still sprites cover) are put back by DrawBackdrop: outside them the frame
// must hold the cleared colour alone. Nothing is kept when the GL cannot copy between
// framebuffers (below OpenGL 3.0 without ARB_framebuffer_object): DrawBackdrop then keeps
// answering false.
void KeepBackdrop(const FrameArea* areas, int count);
