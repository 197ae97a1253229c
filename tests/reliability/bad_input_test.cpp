// bad_input_test.cpp - the rows of docs/bad-input.md: each bad input given to the whole game
// as a player's machine would give it, and what the game then does.
//
// Sections: 1. helpers  2. the map file  3. the score file  4. the working directory
//           5. the music module  6. audio devices  7. the display
//
// Every row runs the real start-up and mode loop (the scripted backend, or the SDL backend on
// SDL's offscreen video driver where the audio devices matter) and ends through "EXIT GAME"
// with exit code 0, unless the row is about a game that cannot start. In the sanitizer suite
// the same rows run under AddressSanitizer and UndefinedBehaviorSanitizer.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <random>
#include <thread>

#include "app/globals.h"
#include "assets/assets.h"
#include "frontend/audio_input.h"
#include "frontend/highscores.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/audio_out.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/level_map.h"
#include "play/player.h"
#include "sound/xm_player.h"
#include "tests/reliability/game_walk.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

// ================================================================ 1. helpers
namespace {

int32_t CodeAt(const std::vector<uint8_t>& map, size_t index) {
    uint32_t v = 0;
    for (size_t k = 0; k < 4 && 4 * index + k < map.size(); k++)
        v |= uint32_t(map[4 * index + k]) << (8 * k);
    return int32_t(v);
}

void PutCode(std::vector<uint8_t>& map, int col, int row, int32_t code) {
    const size_t at = size_t(4 * (MAP_SIZE * col + row));
    for (int k = 0; k < 4; k++) map[at + k] = uint8_t(uint32_t(code) >> (8 * k));
}

std::vector<uint8_t> ShippedMap() {
    return ReadFileBytes(SourcePath("assets/startmap.map"));
}

// The folder's entries by name.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Every step of a walk was taken and the game ended by itself with code 0.
void ExpectCleanEnd(const WalkResult& r, size_t steps) {
    EXPECT_FALSE(r.timedOut) << "stuck at step " << r.stepsDone << " after " << r.frames
                             << " frames";
    EXPECT_EQ(r.stepsDone, steps);
    EXPECT_EQ(r.exitCode, 0);
}

// A step with no keys that only runs a check while the game is in a mode.
WalkStep CheckIn(int32_t mode, std::function<void()> check) {
    return {mode, {}, 1, 2, std::move(check)};
}

// The game is in a folder holding the shipped map, as a portable copy would be, and starts
// as a fresh process does: no score table yet, no score from an earlier game.
class BadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFileBytes("startmap.map", ShippedMap());
        ListClear(HighScores);
        Player = PlayerState{};
    }
    TempDir dir{true};
};

} // namespace

// ================================================================ 2. the map file
TEST_F(BadInput, ATruncatedMapPlaysAsFreeSpacePastItsEnd) {
    const std::vector<uint8_t> full = ShippedMap();
    ASSERT_EQ(full.size(), size_t(MAP_FILE_BYTES));
    // Half the map and two bytes of the next code: columns 0 to 49 whole, the rest missing.
    const std::vector<uint8_t> cut(full.begin(), full.begin() + 20202);
    WriteFileBytes("startmap.map", cut);

    int wrongCells = 0;
    std::vector<WalkStep> steps = ShortGameSteps();
    steps[1].check = [&] {
        for (size_t i = 0; i < size_t(MAP_SIZE * MAP_SIZE); i++) {
            const int32_t expected = i < 5050    ? CodeAt(full, i)
                                     : i == 5050 ? int32_t(full[20200] | full[20201] << 8)
                                                 : 0;
            wrongCells += LevelMap[i / MAP_SIZE][i % MAP_SIZE] != expected;
        }
        EXPECT_EQ(Pickups.count, PickupsLeft);
        EXPECT_GT(PickupsLeft, 0) << "the first sector lays out its orb in the half that is there";
    };
    const WalkResult r = WalkGame(steps);
    ExpectCleanEnd(r, steps.size());
    EXPECT_EQ(wrongCells, 0);
    EXPECT_GT(r.modeFrames[MODE_PLAY], 100u);
    EXPECT_EQ(ReadFileBytes("startmap.map").size(), cut.size()) << "the map is only read";
}

