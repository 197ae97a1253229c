// main.cpp - the game's entry point: the real program on the SDL backend.
#include "app/mode_loop.h"

int main(int argc, char** argv) { return RunGame(PLATFORM_SDL, argc, argv); }
