// bad_input_test.cpp - the rows of docs/bad-input.md: each bad input given to the whole game
// as a player's machine would give it, and what the game then does.
//
// Sections: 1. the walk  2. the map file  3. the score file  4. the working directory
//           5. the music module  6. audio devices  7. the display
//
// Rows run the real start-up and mode loop (the scripted backend, or the SDL backend on SDL's
// offscreen video driver where the audio devices matter) and end through "EXIT GAME" with
// exit code 0, unless the row is about a game that cannot start.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string_view>
#include <thread>

#include "app/globals.h"
#include "app/mode_loop.h"
#include "assets/assets.h"
#include "frontend/audio_input.h"
#include "frontend/highscores.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/audio_out.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "platform/test_input.h"
#include "play/level_map.h"
#include "play/player.h"
#include "sound/xm_player.h"
#include "support/random.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

// ================================================================ 1. the walk
namespace {

// A step waits until the game is in its mode, then `wait` drawn frames, holds its keys for
// `hold` frames and lets go; two frames later its check runs. Held 16 frames, keys meet
// exactly one poll of a menu (menus read their keys every 16th frame): one choice.
struct Step {
    int32_t mode;
    std::vector<int> keys;
    int hold = 16, wait = 4;
    std::function<void()> check = {};
};
const Step START_GAME{MODE_MENU, {VK_UP, VK_SPACE}}, HIGH_SCORES{MODE_MENU, {VK_SPACE}},
    EXIT_GAME{MODE_MENU, {VK_DOWN, VK_SPACE}}, SAVE_SCORES{MODE_HIGHSCORES, {VK_SPACE}},
    BACK_TO_MENU{MODE_HIGHSCORES, {VK_DOWN, VK_SPACE}}, ESCAPE{MODE_PLAY, {VK_ESCAPE}, 2};
Step CheckIn(int32_t mode, std::function<void()> check) {
    return {mode, {}, 1, 2, std::move(check)};
}
// Into play, walk, fly and fire, Escape, back from the high scores, "EXIT GAME".
std::vector<Step> ShortGame() {
    return {START_GAME,
            {MODE_PLAY, {VK_RIGHT}, 60},
            {MODE_PLAY, {VK_UP, VK_SPACE}, 30},
            {MODE_PLAY, {VK_LEFT, VK_SPACE}, 40},
            ESCAPE,
            BACK_TO_MENU,
            EXIT_GAME};
}

struct Walk {
    const std::vector<Step>& steps;
    bool sdl; // keys pushed as SDL key events instead of scripted keys
    uint32_t maxFrames;
    std::function<void()> onFrame;
    size_t index = 0;
    int phase = 0, counter = 0; // waiting for the mode, waiting, holding, let go
    bool timedOut = false;
    uint32_t playFrames = 0;
    int exitCode = -1;