TEST_F(BadInput, NegativeCodesStopTheRobotNotItsShotsAndCodesPastTheTileTableAreEmptySpace) {
    // A floor under the start (300, 300), a harmless wall on the left, and in the robot's
    // way to the right the codes 51 and 1000 and then -5; the same three in view above.
    std::vector<uint8_t> map(MAP_FILE_BYTES, 0);
    for (int col = 0; col <= 20; col++) PutCode(map, col, 5, 1);
    for (int row = 0; row < 5; row++) PutCode(map, 0, row, 1);
    PutCode(map, 6, 4, 51);
    PutCode(map, 8, 4, 1000);
    PutCode(map, 11, 4, -5);
    PutCode(map, 3, 2, -5);
    PutCode(map, 5, 2, 51);
    PutCode(map, 7, 2, 1000);
    PutCode(map, 100, 100, 1000); // the far corner, reached by a shot's cell lookups
    WriteFileBytes("startmap.map", map);

    float walkedTo = 0, farthestShot = 0;
    const std::vector<WalkStep> steps = {
        MenuStartGame(),
        {MODE_PLAY, {VK_RIGHT}, 300, 4, [&] { walkedTo = Player.x; }},
        {MODE_PLAY, {VK_SPACE}, 60},
        PlayEscape(),
        HighScoresBackToMenu(),
        MenuExitGame(),
    };
    const WalkResult r = WalkGame(steps, 20000, [&](uint32_t) {
        // Read without the list's cursor, which belongs to the game.
        for (const List<Shot>::Node* n = Shots.first; n; n = n->next)
            farthestShot = std::max(farthestShot, n->record.x);
    });
    ExpectCleanEnd(r, steps.size());
    // Through the cells of 51 (x 384 to 447) and 1000 (512 to 575), stopped by -5 (704 on).
    EXPECT_GT(walkedTo, 9 * 64);
    EXPECT_LE(walkedTo, 11 * 64 - 32);
    EXPECT_GT(farthestShot, 12 * 64) << "a shot flies on through the -5 cell";
    EXPECT_EQ(LevelMap[11][4], -5);
    EXPECT_EQ(LevelMap[8][4], 1000);
}

// ================================================================ 3. the score file
TEST_F(BadInput, AnEmptyScoreFileShowsTenEmptyRowsAndSavesThem) {
    WriteFileBytes("scores.dat", {});
    int32_t rows = -1, nonEmpty = -1;
    const std::vector<WalkStep> steps = {
        MenuHighScores(),
        CheckIn(MODE_HIGHSCORES,
                [&] {
                    rows = HighScores.count;
                    nonEmpty = 0;
                    for (int32_t p = 1; p <= HighScores.count; p++)
                        nonEmpty += !HighScoreName(p).empty() || HighScoreValue(p) != 0;
                }),
        HighScoresSave(),
        HighScoresBackToMenu(),
        MenuExitGame(),
    };
    ExpectCleanEnd(WalkGame(steps), steps.size());
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(nonEmpty, 0);
    EXPECT_EQ(ReadFileBytes("scores.dat").size(), 60u) << "ten records of CR LF and four zeros";
}

TEST_F(BadInput, AScoreFileOfOneEightMegabyteNameShowsTheTableAndSavesTheNameWhole) {
    std::vector<uint8_t> name(8u << 20);
    for (size_t i = 0; i < name.size(); i++) name[i] = uint8_t('A' + i % 26);
    WriteFileBytes("scores.dat", name); // no line end, no score: one record, score 0
    size_t firstName = 0;
    int32_t rows = 0;
    const std::vector<WalkStep> steps = {
        MenuHighScores(),
        CheckIn(MODE_HIGHSCORES,
                [&] {
                    rows = HighScores.count;
                    firstName = HighScoreName(1).size();
                }),
        HighScoresSave(),
        HighScoresBackToMenu(),
        MenuExitGame(),
    };
    ExpectCleanEnd(WalkGame(steps), steps.size());
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(firstName, name.size());
    EXPECT_EQ(ReadFileBytes("scores.dat").size(), name.size() + 6 + 9 * 6);
}

