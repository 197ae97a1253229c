// xm_song.h - the song engine: song flow, notes, effects, envelopes and the voices they drive.
//
// A MusicContext plays one parsed module into a mix accumulator, tick by tick, with no thread
// and no device: the threaded player renders its ring blocks with it, and the renderer tool,
// the benchmark and the tests drive the very same code. One context belongs to one thread at
// a time.
#pragma once

#include <cstdint>

#include "sound/xm_mixer.h"
#include "sound/xm_module.h"

constexpr int MUSIC_RATE = 48000;
// Song end: states of the pattern-loop counters told apart, and rows remembered (by order and
// state). A song that goes past either has no end found; it plays until the caller stops it.
constexpr int MUSIC_LOOP_STATES = 1024;
constexpr int MUSIC_VISITED_SLOTS = 1 << 16; // a hash set, kept at most 3/4 full

// How the song ends.
enum MusicEnding {
    MUSIC_LOOP,           // the order list wraps to the restart position for ever
    MUSIC_STOP_AT_END,    // stop when the order list runs out (the player's MODULE_NO_LOOP)
    MUSIC_STOP_AT_REPEAT, // stop where the song starts to repeat itself (the renderer tool)
};

// One channel as the tracker sees it. The output fields are what the voice plays this tick.
struct MusicChannel {
    // Row data and instrument.
    uint8_t note;       // last note played, 1..96 (0 none)
    uint8_t instrument; // last instrument number given, 1-based (0 none)
    const ModuleInstrument* ins;
    const ModuleSample* sample;
    int8_t finetune;
    int8_t relativeNote;
    bool keyOn;
    // Pitch.
    int32_t period;        // current period (slides change it)
    int32_t targetPeriod;  // tone portamento target
    int8_t portaDirection; // set by the target's note: +1 the period rises to it, -1 it falls
    int32_t outPeriod;     // after vibrato, arpeggio, auto-vibrato (0: silent)
    double frequency;      // Hz of outPeriod
    // Volume and panning.
    int32_t volume;        // 0..64, the note's volume
    int32_t outVolume;     // after tremolo, tremor, note cut (0..64)
    int32_t panning;       // 0..255
    int32_t fadeout;       // 0..32768, falls after key off
    int32_t fadeoutSpeed;  // per tick, taken from the instrument when it restarts
    int32_t defaultVolume; // of the sample last started (an instrument number restores it)
    int32_t defaultPanning;
    int32_t volumeEnvelope;  // 0..64
    int32_t panningEnvelope; // 0..64
    int32_t finalVolume;     // 0..65536: volume x envelope x fade-out x global volume
    int32_t finalPanning;    // 0..255, after the panning envelope
    // Envelope positions (ticks) and auto-vibrato.
    int32_t volumeTick, panningTick;
    int32_t autoVibratoPos, autoVibratoSweep;
    // Effect state and memories.
    uint8_t effect, param, volumeColumn; // this row's
    uint8_t portaUpMemory, portaDownMemory, tonePortaSpeed;
    uint8_t fineUpMemory, fineDownMemory, extraFineUpMemory, extraFineDownMemory;
    uint8_t volumeSlideMemory, fineVolumeUpMemory, fineVolumeDownMemory;
    uint8_t globalSlideMemory, panSlideMemory, offsetMemory;
    uint8_t vibratoSpeed, vibratoDepth, vibratoPos, vibratoWave;
    uint8_t tremoloSpeed, tremoloDepth, tremoloPos, tremoloWave;
    uint8_t tremorMemory, tremorPos; // tremorPos: top bit on phase, low bits ticks left
    uint8_t retrigMemory, retrigCounter;
    uint8_t loopRow, loopCount;
    uint8_t delayTick; // note delay: the tick that plays the row (0: none)
    uint8_t delayedCell[MODULE_CELL_BYTES];
    bool vibratoActive;
    int32_t arpeggioOffset; // semitones this tick
};

struct MusicContext {
    const ModuleData* module;
    MusicEnding ending;
    bool finished; // the song has ended (never with MUSIC_LOOP)
    // Song position.
    int32_t order, row, tick;
    int32_t speed, tempo, globalVolume;
    int32_t patternDelay;    // extra row repeats still to play
    int32_t patternDelayRun; // repeats of this row already played
    int32_t samplesPerTick, samplesLeft;
    int32_t breakRow;    // the row the next order starts at (Dxx, and E6x's jump)
    int32_t jumpOrder;   // the order a position jump (Bxx) goes to; -1: the next one
    bool positionJump;   // Bxx or Dxx on this row: the next row is in another order
    bool loopJump;       // E6x on this row jumps back to breakRow in this pattern
    bool atEnd;          // the row after the current one is past the song's end
    uint32_t playTimeMs; // milliseconds played (the player's counter)
    uint64_t framesPlayed;
    int32_t gainFull;             // voice gain at full volume and full pan
    int32_t mixScratch[2 * 1024]; // channels past the first group are mixed here, then added
    // Song-end detection (MUSIC_STOP_AT_REPEAT only): the rows played, each with the state of
    // the channels' pattern-loop counters it was played in (the song repeats only where both
    // come again). visitedRows holds state << 16 | order << 8 | row, plus 1 (0: empty slot).
    uint32_t visitedRows[MUSIC_VISITED_SLOTS];
    int32_t visitedCount;
    uint8_t loopStates[MUSIC_LOOP_STATES][MODULE_MAX_CHANNELS];
    int32_t loopStateCount;
    int32_t loopStateNow; // index of the counters' state now; -1: changed since it was found
    MusicChannel channels[MODULE_MAX_CHANNELS];
    MixVoice voices[MODULE_MAX_CHANNELS][2]; // [c][0] plays, [c][1] fades the old note out
    // Called after each tick is processed (the renderer's tick dump).
    void (*onTick)(const MusicContext& music, void* user);
    void* user;
};

// Puts the context at the start of the module. The module must outlive the context's use.
void StartMusic(MusicContext* music, const ModuleData* module, MusicEnding ending);
// Mixes frames into acc (2 x frames i32, added to, not cleared; no value wraps when it starts
// cleared). Returns the frames that were song (fewer than asked only when the song ended).
int RenderMusic(MusicContext* music, int32_t* acc, int frames);
// Processes one tick without mixing (tests): returns false once the song has ended.
bool StepMusicTick(MusicContext* music);
// Moves the song to the start of order n (0 when n lies outside the order list).
void JumpMusicToOrder(MusicContext* music, int32_t n);

// Period of a note (0-based, C-0 = 0, relative note included) with a finetune, in the
// module's frequency table, and the frequency in Hz of a period.
int32_t NotePeriod(const MusicContext& music, int32_t note, int32_t finetune);
double PeriodFrequency(const MusicContext& music, int32_t period);