    // On SDL a pushed key-down latches one press: pushed every held frame in play and the
    // target round, which read keys every frame, and once in a menu.
    void Keys(const Step& s, bool down, bool first) {
        for (int vk : s.keys) {
            if (!sdl) {
                ScriptSetKey(vk, down);
            } else if (down && (first || s.mode == MODE_PLAY || s.mode == MODE_LEVEL_END)) {
                const char* name = vk == VK_ESCAPE  ? "Escape"
                                   : vk == VK_SPACE ? "Space"
                                   : vk == VK_LEFT  ? "Left"
                                   : vk == VK_RIGHT ? "Right"
                                   : vk == VK_UP    ? "Up"
                                                    : "Down";
                PushKeyDown(name, false, false);
            }
        }
    }
    bool Advance(uint32_t frame) { // false ends the run
        if (onFrame) onFrame();
        playFrames += GameMode == MODE_PLAY;
        if (frame >= maxFrames) return !(timedOut = true);
        if (index >= steps.size()) return true; // the game is to quit by itself
        const Step& s = steps[index];
        if (phase == 0) {
            if (GameMode == s.mode) phase = 1, counter = 0;
        } else if (++counter, phase == 1 && counter >= s.wait) {
            Keys(s, true, true), phase = 2, counter = 0;
        } else if (phase == 2) {
            if (counter < s.hold)
                Keys(s, true, false);
            else
                Keys(s, false, false), phase = 3, counter = 0;
        } else if (phase == 3 && counter >= 2) {
            if (s.check) s.check();
            index++, phase = 0;
        }
        return true;
    }
    // Every step's keys went down ("EXIT GAME" ends the run while they are held) and the game
    // ended by itself with code 0.
    void ExpectCleanEnd() const {
        EXPECT_FALSE(timedOut) << "stuck at step " << index;
        EXPECT_EQ(index + (phase >= 2), steps.size());
        EXPECT_EQ(exitCode, 0);
    }
};

// From start-up to the end on the scripted backend, or on the SDL backend, its keys pushed
// as key events ("Fullscreen?" answered by --windowed in both).
Walk WalkGame(const std::vector<Step>& steps, std::function<void()> onFrame = {},
              uint32_t maxFrames = 20000, bool sdl = false) {
    Walk w{steps, sdl, maxFrames, std::move(onFrame)};
    ScriptReset();
    RandomUnseed();
    ScriptSetFrameHook(
        [](uint32_t frame, void* walk) {
            if (!static_cast<Walk*>(walk)->Advance(frame)) throw ProgramExit{0};
        },
        &w);
    std::string name = "morvexa", windowed = "--windowed";
    char* argv[] = {name.data(), windowed.data(), nullptr};
    w.exitCode = RunGame(sdl ? PLATFORM_SDL : PLATFORM_SCRIPTED, 2, argv);
    ScriptSetFrameHook(nullptr, nullptr);
    return w;
}

std::vector<uint8_t> ShippedMap() {
    return ReadFileBytes(SourcePath("assets/startmap.map"));
}
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// A folder holding the shipped map, as a portable copy would be, entered; the game starts as
// a fresh process does: no score table yet, no score from an earlier game.
struct GameFolder {
    TempDir dir{true};
    GameFolder() {
        WriteFileBytes("startmap.map", ShippedMap());
        ListClear(HighScores);
        Player = PlayerState{};
    }
};

} // namespace

// ================================================================ 2. the map file
TEST(BadInput, ATruncatedMapPlaysAsFreeSpacePastItsEnd) {
    GameFolder folder;
    const std::vector<uint8_t> full = ShippedMap();
    ASSERT_EQ(full.size(), size_t(MAP_FILE_BYTES));
    // Columns 0 to 49 whole and two bytes of the next code.
    const std::vector<uint8_t> cut(full.begin(), full.begin() + 20202);
    WriteFileBytes("startmap.map", cut);
    int wrongCells = 0;
    std::vector<Step> steps = ShortGame();
    steps[1].check = [&] {
        for (size_t i = 0; i < size_t(MAP_SIZE * MAP_SIZE); i++) {
            int32_t expected = 0;
            for (size_t k = 0; k < 4 && 4 * i + k < cut.size(); k++)
                expected |= int32_t(uint32_t(cut[4 * i + k]) << (8 * k));
            wrongCells += LevelMap[i / MAP_SIZE][i % MAP_SIZE] != expected;
        }
        EXPECT_EQ(Pickups.count, PickupsLeft);
        EXPECT_GT(PickupsLeft, 0) << "the first sector lays out its orb in the half that is there";
    };
    const Walk w = WalkGame(steps);
    w.ExpectCleanEnd();
    EXPECT_EQ(wrongCells, 0);
    EXPECT_GT(w.playFrames, 100u);
    EXPECT_EQ(ReadFileBytes("startmap.map"), cut) << "the map is only read";
}

