// frame.cpp - the shared frame pacing of every mode's loop.
#include "core/frame.h"

#include "core/globals.h"
#include "platform/platform.h"
#include "render/display.h"

// Kept from the original: the tick is held as a 32-bit float, exact for the first 4.6
// hours after the platform starts its clock (SDL counts from the game's own start).
bool FrameDue() {
    return float(GetTickCount()) - LastFrameTick > FramePeriod;
}

void FinishFrame() {
    LastFrameTick = float(GetTickCount());
    FlipDisplay();
}

void EndPass() {
    PollWindowEvent();
    Sleep(1);
}
