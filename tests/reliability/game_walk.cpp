// game_walk.cpp - drives the whole game through its modes, step by step.
#include "tests/reliability/game_walk.h"

#include "app/globals.h"
#include "app/mode_loop.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "platform/test_input.h"
#include "support/random.h"
#include "tests/testkit.h"

namespace {

enum WalkPhase { WAIT_FOR_MODE, WAIT, HOLD, RELEASE };

// Where the walk stands; advanced once per drawn frame by the frame hook.
struct Walker {
    const std::vector<WalkStep>* steps;
    uint32_t maxFrames;
    bool sdlKeys; // push key events (SDL backend) instead of setting scripted keys
    size_t index = 0;
    WalkPhase phase = WAIT_FOR_MODE;
    int counter = 0;
    bool timedOut = false;
    uint32_t modeFrames[5] = {};
};

const char* SdlKeyName(int vk) {
    switch (vk) {
    case VK_ESCAPE: return "Escape";
    case VK_SPACE: return "Space";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_F1: return "F1";
    case VK_F2: return "F2";
    case VK_F3: return "F3";
    case VK_F4: return "F4";
    case VK_F5: return "F5";
    default: return "";
    }
}

// Scripted keys are held; on SDL a pushed key-down latches one press, so the keys are pushed
// on every held frame in play and the target round (which read them every frame) and once
// in the menus (which would otherwise see a fresh press at the next poll too).
void SetKeys(const Walker& w, const WalkStep& step, bool down, bool first) {
    for (int vk : step.keys) {
        if (!w.sdlKeys) {
            ScriptSetKey(vk, down);
        } else if (down) {
            const bool everyFrame = step.mode == MODE_PLAY || step.mode == MODE_LEVEL_END;
            if (first || everyFrame) PushKeyDown(SdlKeyName(vk), false, false);
        }
    }
}

// Returns false to end the run.
bool AdvanceWalk(Walker& w, uint32_t frame) {
    if (GameMode >= 0 && GameMode < 5) w.modeFrames[GameMode] += 1;
    if (frame >= w.maxFrames) {
        w.timedOut = true;
        return false;
    }
    if (w.index >= w.steps->size()) return true; // waiting for the game to quit
    const WalkStep& step = (*w.steps)[w.index];
    switch (w.phase) {
    case WAIT_FOR_MODE:
        if (GameMode == step.mode) w.phase = WAIT, w.counter = 0;
        break;
    case WAIT:
        if (++w.counter >= step.wait) {
            SetKeys(w, step, true, true);
            w.phase = HOLD, w.counter = 0;
        }
        break;
    case HOLD:
        if (++w.counter >= step.hold) {
            SetKeys(w, step, false, false);
            w.phase = RELEASE, w.counter = 0;
        } else {
            SetKeys(w, step, true, false);
        }
        break;
    case RELEASE:
        if (++w.counter >= 2) {
            if (step.check) step.check();
            w.index += 1;
            w.phase = WAIT_FOR_MODE;
        }
        break;
    }
    return true;
}

WalkResult ResultOf(const Walker& w, int exitCode, uint32_t frames) {
    WalkResult r;
    r.exitCode = exitCode;
    r.frames = frames;
    // A step whose keys went down counts: "EXIT GAME" ends the run before they are let go.
    r.stepsDone = w.index + (w.index < w.steps->size() && (w.phase == HOLD || w.phase == RELEASE));
    r.timedOut = w.timedOut;
    for (int m = 0; m < 5; m++) r.modeFrames[m] = w.modeFrames[m];
    return r;
}

} // namespace

WalkStep MenuStartGame() {
    return {MODE_MENU, {VK_UP, VK_SPACE}};
}
WalkStep MenuHighScores() {
    return {MODE_MENU, {VK_SPACE}};
}
WalkStep MenuExitGame() {
    return {MODE_MENU, {VK_DOWN, VK_SPACE}};
}
WalkStep HighScoresSave() {
    return {MODE_HIGHSCORES, {VK_SPACE}};
}
WalkStep HighScoresBackToMenu() {
    return {MODE_HIGHSCORES, {VK_DOWN, VK_SPACE}};
}
WalkStep PlayEscape() {
    return {MODE_PLAY, {VK_ESCAPE}, 2};
}

std::vector<WalkStep> ShortGameSteps() {
    return {MenuStartGame(),
            {MODE_PLAY, {VK_RIGHT}, 60},
            {MODE_PLAY, {VK_UP, VK_SPACE}, 30},
            {MODE_PLAY, {VK_LEFT, VK_SPACE}, 40},
            PlayEscape(),
            HighScoresBackToMenu(),
            MenuExitGame()};
}

WalkResult WalkGame(const std::vector<WalkStep>& steps, uint32_t maxFrames,
                    const std::function<void(uint32_t frame)>& onFrame,
                    const std::vector<std::string>& gameParameters) {
    Walker w{&steps, maxFrames, false};
    const ScriptedRun run = RunScriptedGame(
        "",
        [&](uint32_t frame) {
            if (onFrame) onFrame(frame);
            return AdvanceWalk(w, frame);
        },
        gameParameters);
    return ResultOf(w, run.exitCode, run.frames);
}

namespace {

struct SdlWalkContext {
    Walker* walker;
    const std::function<void(uint32_t)>* onFrame;
};

void OnSdlFrame(uint32_t frame, void* context) {
    SdlWalkContext& c = *static_cast<SdlWalkContext*>(context);
    if (*c.onFrame) (*c.onFrame)(frame);
    if (!AdvanceWalk(*c.walker, frame)) throw ProgramExit{0};
}

} // namespace

WalkResult WalkGameOnSdl(const std::vector<WalkStep>& steps, uint32_t maxFrames,
                         const std::function<void(uint32_t frame)>& onFrame) {
    Walker w{&steps, maxFrames, true};
    SdlWalkContext context{&w, &onFrame};
    ScriptReset();
    RandomUnseed();
    ScriptSetFrameHook(OnSdlFrame, &context);
    std::string name = "morvexa", windowed = "--windowed";
    char* argv[] = {name.data(), windowed.data(), nullptr};
    const int code = RunGame(PLATFORM_SDL, 2, argv);
    const uint32_t frames = PlatformFrameCount();
    ScriptSetFrameHook(nullptr, nullptr);
    return ResultOf(w, code, frames);
}
