// menu_mode.cpp - placeholder menu until the front end lands: space starts a game,
// Escape quits.
#include "frontend/menu_mode.h"

#include "app/frame.h"
#include "app/globals.h"
#include "platform/platform.h"
#include "render/display.h"

void MenuMode() {
    int leave = 0;
    while (!leave) {
        if (FrameDue()) {
            if (GetAsyncKeyState(VK_SPACE)) GameMode = MODE_PLAY, PlayEntry = PLAY_NEW_GAME, leave = 1;
            if (GetAsyncKeyState(VK_ESCAPE)) GameMode = MODE_QUIT, leave = 1;
            ClearDisplay();
            Begin2D(800, 600);
            FinishFrame();
        }
        EndPass();
    }
}
