// audio_in.cpp - the capture device: SDL's default input at 44100 Hz mono 16-bit filling the
// front end's single buffer once per hand-back.
//
// The buffer is "queued" while the device may write it. The device's callback copies samples
// into it from the start; when the last sample is in, the buffer is handed back (no longer
// queued) and later input is dropped until the main thread queues it again.
#include "platform/audio_in.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/platform_internal.h"

namespace {

struct CaptureState {
    SDL_AudioDeviceID device = 0; // 0 while no SDL device is open
    bool standIn = false;         // the scripted backend's device, fed by tests
    int16_t* buffer = nullptr;
    int32_t samples = 0;             // buffer length in samples
    std::atomic<int32_t> filled{0};  // samples written since the buffer was queued
    std::atomic<bool> queued{false}; // the device may write the buffer
};
CaptureState Capture;

void StoreSample(int32_t index, int16_t value) {
    std::atomic_ref<int16_t>(Capture.buffer[index]).store(value, std::memory_order_relaxed);
}

// Runs on the device's thread (or in AudioCaptureFeed). Only this side clears `queued`, only
// the main thread sets it, so the fill position needs no lock.
int32_t DeliverSamples(const uint8_t* bytes, int32_t count) {
    if (!Capture.queued.load(std::memory_order_acquire)) return 0;
    const int32_t at = Capture.filled.load(std::memory_order_relaxed);
    const int32_t n = std::min(count, Capture.samples - at);
    for (int32_t i = 0; i < n; i++) {
        int16_t s;
        std::memcpy(&s, bytes + 2 * i, 2); // little-endian 16-bit, as the format asks
        StoreSample(at + i, s);
    }
    if (at + n >= Capture.samples) {
        Capture.filled.store(0, std::memory_order_relaxed);
        Capture.queued.store(false, std::memory_order_release); // handed back
    } else {
        Capture.filled.store(at + n, std::memory_order_relaxed);
    }
    return n;
}

void CaptureCallback(void*, Uint8* stream, int length) {
    DeliverSamples(stream, length / 2);
}

} // namespace

bool AudioCaptureStart(int16_t* buffer, int32_t bytes) {
    if (Capture.device || Capture.standIn) return true;
    if (!buffer || bytes < 2) return false;
    Capture.buffer = buffer;
    Capture.samples = bytes / 2;
    Capture.filled = 0;
    if (Platform.backend == PLATFORM_SCRIPTED) {
        Capture.standIn = true;
        Capture.queued = true;
        return true;
    }
    // Its own subsystem reference: a machine without audio must not stop the video.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = AUDIO_CAPTURE_RATE;
    want.format = AUDIO_S16LSB;
    want.channels = 1;
    want.samples = 256;
    want.callback = CaptureCallback;
    SDL_AudioSpec have{};
    Capture.queued = true;
    Capture.device = SDL_OpenAudioDevice(nullptr, 1, &want, &have, 0);
    if (!Capture.device) {
        Capture.queued = false;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(Capture.device, 0);
    return true;
}

bool AudioCaptureRequeue() {
    if (!Capture.device && !Capture.standIn) return false;
    if (Capture.queued.load(std::memory_order_acquire)) return false; // still being filled
    Capture.filled.store(0, std::memory_order_relaxed);
    Capture.queued.store(true, std::memory_order_release);
    return true;
}

bool AudioCaptureQueued() {
    return (Capture.device || Capture.standIn) && Capture.queued.load(std::memory_order_acquire);
}

int32_t AudioCaptureFeed(const int16_t* samples, int32_t count) {
    if (!Capture.standIn || !samples || count <= 0) return 0;
    return DeliverSamples(reinterpret_cast<const uint8_t*>(samples), count);
}

int16_t AudioCaptureReadSample(const int16_t* buffer, int32_t index) {
    // The device writes with atomic stores; read the same way so the two never race.
    return std::atomic_ref<int16_t>(const_cast<int16_t&>(buffer[index]))
        .load(std::memory_order_relaxed);
}

void AudioCaptureStop() {
    if (Capture.device) {
        SDL_CloseAudioDevice(Capture.device); // waits for a running callback
        Capture.device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    Capture.standIn = false;
    Capture.queued = false;
    Capture.filled = 0;
}
