// music_song.h - compiles a song written in our tracker notation into an XM module.
//
// Called by the asset generator's music part (music.cpp) and by the music tests, on one
// thread. The notation is plain text kept under version control in tools/assetgen/music/;
// the full grammar is described in tools/assetgen/music/README.md. In short:
//
//   title   Morvexa            ; a comment runs from ';' to the end of the line
//   channels 8
//   speed 6
//   tempo 128
//   restart 0
//   minimum 90                 ; seconds the song must play before it loops
//   instrument 1 kick vol=60   ; number, synth preset, settings (see music_synth.h)
//   kit k @1 C4                ; a letter for drum grids: one row of notation
//   track bass                 ; a named piece of one channel, indented lines below
//       L2 @3 C2 C3 G2 Bb2:4
//   pattern verse 64           ; name and rows; indented "channel body" lines below
//       1 |k...s...k.k.s...|*4
//       2 $bass*4 $bass+5*4
//   order intro verse verse
//
// Everything that the module holds comes from the text; compiling the same text always
// gives the same module.
#pragma once

#include <string>

#include "tools/xm/xm_writer.h"

struct CompiledSong {
    XmModule module;
    double minimumSeconds = 0; // from the "minimum" line; 0 when the song states none
};

// Compiles the song text. `fileName` only labels messages. False with "file:line: reason"
// in *error on the first fault.
bool CompileSong(const std::string& text, const std::string& fileName, CompiledSong* out,
                 std::string* error);
