// command_line.h - the game's command-line parameters.
//
//     morvexa [info] [--fullscreen | --windowed] [--music-volume N] [--effects-volume N]
//             [--record FILE | --replay FILE] [--help] [--version]
//
// "info" (exactly, case-sensitive) shows the render layer's banner box before the display
// opens, as designed. --fullscreen and --windowed answer "Fullscreen?" in advance, so a
// desktop launcher can start the game without the question; of several, the last one
// counts. --music-volume and --effects-volume (0 to 25) override the settings file for one
// run; a missing or bad value is a bad parameter. --record FILE writes the run's replay to
// FILE, --replay FILE plays one back (app/replay_run.h); one of them at most. --help and --version
// print and end the program with code 0 (1 when the answer cannot be written: a full disk, a closed
// output); anything else prints the usage to standard error and ends it with code 2. Called once by
// RunGame, before the platform starts, on the main thread.
#pragma once

#include <cstdio>
#include <string>

enum FullscreenChoice : int { FULLSCREEN_ASK = -1, FULLSCREEN_NO = 0, FULLSCREEN_YES = 1 };

enum CommandAction {
    COMMAND_PLAY,    // run the game
    COMMAND_HELP,    // print the help text, exit 0
    COMMAND_VERSION, // print the version, exit 0
    COMMAND_BAD,     // print the usage, exit 2
};

struct CommandLine {
    CommandAction action = COMMAND_PLAY;
    int fullscreen = FULLSCREEN_ASK; // FullscreenChoice
    bool info = false;               // "info" was given: show the banner box
    int musicVolume = -1;            // 0 to 25 from the command line; -1 not given
    int effectsVolume = -1;
    std::string recordFile; // --record FILE; "" when not given
    std::string replayFile; // --replay FILE; "" when not given
    std::string bad;        // the first parameter that was not understood
};

// Reads argv[1] .. argv[argc - 1]; argv[0] is the program's name.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// For help, version and bad parameters: prints to out (help, version) or err (usage) and
// returns the exit code. For COMMAND_PLAY prints nothing and returns -1.
int AnswerCommandLine(const CommandLine& command, std::FILE* out, std::FILE* err);
