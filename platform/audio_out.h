// audio_out.h - the game's one audio output: the music ring and the sound-effect voices.
//
// One SDL playback device at 48 kHz, 16-bit stereo. Its callback (on SDL's audio thread)
// copies the music player's looping ring at a play position it keeps, in bytes, and mixes
// the effect voices on top with saturation: one voice per sound slot, each resampled from
// its own rate, 8-bit unsigned or 16-bit signed mono. Without a device every call is
// harmless and silent. On the scripted backend there is no device: the play position
// follows the virtual clock and tests pull the mixed output into memory (AudioOutPull).
//
// Threads: open, close, voices and the ring's start and stop come from the main thread;
// AudioOutRingPosition and AudioOutRingWritten come from the music player's mixing thread.
#pragma once

#include <cstdint>

constexpr int AUDIO_OUT_RATE = 48000;
constexpr int AUDIO_OUT_VOICES = 256; // sound slots that can play

// Opens the device (once; later calls only report). True when there is an output.
bool AudioOutOpen();
void AudioOutClose();
bool AudioOutIsOpen();

// ---------------------------------------------------------------- the music ring
// Starts playing the ring (bytes long, a multiple of 4) from its beginning, looping for ever.
// The ring stays the caller's; it must live until AudioOutStopRing. False without an output.
bool AudioOutStartRing(const int16_t* ring, uint32_t bytes);
void AudioOutStopRing();
// Bytes of the ring played since it started (wraps at 2^32; a multiple of 4). Any thread.
uint32_t AudioOutRingPosition();
// Called by the writer after it has written a block, so that the reader sees the new data.
void AudioOutRingWritten();

// ---------------------------------------------------------------- effect voices
// Plays mono PCM once from its start in the voice of a slot, cutting off what it played.
// The data stays the caller's and must live until the voice is stopped or replaced.
void AudioOutPlayVoice(int slot, const void* pcm, uint32_t frames, int bits, uint32_t rate);
void AudioOutSetVoiceRate(int slot, uint32_t rate); // a playing voice changes at once
// The level of every effect voice, in 1/32768 (AUDIO_OUT_UNITY_GAIN leaves them untouched).
constexpr int32_t AUDIO_OUT_UNITY_GAIN = 32768;
void AudioOutSetEffectsGain(int32_t gain);
void AudioOutStopVoice(int slot);
bool AudioOutVoicePlaying(int slot);

// ---------------------------------------------------------------- scripted backend
// Mixes frames of output (interleaved stereo) as the device would hear them now: the ring at
// the current play position plus the effect voices, which advance by those frames.
void AudioOutPull(int16_t* out, int frames);
