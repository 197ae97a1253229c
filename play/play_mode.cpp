// play_mode.cpp - placeholder until the play mode lands: Escape ends the game.
#include "play/play_mode.h"

#include "app/frame.h"
#include "app/globals.h"
#include "platform/platform.h"
#include "render/display.h"

void PlayMode() {
    int leave = 0;
    while (!leave) {
        if (FrameDue()) {
            if (GetAsyncKeyState(VK_ESCAPE)) GameMode = MODE_HIGHSCORES, leave = 1;
            ClearDisplay();
            Begin2D(800, 600);
            FinishFrame();
        }
        EndPass();
    }
}
