// script_main.cpp - morvexa-script: runs the real game on the scripted backend.
//
//     morvexa-script [--dump-every N DIR] SCRIPT [GAME PARAMETERS...]
//     morvexa-script --replay FILE [--dump-every N DIR] [SCRIPT] [GAME PARAMETERS...]
//
// Runs from start-up in the current working directory (so "startmap.map" and "scores.dat"
// are read there, as by the game), holds keys as the script says, writes screenshots and
// state dumps at the frames asked for, and exits 0 when the script ends or the game quits.
// --replay plays a replay at full speed (its keys rule; the script then only takes pictures
// and dumps, and ends the run early with "at N end"); the run ends with the recording.
// --dump-every N DIR writes the state after every Nth frame to DIR/frame-000100.json and so
// on. At the end of each game "game K: score S" goes to standard output. A game parameter
// --record FILE records the run.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/mode_loop.h"
#include "app/state_dump.h"
#include "platform/image_file.h"
#include "platform/scripted.h"

namespace {

struct DriverRun {
    KeyScript script;
    uint32_t lastFrame = 0; // the script ends after this frame (0 and a replay: no end)
    bool replay = false;
    uint32_t dumpEvery = 0; // --dump-every N DIR
    std::string dumpDir;
    bool failed = false;
};

void WriteDump(DriverRun& run, const std::string& file, uint32_t frame) {
    std::ofstream out(file, std::ios::binary);
    out << DumpState(frame);
    if (!out) {
        std::fprintf(stderr, "morvexa-script: cannot write dump %s\n", file.c_str());
        run.failed = true;
    }
}

int GamesEnded = 0;
void PrintScore(int32_t score) {
    std::printf("game %d: score %d\n", ++GamesEnded, int(score));
    std::fflush(stdout);
}

// A whole decimal number from 1 to 999999999.
bool ReadCount(const char* text, uint32_t* n) {
    const std::string word = text ? text : "";
    if (word.empty() || word.size() > 9 || word.find_first_not_of("0123456789") != word.npos)
        return false;
    *n = uint32_t(std::stoul(word));
    return *n > 0;
}

void ApplyKeys(const DriverRun& run, uint32_t frame) {
    for (const ScriptCommand& c : run.script.commands) {
        if (c.action == SCRIPT_KEY_DOWN && c.frame == frame) ScriptSetKey(c.key, true);
        if (c.action == SCRIPT_KEY_UP && c.frame == frame) ScriptSetKey(c.key, false);
    }
}

void OnFrame(uint32_t frame, void* context) {
    DriverRun& run = *static_cast<DriverRun*>(context);
    for (const ScriptCommand& c : run.script.commands) {
        if (c.frame != frame) continue;
        if (c.action == SCRIPT_SCREENSHOT) {
            std::vector<uint8_t> rgb;
            int w = 0, h = 0;
            if (!ScriptReadFrame(&rgb, &w, &h) || !WriteImageFile(c.file, rgb, w, h)) {
                std::fprintf(stderr, "morvexa-script: cannot write screenshot %s\n",
                             c.file.c_str());
                run.failed = true;
            }
        } else if (c.action == SCRIPT_DUMP) {
            WriteDump(run, c.file, frame);
        }
    }
    if (run.dumpEvery && frame % run.dumpEvery == 0) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%06u.json", unsigned(frame));
        WriteDump(run, run.dumpDir + name, frame);
    }
    if ((!run.replay || run.lastFrame) && frame >= run.lastFrame) throw ProgramExit{0};
    ApplyKeys(run, frame + 1); // keys "at N" are held from frame N on
}

} // namespace

int main(int argc, char** argv) {
    const char* const usage =
        "usage: morvexa-script [--dump-every N DIR] SCRIPT [GAME PARAMETERS...]\n"
        "       morvexa-script --replay FILE [--dump-every N DIR] [SCRIPT] [GAME PARAMETERS...]\n";
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(usage, stdout);
        std::fputs(
            "\n"
            "Runs MORVEXA headless on a virtual clock: keys, screenshots and state dumps from\n"
            "the key script (see the README). At the end of each game it prints\n"
            "\"game K: score S\".\n"
            "\n"
            "  --replay FILE        play the replay FILE at full speed; the run ends with it\n"
            "  --dump-every N DIR   write the state after every Nth frame to\n"
            "                       DIR/frame-000100.json and so on\n"
            "  --record FILE        (a game parameter) record the run to FILE\n",
            stdout);
        return 0;
    }
    DriverRun run;
    std::vector<char*> game = {argv[0]};
    int i = 1;
    for (; i < argc; i++) {
        const std::string word = argv[i];
        if (word == "--replay" && i + 1 < argc && !run.replay) {
            run.replay = true;
            game.push_back(argv[i]), game.push_back(argv[i + 1]);
            i++;
        } else if (word == "--dump-every" && i + 2 < argc &&
                   ReadCount(argv[i + 1], &run.dumpEvery)) {
            run.dumpDir = argv[i + 2];
            i += 2;
        } else {
            break;
        }
    }
    // A replay needs no script: a game parameter that follows it is none.
    const char* scriptFile = nullptr;
    if (i < argc && (!run.replay || (argv[i][0] != '-' && std::string(argv[i]) != "info")))
        scriptFile = argv[i++];
    if (!scriptFile && !run.replay) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (scriptFile) {
        std::ifstream in(scriptFile, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "morvexa-script: cannot read %s\n", scriptFile);
            return 2;
        }
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!ParseKeyScript(text.str(), &run.script, &error)) {
            std::fprintf(stderr, "morvexa-script: %s: %s\n", scriptFile, error.c_str());
            return 2;
        }
    }
    for (const ScriptCommand& c : run.script.commands)
        if (c.frame > run.lastFrame && (!run.replay || c.action == SCRIPT_END))
            run.lastFrame = c.frame;
    for (; i < argc; i++) game.push_back(argv[i]);
    game.push_back(nullptr);

    ScriptReset();
    ScriptSetFullscreenAnswer(run.script.fullscreen);
    ApplyKeys(run, 0);
    ApplyKeys(run, 1);
    ScriptSetFrameHook(OnFrame, &run);
    SetGameEndHook(PrintScore);
    // The game sees the parameters after the script's name, as if it had been started itself.
    int code = RunGame(PLATFORM_SCRIPTED, int(game.size()) - 1, game.data());
    if (code == 0 && run.failed) code = 1;
    return code;
}
