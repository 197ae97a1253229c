// audio_input.cpp - the capture buffer and its queue-and-hand-back cycle.
#include "frontend/audio_input.h"

#include "platform/audio_in.h"

AudioInputState AudioInput;

namespace {

// Allocated once and never freed: the device may write it until the process ends.
int16_t* CaptureBuffer = nullptr;

} // namespace

void StartAudioInput() {
    if (!CaptureBuffer) CaptureBuffer = new int16_t[AUDIO_INPUT_SAMPLES](); // zero-filled
    // Does nothing while the device is open; after a shutdown it opens it again.
    AudioCaptureStart(CaptureBuffer, AUDIO_INPUT_BYTES); // no device: the zeros stay
    AudioInput.levelScale = 51.2f;
    AudioInput.levelCeiling = 154;
}

void RequeueAudioInput() {
    AudioCaptureRequeue(); // refused while the buffer is still being filled: harmless
    AudioInput.samples = CaptureBuffer;
}

int16_t AudioInputSample(int32_t index) {
    if (!AudioInput.samples || index < 0 || index >= AUDIO_INPUT_SAMPLES) return 0;
    return AudioCaptureReadSample(AudioInput.samples, index);
}