TEST(BadInput, NegativeCodesStopTheRobotNotItsShotsAndCodesPastTheTileTableAreEmptySpace) {
    GameFolder folder;
    // A floor under the start (300, 300), a wall on the left, and in the robot's way to the
    // right 51, 1000 and then -5; the same three in view above; 1000 in the far corner.
    std::vector<uint8_t> map(MAP_FILE_BYTES, 0);
    auto put = [&](int col, int row, int32_t code) {
        for (int k = 0; k < 4; k++) map[4 * (MAP_SIZE * col + row) + k] = uint8_t(code >> (8 * k));
    };
    for (int col = 0; col <= 20; col++) put(col, 5, 1);
    for (int row = 0; row < 5; row++) put(0, row, 1);
    const int32_t odd[][3] = {{6, 4, 51}, {8, 4, 1000}, {11, 4, -5},     {3, 2, -5},
                              {5, 2, 51}, {7, 2, 1000}, {100, 100, 1000}};
    for (const auto& c : odd) put(c[0], c[1], c[2]);
    WriteFileBytes("startmap.map", map);

    float walkedTo = 0, farthestShot = 0;
    const std::vector<Step> steps = {START_GAME,
                                     {MODE_PLAY, {VK_RIGHT}, 300, 4, [&] { walkedTo = Player.x; }},
                                     {MODE_PLAY, {VK_SPACE}, 60},
                                     ESCAPE,
                                     BACK_TO_MENU,
                                     EXIT_GAME};
    WalkGame(steps,
             [&] { // read without the list's cursor, which belongs to the game
                 for (const List<Shot>::Node* n = Shots.first; n; n = n->next)
                     farthestShot = std::max(farthestShot, n->record.x);
             })
        .ExpectCleanEnd();
    // Through the cells of 51 (x 384 to 447) and 1000 (512 to 575), stopped by -5 (704 on).
    EXPECT_GT(walkedTo, 9 * 64);
    EXPECT_LE(walkedTo, 11 * 64 - 32);
    EXPECT_GT(farthestShot, 12 * 64) << "a shot flies on through the -5 cell";
    EXPECT_EQ(LevelMap[11][4], -5);
    EXPECT_EQ(LevelMap[8][4], 1000);
}

