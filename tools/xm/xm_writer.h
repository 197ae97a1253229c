// xm_writer.h - a plain in-memory XM module and its serialisation to XM 1.04 bytes.
//
// Used by the asset generator to compose the game's songs, and by the sound tests and the
// benchmark to build small modules. It writes what it is given (delta-coded 8- or 16-bit
// samples, packed patterns, envelopes, auto-vibrato); it does not play anything.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum : uint8_t {
    XM_NOTE_NONE = 0,
    XM_NOTE_KEY_OFF = 97, // notes 1..96 are C-0 .. B-7
    XM_LOOP_NONE = 0,
    XM_LOOP_FORWARD = 1,
    XM_LOOP_PINGPONG = 2,
};

struct XmEnvelope {
    std::vector<std::pair<uint16_t, uint16_t>> points; // (tick, value 0..64), at most 12
    uint8_t sustainPoint = 0;
    uint8_t loopStart = 0;
    uint8_t loopEnd = 0;
    bool on = false;
    bool sustain = false;
    bool loop = false;
};

struct XmSample {
    std::string name;
    std::vector<int16_t> data; // sample values: -128..127 when !sixteenBit
    bool sixteenBit = false;
    uint32_t loopStart = 0;  // in samples
    uint32_t loopLength = 0; // in samples; 0 with a loop type means no loop
    uint8_t loopType = XM_LOOP_NONE;
    uint8_t volume = 64;     // 0..64
    int8_t finetune = 0;     // -128..127 (1/128 semitone)
    uint8_t panning = 128;   // 0..255
    int8_t relativeNote = 0; // semitones relative to C-4 at 8363 Hz
};

struct XmInstrument {
    std::string name;
    std::vector<XmSample> samples; // at most 16
    uint8_t keymap[96] = {};       // sample number for each note
    XmEnvelope volumeEnvelope;
    XmEnvelope panningEnvelope;
    uint8_t vibratoType = 0; // 0 sine, 1 square, 2 ramp down, 3 ramp up
    uint8_t vibratoSweep = 0;
    uint8_t vibratoDepth = 0;
    uint8_t vibratoRate = 0;
    uint16_t fadeout = 0;
};

struct XmCell {
    uint8_t note = XM_NOTE_NONE;
    uint8_t instrument = 0; // 1-based; 0 none
    uint8_t volume = 0;     // volume column byte; 0 none, 0x10..0x50 set volume, 0x60.. commands
    uint8_t effect = 0;
    uint8_t param = 0;
};

struct XmPattern {
    int rows = 64;             // 1..256
    std::vector<XmCell> cells; // rows x channels, row by row
    void Resize(int rowCount, int channels) {
        rows = rowCount;
        cells.assign(size_t(rowCount) * channels, XmCell{});
    }
    XmCell& At(int row, int channel, int channels) {
        return cells[size_t(row) * channels + channel];
    }
};

struct XmModule {
    std::string name;
    std::string trackerName = "MORVEXA assetgen";
    int channels = 8; // 1..64
    bool linearFrequencies = true;
    uint16_t speed = 6;   // ticks per row
    uint16_t tempo = 125; // BPM
    uint16_t restartPosition = 0;
    std::vector<uint8_t> orders; // 1..256 pattern numbers
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments;
};

// Serialises the module. On a module that cannot be written (sizes out of range) returns an
// empty vector and puts the reason into *error when given.
std::vector<uint8_t> WriteXm(const XmModule& module, std::string* error = nullptr);
