// sound_effects.cpp - the slot table of effect sounds over the audio output's voices.
#include "sound/sound_effects.h"

#include <cmath>
#include <vector>

#include "platform/audio_out.h"
#include "sound/wav_chunks.h"
#include "support/maths.h"

struct SoundSlot {
    std::vector<uint8_t> pcm; // the WAV's sample bytes
    int bits = 0;
    uint32_t frames = 0;
    int frequency = 0; // samples per second it plays at
    int pan = 0;       // centre, as loaded
    int volume = 0;    // full, as loaded
    bool loaded = false;
};

static std::vector<SoundSlot> SoundSlots; // grows on demand
static bool SoundOutput = false;

int InitSound() {
    SoundSlots.clear();
    SoundOutput = AudioOutOpen();
    return SoundOutput ? 1 : 0;
}

static SoundSlot* LoadedSlot(int slot) {
    if (!SoundOutput || slot < 0 || slot >= int(SoundSlots.size())) return nullptr;
    return SoundSlots[size_t(slot)].loaded ? &SoundSlots[size_t(slot)] : nullptr;
}

int CatchSound(int slot, const uint8_t* wav, size_t size) {
    if (!SoundOutput || slot < 0 || slot >= SOUND_MAX_SLOTS) return 0;
    WavSound w;
    if (!ReadWavChunks(wav, size, &w)) return 0;
    // The output plays mono PCM of 8 (unsigned) or 16 (signed) bits; anything else cannot be
    // made into a sound and the slot stays as it was.
    if (w.formatTag != 1 || w.channels != 1 || (w.bitsPerSample != 8 && w.bitsPerSample != 16) ||
        w.rate == 0)
        return 0;
    if (slot >= int(SoundSlots.size())) SoundSlots.resize(size_t(slot) + 1);
    AudioOutStopVoice(slot); // the old sound's data goes now
    SoundSlot& s = SoundSlots[size_t(slot)];
    s.pcm.assign(w.samples, w.samples + w.bytes);
    s.bits = w.bitsPerSample;
    s.frames = w.bytes / (w.bitsPerSample / 8);
    s.frequency = int(w.rate > 200000 ? 200000 : w.rate);
    s.pan = 0;
    s.volume = 0;
    s.loaded = true;
    return 1;
}

void SetSoundFrequency(int slot, int frequency) {
    SoundSlot* s = LoadedSlot(slot);
    if (!s) return;
    if (frequency < 100) frequency = 100; // the range a mixing output accepts
    if (frequency > 200000) frequency = 200000;
    s->frequency = frequency;
    AudioOutSetVoiceRate(slot, uint32_t(frequency));
}

namespace {
std::vector<int> SoundLog; // the slots asked for since the last TakeSoundLog
} // namespace

int PlaySound(int slot) {
    if (slot >= 0 && slot < SOUND_MAX_SLOTS && int(SoundLog.size()) < SOUND_LOG_SIZE)
        SoundLog.push_back(slot);
    SoundSlot* s = LoadedSlot(slot);
    if (!s || s->frames == 0) return 0;
    AudioOutPlayVoice(slot, s->pcm.data(), s->frames, s->bits, uint32_t(s->frequency));
    return 1;
}

std::vector<int> TakeSoundLog() {
    std::vector<int> log;
    log.swap(SoundLog);
    return log;
}

int SoundFrequency(int slot) {
    const SoundSlot* s = LoadedSlot(slot);
    return s ? s->frequency : 0;
}

void FreeSounds() {
    for (int slot = 0; slot < int(SoundSlots.size()); slot++) AudioOutStopVoice(slot);
    SoundSlots.clear();
    SoundOutput = false;
    AudioOutClose();
}

void SetEffectsVolume(int32_t step) {
    if (step < 0) step = 0;
    if (step > EFFECTS_VOLUME_STEPS - 1) step = EFFECTS_VOLUME_STEPS - 1;
    // 2 dB a step below full level; the lowest step is all but silent, as the music's is.
    const int32_t gain = step == 0
                             ? 1
                             : RoundToInt(AUDIO_OUT_UNITY_GAIN *
                                          std::pow(10.0, -0.1 * (EFFECTS_VOLUME_STEPS - 1 - step)));
    AudioOutSetEffectsGain(gain);
}
