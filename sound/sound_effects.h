// sound_effects.h - the sound-effect bank: WAV effects in numbered slots, played on demand.
//
// Each slot plays one voice, resampled from its own rate by the audio output; triggering a
// slot again restarts it, and different slots sound together. Without an audio output every
// call does nothing. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int SOUND_MAX_SLOTS = 256; // slot numbers 0..255

int InitSound();                                           // non-zero when an output opened
int CatchSound(int slot, const uint8_t* wav, size_t size); // non-zero on success
void SetSoundFrequency(int slot, int frequency);
int PlaySound(int slot); // non-zero when playing started
void FreeSounds();       // shutdown

// The rate a slot's sound plays at (0 when the slot is empty); for tests and tools.
int SoundFrequency(int slot);
