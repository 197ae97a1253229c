// music_synth.h - the instruments of the game's songs, synthesised in code.
//
// Called by the song compiler (music_song.cpp) of the asset generator, on its only thread.
// Each preset (saw and pulse leads, basses, chord pads, bells, organ, kick, snare, hats,
// noise) makes one XM instrument from a few settings written in the song file, such as
// "duty=0.25 pwm=0.2 env=0:64,8:40 sus=1 fade=512". The output is deterministic: noise comes
// from fixed-seed generators, never from the clock.
//
// Tuning: every sample is made so that note C-4 sounds middle C (261.63 Hz) for tonal presets
// or the drum as designed; the relative note and finetune of the XM sample carry the rate.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/xm/xm_writer.h"

// The settings of one instrument line: key=value pairs. Every key must be read by the
// preset or the common part, so a misspelt setting is an error instead of being ignored.
struct InstrumentSettings {
    std::map<std::string, std::string> values;
    mutable std::set<std::string> used;

    bool Has(const std::string& key) const;
    double Number(const std::string& key, double fallback) const;
    std::string Text(const std::string& key, const std::string& fallback) const;
};

// One synthesised sample before it is stored: any scale (it is normalised when stored).
struct SynthWave {
    std::vector<double> values;
    double rateAtC4 = 8363.0; // playback rate in Hz that gives the intended sound at C-4
    size_t loopStart = 0;
    size_t loopLength = 0; // 0: no loop
    uint8_t loopType = XM_LOOP_NONE;
};

// Builds instrument `preset` with its settings. False with a reason in *error when the preset
// is unknown, a setting is out of range or a key was not recognised.
bool SynthesiseInstrument(const std::string& preset, const InstrumentSettings& settings,
                          XmInstrument* out, std::string* error);

// The names SynthesiseInstrument knows, for messages.
std::vector<std::string> SynthPresetNames();

// Stores a wave as an XM sample: peak-normalised to `peak` (0..1) of full scale at 8 or 16
// bits, relative note and finetune set from its rate at C-4 plus `transpose` semitones.
XmSample StoreWave(const SynthWave& wave, bool sixteenBit, double peak, double transpose);

// Parses "0:64,4:40,30:0" into envelope points (ticks ascending, values 0..64).
bool ParseEnvelopePoints(const std::string& text, XmEnvelope* envelope, std::string* error);
