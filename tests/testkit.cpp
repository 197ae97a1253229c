// testkit.cpp - helpers shared by the test suites.
#include "tests/testkit.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/mode_loop.h"
#include "core/player.h"
#include "platform/image_file.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "render/display.h"

namespace fs = std::filesystem;

TempDir::TempDir(bool enter) {
    static int counter = 0;
    const fs::path base = fs::path(MVX_BINARY_DIR) / "tests" / "tmp";
    fs::create_directories(base);
    path_ = (base / ("t" + std::to_string(getpid()) + "_" + std::to_string(counter++))).string();
    fs::remove_all(path_);
    fs::create_directories(path_);
    if (enter) {
        previous_ = fs::current_path().string();
        fs::current_path(path_);
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!previous_.empty()) fs::current_path(previous_, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

bool OpenTestDisplay() {
    const char* why = nullptr;
    ScriptReset();
    if (!PlatformInit(PLATFORM_SCRIPTED, &why)) {
        std::fprintf(stderr, "no test display: %s\n", why ? why : "?");
        return false;
    }
    InitRenderLayer(nullptr);
    if (!OpenDisplay(800, 600, 32, "test")) {
        std::fprintf(stderr, "no test window\n");
        return false;
    }
    return true;
}

void CloseTestDisplay() {
    CloseDisplay();
    PlatformShutdown();
}

uint32_t Picture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const uint8_t* p = rgb.data() + (size_t(y) * width + x) * 3;
    return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}

Picture ReadBackBuffer() {
    Picture p;
    FinishDrawing(); // what is still queued belongs to the picture
    ScriptReadFrame(&p.rgb, &p.width, &p.height);
    return p;
}

void HandleQueuedEvents() {
    for (int i = 0; i < 1000 && PollWindowEvent() != 0;) i++;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string ReadFileText(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void WriteFileText(const std::string& path, const std::string& text) {
    WriteFileBytes(path, {text.begin(), text.end()});
}

std::string SourcePath(const std::string& relative) {
    return std::string(MVX_SOURCE_DIR) + "/" + relative;
}
std::string BinaryPath(const std::string& relative) {
    return std::string(MVX_BINARY_DIR) + "/" + relative;
}

bool ReadPicture(const std::string& path, Picture* picture) {
    return ReadImageFile(path, &picture->rgb, &picture->width, &picture->height);
}

bool WritePicture(const std::string& path, const Picture& picture) {
    return WriteImageFile(path, picture.rgb, picture.width, picture.height);
}

// ================================================================ golden pictures
::testing::AssertionResult MatchesGolden(const Picture& actual, const std::string& name,
                                         GoldenTolerance tolerance) {
    const std::string golden = SourcePath("tests/golden/" + name + ".png");
    const char* update = std::getenv("MORVEXA_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        if (!WritePicture(golden, actual))
            return ::testing::AssertionFailure() << "cannot write golden " << golden;
        std::printf("golden picture written: %s\n", golden.c_str());
        return ::testing::AssertionSuccess();
    }
    const std::string out = BinaryPath("tests/golden-out/" + name);
    fs::create_directories(fs::path(out).parent_path());
    Picture expected;
    if (!ReadPicture(golden, &expected) || expected.width != actual.width ||
        expected.height != actual.height) {
        WritePicture(out + ".actual.png", actual);
        return ::testing::AssertionFailure()
               << name << ": no golden of " << actual.width << " x " << actual.height << " at "
               << golden << " (actual: " << out
               << ".actual.png; MORVEXA_UPDATE_GOLDEN=1 writes it)";
    }
    Picture diff = expected; // differing pixels red over a dimmed golden
    size_t differing = 0;
    int worst = 0;
    for (size_t p = 0; p + 2 < actual.rgb.size(); p += 3) {
        int largest = 0;
        for (int c = 0; c < 3; c++) {
            largest =
                std::max(largest, std::abs(int(actual.rgb[p + c]) - int(expected.rgb[p + c])));
            diff.rgb[p + c] = uint8_t(diff.rgb[p + c] / 3);
        }
        worst = std::max(worst, largest);
        if (largest <= tolerance.channel) continue;
        differing++;
        diff.rgb[p] = 255, diff.rgb[p + 1] = 0, diff.rgb[p + 2] = 0;
    }
    const size_t pixels = size_t(actual.width) * actual.height;
    const double share = pixels ? double(differing) / double(pixels) : 0.0;
    if (share <= tolerance.share) return ::testing::AssertionSuccess();
    WritePicture(out + ".actual.png", actual);
    WritePicture(out + ".diff.png", diff);
    return ::testing::AssertionFailure()
           << name << ": " << differing << " of " << pixels << " pixels differ by more than "
           << tolerance.channel << " (share " << share << ", allowed " << tolerance.share
           << ", largest difference " << worst << "); see " << out << ".{actual,diff}.png";
}

// ================================================================ scripted runs of the game
namespace {

struct RunState {
    KeyScript script;
    uint32_t lastFrame = 0;
    const std::function<bool(uint32_t)>* onFrame = nullptr;
};

void ApplyScriptKeys(const KeyScript& script, uint32_t frame) {
    for (const ScriptCommand& c : script.commands) {
        if (c.frame != frame) continue;
        if (c.action == SCRIPT_KEY_DOWN) ScriptSetKey(c.key, true);
        if (c.action == SCRIPT_KEY_UP) ScriptSetKey(c.key, false);
    }
}

void OnScriptedFrame(uint32_t frame, void* context) {
    RunState& run = *static_cast<RunState*>(context);
    const bool goOn = !*run.onFrame || (*run.onFrame)(frame);
    if (!goOn || (run.lastFrame && frame >= run.lastFrame)) throw ProgramExit{0};
    ApplyScriptKeys(run.script, frame + 1); // keys "at N" are held from frame N on
}

} // namespace

ScriptedRun RunScriptedGame(const std::string& script,
                            const std::function<bool(uint32_t frame)>& onFrame,
                            const std::vector<std::string>& gameParameters) {
    ScriptedRun result;
    RunState run;
    if (!ParseKeyScript(script, &run.script, &result.scriptError)) return result;
    for (const ScriptCommand& c : run.script.commands)
        run.lastFrame = std::max(run.lastFrame, c.frame);
    // A script with no commands runs until the frame hook ends it (or the game quits).
    run.onFrame = &onFrame;
    ScriptReset();
    Player = PlayerState{}; // as a new process finds it, whatever scenarios ran here before
    ScriptSetFullscreenAnswer(run.script.fullscreen);
    ApplyScriptKeys(run.script, 1);
    ScriptSetFrameHook(OnScriptedFrame, &run);
    std::vector<std::string> words = {"morvexa"};
    words.insert(words.end(), gameParameters.begin(), gameParameters.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    result.exitCode = RunGame(PLATFORM_SCRIPTED, int(words.size()), argv.data());
    result.frames = PlatformFrameCount();
    ScriptSetFrameHook(nullptr, nullptr);
    return result;
}

// ================================================================ other programs
namespace {

// The text as one word of a shell command, quoted.
std::string ShellWord(const std::string& text) {
    std::string word = "'";
    for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

} // namespace

// The shell enters the folder, env changes the environment, and timeout ends the program
// when its time is up (SIGTERM, SIGKILL 5 s later) and then ends with code 124.
ProgramResult RunProgram(const std::vector<std::string>& args, const std::string& workDir,
                         const std::vector<std::string>& unset,
                         const std::vector<std::pair<std::string, std::string>>& set,
                         int timeoutSeconds) {
    ProgramResult result;
    TempDir capture;
    std::string command = "cd " + ShellWord(workDir) + " && exec env";
    for (const std::string& name : unset) command += " -u " + ShellWord(name);
    for (const auto& [name, value] : set) command += " " + ShellWord(name + "=" + value);
    command += " timeout -k 5 " + std::to_string(timeoutSeconds);
    for (const std::string& a : args) command += " " + ShellWord(a);
    command +=
        " </dev/null >" + ShellWord(capture.File("out")) + " 2>" + ShellWord(capture.File("err"));
    std::fflush(nullptr);
    const int status = std::system(command.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code == 124)
        ADD_FAILURE() << args[0] << " did not finish within " << timeoutSeconds << " s";
    result.exitCode = code == 124 ? -1 : code;
    result.out = ReadFileText(capture.File("out"));
    result.err = ReadFileText(capture.File("err"));
    return result;
}

std::string RunInChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return "fork failed";
    if (child == 0) _exit(body());
    int status = 0;
    if (waitpid(child, &status, 0) != child) return "lost the child";
    if (WIFSIGNALED(status)) return "died of signal " + std::to_string(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0) return "exit code " + std::to_string(WEXITSTATUS(status));
    return "";
}

std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::string UnusedDisplay() {
    for (int n = 77;; n++) {
        const std::string number = std::to_string(n);
        if (!fs::exists("/tmp/.X11-unix/X" + number) && !fs::exists("/tmp/.X" + number + "-lock"))
            return ":" + number;
    }
}
