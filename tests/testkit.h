// testkit.h - helpers shared by the suites, which all run headless (the scripted backend on
// SDL's offscreen driver: real GL, a virtual clock, scripted keys). Main thread only.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A fresh folder under the build tree, removed when the object goes; optionally made the
// working directory for its lifetime (the game reads and writes its files there).
class TempDir {
  public:
    explicit TempDir(bool enter = false);
    ~TempDir();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
    std::string previous_;
};

// Starts the scripted backend and opens the 800 x 600 display (answered "No"), as the game
// does at start-up. Returns false (with the reason printed) when no GL is available.
bool OpenTestDisplay();
void CloseTestDisplay();

// The current back buffer as rows of RGB, top row first (800 x 600 on the test display).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    uint32_t At(int x, int y) const; // 0xRRGGBB
};
Picture ReadBackBuffer();
// Picture files (.png or .bmp by extension).
bool ReadPicture(const std::string& path, Picture* picture);
bool WritePicture(const std::string& path, const Picture& picture);

// ---------------------------------------------------------------- golden pictures
// A picture is compared with tests/golden/<name>.png. llvmpipe draws the same pixels every
// run, so the tolerance is tight: a pixel differs when any channel is off by more than
// `channel`, and the comparison fails when more than `share` of the pixels differ (or the
// sizes differ). On failure the actual picture and a difference picture (differing pixels
// red over a dimmed copy of the golden) are written to <build>/tests/golden-out/.
// With MORVEXA_UPDATE_GOLDEN=1 in the environment the golden is written instead and the
// comparison passes:
//     MORVEXA_UPDATE_GOLDEN=1 ctest --test-dir build/ci -R <tests>
struct GoldenTolerance {
    int channel = 2;
    double share = 0.0005;
};
::testing::AssertionResult MatchesGolden(const Picture& actual, const std::string& name,
                                         GoldenTolerance tolerance = {});

// ---------------------------------------------------------------- scripted runs of the game
// Runs the whole game in-process from start-up on the scripted backend, as morvexa-script
// does: `script` is a key script in the driver's format whose keys "at N" are held from drawn
// frame N on; the run ends after the frame of the last command (screenshot and dump commands
// write nothing here), or when the game quits. The clock and the player record start as in
// a new process and start-up seeds the random generator from the virtual clock, so the run
// repeats exactly whatever ran before it in the process.
// `onFrame` runs after each drawn frame is rendered, before it is presented: it may read
// the frame (ReadBackBuffer) and the game's globals, set keys (ScriptSetKey), and return
// false to end the run after that frame. Run it inside a TempDir(true): the game reads
// "startmap.map" and "scores.dat" in the working directory.
struct ScriptedRun {
    int exitCode = -1;       // what RunGame returned (0 after a clean end or a quit)
    uint32_t frames = 0;     // drawn frames
    std::string scriptError; // set when the script did not parse (the game then is not run)
};
ScriptedRun RunScriptedGame(const std::string& script,
                            const std::function<bool(uint32_t frame)>& onFrame = {},
                            const std::vector<std::string>& gameParameters = {});

// Lets PollWindowEvent handle everything queued (at most 1000), one event a call as the modes do.
void HandleQueuedEvents();

// Whole file as bytes or as text; empty when missing.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
std::string ReadFileText(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteFileText(const std::string& path, const std::string& text);

// The repository's top folder and the build folder.
std::string SourcePath(const std::string& relative);
std::string BinaryPath(const std::string& relative);

// An X display name (":N") that no server on this machine holds: neither its socket nor its
// lock file exists.
std::string UnusedDisplay();

// The names in a folder, sorted (none when there is no such folder).
std::vector<std::string> Listing(const std::string& folder);

// ---------------------------------------------------------------- other programs
// Runs a program (args[0] is its path) in `workDir` with its standard output and error
// captured, after removing the variables named in `unset` from its environment and setting
// those in `set`. It is killed after timeoutSeconds. exitCode is -1 when the program was
// killed or died of a signal, 127 when it could not start.
struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
ProgramResult RunProgram(const std::vector<std::string>& args, const std::string& workDir,
                         const std::vector<std::string>& unset = {},
                         const std::vector<std::pair<std::string, std::string>>& set = {},
                         int timeoutSeconds = 120);
// Runs `body` in a child process: "" when the child ended with code 0, else how it ended.
std::string RunInChild(const std::function<int()>& body);
