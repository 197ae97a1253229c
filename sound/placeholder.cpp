// placeholder.cpp - silent stand-ins until the module player and effect bank land.
#include "sound/sound_effects.h"
#include "sound/xm_player.h"

int32_t PlayModule(const void*, int32_t, int32_t) { return 0; }
void StopModule() {}
int InitSound() { return 0; }
int CatchSound(int, const uint8_t*, size_t) { return 0; }
void SetSoundFrequency(int, int) {}
int PlaySound(int) { return 0; }
void FreeSounds() {}