TEST_F(BadInput, AScoreFileOfTwoHundredThousandRecordsTakesTheNewScoreAndSavesEveryRecord) {
    // Negative scores falling, then rising again: the order that drives a plain quicksort to
    // its worst case. The tenth is below 0, so the player's 0 beats it and is added.
    constexpr int32_t RECORDS = 200000;
    List<HighScoreEntry> table;
    for (int32_t i = 0; i < RECORDS; i++) {
        table.current = table.last;
        HighScoreEntry* e = ListAdd(table);
        e->name = "R" + std::to_string(i);
        e->score = -1 - std::abs(i - RECORDS / 2);
    }
    const std::string bytes = HighScoreFileBytes(table);
    WriteFileBytes("scores.dat", std::vector<uint8_t>(bytes.begin(), bytes.end()));

    int32_t rows = 0, first = -1, disorder = -1;
    std::string firstName;
    const std::vector<WalkStep> steps = {
        MenuHighScores(),
        CheckIn(MODE_HIGHSCORES,
                [&] {
                    rows = HighScores.count;
                    first = HighScoreValue(1);
                    firstName = HighScoreName(1);
                    disorder = 0;
                    int32_t previous = INT32_MAX;
                    for (auto* n = HighScores.first; n; n = n->next) {
                        disorder += n->record.score > previous;
                        previous = n->record.score;
                    }
                }),
        HighScoresSave(),
        HighScoresBackToMenu(),
        MenuExitGame(),
    };
    ExpectCleanEnd(WalkGame(steps, 40000), steps.size());
    EXPECT_EQ(rows, RECORDS + 1);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(disorder, 0) << "the table is highest first after the addition";
    EXPECT_FALSE(firstName.empty());
    EXPECT_EQ(ReadFileBytes("scores.dat").size(), bytes.size() + firstName.size() + 6);
}

TEST_F(BadInput, AGarbageScoreFileLoadsAsRecordsThatSaveAndLoadAgainUnchanged) {
    std::mt19937 random(20240607);
    std::vector<uint8_t> garbage(64 * 1024);
    for (uint8_t& b : garbage) b = uint8_t(random());
    WriteFileBytes("scores.dat", garbage);
    List<HighScoreEntry> expected;
    const int32_t records = ReadHighScoreRecords(garbage.data(), garbage.size(), expected);

    int32_t firstVisit = 0, secondVisit = 0, tenthAfterSave = 0;
    std::string savedBytes;
    const std::vector<WalkStep> steps = {
        MenuHighScores(),
        CheckIn(MODE_HIGHSCORES, [&] { firstVisit = HighScores.count; }),
        {MODE_HIGHSCORES,
         {VK_SPACE},
         16,
         4,
         [&] {
             savedBytes = HighScoreFileBytes(HighScores);
             tenthAfterSave = HighScoreValue(10);
         }},
        HighScoresBackToMenu(),
        MenuHighScores(),
        CheckIn(MODE_HIGHSCORES, [&] { secondVisit = HighScores.count; }),
        HighScoresBackToMenu(),
        MenuExitGame(),
    };
    ExpectCleanEnd(WalkGame(steps), steps.size());
    ASSERT_GE(records, 10);
    EXPECT_GE(firstVisit, records);
    const std::vector<uint8_t> file = ReadFileBytes("scores.dat");
    EXPECT_EQ(std::string(file.begin(), file.end()), savedBytes) << "the file holds the table";
    // The second visit loads the saved table and adds the player's 0 once more if it still
    // beats the tenth entry.
    EXPECT_EQ(secondVisit, firstVisit + (0 > tenthAfterSave ? 1 : 0));
}

TEST_F(BadInput, AScoreFileThatIsAFolderShowsTheDefaultsAndASaveLeavesTheFolderAlone) {
    fs::create_directory("scores.dat");
    WriteFileBytes("scores.dat/keep.txt", {'k'});
    int32_t rows = 0, first = 0;
    std::string firstName;
    const std::vector<WalkStep> steps = {
        MenuHighScores(),
        CheckIn(MODE_HIGHSCORES,
                [&] {
                    rows = HighScores.count;
                    first = HighScoreValue(1);
                    firstName = HighScoreName(1);
                }),
        HighScoresSave(),
        HighScoresSave(), // and once more
        HighScoresBackToMenu(),
        MenuExitGame(),
    };
    ExpectCleanEnd(WalkGame(steps), steps.size());
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(firstName, "AMIGA RULEZ");
    EXPECT_EQ(first, 140000);
    EXPECT_TRUE(fs::is_directory("scores.dat"));
    EXPECT_EQ(Listing("scores.dat"), std::vector<std::string>{"keep.txt"});
    EXPECT_EQ(Listing("."), (std::vector<std::string>{"scores.dat", "startmap.map"}))
        << "no half-written file is left beside it";
}

