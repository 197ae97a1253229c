// mode_loop.h - start-up, the mode loop and shutdown of the program.
//
// RunGame is the whole program: both the game's entry point (SDL backend) and the scripted
// driver call it. It returns the process exit code.
#pragma once

#include <cstdint>

#include "platform/platform.h"

int RunGame(PlatformBackend backend, int argc, char** argv);

// Called by the mode loop with the final score whenever a game ends (morvexa-script prints
// it); nullptr for none.
using GameEndHook = void (*)(int32_t score);
void SetGameEndHook(GameEndHook hook);

// The mode loop alone: calls the procedure of GameMode until MODE_QUIT, then CloseDisplay.
void RunModeLoop();

// Ends every runtime service: music thread, window, sounds, audio capture. Safe to call more
// than once.
void ShutDown();
