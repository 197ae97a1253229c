// audio_out.cpp - the SDL playback device (or its scripted stand-in), the music ring reader
// and the effect-voice mixer.
//
// Sections: 1. state  2. effect voices  3. mixing one buffer  4. device  5. ring  6. pull
#include "platform/audio_out.h"

#include <SDL.h>

#include <atomic>
#include <cstring>
#include <mutex>

#include "platform/platform.h"

// ================================================================ 1. state
struct EffectVoice {
    const uint8_t* pcm;
    uint32_t frames;
    int bits;          // 8 (unsigned) or 16 (signed)
    uint64_t position; // 32.32 frames
    uint64_t step;     // 32.32 per output frame
    bool playing;
};

struct AudioOutState {
    bool open = false;
    SDL_AudioDeviceID device = 0;
    bool scripted = false;
    std::mutex lock; // voices and ring pointer; held by the callback while it mixes
    EffectVoice voices[AUDIO_OUT_VOICES] = {};
    const int16_t* ring = nullptr;
    uint32_t ringBytes = 0;
    std::atomic<uint32_t> ringPosition{0}; // bytes played since the ring started
    std::atomic<uint32_t> ringWrites{0};
    uint32_t ringStartTick = 0; // scripted: the virtual clock at the ring's start
    std::atomic<int32_t> effectsGain{AUDIO_OUT_UNITY_GAIN};
};
static AudioOutState Out;

// ================================================================ 2. effect voices
static uint64_t StepForRate(uint32_t rate) {
    if (rate < 100) rate = 100; // the range a mixing output accepts
    if (rate > 200000) rate = 200000;
    return (uint64_t(rate) << 32) / AUDIO_OUT_RATE;
}

static inline int32_t VoiceSample(const EffectVoice& v, uint32_t i) {
    if (v.bits == 8) return (int32_t(v.pcm[i]) - 128) * 256;
    return int16_t(uint16_t(v.pcm[2 * i] | v.pcm[2 * i + 1] << 8));
}

// Adds a voice to a mono mix, linearly interpolated; stops it at its end.
static void MixEffectVoice(EffectVoice& v, int32_t* mono, int frames) {
    for (int i = 0; i < frames; i++) {
        const uint32_t at = uint32_t(v.position >> 32);
        if (at >= v.frames) {
            v.playing = false;
            return;
        }
        const int32_t a = VoiceSample(v, at);
        const int32_t b = at + 1 < v.frames ? VoiceSample(v, at + 1) : a;
        const int32_t frac = int32_t(uint32_t(v.position) >> 17);
        mono[i] += a + (((b - a) * frac) >> 15);
        v.position += v.step;
    }
}