// ================================================================ 4. the working directory
namespace {

// Runs the scripted driver in `workDir` as another user when we are root (root writes
// anywhere), else as ourselves; output and error into `outDir`, which both can write.
ProgramResult RunDriverWithoutWriteAccess(const std::string& workDir, const std::string& outDir,
                                          const std::string& script) {
    ProgramResult result;
    const std::string scriptPath = outDir + "/walk.script";
    WriteFileBytes(scriptPath, std::vector<uint8_t>(script.begin(), script.end()));
    const std::string outPath = outDir + "/out.txt", errPath = outDir + "/err.txt";
    const std::string driver = BinaryPath("app/morvexa-script");
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0) {
            constexpr uid_t NOBODY = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 || setuid(NOBODY) != 0)
                _exit(126);
        }
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (out < 0 || err < 0 || chdir(workDir.c_str()) != 0) _exit(125);
        dup2(out, 1), dup2(err, 2);
        setenv("HOME", outDir.c_str(), 1);
        setenv("XDG_CACHE_HOME", outDir.c_str(), 1);
        setenv("XDG_DATA_HOME", outDir.c_str(), 1);
        execl(driver.c_str(), driver.c_str(), scriptPath.c_str(), nullptr);
        _exit(127);
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            ADD_FAILURE() << "the driver did not end";
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const std::vector<uint8_t> out = ReadFileBytes(outPath), err = ReadFileBytes(errPath);
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    return result;
}

// High scores and SAVE SCORES, a game (walk, fly, fire, Escape), back, "EXIT GAME". Each
// menu hold is 16 frames long, so it meets exactly one poll whatever the mode's phase.
std::string ReadOnlyWalkScript(const std::string& outDir) {
    return "at 10 down space\n" // menu: HIGHSCORES (poll at 16)
           "at 26 up space\n"
           "at 40 down space\n" // SAVE SCORES (poll at 48)
           "at 56 up space\n"
           "at 60 dump " +
           outDir +
           "/saved.json\n"
           "at 70 down down\n" // BACK TO MENU (poll at 80)
           "at 70 down space\n"
           "at 86 up down\n"
           "at 86 up space\n"
           "at 100 down up\n" // START GAME (poll at 112)
           "at 100 down space\n"
           "at 116 up up\n"
           "at 116 up space\n"
           "at 130 down right\n"
           "at 130 down space\n"
           "at 200 up right\n"
           "at 200 down up\n"
           "at 230 up up\n"
           "at 230 up space\n"
           "at 240 dump " +
           outDir +
           "/play.json\n"
           "at 250 down escape\n" // the game ends: high scores
           "at 252 up escape\n"
           "at 300 down down\n" // BACK TO MENU
           "at 300 down space\n"
           "at 316 up down\n"
           "at 316 up space\n"
           "at 360 down down\n" // EXIT GAME
           "at 360 down space\n"
           "at 376 up down\n"
           "at 376 up space\n"
           "at 2000 end\n";
}

// The mode number a dump recorded ("GameMode":N), or -1.
int DumpedMode(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    const size_t at = text.find("\"GameMode\":");
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + 11);
}

} // namespace

TEST(BadWorkingDirectory, AReadOnlyFolderPlaysTheMapOrAnEmptySectorAndKeepsNoScores) {
    for (const bool withMap : {true, false}) {
        SCOPED_TRACE(withMap ? "map present" : "no map, and none can be made");
        TempDir work, out;
        if (withMap) WriteFileBytes(work.File("startmap.map"), ShippedMap());
        ASSERT_EQ(chmod(work.Path().c_str(), 0555), 0);
        ASSERT_EQ(chmod(out.Path().c_str(), 0777), 0);
        const std::vector<std::string> before = Listing(work.Path());

        const ProgramResult r =
            RunDriverWithoutWriteAccess(work.Path(), out.Path(), ReadOnlyWalkScript(out.Path()));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(DumpedMode(out.File("saved.json")), MODE_HIGHSCORES) << "after SAVE SCORES";
        EXPECT_EQ(DumpedMode(out.File("play.json")), MODE_PLAY);
        EXPECT_EQ(Listing(work.Path()), before) << "nothing written, nothing left behind";
        EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
        chmod(work.Path().c_str(), 0755);
    }
}

