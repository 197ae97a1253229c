// audio_input.h - the audio input that drives the menu's equalizer.
//
// One 512-byte capture buffer (256 mono 16-bit samples at 44100 Hz) is queued on the default
// capture device; the menu hands it back once per drawn frame and the equalizer reads four
// samples from it. Without a capture device the buffer keeps its zeros.
#pragma once

#include <cstdint>

struct AudioInputState {
    const int16_t* samples; // the capture buffer, set by RequeueAudioInput
    float levelScale;       // 51.2
    int32_t levelCeiling;   // 154
    int32_t peak[4];        // held column levels
};
extern AudioInputState AudioInput;

void StartAudioInput();   // once at start-up
void RequeueAudioInput(); // the menu, at the start of every drawn frame
