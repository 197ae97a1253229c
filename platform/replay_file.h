// replay_file.h - the replay file: a recording of a run as text.
//
//     morvexa-replay 1 ~15b6
//     game 1.0.0 ~1591
//     seed 1000 ~d5a7
//     map fe3b52d7ecf68725 ~dcec
//     17 up 0 8001 ~f43b
//     33 up 0 0 ~058f
//     33 space 0 8001 ~f3f9
//     ...
//     end 2776 ~92ce
//
// One record a line, in this order: the format version; the version of the game that
// recorded it; the random seed of its start-up; the FNV-1a 64 hash of the bytes of the
// startmap.map it played (16 hex digits; "none" when there was no map); the key events
// (platform/replay.h), each "FRAME KEY QUERY RESULT" with KEY named as in key scripts and
// RESULT in hex (0, 1, 8000 or 8001), in the order they happened; and the number of the last
// drawn frame. Every line ends with " ~" and a check: the low 16 bits, in 4 hex digits, of
// the FNV-1a 64 hash of every byte of the file from its start up to the end of this line's
// text. A changed byte is found in its own line, a lost line in the line after it, and a
// file without its "end" line is cut short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/replay.h"

constexpr int REPLAY_FORMAT_VERSION = 1;
constexpr size_t REPLAY_MAX_FILE_BYTES = size_t(64) << 20; // far more than a day of play

struct ReplayRecording {
    std::string gameVersion;
    uint32_t seed = 0;
    bool hasMap = false; // false: no startmap.map was there
    uint64_t mapHash = 0;
    std::vector<ReplayKeyEvent> keys;
    uint32_t lastFrame = 0;
};

// FNV-1a 64 of the bytes; `hash` goes on from the hash of bytes before them.
constexpr uint64_t REPLAY_HASH_START = 0xcbf29ce484222325ull;
uint64_t ReplayHash(const uint8_t* data, size_t size, uint64_t hash = REPLAY_HASH_START);
// The map's line value: 16 lower-case hex digits, or "none".
std::string ReplayMapText(bool hasMap, uint64_t mapHash);

std::string FormatReplay(const ReplayRecording& recording);

// Reads a replay file's bytes. False with one line in *error ("line 7 (byte 160): ...") when
// the text is damaged, cut short or not a replay of a version this game reads; nothing is
// taken on trust (sizes, numbers, order).
bool ParseReplay(const std::vector<uint8_t>& bytes, ReplayRecording* recording, std::string* error);
