// command_line.cpp - reading the game's parameters and answering --help and --version.
#include "app/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "packaging/install_dirs.h"

namespace {

const char* const USAGE =
    "usage: morvexa [info] [--fullscreen | --windowed] [--music-volume N] [--effects-volume N]\n"
    "               [--record FILE | --replay FILE] [--help] [--version]\n";

const char* const HELP =
    "MORVEXA: an oldschool jet-pack robot arcade game.\n"
    "\n"
    "  info          show the render layer's banner before the display opens\n"
    "  --fullscreen  play full screen without asking \"Fullscreen?\"\n"
    "  --windowed    play in a window without asking \"Fullscreen?\"\n"
    "  --music-volume N, --effects-volume N\n"
    "                music or effects volume for this run, 0 to 25 (2 dB a step)\n"
    "  --record FILE play and write the replay of the whole run to FILE\n"
    "  --replay FILE show the run recorded in FILE, in real time; the recorded keys play\n"
    "                (Escape too); closing the window ends it\n"
    "  --help        print this help and exit\n"
    "  --version     print the version and exit\n"
    "\n"
    "Keys: arrows walk, fly and use machines; space fires and chooses; F1 to F5 choose\n"
    "the weapon; Escape ends the game; Alt+Enter switches between window and full screen.\n"
    "A gamepad works too: D-pad or left stick, A fires, Start or Back is Escape, the\n"
    "shoulder buttons change the weapon.\n"
    "\n"
    "Started from a folder that holds startmap.map, the game keeps its files there;\n"
    "otherwise in $XDG_DATA_HOME/morvexa (~/.local/share/morvexa): startmap.map,\n"
    "scores.dat and an optional gamecontrollerdb.txt.\n"
    "\n"
    "Settings (volumes, the key of each action, whether to ask \"Fullscreen?\") are read from\n"
    "$XDG_CONFIG_HOME/morvexa/morvexa.conf (~/.config/morvexa/morvexa.conf), which the game\n"
    "writes with its defaults and explanations on the first start.\n"
    "\n"
    "The replay of the last run is kept in the data folder as last.replay (written at the\n"
    "end of each game and at exit): copy it to keep a good run, show it with --replay.\n";

// The exit code of an answer: 0 once every byte of it reached `out`, else 1 with the reason
// (a full disk, a closed output) on `err`.
int Written(std::FILE* out, std::FILE* err) {
    if (std::fflush(out) == 0 && !std::ferror(out)) return 0;
    std::fprintf(err, "morvexa: cannot write the answer: %s\n", std::strerror(errno));
    return 1;
}

} // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine command;
    for (int i = 1; i < argc; i++) {
        const char* p = argv[i] ? argv[i] : "";
        if (std::strcmp(p, "info") == 0) {
            command.info = true;
        } else if (std::strcmp(p, "--fullscreen") == 0) {
            command.fullscreen = FULLSCREEN_YES;
        } else if (std::strcmp(p, "--windowed") == 0) {
            command.fullscreen = FULLSCREEN_NO;
        } else if (std::strcmp(p, "--music-volume") == 0 ||
                   std::strcmp(p, "--effects-volume") == 0) {
            int& volume = p[2] == 'm' ? command.musicVolume : command.effectsVolume;
            const char* value = i + 1 < argc && argv[i + 1] ? argv[++i] : "";
            char* end = nullptr;
            const long n = std::strtol(value, &end, 10);
            if (*value >= '0' && *value <= '9' && *end == '\0' && n <= 25) {
                volume = int(n);
            } else {
                if (command.action != COMMAND_BAD) command.bad = std::string(p) + " " + value;
                command.action = COMMAND_BAD;
            }
        } else if (std::strcmp(p, "--record") == 0 || std::strcmp(p, "--replay") == 0) {
            const bool record = p[4] == 'c';
            std::string& file = record ? command.recordFile : command.replayFile;
            const bool both = !(record ? command.replayFile : command.recordFile).empty();
            const char* value = i + 1 < argc && argv[i + 1] ? argv[++i] : "";
            if (*value != '\0' && !both) {
                file = value;
            } else {
                // One recording a run: a replay is not recorded again.
                if (command.action != COMMAND_BAD)
                    command.bad = both ? "--record with --replay" : std::string(p) + " ";
                command.action = COMMAND_BAD;
            }
        } else if (std::strcmp(p, "--help") == 0 || std::strcmp(p, "-h") == 0) {
            if (command.action == COMMAND_PLAY) command.action = COMMAND_HELP;
        } else if (std::strcmp(p, "--version") == 0) {
            if (command.action == COMMAND_PLAY) command.action = COMMAND_VERSION;
        } else {
            // A parameter we do not know wins over everything else: a mistyped option must
            // never start the game with a choice the player did not make.
            if (command.action != COMMAND_BAD) command.bad = p;
            command.action = COMMAND_BAD;
        }
    }
    return command;
}

int AnswerCommandLine(const CommandLine& command, std::FILE* out, std::FILE* err) {
    switch (command.action) {
    case COMMAND_PLAY: return -1;
    case COMMAND_HELP:
        std::fputs(USAGE, out);
        std::fputs("\n", out);
        std::fputs(HELP, out);
        return Written(out, err);
    case COMMAND_VERSION: std::fprintf(out, "morvexa %s\n", MVX_VERSION); return Written(out, err);
    case COMMAND_BAD:
        std::fprintf(err, "morvexa: unknown parameter '%s'\n", command.bad.c_str());
        std::fputs(USAGE, err);
        std::fputs("Try 'morvexa --help' for more information.\n", err);
        return 2;
    }
    return 2;
}
