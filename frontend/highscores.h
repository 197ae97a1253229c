// highscores.h - the high-score table and its file "scores.dat".
//
// The table is a cursor list of named scores, highest first after every addition. It lives
// for the whole run: start-up sets its size and file name, the high-score mode loads it on
// each entry, adds the player's score, resets it and saves it on request. Main thread only.
//
// The file is the entries in table order, each a name line (the name's bytes, then CR LF)
// followed by the score as a signed 32-bit little-endian number; no header, no count. The
// reader also takes a lone CR, a lone LF, a NUL or the end of the file as the end of a name,
// and counts missing score bytes at the end as 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/list.h"

struct HighScoreEntry {
    std::string name; // any bytes but CR, LF and NUL; any length
    int32_t score;
};

extern List<HighScoreEntry> HighScores; // position 1 is the first entry; not limited in length
extern int32_t MaxScores;               // default entries, and the length a short file is padded to
extern std::string ScoreFileName;       // "scores.dat", in the working directory
extern bool ScoreFileReadOnly;          // read but never written (while a replay plays)

// Start-up: MaxScores = count, ScoreFileName = fileName. The table stays as it is (empty).
void InitHighScores(int32_t count, const char* fileName);

// Replaces the table by MaxScores entries "AMIGA RULEZ" with 140000, 130000, ... (150000 -
// 10000 i for entry i).
void ResetHighScores();

// Adds the entry right after the current one, then sorts the whole table, highest first, with
// the runtime's quicksort (equal scores come out in the order that sort gives). Nothing is
// removed.
void AddHighScore(const std::string& name, int32_t score);

// The entry at a 1-based position, which becomes the current entry (so a following
// AddHighScore inserts right after it). Outside the table: "" and 0, and no current entry.
const std::string& HighScoreName(int32_t position);
int32_t HighScoreValue(int32_t position);

// Replaces the table by every record of the file, in file order, padded with ("", 0) up to
// MaxScores. Returns 1, or 0 (table unchanged) when the file cannot be opened or is not a
// regular file. A file too large for memory leaves the records that fitted (said on stderr).
int32_t LoadHighScores();

// Writes the table to the file without ever losing the old one: the bytes go to a new file
// beside it, which is flushed to disk and then renamed over it. A symbolic link is followed
// (the file it leads to is replaced, in its own folder); a read-only file is not replaced;
// temporary files left by killed saves of ended processes are removed first. A table that
// was only partly read (the file did not fit in memory) is not saved, nor is any table while
// ScoreFileReadOnly is set. Returns 1 when the new file is in place, 0 when anything failed
// (said on stderr, but for a read-only table; the old file is then untouched).
int32_t SaveHighScores();

// ---------------------------------------------------------------- the format alone
// Appends every record of the bytes to the table (no padding); returns the record count.
int32_t ReadHighScoreRecords(const uint8_t* data, size_t size, List<HighScoreEntry>& table);
// The file's bytes for the table.
std::string HighScoreFileBytes(const List<HighScoreEntry>& table);
