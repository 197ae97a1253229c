// globals.cpp - storage of the program-wide state declared in globals.h.
#include "core/globals.h"

int32_t GameMode = 0;
int32_t PlayEntry = 0;
float LastFrameTick = 0;
float FrameRate = 0;
float FramePeriod = 0;
float CameraX = 0;
float CameraY = 0;
const char* const GameTitle = ".:MORVEXA:. .:QEM^TIRX:. .:oldsChOOL game:.";
