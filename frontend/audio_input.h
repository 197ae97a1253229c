// audio_input.h - the audio input that drives the menu's equalizer.
//
// One 512-byte capture buffer (256 mono 16-bit samples at 44100 Hz) is queued on the default
// capture device at start-up; the device fills it once and hands it back, and the menu queues
// it again at the start of every drawn frame. The equalizer reads four samples of the latest
// block without a lock. Without a capture device the buffer keeps its zeros and the columns
// stay flat; nothing is reported.
//
// Main thread: StartAudioInput (start-up), RequeueAudioInput (menu), AudioInputSample
// (equalizer). The device writes the buffer on the audio driver's thread.
#pragma once

#include <cstdint>

constexpr int32_t AUDIO_INPUT_BYTES = 512;
constexpr int32_t AUDIO_INPUT_SAMPLES = AUDIO_INPUT_BYTES / 2;

struct AudioInputState {
    const int16_t* samples; // the capture buffer; set by RequeueAudioInput, null before
    float levelScale;       // 51.2: factor applied to sample / 456
    int32_t levelCeiling;   // 154: a level above it becomes 153
    int32_t peak[4];        // held level of each equalizer column
};
extern AudioInputState AudioInput; // all zero until StartAudioInput

// Opens the default capture device for 44100 Hz mono 16-bit, allocates the zero-filled
// buffer and queues it. Called by start-up; while the device is open, later calls do nothing
// (after the shutdown has stopped it, as when a test runs a second game, they open it again
// on the same buffer).
void StartAudioInput();

// Queues the buffer again if the device has handed it back (refused while it is still being
// filled), then points AudioInput.samples at it. Called by the menu once per drawn frame.
void RequeueAudioInput();

// Sample number index (0 to 255) of the capture buffer as the device last left it; 0 while
// there is no buffer.
int16_t AudioInputSample(int32_t index);
