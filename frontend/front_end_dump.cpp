// front_end_dump.cpp - the high-score table and the equalizer in the state dump.
#include "frontend/front_end_dump.h"

#include "core/json_writer.h"
#include "frontend/audio_input.h"
#include "frontend/equalizer.h"
#include "frontend/highscores.h"

namespace {

// A table loaded from a huge file would make the dump unreadable; the count tells the rest.
constexpr int DUMPED_SCORES = 1000;

} // namespace

void DumpFrontEndState(JsonWriter& j) {
    j.Field("HighScoreCount", HighScores.count);
    j.Key("HighScores");
    j.BeginArray();
    int written = 0;
    for (const List<HighScoreEntry>::Node* n = HighScores.first; n && written < DUMPED_SCORES;
         n = n->next, written++) {
        j.BeginObject();
        j.FieldS("name", n->record.name);
        j.Field("score", n->record.score);
        j.EndObject();
    }
    j.EndArray();
    j.Field("MaxScores", MaxScores);
    j.Key("EqualizerPeaks");
    j.BeginArray();
    for (int k = 0; k < EQUALIZER_COLUMNS; k++) j.Int(AudioInput.peak[k]);
    j.EndArray();
    j.FieldF("EqualizerSpin", EqualizerSpin);
}
