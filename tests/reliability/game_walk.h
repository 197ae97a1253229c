// game_walk.h - drives the whole game through its modes as a player would, step by step.
//
// A walk is a list of steps. Each waits until the game is in the step's mode, lets a few
// frames pass, holds the step's keys for a number of drawn frames and lets go. Held for 16
// frames, keys meet exactly one poll of a menu (the menus read their keys every 16th frame),
// so one step is one choice there; in play the keys act on every frame they are held.
// A step's check runs when its keys are let go. The walk then waits for the game to quit
// (the last step is usually "EXIT GAME"); a step whose mode never comes ends the run.
//
// Runs on the scripted backend (RunScriptedGame) or, for the SDL backend's own devices, on
// the SDL backend with SDL's offscreen video driver, the keys then pushed as key events.
// Main thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct WalkStep {
    int32_t mode;                     // GameMode the step waits for
    std::vector<int> keys;            // virtual-key codes held together
    int hold = 16;                    // drawn frames the keys are held
    int wait = 4;                     // drawn frames in the mode before the keys go down
    std::function<void()> check = {}; // runs when the keys are let go
};

struct WalkResult {
    int exitCode = -1;
    uint32_t frames = 0;
    size_t stepsDone = 0;        // steps whose keys went down
    bool timedOut = false;       // the frame limit ended the run
    uint32_t modeFrames[5] = {}; // drawn frames seen in each of modes 0 to 4
};

// The usual steps.
WalkStep MenuStartGame();        // up to "START GAME", space
WalkStep MenuHighScores();       // space on "HIGHSCORES" (where the menu opens)
WalkStep MenuExitGame();         // down to "EXIT GAME", space
WalkStep HighScoresSave();       // space on "SAVE SCORES" (where the mode opens)
WalkStep HighScoresBackToMenu(); // down to "BACK TO MENU", space (from "SAVE SCORES")
WalkStep PlayEscape();           // Escape: the game ends, the high scores follow

// Runs the game from start-up on the scripted backend through the steps. onFrame, when
// given, runs after every drawn frame (before the walk sets the next frame's keys).
WalkResult WalkGame(const std::vector<WalkStep>& steps, uint32_t maxFrames = 20000,
                    const std::function<void(uint32_t frame)>& onFrame = {},
                    const std::vector<std::string>& gameParameters = {});

// The same on the SDL backend (offscreen video driver; the audio driver is whatever the
// environment names): the real keyboard road, keys pushed as key-down events every frame
// they are held, "Fullscreen?" answered by --windowed. Real time: keep walks short.
WalkResult WalkGameOnSdl(const std::vector<WalkStep>& steps, uint32_t maxFrames = 3000,
                         const std::function<void(uint32_t frame)>& onFrame = {});

// The step sequence of a short game: into play, walk and fly about and fire, Escape, back
// from the high scores to the menu, and out through "EXIT GAME".
std::vector<WalkStep> ShortGameSteps();
