// sound_effects.cpp - the slot table of effect sounds over the audio output's voices.
#include "sound/sound_effects.h"

#include <vector>

#include "platform/audio_out.h"
#include "sound/wav_chunks.h"

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

int PlaySound(int slot) {
    SoundSlot* s = LoadedSlot(slot);
    if (!s || s->frames == 0) return 0;
    AudioOutPlayVoice(slot, s->pcm.data(), s->frames, s->bits, uint32_t(s->frequency));
    return 1;
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