// ================================================================ 3. mixing one buffer
static inline int16_t Saturate(int32_t v) {
    return int16_t(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
}

// Fills out (frames x 2) from the ring at a byte position and the voices. Lock held.
static void MixOutput(int16_t* out, int frames, uint32_t ringPosition) {
    if (Out.ring && Out.ringBytes) {
        (void)Out.ringWrites.load(std::memory_order_acquire); // see the writer's blocks
        const uint32_t ringFrames = Out.ringBytes / 4;
        uint32_t f = (ringPosition / 4) % ringFrames;
        for (int i = 0; i < frames; i++) {
            out[2 * i] = Out.ring[2 * f];
            out[2 * i + 1] = Out.ring[2 * f + 1];
            if (++f == ringFrames) f = 0;
        }
    } else {
        std::memset(out, 0, size_t(frames) * 4);
    }
    static int32_t mono[4096];
    int done = 0;
    while (done < frames) {
        const int n = frames - done < 4096 ? frames - done : 4096;
        bool any = false;
        for (EffectVoice& v : Out.voices) {
            if (!v.playing) continue;
            if (!any) std::memset(mono, 0, sizeof(int32_t) * size_t(n));
            any = true;
            MixEffectVoice(v, mono, n);
        }
        const int32_t gain = Out.effectsGain.load(std::memory_order_relaxed);
        if (any && gain != AUDIO_OUT_UNITY_GAIN)
            for (int i = 0; i < n; i++) mono[i] = int32_t((int64_t(mono[i]) * gain) >> 15);
        if (any)
            for (int i = 0; i < n; i++) {
                int16_t* o = out + 2 * (done + i);
                o[0] = Saturate(o[0] + mono[i]);
                o[1] = Saturate(o[1] + mono[i]);
            }
        done += n;
    }
}

// ================================================================ 4. device
static void SDLCALL AudioCallback(void*, Uint8* stream, int len) {
    std::lock_guard<std::mutex> hold(Out.lock);
    const uint32_t position = Out.ringPosition.load(std::memory_order_relaxed);
    MixOutput(reinterpret_cast<int16_t*>(stream), len / 4, position);
    if (Out.ring) Out.ringPosition.store(position + uint32_t(len), std::memory_order_release);
}

bool AudioOutOpen() {
    if (Out.open) return true;
    if (PlatformCurrentBackend() == PLATFORM_SCRIPTED) {
        Out.scripted = true;
        Out.open = true;
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{}, have{};
    want.freq = AUDIO_OUT_RATE;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = AudioCallback;
    Out.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (Out.device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Out.open = true;
    Out.scripted = false;
    SDL_PauseAudioDevice(Out.device, 0);
    return true;
}

void AudioOutClose() {
    if (!Out.open) return;
    if (Out.device) {
        SDL_CloseAudioDevice(Out.device); // waits for the callback to finish
        Out.device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    std::lock_guard<std::mutex> hold(Out.lock);
    for (EffectVoice& v : Out.voices) v = EffectVoice{};
    Out.ring = nullptr;
    Out.ringBytes = 0;
    Out.open = false;
    Out.scripted = false;
}

bool AudioOutIsOpen() {
    return Out.open;
}

// ================================================================ 5. ring
bool AudioOutStartRing(const int16_t* ring, uint32_t bytes) {
    if (!Out.open || !ring || bytes < 4) return false;
    std::lock_guard<std::mutex> hold(Out.lock);
    Out.ring = ring;
    Out.ringBytes = bytes & ~3u;
    Out.ringPosition.store(0, std::memory_order_release);
    Out.ringStartTick = GetTickCount();
    return true;
}

void AudioOutStopRing() {
    std::lock_guard<std::mutex> hold(Out.lock);
    Out.ring = nullptr;
    Out.ringBytes = 0;
}

uint32_t AudioOutRingPosition() {
    if (Out.scripted)
        return (GetTickCount() - Out.ringStartTick) * uint32_t(AUDIO_OUT_RATE / 1000 * 4);
    return Out.ringPosition.load(std::memory_order_acquire);
}

void AudioOutRingWritten() {
    Out.ringWrites.fetch_add(1, std::memory_order_release);
}

// ================================================================ effect voice calls
void AudioOutPlayVoice(int slot, const void* pcm, uint32_t frames, int bits, uint32_t rate) {
    if (!Out.open || slot < 0 || slot >= AUDIO_OUT_VOICES || !pcm) return;
    if (bits != 8 && bits != 16) return;
    std::lock_guard<std::mutex> hold(Out.lock);
    EffectVoice& v = Out.voices[slot];
    v.pcm = static_cast<const uint8_t*>(pcm);
    v.frames = frames;
    v.bits = bits;
    v.position = 0;
    v.step = StepForRate(rate);
    v.playing = frames > 0;
}

void AudioOutSetVoiceRate(int slot, uint32_t rate) {
    if (!Out.open || slot < 0 || slot >= AUDIO_OUT_VOICES) return;
    std::lock_guard<std::mutex> hold(Out.lock);
    Out.voices[slot].step = StepForRate(rate);
}

void AudioOutStopVoice(int slot) {
    if (!Out.open || slot < 0 || slot >= AUDIO_OUT_VOICES) return;
    std::lock_guard<std::mutex> hold(Out.lock);
    Out.voices[slot] = EffectVoice{};
}

bool AudioOutVoicePlaying(int slot) {
    if (!Out.open || slot < 0 || slot >= AUDIO_OUT_VOICES) return false;
    std::lock_guard<std::mutex> hold(Out.lock);
    return Out.voices[slot].playing;
}

// ================================================================ 6. pull
void AudioOutPull(int16_t* out, int frames) {
    if (!Out.open || frames <= 0) {
        if (frames > 0) std::memset(out, 0, size_t(frames) * 4);
        return;
    }
    std::lock_guard<std::mutex> hold(Out.lock);
    MixOutput(out, frames, AudioOutRingPosition());
}

void AudioOutSetEffectsGain(int32_t gain) {
    Out.effectsGain.store(gain < 0 ? 0 : gain > AUDIO_OUT_UNITY_GAIN ? AUDIO_OUT_UNITY_GAIN : gain);
}
