// sound_effects.h - the sound-effect bank: WAV effects in numbered slots, played on demand.
//
// Each slot plays one voice, resampled from its own rate by the audio output; triggering a
// slot again restarts it, and different slots sound together. Without an audio output every
// call does nothing. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int SOUND_MAX_SLOTS = 256; // slot numbers 0..255

int InitSound();                                           // non-zero when an output opened
int CatchSound(int slot, const uint8_t* wav, size_t size); // non-zero on success
void SetSoundFrequency(int slot, int frequency);
int PlaySound(int slot); // non-zero when playing started
// The slots PlaySound was asked for since the last call, oldest first, whether or not they
// sounded (a machine without audio still shows them); at most SOUND_LOG_SIZE are kept.
constexpr int SOUND_LOG_SIZE = 256;
std::vector<int> TakeSoundLog();
void FreeSounds(); // shutdown
// The level of all effects in the music's 26 steps of 2 dB: 25 (as recorded, the start-up
// level) down to 0 (all but silent); values outside are held to 0 and 25.
constexpr int EFFECTS_VOLUME_STEPS = 26;
void SetEffectsVolume(int32_t step);

// The rate a slot's sound plays at (0 when the slot is empty); for tests and tools.
int SoundFrequency(int slot);
