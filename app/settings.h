// settings.h - the player's settings file: music and effects volume, the key of each action,
// and whether the game asks "Fullscreen?".
//
// The file is $XDG_CONFIG_HOME/morvexa/morvexa.conf (~/.config/morvexa/morvexa.conf), plain
// "name = value" lines, "#" starting a comment. On the first start the game writes it with
// every setting at its default and a line of explanation each; after that it only reads it,
// so the player's edits are never written over. A line that cannot be used (an unknown
// name, a value out of range, a key name no key has, a key already bound to another action,
// a setting given twice) is reported on standard error with its line number, and that
// setting keeps its default. Only the real game reads the file; the scripted driver and the
// tests play with the defaults, so their runs repeat. Main thread, once at start-up.
#pragma once

#include <string>
#include <vector>

enum Action : int {
    ACTION_LEFT,
    ACTION_RIGHT,
    ACTION_UP,
    ACTION_DOWN,
    ACTION_FIRE,
    ACTION_WEAPON1,
    ACTION_WEAPON2,
    ACTION_WEAPON3,
    ACTION_WEAPON4,
    ACTION_WEAPON5,
    ACTION_END_GAME,
    ACTION_COUNT,
};

struct Settings {
    int musicVolume = 25;   // the music player's steps, 0 to 25
    int effectsVolume = 25; // the same steps for the sound effects
    int fullscreen = -1;    // FullscreenChoice: ask (-1), window (0), full screen (1)
    int keys[ACTION_COUNT]; // platform key numbers (PlatformKeyFromName)
    Settings();             // the defaults
};

// The file's place from the environment's values; "" when neither names a folder.
std::string SettingsPath(const char* xdgConfigHome, const char* home);

// Reads settings text; each line that cannot be used adds a message "FILE:LINE: what" to
// problems and leaves its setting at the default.
Settings ParseSettings(const std::string& text, const std::string& fileName,
                       std::vector<std::string>* problems);

// The text written on first start: every setting at its default, with explanations.
std::string DefaultSettingsText();

// Reads the player's file; without one, the defaults. A file that cannot be read is said on
// stderr and the defaults are used. Writes nothing.
Settings LoadSettings();
// Where there is no settings file, writes one with the defaults (DefaultSettingsText); a
// file that cannot be written is said on stderr. Start-up calls it once the window is open.
void WriteDefaultSettings();
// Puts the volumes and key bindings in force.
void ApplySettings(const Settings& settings);
