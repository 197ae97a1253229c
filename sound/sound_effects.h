// sound_effects.h - the sound-effect bank: WAV effects in numbered slots, played on demand.
//
// Each slot plays one voice, resampled from its own rate by the audio output; triggering a
// slot again restarts it. Without an audio device every call does nothing. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

int InitSound();                                            // non-zero when an output opened
int CatchSound(int slot, const uint8_t* wav, size_t size);  // non-zero on success
void SetSoundFrequency(int slot, int frequency);
int PlaySound(int slot);                                    // non-zero when playing started
void FreeSounds();                                          // shutdown