// ================================================================ 3. the score file
// Each file is shown, saved and shown again: the second visit reads what the save wrote and
// adds the player's 0 ("KALDO") once more if it beats the tenth entry.
TEST(BadInput, EmptyHugeGarbageOrFolderScoreFilesShowATableThatSavesAndReadsBack) {
    std::string name(8u << 20, ' '); // one 8 MB name, no line end
    for (size_t i = 0; i < name.size(); i++) name[i] = char('A' + i % 26);
    List<HighScoreEntry> table; // negative scores falling, then rising: a quicksort's worst
    for (int32_t i = 0; i < 200000; i++)
        *ListAppend(table) = {"R" + std::to_string(i), -1 - std::abs(i - 100000)};
    const std::string many = HighScoreFileBytes(table), empty;
    std::string garbage(64 * 1024, 0);
    std::mt19937 random(20240607);
    for (char& b : garbage) b = char(random());
    List<HighScoreEntry> read;
    const int32_t garbageRecords = ReadHighScoreRecords(
        reinterpret_cast<const uint8_t*>(garbage.data()), garbage.size(), read);
    ASSERT_GE(garbageRecords, 10);
    const struct {
        const char* what;
        const std::string* bytes; // null: a folder
        int32_t rows;             // -1: at least the records there are
        std::optional<std::string_view> firstName;
        int32_t first;
        size_t fileSize; // 0: not checked
    } rows[] = {{"empty", &empty, 10, "", 0, 60},
                {"8 MB name", &name, 10, name, 0, name.size() + 60},
                {"200000 records", &many, 200001, "KALDO", 0, many.size() + 11},
                {"garbage", &garbage, -1, {}, 0, 0},
                {"a folder", nullptr, 10, "AMIGA RULEZ", 140000, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        GameFolder folder;
        if (row.bytes)
            WriteFileBytes("scores.dat", {row.bytes->begin(), row.bytes->end()});
        else
            fs::create_directory("scores.dat"), WriteFileBytes("scores.dat/keep.txt", {'k'});
        int32_t shown = 0, tenth = 0, second = 0, first = 0;
        bool sorted = true;
        std::string firstName, saved;
        auto look = [&] {
            shown = HighScores.count, tenth = HighScoreValue(10);
            first = HighScoreValue(1), firstName = HighScoreName(1);
            for (auto* n = HighScores.first; n && n->next; n = n->next)
                sorted &= n->record.score >= n->next->record.score;
        };
        const std::vector<Step> steps = {
            HIGH_SCORES,
            CheckIn(MODE_HIGHSCORES, look),
            {MODE_HIGHSCORES, {VK_SPACE}, 16, 4, [&] { saved = HighScoreFileBytes(HighScores); }},
            BACK_TO_MENU,
            HIGH_SCORES,
            CheckIn(MODE_HIGHSCORES, [&] { second = HighScores.count; }),
            BACK_TO_MENU,
            EXIT_GAME};
        WalkGame(steps, {}, 40000).ExpectCleanEnd();
        if (row.rows < 0) {
            EXPECT_GE(shown, garbageRecords);
        } else {
            EXPECT_EQ(shown, row.rows);
            EXPECT_TRUE(sorted);
        }
        if (row.firstName) {
            EXPECT_TRUE(firstName == *row.firstName);
            EXPECT_EQ(first, row.first);
        }
        EXPECT_EQ(second, shown + (0 > tenth)) << "the second visit reads what was shown";
        const std::vector<uint8_t> file =
            row.bytes ? ReadFileBytes("scores.dat") : std::vector<uint8_t>();
        EXPECT_TRUE(!row.bytes || std::string(file.begin(), file.end()) == saved) << "the table";
        EXPECT_TRUE(!row.fileSize || file.size() == row.fileSize) << file.size();
        if (!row.bytes) {
            EXPECT_EQ(Listing("scores.dat"), std::vector<std::string>{"keep.txt"});
            EXPECT_EQ(Listing("."), (std::vector<std::string>{"scores.dat", "startmap.map"}))
                << "no half-written file is left beside it";
        }
    }
}

// ================================================================ 4. the working directory
TEST(BadWorkingDirectory, AReadOnlyFolderPlaysTheMapOrAnEmptySectorAndKeepsNoScores) {
    // The scripted driver, as another user when we are root (root writes anywhere): high
    // scores and "SAVE SCORES", a game (walk, fly, fire, Escape), back, "EXIT GAME".
    std::string script;
    auto press = [&](int at, std::vector<const char*> keys, int hold = 16) {
        for (const char* k : keys)
            script += "at " + std::to_string(at) + " down " + k + "\nat " +
                      std::to_string(at + hold) + " up " + k + "\n";
    };
    press(10, {"space"});         // HIGHSCORES (poll at 16)
    press(40, {"space"});         // SAVE SCORES (poll at 48)
    press(70, {"down", "space"}); // BACK TO MENU
    press(100, {"up", "space"});  // START GAME
    press(130, {"right"}, 70), press(130, {"space"}, 100), press(200, {"up"}, 30);
    press(250, {"escape"}, 2);     // the game ends: high scores
    press(300, {"down", "space"}); // BACK TO MENU
    press(360, {"down", "space"}); // EXIT GAME
    for (const bool withMap : {true, false}) {
        SCOPED_TRACE(withMap ? "map present" : "no map, and none can be made");
        TempDir work, out;
        const std::string dumps = "at 60 dump " + out.File("saved.json") + "\nat 240 dump " +
                                  out.File("play.json") + "\nat 2000 end\n";
        const std::string all = script + dumps;
        WriteFileBytes(out.File("walk.script"), std::vector<uint8_t>(all.begin(), all.end()));
        if (withMap) WriteFileBytes(work.File("startmap.map"), ShippedMap());
        ASSERT_EQ(chmod(work.Path().c_str(), 0555), 0);
        ASSERT_EQ(chmod(out.Path().c_str(), 0777), 0);
        const std::vector<std::string> before = Listing(work.Path());
        std::vector<std::string> args = {BinaryPath("app/morvexa-script"), out.File("walk.script")};
        if (geteuid() == 0)
            args.insert(args.begin(), {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                       "--clear-groups", "--"});
        const ProgramResult r = RunProgram(
            args, work.Path(), {},
            {{"HOME", out.Path()}, {"XDG_DATA_HOME", out.Path()}, {"XDG_CACHE_HOME", out.Path()}},
            300);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        auto modeIn = [&](const char* dump) { // "GameMode":N, or -1
            const std::vector<uint8_t> b = ReadFileBytes(out.File(dump));
            const std::string text(b.begin(), b.end());
            const size_t at = text.find("\"GameMode\":");
            return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + 11);
        };
        EXPECT_EQ(modeIn("saved.json"), MODE_HIGHSCORES) << "after SAVE SCORES";
        EXPECT_EQ(modeIn("play.json"), MODE_PLAY);
        EXPECT_EQ(Listing(work.Path()), before) << "nothing written, nothing left behind";
        EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
        chmod(work.Path().c_str(), 0755);
    }
}

