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

// Drops the kept copy: the next DrawBackdrop answers false.
void ForgetBackdrop();

// Draws the kept copy over the whole frame rectangle and answers true; answers false (drawing
// nothing) when there is none, or the letterbox or the GL context changed since it was kept.
bool DrawBackdrop();

// A part of the frame that the still sprites cover, in the game's coordinates (origin top left).
struct BackdropArea {
    int x, y, width, height;
};

// Copies the frame drawn so far as the backdrop. Only the areas given (at most 16) are put
// back by DrawBackdrop: outside them the frame must hold the cleared colour alone. Nothing is
// kept when the GL cannot copy between framebuffers (below OpenGL 3.0 without
// ARB_framebuffer_object): DrawBackdrop then keeps answering false.
void KeepBackdrop(const BackdropArea* areas, int count);
