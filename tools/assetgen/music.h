// music.h - the game's five songs: which text becomes which module, and building them.
//
// Called by the asset generator (GenerateMusic) and by the music tests, on one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One song of the game: its source text in tools/assetgen/music/ and the module it becomes.
struct SongEntry {
    const char* source;   // e.g. "menu.song"
    const char* module;   // e.g. "music1.xm" (the catalogue loads these names)
    const char* playedBy; // the mode that plays it, for messages
};

// The five songs in module order (module 1 first).
const std::vector<SongEntry>& GameSongs();

// The folder that holds the song texts: beside this source file, or found from assetsDir.
std::string MusicSourceDir(const std::string& assetsDir);

// Compiles one song text file into XM bytes and checks its length against the song's own
// minimum. Prints nothing; false with the reason in *error.
bool BuildSongModule(const std::string& sourcePath, std::vector<uint8_t>* bytes, double* seconds,
                     std::string* error);
