// xm_song.cpp - song flow, notes, effects, envelopes: everything that happens once per tick.
//
// Sections: 1. tables and pitch  2. voices of a channel  3. notes and instruments
//           4. row (tick 0) effects and volume column  5. per-tick effects
//           6. envelopes, fade-out, auto-vibrato and the voice's gains  7. song flow
//           8. rendering
// Effect letters are the XM effect numbers: 0..F, then G = 0x10 ... X = 0x21.
#include "sound/xm_song.h"

#include <cmath>
#include <cstdint>
#include <cstring>

enum : uint8_t {
    FX_ARPEGGIO = 0x0,
    FX_PORTA_UP = 0x1,
    FX_PORTA_DOWN = 0x2,
    FX_TONE_PORTA = 0x3,
    FX_VIBRATO = 0x4,
    FX_TONE_PORTA_VOLSLIDE = 0x5,
    FX_VIBRATO_VOLSLIDE = 0x6,
    FX_TREMOLO = 0x7,
    FX_SET_PANNING = 0x8,
    FX_SAMPLE_OFFSET = 0x9,
    FX_VOLUME_SLIDE = 0xA,
    FX_POSITION_JUMP = 0xB,
    FX_SET_VOLUME = 0xC,
    FX_PATTERN_BREAK = 0xD,
    FX_EXTENDED = 0xE,
    FX_SPEED_TEMPO = 0xF,
    FX_GLOBAL_VOLUME = 0x10,
    FX_GLOBAL_SLIDE = 0x11,
    FX_KEY_OFF = 0x14,
    FX_ENVELOPE_POS = 0x15,
    FX_PAN_SLIDE = 0x19,
    FX_MULTI_RETRIG = 0x1B,
    FX_TREMOR = 0x1D,
    FX_EXTRA_FINE = 0x21,
};
enum : uint8_t {
    EX_FINE_UP = 0x1,
    EX_FINE_DOWN = 0x2,
    EX_VIBRATO_WAVE = 0x4,
    EX_FINETUNE = 0x5,
    EX_PATTERN_LOOP = 0x6,
    EX_TREMOLO_WAVE = 0x7,
    EX_SET_PANNING = 0x8,
    EX_RETRIG = 0x9,
    EX_FINE_VOLUME_UP = 0xA,
    EX_FINE_VOLUME_DOWN = 0xB,
    EX_NOTE_CUT = 0xC,
    EX_NOTE_DELAY = 0xD,
    EX_PATTERN_DELAY = 0xE,
};

static constexpr int32_t PERIOD_MIN = 1;
static constexpr int32_t PERIOD_MAX = 32000;
static constexpr int32_t FADEOUT_FULL = 32768;
static constexpr int32_t ARPEGGIO_TOP_NOTE = 96; // C-8

// ================================================================ 1. tables and pitch
static const uint8_t VIBRATO_SINE[32] = {0,   24,  49,  74,  97,  120, 141, 161, 180, 197, 212,
                                         224, 235, 244, 250, 253, 255, 253, 250, 244, 235, 224,
                                         212, 197, 180, 161, 141, 120, 97,  74,  49,  24};

// Vibrato and tremolo wave at a position (0..255 a cycle): -255..255. The ramp runs down its
// second half as it turns where rampPos passes 128: the vibrato's own position, and for the
// tremolo too, as in FT2 (a tremolo ramp follows the channel's vibrato position).
static int32_t EffectWave(uint8_t wave, uint8_t pos, uint8_t rampPos) {
    const int idx = (pos >> 2) & 31;
    const bool negative = (pos & 0x80) != 0;
    int32_t v;
    switch (wave & 3) {
    case 0: v = VIBRATO_SINE[idx]; break;
    case 1: v = (rampPos & 0x80) ? 255 - idx * 8 : idx * 8; break;
    default: v = 255; break;
    }
    return negative ? -v : v;
}

// Wave x depth >> shift, the same size either side of zero.
static int32_t ScaleWave(int32_t wave, int32_t depth, int shift) {
    const int32_t size = ((wave < 0 ? -wave : wave) * depth) >> shift;
    return wave < 0 ? -size : size;
}

// Auto-vibrato wave at a position (0..255 a cycle): -64..64.
static int32_t AutoVibratoWave(uint8_t type, uint8_t pos) {
    switch (type & 3) {
    case 1: return pos < 128 ? 64 : -64;
    case 2: return 64 - (pos + 1) / 2; // ramp down
    case 3: return (pos + 1) / 2 - 64; // ramp up
    default: return int32_t(std::lround(64.0 * std::sin(pos * (2.0 * M_PI / 256.0))));
    }
}

// FT2 tunes in sixteenths of a semitone: the low 3 bits of a finetune are not heard.
static int32_t FinetuneSteps(int32_t finetune) {
    return finetune >> 3; // -16..15, rounding down
}

int32_t NotePeriod(const MusicContext& music, int32_t note, int32_t finetune) {
    if (music.module->linearFrequencies) return 7680 - note * 64 - FinetuneSteps(finetune) * 4;
    const double p = 1712.0 * std::exp2((48 - note) / 12.0 - FinetuneSteps(finetune) / 192.0);
    return int32_t(std::lround(p));
}

double PeriodFrequency(const MusicContext& music, int32_t period) {
    if (period < PERIOD_MIN) period = PERIOD_MIN;
    if (music.module->linearFrequencies) return 8363.0 * std::exp2((4608 - period) / 768.0);
    return 8363.0 * 1712.0 / period;
}

