// scripted.h - control of the scripted backend, for tests, benchmarks and morvexa-script.
//
// The scripted backend keeps a virtual millisecond clock that only Sleep advances, holds
// keys as the script or the test says, answers "Fullscreen?" as told, and calls a frame
// hook after each drawn frame is rendered and before it is presented, so that a caller can
// read its pixels, dump the game state and set the keys of the next frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Puts the backend back to its start: clock at SCRIPT_CLOCK_START, no keys held, frame
// count 0, "Fullscreen?" answered No, no hook. Call before each in-process run.
constexpr uint32_t SCRIPT_CLOCK_START = 1000;
void ScriptReset();

void ScriptSetFullscreenAnswer(bool yes);
void ScriptSetKey(int vk, bool down);
void ScriptAdvanceClock(uint32_t ms);

// Called with the number of the frame just drawn (1 for the first); it may throw
// ProgramExit to end the run after that frame.
using ScriptFrameHook = void (*)(uint32_t frame, void* context);
void ScriptSetFrameHook(ScriptFrameHook hook, void* context);

// Reads the game's frame (its letterbox rectangle: 800 x 600 in a window, scaled on a full
// screen) from the back buffer as rows of RGB bytes, top row first. Valid inside the frame
// hook. Returns false when there is no window.
bool ScriptReadFrame(std::vector<uint8_t>* rgb, int* width, int* height);
// The whole drawable, black bars included, the same way.
bool ScriptReadDrawable(std::vector<uint8_t>* rgb, int* width, int* height);

// ---------------------------------------------------------------- key scripts
// One command a line, '#' starts a comment:
//   fullscreen yes|no
//   at N down KEY | at N up KEY       (KEY: escape space left up right down f1 .. f5; N >= 1)
//   at N screenshot FILE              (.png or .bmp)
//   at N dump FILE                    (JSON state after frame N)
//   at N end
enum ScriptAction { SCRIPT_KEY_DOWN, SCRIPT_KEY_UP, SCRIPT_SCREENSHOT, SCRIPT_DUMP, SCRIPT_END };
struct ScriptCommand {
    uint32_t frame;
    ScriptAction action;
    int key;          // virtual-key code for SCRIPT_KEY_DOWN / SCRIPT_KEY_UP
    std::string file; // for SCRIPT_SCREENSHOT / SCRIPT_DUMP
};
struct KeyScript {
    bool fullscreen = false;
    std::vector<ScriptCommand> commands; // in file order
};

// Parses a script text. On error returns false and puts "line N: reason" into *error.
bool ParseKeyScript(const std::string& text, KeyScript* script, std::string* error);
int KeyCodeFromName(const std::string& name); // -1 when unknown
const char* KeyScriptName(int vk);            // "" when vk is none of the script's keys