// ================================================================ 5. the music module
TEST(BadModule, ACorruptModuleIsRefusedOrPlaysWhatIsThereAndTheNextOnePlays) {
    ScriptReset();
    const char* why = nullptr;
    ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << (why ? why : "");
    auto listen = [](uint32_t ms) { // the mixing thread runs on the virtual clock
        for (uint32_t t = 0; t < ms; t += 20) {
            ScriptAdvanceClock(20);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    };
    std::mt19937 random(5);
    int refused = 0, played = 0;
    for (int n = 1; n <= 5; n++) {
        const EmbeddedAsset* a = FindEmbeddedAsset(("music" + std::to_string(n) + ".xm").c_str());
        ASSERT_NE(a, nullptr);
        const std::vector<uint8_t> good(a->data, a->data + a->size);
        std::vector<std::vector<uint8_t>> bad(5, good);
        bad[0].resize(40);              // the header cut
        bad[1].resize(good.size() / 2); // cut in its samples
        bad[2][58] = 0x03;              // version 1.03
        for (int k = 0; k < 300; k++)   // bytes flipped
            bad[3][60 + random() % (good.size() - 60)] ^= uint8_t(1 + random() % 255);
        std::fill(bad[4].begin() + 60, bad[4].begin() + 80, 0xFF); // every count of the header
        for (size_t i = 0; i < bad.size(); i++) {
            SCOPED_TRACE("module " + std::to_string(n) + ", damage " + std::to_string(i));
            const int32_t started =
                PlayModule(bad[i].data(), int32_t(bad[i].size()), MODULE_FROM_MEMORY);
            EXPECT_EQ(ModulePlaying(), started != 0);
            if (started) {
                played++;
                listen(400);
                std::vector<int16_t> sound(2 * 1024);
                AudioOutPull(sound.data(), 1024);
            }
            refused += !started;
            StopModule();
            EXPECT_FALSE(ModulePlaying());
            EXPECT_EQ(PlayModule(good.data(), int32_t(good.size()), MODULE_FROM_MEMORY), 1)
                << "the intact module plays after the damaged one";
            listen(100);
            EXPECT_NE(std::string(GetModuleTitle()), "");
            StopModule();
        }
    }
    EXPECT_GE(refused, 10) << "cut headers and the wrong version are refused";
    EXPECT_GE(played, 5) << "a module cut in its samples plays what is there";
    AudioOutClose();
    PlatformShutdown();
}

// ================================================================ 6. audio devices
// The short game on the SDL backend after a wait in the menu, in a child process (SDL's audio
// and the capture buffer start once per process) that checks and exits 1 on any failure.
TEST(BadAudio, WithoutAnAudioOrACaptureDeviceTheGamePlaysToTheEndAndTheEqualizerStaysFlat) {
    TempDir dir;
    std::vector<uint8_t> loud(44100 * 2 * 20); // a square wave at full swing
    for (size_t i = 0; i < loud.size(); i += 2) loud[i + 1] = (i / 100) % 2 ? 0x4E : 0xB1;
    WriteFileBytes(dir.File("loud.raw"), loud);
    const struct {
        const char* what;
        const char *driver, *input; // SDL's disk driver plays into a file and captures from one
        bool sound, heard;
    } runs[] = {{"no audio device", "no-such-driver", "", false, false},
                {"no capture device", "disk", "missing.raw", true, false},
                {"a loud capture device (the control)", "disk", "loud.raw", true, true}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        const std::string output = dir.File(std::string(run.driver) + run.input + ".out");
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("SDL_AUDIODRIVER", run.driver, 1);
            setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
            setenv("SDL_DISKAUDIOFILEIN", dir.File(run.input).c_str(), 1);
            setenv("SDL_VIDEODRIVER", "offscreen", 1);
            int captured = 0, peak = 0;
            std::vector<Step> steps = {{MODE_MENU, {}, 200, 2, [&] {
                                            EXPECT_EQ(AudioOutIsOpen(), run.sound);
                                            EXPECT_EQ(ModulePlaying(), run.sound)
                                                << "no mixing thread without an output";
                                        }}};
            for (const Step& s : ShortGame()) steps.push_back(s);
            const Walk w = WalkGame(
                steps,
                [&] {
                    if (GameMode != MODE_MENU) return;
                    for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++)
                        captured += AudioInputSample(i) != 0;
                    for (int c = 0; c < 4; c++) peak = std::max(peak, AudioInput.peak[c]);
                },
                4000, true);
            w.ExpectCleanEnd();
            EXPECT_GT(w.playFrames, 100u);
            EXPECT_EQ(captured > 0, run.heard);
            EXPECT_EQ(peak > 0, run.heard);
            std::fflush(nullptr);
            _exit(::testing::Test::HasFailure());
        }
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the game's process failed";
        EXPECT_TRUE(!run.sound || fs::file_size(output) > 48000) << "the music went to the file";
    }
}

