// data_dir.h - the folder the game works in, where "startmap.map" and "scores.dat" live.
//
// The game reads "startmap.map" and reads and writes "scores.dat" in its working directory.
// Started from a folder that holds "startmap.map" (the source tree, a portable copy), it
// works there. Otherwise (installed) it works in $XDG_DATA_HOME/morvexa/ (by default
// ~/.local/share/morvexa/), which it creates, and into which it copies the installed map on
// first start. When that folder cannot be made or filled, the game still starts: it plays
// in a fresh temporary folder and says on standard error that scores will not be kept.
//
// Called by RunGame (SDL backend only: tests and the scripted driver work in the folder they
// are started in) on the main thread: nothing is made before the game window is open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum DataDirKind {
    DATA_DIR_PORTABLE,  // the starting folder holds startmap.map: stay there
    DATA_DIR_USER,      // $XDG_DATA_HOME/morvexa
    DATA_DIR_TEMPORARY, // the user folder failed: a fresh folder under $TMPDIR or /tmp
    DATA_DIR_UNCHANGED, // everything failed: stay where we were started
};

struct DataDirResult {
    DataDirKind kind = DATA_DIR_UNCHANGED;
    std::string path;                  // the working directory now
    std::string mapSource;             // where a map copied now came from ("" when none was)
    std::vector<std::string> warnings; // lines for standard error
};

// $XDG_DATA_HOME/morvexa when XDG_DATA_HOME is an absolute path (relative values are
// ignored, as the XDG rules say), else $HOME/.local/share/morvexa; "" when neither is known.
std::string UserDataDir(const char* xdgDataHome, const char* home);

// mkdir -p of a folder and its parents, each made private to the user (0700); false with
// the reason in why when one cannot be made.
bool MakeFolders(const std::string& path, std::string* why);

// The installed maps to copy from, best first: the data folder found relative to the
// executable (right for a prefix that was moved, or packaged under another prefix than the
// build was configured for), then the configured data folder.
std::vector<std::string> InstalledMapPlaces(const std::string& executablePath);

// Chooses the working directory by the rules above (reading HOME and XDG_DATA_HOME) and
// enters it. installedMaps are tried in order; the map embedded in the program is the last
// resort. Never fails the game.
DataDirResult EnterDataDir(const std::vector<std::string>& installedMaps);

// Before the display is checked: enters the user folder if it is there already, making and
// copying nothing, so that what the platform reads at its start (gamecontrollerdb.txt) is
// found in it. A game without a display leaves no trace.
void EnterExistingDataDir();

// What the game calls once its window is open: back to the starting folder, then
// EnterDataDir with the installed places of this executable, the warnings printed to
// standard error.
void SetUpDataDir();

// Writes dir/name through a temporary file beside it and a rename, so that a write cut short
// never leaves a half-written file. False with the reason in why.
bool WriteFileAtomically(const std::string& dir, const char* name, const uint8_t* data, size_t size,
                         std::string* why);

// True while the game plays in a temporary folder that its end removes.
bool DataDirIsTemporary();

// At the end of the game: a temporary folder played in is left and removed with its files.
void RemoveTemporaryDataDir();
