// xm_module.h - a parsed XM module: the read-only data the song engine plays.
//
// LoadModule parses XM 1.04 bytes (untrusted: every read is bounds-checked) into one private
// arena per module: headers, unpacked patterns and every sample decoded to 16-bit. The arena
// is freed as a whole by FreeModule. Called by the module player on the main thread, and by
// the renderer tool, the benchmark and the tests; the result is never changed while playing.
#pragma once

#include <cstddef>
#include <cstdint>

// Load limits: a module outside them is refused.
constexpr int MODULE_MAX_CHANNELS = 64;
constexpr int MODULE_MAX_ROWS = 256;
constexpr int MODULE_MAX_PATTERNS = 256;
constexpr int MODULE_MAX_INSTRUMENTS = 128;
constexpr int MODULE_MAX_SAMPLES_PER_INSTRUMENT = 16;
constexpr int MODULE_MAX_SAMPLE_HEADER = 40;
constexpr uint32_t MODULE_MAX_SAMPLE_BYTES = 4194304; // each sample is shorter than this
constexpr int MODULE_CELL_BYTES = 5;                  // note, instrument, volume, effect, param
constexpr int MODULE_NOTE_KEY_OFF = 97;
// Guard samples kept after every sample's last played value, so that interpolation may read
// one past the end without a test, and the mixer may load 16 values from any played one
// (see xm_mixer.cpp).
constexpr int MODULE_SAMPLE_GUARD = 16;

enum : uint8_t { SAMPLE_LOOP_NONE = 0, SAMPLE_LOOP_FORWARD = 1, SAMPLE_LOOP_PINGPONG = 2 };

struct ModuleEnvelope {
    uint16_t x[12];  // ticks
    uint16_t y[12];  // values 0..64
    uint8_t count;   // points in use, 0..12
    uint8_t sustain; // point index
    uint8_t loopStart;
    uint8_t loopEnd;
    bool on;
    bool sustainOn;
    bool loopOn;
};

// A sample decoded to 16-bit. A looped sample ends at its loop end (what lies past it is never
// heard); data[length] and the guards after it hold what interpolation needs at the end.
struct ModuleSample {
    const int16_t* data;
    int32_t length;    // samples played (loop end for looped samples)
    int32_t loopStart; // samples
    int32_t loopEnd;   // samples; equals length when looped
    uint8_t loopType;  // SAMPLE_LOOP_*
    uint8_t volume;    // 0..64
    uint8_t panning;   // 0..255
    int8_t finetune;   // -128..127, 1/128 semitone
    int8_t relativeNote;
};

struct ModuleInstrument {
    uint8_t keymap[96]; // sample index for each note
    ModuleEnvelope volumeEnvelope;
    ModuleEnvelope panningEnvelope;
    uint8_t vibratoType;
    uint8_t vibratoSweep;
    uint8_t vibratoDepth;
    uint8_t vibratoRate;
    uint16_t fadeout;
    uint16_t sampleCount;
    ModuleSample* samples;
};

struct ModulePattern {
    uint16_t rows;        // 1..256
    const uint8_t* cells; // rows x channels x MODULE_CELL_BYTES
};

struct ModuleArena;

struct ModuleData {
    char title[21];      // the module name, control characters removed
    uint16_t channels;   // 1..64
    uint16_t orderCount; // 1..256
    uint16_t restartPosition;
    uint16_t patternCount;
    uint16_t instrumentCount;
    uint16_t speed; // initial ticks per row
    uint16_t tempo; // initial BPM
    bool linearFrequencies;
    uint8_t orders[256];
    ModulePattern* patterns;       // patternCount stored patterns
    ModulePattern emptyPattern;    // 64 empty rows: orders naming a pattern that is not stored
    ModuleInstrument* instruments; // instrumentCount
    size_t bytesUsed;              // arena bytes, for the benchmark's memory figure
    ModuleArena* arena;
};

// Why a module was refused, as one line of text ("pattern 3 has 300 rows (1 to 256 ...)").
struct ModuleRefusal {
    char text[128];
};

// Parses a module; nullptr when the bytes are not an XM module within the load limits (then
// `why`, when given, says what was wrong).
ModuleData* LoadModule(const uint8_t* bytes, size_t size, ModuleRefusal* why = nullptr);
// Reads a file (through an 8192-byte buffer) and parses it; nullptr on failure. `unreadable`,
// when given, tells a file that could not be read from a module that was refused.
ModuleData* LoadModuleFile(const char* path, ModuleRefusal* why = nullptr,
                           bool* unreadable = nullptr);
void FreeModule(ModuleData* module);

// The pattern an order entry plays.
const ModulePattern& PatternAtOrder(const ModuleData& module, int order);