static int32_t Clamp(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

// Every volume command sets both the note's volume and the volume heard; tremolo and tremor
// change only the heard one, which keeps its last value after they end, as in FT2.
static void SetVolume(MusicChannel& ch, int32_t v) {
    ch.volume = v;
    ch.outVolume = v;
}

// ================================================================ 2. voices of a channel
// A new note: the sounding voice moves to the channel's second slot and fades out over the
// ramp, while the new note starts in the first slot from zero gain.
static void StartChannelVoice(MusicContext* m, int c, const ModuleSample* sample, int32_t offset) {
    MixVoice* voices = m->voices[c];
    if (voices[0].active) {
        voices[1] = voices[0];
        voices[1].fading = true;
        SetVoiceGains(&voices[1], 0, 0);
    }
    voices[0].step = 0;
    StartVoice(&voices[0], sample, offset);
}

// ================================================================ 3. notes and instruments
static const ModuleInstrument* InstrumentNumbered(const MusicContext& m, int number) {
    if (number < 1 || number > m.module->instrumentCount) return nullptr;
    const ModuleInstrument* ins = &m.module->instruments[number - 1];
    return ins->sampleCount > 0 ? ins : nullptr;
}

// An instrument number puts back the volume and panning of the sample the channel last
// started (vol 0, centre after a note that found no sample).
static void ResetVolumes(MusicChannel& ch) {
    SetVolume(ch, ch.defaultVolume);
    ch.panning = ch.defaultPanning;
}

// An instrument number also restarts the instrument the channel last started a note with: its
// key is down again, its fade-out starts over at that instrument's speed, and its envelopes
// and auto-vibrato start over where it has them.
static void RestartInstrument(MusicChannel& ch) {
    const ModuleInstrument* ins = ch.ins;
    if (!(ch.vibratoWave & 4)) ch.vibratoPos = 0;
    if (!(ch.tremoloWave & 4)) ch.tremoloPos = 0;
    ch.retrigCounter = 0;
    ch.tremorPos = 0;
    ch.keyOn = true;
    ch.fadeout = FADEOUT_FULL;
    ch.fadeoutSpeed = ins ? ins->fadeout : 0;
    if (ins && ins->volumeEnvelope.on) ch.volumeTick = 0;
    if (ins && ins->panningEnvelope.on) ch.panningTick = 0;
    if (ins && ins->vibratoDepth) {
        ch.autoVibratoPos = 0;
        ch.autoVibratoSweep = 0;
    }
}

static void KeyOff(MusicChannel& ch) {
    ch.keyOn = false;
    // Without a volume envelope a key off silences the note at once.
    if (!ch.ins || !ch.ins->volumeEnvelope.on) SetVolume(ch, 0);
}

// Plays a note 1..96 with the channel's instrument. The instrument becomes the channel's even
// when the note lies outside the range and is not played.
static void TriggerNote(MusicContext* m, int c, int note, uint8_t effect, uint8_t param) {
    MusicChannel& ch = m->channels[c];
    const ModuleInstrument* ins = InstrumentNumbered(*m, ch.instrument);
    const int sampleIndex = ins ? ins->keymap[note - 1] : 0;
    ch.ins = ins;
    if (!ins || sampleIndex >= ins->sampleCount) {
        // No sample for the note: the channel falls silent.
        ch.sample = nullptr;
        ch.defaultVolume = 0;
        ch.defaultPanning = 128;
        StartChannelVoice(m, c, nullptr, 0);
        return;
    }
    const ModuleSample* sample = &ins->samples[sampleIndex];
    // Out of range the row's note is ignored. FT2 counts from 1 in a byte, so the note just
    // below C-0 still starts its sample, at the pitch the channel had.
    const int realNote = note - 1 + sample->relativeNote;
    if (realNote < -1 || realNote >= 119) return;
    ch.sample = sample;
    ch.defaultVolume = sample->volume;
    ch.defaultPanning = sample->panning;
    ch.note = uint8_t(note);
    ch.relativeNote = sample->relativeNote;
    ch.finetune = sample->finetune;
    if (effect == FX_EXTENDED && (param >> 4) == EX_FINETUNE)
        ch.finetune = int8_t(((param & 15) - 8) * 16);
    // As in FT2 a new note leaves the tone portamento's target where the last porta note
    // put it: a later Mx or 3xx without a note slides back towards it.
    if (realNote >= 0) {
        ch.period = NotePeriod(*m, realNote, ch.finetune);
        ch.portaDirection = 0;
    }
    int32_t offset = 0;
    if (effect == FX_SAMPLE_OFFSET) { // 9xx acts, and remembers, only where a note starts
        if (param) ch.offsetMemory = param;
        offset = int32_t(ch.offsetMemory) * 256;
    }
    StartChannelVoice(m, c, sample, offset);
}

// Restarts the sounding sample from its beginning (retrig effects).
static void RetriggerChannel(MusicContext* m, int c) {
    MusicChannel& ch = m->channels[c];
    if (ch.sample) StartChannelVoice(m, c, ch.sample, 0);
}

// ================================================================ 4. row effects
static void ApplyVolumeColumnRow(MusicChannel& ch, uint8_t v) {
    const int x = v & 15;
    switch (v >> 4) {
    case 0x1:
    case 0x2:
    case 0x3:
    case 0x4: SetVolume(ch, v - 0x10); break;
    case 0x5:
        if (v == 0x50) SetVolume(ch, 64);
        break;
    case 0x8: SetVolume(ch, Clamp(ch.volume - x, 0, 64)); break;
    case 0x9: SetVolume(ch, Clamp(ch.volume + x, 0, 64)); break;
    case 0xA: ch.vibratoSpeed = uint8_t(x); break;
    case 0xB:
        if (x) ch.vibratoDepth = uint8_t(x);
        break;
    case 0xC: ch.panning = x * 16; break;
    case 0xF:
        if (x) ch.tonePortaSpeed = uint8_t(x * 16);
        break;
    default: break;
    }
}

static void SlideVolume(MusicChannel& ch, uint8_t mem) {
    if (mem >> 4)
        SetVolume(ch, Clamp(ch.volume + (mem >> 4), 0, 64));
    else
        SetVolume(ch, Clamp(ch.volume - (mem & 15), 0, 64));
}

static void ApplyRowEffect(MusicContext* m, int c, uint8_t e, uint8_t p) {
    MusicChannel& ch = m->channels[c];
    const int x = p >> 4, y = p & 15;
    switch (e) {
    case FX_PORTA_UP:
        if (p) ch.portaUpMemory = p;
        break;
    case FX_PORTA_DOWN:
        if (p) ch.portaDownMemory = p;
        break;
    case FX_TONE_PORTA:
        if (p) ch.tonePortaSpeed = p;
        break;
    case FX_VIBRATO:
        if (x) ch.vibratoSpeed = uint8_t(x);
        if (y) ch.vibratoDepth = uint8_t(y);
        break;
    case FX_TONE_PORTA_VOLSLIDE:
    case FX_VIBRATO_VOLSLIDE:
    case FX_VOLUME_SLIDE:
        if (p) ch.volumeSlideMemory = p;
        break;
    case FX_TREMOLO:
        if (x) ch.tremoloSpeed = uint8_t(x);
        if (y) ch.tremoloDepth = uint8_t(y);
        break;
    case FX_SET_PANNING: ch.panning = p; break;
    case FX_POSITION_JUMP:
        m->jumpOrder = p;
        m->breakRow = 0;
        m->positionJump = true;
        break;
    case FX_SET_VOLUME: SetVolume(ch, p > 64 ? 64 : p); break;
    case FX_PATTERN_BREAK:
        m->breakRow = x * 10 + y;
        m->positionJump = true;
        break;
    case FX_EXTENDED:
        switch (x) {
        case EX_FINE_UP:
            if (y) ch.fineUpMemory = uint8_t(y);
            ch.period = Clamp(ch.period - ch.fineUpMemory * 4, PERIOD_MIN, PERIOD_MAX);
            break;
        case EX_FINE_DOWN:
            if (y) ch.fineDownMemory = uint8_t(y);
            ch.period = Clamp(ch.period + ch.fineDownMemory * 4, PERIOD_MIN, PERIOD_MAX);
            break;
        case EX_VIBRATO_WAVE: ch.vibratoWave = uint8_t(y); break;
        case EX_TREMOLO_WAVE: ch.tremoloWave = uint8_t(y); break;
        case EX_SET_PANNING: ch.panning = y * 16; break; // settled: x x 16
        case EX_PATTERN_LOOP:
            if (y == 0) {
                ch.loopRow = uint8_t(m->row);
            } else if (m->patternDelayRun == 0) {
                if (ch.loopCount == 0)
                    ch.loopCount = uint8_t(y);
                else
                    ch.loopCount--;
                if (m->loopStateCount <= MUSIC_LOOP_STATES) m->loopStateNow = -1;
                if (ch.loopCount > 0) {
                    m->breakRow = ch.loopRow;
                    m->loopJump = true;
                }
            }
            break;
        case EX_FINE_VOLUME_UP:
            if (y) ch.fineVolumeUpMemory = uint8_t(y);
            SetVolume(ch, Clamp(ch.volume + ch.fineVolumeUpMemory, 0, 64));
            break;
        case EX_FINE_VOLUME_DOWN:
            if (y) ch.fineVolumeDownMemory = uint8_t(y);
            SetVolume(ch, Clamp(ch.volume - ch.fineVolumeDownMemory, 0, 64));
            break;
        case EX_NOTE_CUT:
            if (y == 0) SetVolume(ch, 0);
            break;
        case EX_PATTERN_DELAY: // as in FT2 the last one on the row counts, EE0 too
            if (m->patternDelayRun == 0) m->patternDelay = y;
            break;
        default: break; // E0, E3 and EF are ignored (settled); E5, E9, ED act elsewhere
        }
        break;
    case FX_SPEED_TEMPO:
        if (p == 0) break;
        if (p < 32)
            m->speed = p;
        else
            m->tempo = p;
        break;
    case FX_GLOBAL_VOLUME: m->globalVolume = p > 64 ? 64 : p; break;
    case FX_GLOBAL_SLIDE:
        if (p) ch.globalSlideMemory = p;
        break;
    case FX_KEY_OFF: break; // settled: on the row's first tick (PlayCell), parameter unused
    case FX_ENVELOPE_POS:
        // As in FT2 the panning envelope follows only when the volume envelope has a sustain.
        ch.volumeTick = p;
        if (ch.ins && ch.ins->volumeEnvelope.sustainOn) ch.panningTick = p;
        break;
    case FX_PAN_SLIDE:
        if (p) ch.panSlideMemory = p;
        break;
    case FX_MULTI_RETRIG:
        if (x) ch.retrigMemory = uint8_t((ch.retrigMemory & 0x0F) | (x << 4));
        if (y) ch.retrigMemory = uint8_t((ch.retrigMemory & 0xF0) | y);
        break;
    case FX_TREMOR:
        if (p) ch.tremorMemory = p;
        break;
    case FX_EXTRA_FINE:
        if (x == 1) {
            if (y) ch.extraFineUpMemory = uint8_t(y);
            ch.period = Clamp(ch.period - ch.extraFineUpMemory, PERIOD_MIN, PERIOD_MAX);
        } else if (x == 2) {
            if (y) ch.extraFineDownMemory = uint8_t(y);
            ch.period = Clamp(ch.period + ch.extraFineDownMemory, PERIOD_MIN, PERIOD_MAX);
        }
        break;
    default: break; // letters without a meaning are ignored
    }
}

static void MultiRetrig(MusicContext* m, int c);

// Everything a cell does when it is read: note, instrument, volume column, row effect.
// As in FT2 an instrument number restarts the instrument only with a note or alone; with a
// key off it only puts back the sample's volume and panning, and the note stays released.
static void PlayCell(MusicContext* m, int c, const uint8_t* cell) {
    MusicChannel& ch = m->channels[c];
    uint8_t note = cell[0];
    const uint8_t insNumber = cell[1] <= MODULE_MAX_INSTRUMENTS ? cell[1] : 0;
    const uint8_t vol = cell[2];
    const uint8_t e = cell[3], p = cell[4];
    if (note > MODULE_NOTE_KEY_OFF) note = 0;
    if (insNumber) ch.instrument = insNumber;
    const bool porta = e == FX_TONE_PORTA || e == FX_TONE_PORTA_VOLSLIDE || (vol >> 4) == 0xF;
    if (e == FX_KEY_OFF || note == MODULE_NOTE_KEY_OFF) {
        // Settled: K acts on the row's first tick whatever its parameter, as FT2's K00 does,
        // and like it leaves the row's note unplayed.
        KeyOff(ch);
        if (insNumber) ResetVolumes(ch);
    } else {
        if (note && porta) {
            // Tone portamento never starts a note, even when nothing sounds: the note only
            // sets the slide's target, and as in FT2 not while the channel's slide speed (its
            // own memory, or this row's) is 0.
            const int realNote = note - 1 + ch.relativeNote;
            const bool moves =
                ch.tonePortaSpeed || (e == FX_TONE_PORTA && p) || ((vol >> 4) == 0xF && (vol & 15));
            if (moves && realNote >= 0 && realNote < 119) {
                ch.targetPeriod = NotePeriod(*m, realNote, ch.finetune);
                ch.portaDirection = ch.targetPeriod > ch.period   ? 1
                                    : ch.targetPeriod < ch.period ? -1
                                                                  : 0;
                ch.note = note;
            }
        } else if (note) {
            TriggerNote(m, c, note, e, p);
        }
        if (insNumber) {
            ResetVolumes(ch);
            RestartInstrument(ch);
        }
    }
    ApplyVolumeColumnRow(ch, vol);
    ApplyRowEffect(m, c, e, p);
    // As in FT2, on a row that brings no note to start, E90 restarts the sounding note on the
    // row's first tick, and Rxy counts that tick as it counts the others.
    if (!note) {
        if (e == FX_EXTENDED && p == (EX_RETRIG << 4)) RetriggerChannel(m, c);
        if (e == FX_MULTI_RETRIG) MultiRetrig(m, c);
    }
}

// A delayed cell on its tick (on every repeat of its row under a pattern delay): a note and
// instrument act as on a row's first tick. A delayed
// key off, as in FT2, puts back the sample's volume and panning, releases the note and at
// once restarts the instrument, so that only the silence of a key off without a volume
// envelope stays (until an instrument number with it puts the volume back). Of the volume
// column only the volume and the panning act, the panning not with a key off; no effect acts.
static void PlayDelayedCell(MusicContext* m, int c, const uint8_t* cell) {
    MusicChannel& ch = m->channels[c];
    const uint8_t note = cell[0];
    const uint8_t insNumber = cell[1] <= MODULE_MAX_INSTRUMENTS ? cell[1] : 0;
    const uint8_t vol = cell[2];
    const bool keyOff = note == MODULE_NOTE_KEY_OFF;
    if (insNumber) ch.instrument = insNumber;
    if (keyOff) {
        ResetVolumes(ch);
        KeyOff(ch);
        RestartInstrument(ch);
        if (insNumber) ResetVolumes(ch);
    } else {
        // As in FT2 a delayed row without a note plays the channel's last note again, and a
        // delayed note restarts the instrument (key, envelopes, fade-out) with or without
        // its number.
        const uint8_t played = note >= 1 && note <= 96 ? note : ch.note;
        if (played >= 1 && played <= 96) {
            TriggerNote(m, c, played, 0, 0);
            RestartInstrument(ch);
        }
        if (insNumber) {
            ResetVolumes(ch);
            RestartInstrument(ch);
        }
    }
    if (vol >= 0x10 && vol <= 0x50) SetVolume(ch, vol - 0x10);
    if ((vol >> 4) == 0xC && !keyOff) ch.panning = (vol & 15) * 16;
}

// ================================================================ 5. per-tick effects
// As in FT2 the slide keeps the direction its target note gave it: a period that another
// slide pushed past the target is put on the target at the next step.
static void TonePorta(MusicChannel& ch) {
    const int32_t speed = ch.tonePortaSpeed * 4;
    if (ch.targetPeriod <= 0) return;
    if (ch.portaDirection > 0) {
        ch.period += speed;
        if (ch.period > ch.targetPeriod) ch.period = ch.targetPeriod;
    } else if (ch.portaDirection < 0) {
        ch.period -= speed;
        if (ch.period < ch.targetPeriod) ch.period = ch.targetPeriod;
    } else if (ch.period < ch.targetPeriod) {
        ch.period += speed;
        if (ch.period > ch.targetPeriod) ch.period = ch.targetPeriod;
    } else if (ch.period > ch.targetPeriod) {
        ch.period -= speed;
        if (ch.period < ch.targetPeriod) ch.period = ch.targetPeriod;
    }
}

static int32_t VibratoDelta(MusicChannel& ch) {
    const int32_t delta =
        ScaleWave(EffectWave(ch.vibratoWave, ch.vibratoPos, ch.vibratoPos), ch.vibratoDepth, 5);
    ch.vibratoPos = uint8_t(ch.vibratoPos + ch.vibratoSpeed * 4);
    ch.vibratoActive = true;
    return delta;
}

static void MultiRetrig(MusicContext* m, int c) {
    MusicChannel& ch = m->channels[c];
    const int interval = ch.retrigMemory & 15;
    if (interval == 0) return;
    if (++ch.retrigCounter < interval) return;
    ch.retrigCounter = 0;
    int v = ch.volume;
    switch (ch.retrigMemory >> 4) {
    case 0x1: v -= 1; break;
    case 0x2: v -= 2; break;
    case 0x3: v -= 4; break;
    case 0x4: v -= 8; break;
    case 0x5: v -= 16; break;
    case 0x6: v = v * 2 / 3; break;
    case 0x7: v /= 2; break;
    case 0x9: v += 1; break;
    case 0xA: v += 2; break;
    case 0xB: v += 4; break;
    case 0xC: v += 8; break;
    case 0xD: v += 16; break;
    case 0xE: v = v * 3 / 2; break;
    case 0xF: v *= 2; break;
    default: break;
    }
    SetVolume(ch, Clamp(v, 0, 64));
    RetriggerChannel(m, c);
}

static void ApplyTickEffects(MusicContext* m, int c, int32_t* periodDelta) {
    MusicChannel& ch = m->channels[c];
    const uint8_t e = ch.effect, p = ch.param, v = ch.volumeColumn;
    const int x = p >> 4, y = p & 15;
    // Volume column.
    switch (v >> 4) {
    case 0x6: SetVolume(ch, Clamp(ch.volume - (v & 15), 0, 64)); break;
    case 0x7: SetVolume(ch, Clamp(ch.volume + (v & 15), 0, 64)); break;
    case 0xB: *periodDelta += VibratoDelta(ch); break;
    case 0xD: // as in FT2 a slide left by 0 takes the panning hard left
        ch.panning = (v & 15) ? Clamp(ch.panning - (v & 15), 0, 255) : 0;
        break;
    case 0xE: ch.panning = Clamp(ch.panning + (v & 15), 0, 255); break;
    case 0xF: TonePorta(ch); break;
    default: break;
    }
    switch (e) {
    case FX_ARPEGGIO:
        if (p) {
            // FT2 counts a row's ticks down from the speed: the cycle runs from there.
            const int phase = (m->speed - m->tick) % 3;
            ch.arpeggioOffset = phase == 0 ? 0 : phase == 1 ? x : y;
        }
        break;
    case FX_PORTA_UP:
        ch.period = Clamp(ch.period - ch.portaUpMemory * 4, PERIOD_MIN, PERIOD_MAX);
        break;
    case FX_PORTA_DOWN:
        ch.period = Clamp(ch.period + ch.portaDownMemory * 4, PERIOD_MIN, PERIOD_MAX);
        break;
    case FX_TONE_PORTA: TonePorta(ch); break;
    case FX_VIBRATO: *periodDelta += VibratoDelta(ch); break;
    case FX_TONE_PORTA_VOLSLIDE:
        TonePorta(ch);
        SlideVolume(ch, ch.volumeSlideMemory);
        break;
    case FX_VIBRATO_VOLSLIDE:
        *periodDelta += VibratoDelta(ch);
        SlideVolume(ch, ch.volumeSlideMemory);
        break;
    case FX_TREMOLO:
        ch.outVolume =
            Clamp(ch.volume + ScaleWave(EffectWave(ch.tremoloWave, ch.tremoloPos, ch.vibratoPos),
                                        ch.tremoloDepth, 6),
                  0, 64);
        ch.tremoloPos = uint8_t(ch.tremoloPos + ch.tremoloSpeed * 4);
        break;
    case FX_VOLUME_SLIDE: SlideVolume(ch, ch.volumeSlideMemory); break;
    case FX_EXTENDED:
        if (x == EX_RETRIG && y && m->tick % y == 0) RetriggerChannel(m, c);
        if (x == EX_NOTE_CUT && y == m->tick) SetVolume(ch, 0);
        break;
    case FX_GLOBAL_SLIDE: {
        const uint8_t mem = ch.globalSlideMemory;
        if (mem >> 4)
            m->globalVolume = Clamp(m->globalVolume + (mem >> 4), 0, 64);
        else
            m->globalVolume = Clamp(m->globalVolume - (mem & 15), 0, 64);
        break;
    }
    case FX_PAN_SLIDE: {
        const uint8_t mem = ch.panSlideMemory;
        if (mem >> 4)
            ch.panning = Clamp(ch.panning + (mem >> 4), 0, 255);
        else
            ch.panning = Clamp(ch.panning - (mem & 15), 0, 255);
        break;
    }
    case FX_MULTI_RETRIG: MultiRetrig(m, c); break;
    case FX_TREMOR: {
        // On for x + 1 ticks, then off for y + 1: the low bits count down the ticks left in
        // the phase, the top bit says whether it is the on phase. It carries over rows.
        int left = (ch.tremorPos & 0x7F) - 1;
        bool on = (ch.tremorPos & 0x80) != 0;
        if (left < 0) {
            on = !on;
            left = on ? ch.tremorMemory >> 4 : ch.tremorMemory & 15;
        }
        ch.tremorPos = uint8_t((on ? 0x80 : 0) | left);
        ch.outVolume = on ? ch.volume : 0;
        break;
    }
    default: break;
    }
}

// ================================================================ 6. envelopes and output
static int32_t EnvelopeValue(const ModuleEnvelope& e, int32_t tick) {
    if (e.count == 1 || tick <= e.x[0]) return e.y[0];
    for (int i = 1; i < e.count; i++) {
        if (tick < e.x[i]) {
            const int32_t x0 = e.x[i - 1], x1 = e.x[i];
            const int32_t y0 = e.y[i - 1], y1 = e.y[i];
            return y0 + (y1 - y0) * (tick - x0) / (x1 - x0);
        }
    }
    return e.y[e.count - 1];
}

// The position holds at the sustain point while the key is down, and at the last point for
// good (an instrument that takes over the channel later goes on from there).
static void AdvanceEnvelope(const ModuleEnvelope& e, bool keyOn, int32_t* tick) {
    if (e.sustainOn && keyOn && *tick == e.x[e.sustain]) return;
    if (*tick >= e.x[e.count - 1]) return;
    (*tick)++;
    if (e.loopOn && *tick == e.x[e.loopEnd]) *tick = e.x[e.loopStart];
}

static void UpdateChannelOutput(MusicContext* m, int c, int32_t periodDelta) {
    MusicChannel& ch = m->channels[c];
    const ModuleInstrument* ins = ch.ins;
    // Envelopes and fade-out.
    ch.volumeEnvelope = 64;
    ch.panningEnvelope = 32;
    if (ins) {
        if (ins->volumeEnvelope.on) {
            ch.volumeEnvelope = EnvelopeValue(ins->volumeEnvelope, ch.volumeTick);
            AdvanceEnvelope(ins->volumeEnvelope, ch.keyOn, &ch.volumeTick);
        }
        if (ins->panningEnvelope.on) {
            ch.panningEnvelope = EnvelopeValue(ins->panningEnvelope, ch.panningTick);
            AdvanceEnvelope(ins->panningEnvelope, ch.keyOn, &ch.panningTick);
        }
        if (!ch.keyOn) ch.fadeout = ch.fadeout > ch.fadeoutSpeed ? ch.fadeout - ch.fadeoutSpeed : 0;
    }
    const int32_t vol = ch.outVolume;
    const int64_t fv = int64_t(vol) * ch.volumeEnvelope * m->globalVolume * ch.fadeout;
    ch.finalVolume = int32_t(fv / (int64_t(64) * 64 * 64 * FADEOUT_FULL / 65536));
    // Panning envelope: swings the pan towards the nearer edge's room.
    const int32_t room = 128 - (ch.panning < 128 ? 128 - ch.panning : ch.panning - 128);
    ch.finalPanning = Clamp(ch.panning + (ch.panningEnvelope - 32) * room / 32, 0, 255);

    // Pitch: slides, vibrato, arpeggio, auto-vibrato.
    int32_t period = ch.period + periodDelta;
    if (ins && ins->vibratoDepth && ch.period > 0) {
        int32_t amp = ins->vibratoDepth * 256;
        if (ins->vibratoSweep && ch.autoVibratoSweep < amp) {
            ch.autoVibratoSweep += amp / ins->vibratoSweep;
            if (ch.autoVibratoSweep > amp) ch.autoVibratoSweep = amp;
            amp = ch.autoVibratoSweep;
        }
        period += (AutoVibratoWave(ins->vibratoType, uint8_t(ch.autoVibratoPos)) * amp) >> 14;
        ch.autoVibratoPos = (ch.autoVibratoPos + ins->vibratoRate) & 255;
    }
    // mended: without a pitch (period 0) there is no note to count from, and the Amiga
    // table's logarithm of period / 0 was infinite; such a channel is silent anyway.
    if (ch.arpeggioOffset && ch.period > 0) {
        // As in FT2 the arpeggio note is counted from the note nearest the current pitch (half
        // way counts to the lower one): what slides added in between is not heard on the
        // arpeggio's ticks. An arpeggio note above C-8 plays as C-8.
        int32_t note;
        if (m->module->linearFrequencies) {
            const int32_t d = NotePeriod(*m, 0, ch.finetune) - ch.period;
            note = d >= 0 ? (d + 31) / 64 : 0;
        } else {
            const double d = 12.0 * std::log2(double(NotePeriod(*m, 0, ch.finetune)) / ch.period);
            note = d >= 0 ? int32_t(std::ceil(d - 0.5)) : 0;
        }
        int32_t arpeggioPeriod = NotePeriod(*m, note + ch.arpeggioOffset, ch.finetune);
        const int32_t top = NotePeriod(*m, ARPEGGIO_TOP_NOTE, 0);
        if (arpeggioPeriod < top) arpeggioPeriod = top;
        period += arpeggioPeriod - ch.period;
    }
    ch.outPeriod = ch.period > 0 ? Clamp(period, PERIOD_MIN, PERIOD_MAX) : 0;
    ch.frequency = ch.outPeriod ? PeriodFrequency(*m, ch.outPeriod) : 0.0;

    // The voice follows.
    MixVoice& v = m->voices[c][0];
    if (!v.active) return;
    SetVoiceRate(&v, ch.frequency);
    const int64_t g = int64_t(m->gainFull) * ch.finalVolume / 65536;
    SetVoiceGains(&v, int32_t(g * (255 - ch.finalPanning) / 255),
                  int32_t(g * ch.finalPanning / 255));
}

// ================================================================ 7. song flow
// The channels' pattern-loop counters now, as an index into the states met so far (-1 when
// there are more than MUSIC_LOOP_STATES). A song whose loops are cut short by breaks comes
// back to its start with counters still running, and then plays on differently; nested loops
// pass many states: only a row played again with the same counters is a repeat.
static int LoopState(MusicContext* m) {
    if (m->loopStateNow >= 0 || m->loopStateCount > MUSIC_LOOP_STATES) return m->loopStateNow;
    uint8_t now[MODULE_MAX_CHANNELS] = {};
    for (int c = 0; c < m->module->channels; c++) now[c] = m->channels[c].loopCount;
    for (int i = 0; i < m->loopStateCount; i++)
        if (std::memcmp(m->loopStates[i], now, sizeof now) == 0) return m->loopStateNow = i;
    if (m->loopStateCount == MUSIC_LOOP_STATES) {
        m->loopStateCount++; // from now on no end is found
        return -1;
    }
    std::memcpy(m->loopStates[m->loopStateCount], now, sizeof now);
    return m->loopStateNow = m->loopStateCount++;
}

// Finds the row in the set of rows played, and adds it when `add`. Answers whether it was
// there. With no room left (or too many loop states) nothing is ever found.
static bool VisitRow(MusicContext* m, int order, int row, bool add) {
    const int state = LoopState(m);
    if (state < 0) return false;
    const uint32_t key = (uint32_t(state) << 16 | uint32_t(order) << 8 | uint32_t(row)) + 1;
    uint32_t slot = (key * 2654435761u) >> 16; // MUSIC_VISITED_SLOTS = 1 << 16
    while (m->visitedRows[slot] != 0) {
        if (m->visitedRows[slot] == key) return true;
        slot = (slot + 1) & (MUSIC_VISITED_SLOTS - 1);
    }
    if (add && m->visitedCount < MUSIC_VISITED_SLOTS / 4 * 3) {
        m->visitedRows[slot] = key;
        m->visitedCount++;
    }
    return false;
}

// Moves to the row after the current one; sets atEnd when the song is over. As in FT2 a
// pattern loop's jump and a break share one break row, which is only cleared when the order
// changes: after a pattern loop, the next pattern starts at the loop's row.
static void AdvanceRow(MusicContext* m) {
    const ModuleData& mod = *m->module;
    int order = m->order, row = m->row + 1;
    if (m->loopJump) {
        row = m->breakRow;
        m->loopJump = false;
    }
    bool naturalEnd = false;
    if (m->positionJump || row >= PatternAtOrder(mod, order).rows) {
        naturalEnd = !m->positionJump && m->breakRow == 0;
        order = m->jumpOrder >= 0 ? m->jumpOrder : order + 1;
        row = m->breakRow;
        m->breakRow = 0;
        m->jumpOrder = -1;
        m->positionJump = false;
    }
    if (order >= mod.orderCount) {
        // Past the end of the order list the song ends, or wraps to the restart position.
        // Rendering a song once, a jump or break past the end wraps and ends only when it
        // leads into rows already played.
        if (m->ending == MUSIC_STOP_AT_END || (m->ending == MUSIC_STOP_AT_REPEAT && naturalEnd)) {
            m->atEnd = true;
            return;
        }
        order = mod.restartPosition < mod.orderCount ? mod.restartPosition : 0;
    }
    if (row >= PatternAtOrder(mod, order).rows) row = 0;
    // The song repeats itself when a row already played comes again, whether by a jump or
    // by running on.
    if (m->ending == MUSIC_STOP_AT_REPEAT && VisitRow(m, order, row, false)) {
        m->atEnd = true;
        return;
    }
    m->order = order;
    m->row = row;
}

static void ProcessTick(MusicContext* m) {
    const ModuleData& mod = *m->module;
    const int channels = mod.channels;
    const bool readRow = m->tick == 0 && m->patternDelayRun == 0;
    if (readRow) {
        if (m->ending == MUSIC_STOP_AT_REPEAT) VisitRow(m, m->order, m->row, true);
        const ModulePattern& pat = PatternAtOrder(mod, m->order);
        const uint8_t* rowCells = pat.cells + size_t(m->row) * channels * MODULE_CELL_BYTES;
        for (int c = 0; c < channels; c++) {
            MusicChannel& ch = m->channels[c];
            const uint8_t* cell = rowCells + c * MODULE_CELL_BYTES;
            ch.arpeggioOffset = 0;
            ch.effect = cell[3];
            ch.param = cell[4];
            ch.volumeColumn = cell[2];
            if (cell[3] == FX_EXTENDED && (cell[4] >> 4) == EX_NOTE_DELAY && (cell[4] & 15)) {
                ch.delayTick = cell[4] & 15; // the whole cell waits for its tick
                std::memcpy(ch.delayedCell, cell, MODULE_CELL_BYTES);
                // Its volume column slides on the other ticks; the rest waits for the tick.
                continue;
            }
            ch.delayTick = 0;
            PlayCell(m, c, cell);
        }
    }
    for (int c = 0; c < channels; c++) {
        MusicChannel& ch = m->channels[c];
        int32_t periodDelta = 0;
        ch.arpeggioOffset = 0;
        if (m->tick > 0) {
            // On a delayed cell's tick its volume-column slide runs first, then the cell.
            ApplyTickEffects(m, c, &periodDelta);
            if (ch.delayTick && ch.delayTick == m->tick) {
                PlayDelayedCell(m, c, ch.delayedCell);
                ch.effect = 0;
                ch.param = 0;
            }
        }
        UpdateChannelOutput(m, c, periodDelta);
    }
    if (m->onTick) m->onTick(*m, m->user);

    // Next tick, and the next row after the last tick of this one.
    m->samplesPerTick = m->tempo ? 120000 / m->tempo : 120000;
    if (++m->tick >= m->speed) {
        m->tick = 0;
        if (m->patternDelay > 0) {
            m->patternDelay--;
            m->patternDelayRun++;
        } else {
            m->patternDelayRun = 0;
            AdvanceRow(m);
        }
    }
}

void StartMusic(MusicContext* m, const ModuleData* module, MusicEnding ending) {
    std::memset(static_cast<void*>(m), 0, sizeof *m);
    m->module = module;
    m->ending = ending;
    m->speed = module->speed ? module->speed : 1;
    m->tempo = module->tempo;
    m->globalVolume = 64;
    m->samplesPerTick = m->tempo ? 120000 / m->tempo : 120000;
    m->jumpOrder = -1;
    m->loopStateNow = -1;
    m->gainFull = MIX_GAIN_FULL;
    for (int c = 0; c < module->channels; c++) {
        m->channels[c].panning = 128;
        m->channels[c].defaultPanning = 128;
        m->channels[c].fadeout = FADEOUT_FULL;
        m->channels[c].volumeEnvelope = 64;
        m->channels[c].panningEnvelope = 32;
        m->channels[c].keyOn = true;
    }
}

void JumpMusicToOrder(MusicContext* m, int32_t n) {
    m->order = (n >= 0 && n < m->module->orderCount) ? n : 0;
    m->row = 0;
    m->tick = 0;
    m->patternDelay = 0;
    m->patternDelayRun = 0;
    m->positionJump = false;
    m->loopJump = false;
    m->breakRow = 0;
    m->jumpOrder = -1;
}

bool StepMusicTick(MusicContext* m) {
    if (m->finished) return false;
    if (m->atEnd) {
        m->finished = true;
        return false;
    }
    ProcessTick(m);
    return true;
}

// ================================================================ 8. rendering
// The most a voice adds to one side of a frame, from its gain and the gain it ramps to.
static int64_t VoicePeak(int32_t gain, int32_t target) {
    const int64_t g = (gain > target ? gain : target) >> 16;
    return (g < 0 ? -g : g) * 32768 >> MIX_GAIN_SHIFT;
}

// Mixes n frames of every voice into acc (cleared by the caller). Where the voices' gains
// could together pass the i32 range, the first MIX_CHANNELS_PER_GROUP channels go straight
// in and each further group is mixed into a scratch buffer that is added with saturation:
// no accumulator wraps whatever the channel count, and the mix stays as loud as with few
// channels (past i32 the output is clipped anyway).
static void MixChannels(MusicContext* m, int32_t* acc, int n) {
    const int channels = m->module->channels;
    int64_t peakLeft = 0, peakRight = 0;
    for (int c = 0; c < channels; c++)
        for (const MixVoice& v : m->voices[c])
            if (v.active) {
                peakLeft += VoicePeak(v.gainLeft, v.targetLeft);
                peakRight += VoicePeak(v.gainRight, v.targetRight);
            }
    const bool fits = peakLeft <= INT32_MAX && peakRight <= INT32_MAX;
    const int direct =
        fits || channels < MIX_CHANNELS_PER_GROUP ? channels : MIX_CHANNELS_PER_GROUP;
    for (int c = 0; c < direct; c++) {
        MixVoiceFrames(&m->voices[c][0], acc, n);
        MixVoiceFrames(&m->voices[c][1], acc, n);
    }
    constexpr int SCRATCH_FRAMES = int(sizeof m->mixScratch / sizeof m->mixScratch[0] / 2);
    for (int first = direct; first < channels; first += MIX_CHANNELS_PER_GROUP) {
        const int end =
            first + MIX_CHANNELS_PER_GROUP < channels ? first + MIX_CHANNELS_PER_GROUP : channels;
        for (int at = 0; at < n; at += SCRATCH_FRAMES) {
            const int k = n - at < SCRATCH_FRAMES ? n - at : SCRATCH_FRAMES;
            std::memset(m->mixScratch, 0, sizeof(int32_t) * 2 * size_t(k));
            for (int c = first; c < end; c++) {
                MixVoiceFrames(&m->voices[c][0], m->mixScratch, k);
                MixVoiceFrames(&m->voices[c][1], m->mixScratch, k);
            }
            AddSaturated(acc + 2 * at, m->mixScratch, 2 * k);
        }
    }
}

int RenderMusic(MusicContext* m, int32_t* acc, int frames) {
    int done = 0;
    while (done < frames) {
        if (m->samplesLeft <= 0) {
            if (!StepMusicTick(m)) break;
            m->samplesLeft = m->samplesPerTick;
        }
        const int n = frames - done < m->samplesLeft ? frames - done : m->samplesLeft;
        MixChannels(m, acc + 2 * done, n);
        m->samplesLeft -= n;
        m->playTimeMs += uint32_t(n * 20 / 960);
        m->framesPlayed += uint64_t(n);
        done += n;
    }
    return done;
}