// ================================================================ 7. the display
TEST(BadDisplay, NoDisplayAMissingServerOrADriverWithoutGlEndsWithOneLineAndCodeOne) {
    TempDir dir, runtime; // a runtime folder without a Wayland socket in it
    WriteFileBytes(dir.File("startmap.map"), ShippedMap());
    WriteFileBytes(dir.File("end.script"), {'a', 't', ' ', '5', ' ', 'e', 'n', 'd', '\n'});
    const std::vector<std::string> game = {BinaryPath("app/morvexa"), "--windowed"},
                                   driver = {BinaryPath("app/morvexa-script"),
                                             dir.File("end.script")};
    const struct {
        const char* what;
        const std::vector<std::string>& args;
        std::vector<std::pair<std::string, std::string>> env;
        const char* says;
    } cases[] = {
        {"no display named at all", game, {}, "display"},
        {"only a runtime folder", game, {{"XDG_RUNTIME_DIR", runtime.Path()}}, "display"},
        {"DISPLAY names no server", game, {{"DISPLAY", ":77"}}, "display"},
        {"X11 asked for, no server",
         game,
         {{"DISPLAY", ":77"}, {"SDL_VIDEODRIVER", "x11"}},
         "display"},
        {"a video driver without GL", driver, {{"SDL_VIDEODRIVER", "dummy"}}, "window"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ProgramResult r = RunProgram(
            c.args, dir.Path(),
            {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"}, c.env, 60);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line:\n" << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(Listing(dir.Path()), (std::vector<std::string>{"end.script", "startmap.map"}))
        << "no file made";
}