// ================================================================ 5. the music module
namespace {

void ListenForMilliseconds(uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += 20) {
        ScriptAdvanceClock(20);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

TEST(BadModule, ACorruptModuleIsRefusedOrPlaysWhatIsThereAndTheNextOnePlays) {
    ScriptReset();
    const char* why = nullptr;
    ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << (why ? why : "");
    std::mt19937 random(5);
    int refused = 0, played = 0;
    for (int n = 1; n <= 5; n++) {
        const EmbeddedAsset* asset =
            FindEmbeddedAsset(("music" + std::to_string(n) + ".xm").c_str());
        ASSERT_NE(asset, nullptr);
        const std::vector<uint8_t> good(asset->data, asset->data + asset->size);
        std::vector<std::vector<uint8_t>> bad;
        bad.emplace_back(good.begin(), good.begin() + 40);              // the header cut
        bad.emplace_back(good.begin(), good.begin() + good.size() / 2); // cut in the middle
        bad.push_back(good);
        bad.back()[58] = 0x03; // version 1.03
        bad.push_back(good);
        for (int k = 0; k < 300; k++) // bytes flipped
            bad.back()[60 + random() % (good.size() - 60)] ^= uint8_t(1 + random() % 255);
        bad.push_back(good);
        for (size_t k = 60; k < 80; k++) bad.back()[k] = 0xFF; // channel and pattern counts
        for (size_t i = 0; i < bad.size(); i++) {
            SCOPED_TRACE("module " + std::to_string(n) + ", damage " + std::to_string(i));
            const int32_t started =
                PlayModule(bad[i].data(), int32_t(bad[i].size()), MODULE_FROM_MEMORY);
            EXPECT_EQ(ModulePlaying(), started != 0);
            if (started) {
                played++;
                ListenForMilliseconds(400);
                std::vector<int16_t> sound(2 * 1024);
                AudioOutPull(sound.data(), 1024);
            } else {
                refused++;
            }
            StopModule();
            EXPECT_FALSE(ModulePlaying());
            EXPECT_EQ(PlayModule(good.data(), int32_t(good.size()), MODULE_FROM_MEMORY), 1)
                << "the intact module plays after the damaged one";
            ListenForMilliseconds(100);
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
namespace {

// What a run of the game on the SDL backend saw of its audio.
struct AudioRunReport {
    int exitCode = -1;
    int stepsDone = 0;
    int timedOut = 1;
    int outputOpen = -1;   // the audio output was open during the menu
    int musicPlaying = -1; // the menu's module was playing
    int playFrames = 0;
    int capturedNonZero = 0; // capture samples seen that were not 0
    int highestPeak = 0;     // highest equalizer level
};

// Runs the short game on the SDL backend (offscreen video) with the audio driver settings
// given, in a child process: SDL's audio and the capture buffer are started once per
// process, so every run gets a fresh one.
AudioRunReport RunGameWithAudio(const std::vector<std::pair<std::string, std::string>>& env) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        AudioRunReport report;
        std::vector<WalkStep> steps = {{MODE_MENU, {}, 200, 2, [&] {
                                            report.outputOpen = AudioOutIsOpen();
                                            report.musicPlaying = ModulePlaying();
                                        }}};
        for (const WalkStep& s : ShortGameSteps()) steps.push_back(s);
        const WalkResult r = WalkGameOnSdl(steps, 4000, [&](uint32_t) {
            if (GameMode != MODE_MENU) return;
            for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++)
                report.capturedNonZero += AudioInputSample(i) != 0;
            for (int c = 0; c < 4; c++)
                report.highestPeak = std::max(report.highestPeak, AudioInput.peak[c]);
        });
        report.exitCode = r.exitCode;
        report.stepsDone = int(r.stepsDone);
        report.timedOut = r.timedOut;
        report.playFrames = int(r.modeFrames[MODE_PLAY]);
        (void)!write(pipeEnds[1], &report, sizeof report);
        _exit(0);
    }
    close(pipeEnds[1]);
    AudioRunReport report;
    const ssize_t got = read(pipeEnds[0], &report, sizeof report);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (got != ssize_t(sizeof report) || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        ADD_FAILURE() << "the game's process failed (status " << status << ")";
    return report;
}

constexpr int WALK_STEPS = 8; // the menu's wait and the short game

} // namespace

TEST(BadAudio, WithoutAnAudioDeviceTheGamePlaysSilentlyToTheEnd) {
    const AudioRunReport r = RunGameWithAudio({{"SDL_AUDIODRIVER", "no-such-driver"}});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.timedOut, 0);
    EXPECT_EQ(r.stepsDone, WALK_STEPS);
    EXPECT_EQ(r.outputOpen, 0);
    EXPECT_EQ(r.musicPlaying, 0) << "no mixing thread without an output";
    EXPECT_GT(r.playFrames, 100);
    EXPECT_EQ(r.highestPeak, 0);
}

TEST(BadAudio, WithoutACaptureDeviceTheEqualizerStaysFlatAndTheMusicPlays) {
    TempDir dir;
    const std::string output = dir.File("out.raw");
    // SDL's disk driver plays into a file and captures from one; without that file there is
    // no capture device.
    const AudioRunReport none =
        RunGameWithAudio({{"SDL_AUDIODRIVER", "disk"},
                          {"SDL_DISKAUDIOFILE", output},
                          {"SDL_DISKAUDIOFILEIN", dir.File("missing.raw")}});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.stepsDone, WALK_STEPS);
    EXPECT_EQ(none.outputOpen, 1);
    EXPECT_EQ(none.musicPlaying, 1);
    EXPECT_EQ(none.capturedNonZero, 0);
    EXPECT_EQ(none.highestPeak, 0);
    EXPECT_GT(fs::file_size(output), 48000u) << "the music went to the output file";

    // The same with a loud square wave at the input: the columns rise, so the flat ones
    // above really come from the missing device.
    std::vector<uint8_t> loud(44100 * 2 * 20);
    for (size_t i = 0; i < loud.size() / 2; i++) {
        const int16_t v = (i / 50) % 2 ? 20000 : -20000;
        loud[2 * i] = uint8_t(v & 0xFF), loud[2 * i + 1] = uint8_t(uint16_t(v) >> 8);
    }
    WriteFileBytes(dir.File("loud.raw"), loud);
    const AudioRunReport heard = RunGameWithAudio({{"SDL_AUDIODRIVER", "disk"},
                                                   {"SDL_DISKAUDIOFILE", output},
                                                   {"SDL_DISKAUDIOFILEIN", dir.File("loud.raw")}});
    EXPECT_EQ(heard.exitCode, 0);
    EXPECT_GT(heard.capturedNonZero, 0);
    EXPECT_GT(heard.highestPeak, 0);
}

// ================================================================ 7. the display
TEST(BadDisplay, NoDisplayAMissingServerOrADriverWithoutGlEndsWithOneLineAndCodeOne) {
    TempDir dir, runtime; // a runtime folder without a Wayland socket in it
    WriteFileBytes(dir.File("startmap.map"), ShippedMap());
    struct Case {
        const char* what;
        std::string program;
        std::vector<std::pair<std::string, std::string>> env;
    };
    const std::vector<Case> cases = {
        {"no display named at all", BinaryPath("app/morvexa"), {}},
        {"only a runtime folder", BinaryPath("app/morvexa"), {{"XDG_RUNTIME_DIR", runtime.Path()}}},
        {"DISPLAY names no server", BinaryPath("app/morvexa"), {{"DISPLAY", ":77"}}},
        {"X11 asked for, no server",
         BinaryPath("app/morvexa"),
         {{"DISPLAY", ":77"}, {"SDL_VIDEODRIVER", "x11"}}},
        {"a video driver without GL",
         BinaryPath("app/morvexa-script"),
         {{"SDL_VIDEODRIVER", "dummy"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args = {c.program, "--windowed"};
        if (c.program.find("script") != std::string::npos) {
            WriteFileBytes(dir.File("end.script"), {'a', 't', ' ', '5', ' ', 'e', 'n', 'd', '\n'});
            args = {c.program, dir.File("end.script")};
        }
        const ProgramResult r = RunProgram(
            args, dir.Path(), {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"},
            c.env, 60);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line:\n" << r.err;
        EXPECT_NE(r.err.find(c.program.find("script") == std::string::npos ? "display" : "window"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(r.out, "");
    }
    std::vector<std::string> left = Listing(dir.Path());
    left.erase(std::remove(left.begin(), left.end(), "end.script"), left.end());
    EXPECT_EQ(left, std::vector<std::string>{"startmap.map"}) << "no file made";
}
