// script_main.cpp - morvexa-script: runs the real game on the scripted backend.
//
//     morvexa-script SCRIPT [GAME PARAMETERS...]
//
// Runs from start-up in the current working directory (so "startmap.map" and "scores.dat"
// are read there, as by the game), holds keys as the script says, writes screenshots and
// state dumps at the frames asked for, and exits 0 when the script ends or the game quits.
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
    uint32_t lastFrame = 0; // the script ends after this frame
    bool failed = false;
};

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
            std::ofstream out(c.file, std::ios::binary);
            out << DumpState(frame);
            if (!out) {
                std::fprintf(stderr, "morvexa-script: cannot write dump %s\n", c.file.c_str());
                run.failed = true;
            }
        }
    }
    if (frame >= run.lastFrame) throw ProgramExit{0};
    ApplyKeys(run, frame + 1); // keys "at N" are held from frame N on
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: morvexa-script SCRIPT [GAME PARAMETERS...]\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "morvexa-script: cannot read %s\n", argv[1]);
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    DriverRun run;
    std::string error;
    if (!ParseKeyScript(text.str(), &run.script, &error)) {
        std::fprintf(stderr, "morvexa-script: %s: %s\n", argv[1], error.c_str());
        return 2;
    }
    for (const ScriptCommand& c : run.script.commands)
        if (c.frame > run.lastFrame) run.lastFrame = c.frame;

    ScriptReset();
    ScriptSetFullscreenAnswer(run.script.fullscreen);
    ApplyKeys(run, 0);
    ApplyKeys(run, 1);
    ScriptSetFrameHook(OnFrame, &run);
    // The game sees the parameters after the script's name, as if it had been started itself.
    int code = RunGame(PLATFORM_SCRIPTED, argc - 1, argv + 1);
    if (code == 0 && run.failed) code = 1;
    return code;
}
