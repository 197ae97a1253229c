// front_end_dump.h - the front end's part of the state dump: the high-score table and the
// equalizer. Called by DumpState (app/state_dump.cpp) on the main thread.
#pragma once

class JsonWriter;

// Writes "HighScores" (name/score records in table order, at most the first 1000, with the
// full count in "HighScoreCount"), "MaxScores", "EqualizerPeaks" and "EqualizerSpin".
void DumpFrontEndState(JsonWriter& j);
