// audio_in.h - the capture device behind the menu's equalizer: one buffer, queued and handed
// back.
//
// The front end owns a single capture buffer. AudioCaptureStart hands it to the device and
// starts recording: the device fills it once (256 samples of 44100 Hz mono 16-bit) and hands
// it back; from then on the buffer keeps that block until AudioCaptureRequeue queues it
// again. A requeue while the buffer is still queued is refused and changes nothing. Sound
// that arrives while the buffer is handed back is not recorded.
//
// Backends: the SDL backend opens SDL's default capture device on an audio subsystem of its
// own (a failure leaves no device: the buffer keeps its zeros and every call does nothing).
// The scripted backend opens no device; a test may stand in for one with AudioCaptureFeed,
// which delivers samples exactly as the SDL driver's callback does.
//
// Threads: Start, Requeue and Stop run on the main thread; the device writes the buffer on
// SDL's audio thread. Each sample is stored with a relaxed atomic 16-bit store, so a reader
// using AudioCaptureReadSample sees either the old or the new value of a sample, never a
// torn one; a block may be partly new.
#pragma once

#include <cstdint>

constexpr int AUDIO_CAPTURE_RATE = 44100;

// Opens the device (SDL backend) or a stand-in that only AudioCaptureFeed fills (scripted
// backend), queues the buffer and starts recording. The buffer must outlive the device.
// Returns true when a device (or stand-in) is open. Calling it again while open does nothing.
bool AudioCaptureStart(int16_t* buffer, int32_t bytes);

// Queues the buffer again once the device has handed it back. Returns true when it was
// queued; false while it is still being filled or when no device is open.
bool AudioCaptureRequeue();

// True while the buffer is queued on the device (being filled).
bool AudioCaptureQueued();

// Stands in for the driver: delivers count samples as a capture callback would. Only the
// stand-in device of the scripted backend takes them; returns how many went into the buffer.
int32_t AudioCaptureFeed(const int16_t* samples, int32_t count);

// One sample of the buffer, read without a lock (old or new value, never torn).
int16_t AudioCaptureReadSample(const int16_t* buffer, int32_t index);

// Closes the device and waits for its callback to end; the buffer stays as it is. For the end
// of the program and for tests.
void AudioCaptureStop();
