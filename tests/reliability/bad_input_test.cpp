// bad_input_test.cpp - the rows of docs/bad-input.md: each bad input given to the whole game
// (real start-up and mode loop) as a player's machine would give it, and what the game does.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <new>
#include <random>
#include <thread>

#include "app/mode_loop.h"
#include "assets/assets.h"
#include "core/globals.h"
#include "core/level_map.h"
#include "core/player.h"
#include "frontend/audio_input.h"
#include "frontend/highscores.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/audio_out.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "platform/test_input.h"
#include "sound/xm_player.h"
#include "tests/testkit.h"

namespace fs = std::filesystem;

// Memory that runs short, as on a small machine: while LargestAllocation is set, any one
// allocation larger than it fails as new does when memory is out. Not under AddressSanitizer,
// whose own allocator stays in charge.
#if defined(__SANITIZE_ADDRESS__)
#define MVX_ALLOCATION_CAP 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MVX_ALLOCATION_CAP 0
#endif
#endif
#ifndef MVX_ALLOCATION_CAP
#define MVX_ALLOCATION_CAP 1
static std::atomic<size_t> LargestAllocation{SIZE_MAX};
void* operator new(size_t size) {
    void* p = size <= LargestAllocation.load() ? std::malloc(size ? size : 1) : nullptr;
    if (!p) throw std::bad_alloc();
    return p;
}
// The runtime's array forms come back to these.
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
#endif

namespace {

// A step waits until the game is in its mode, then 4 frames, holds its keys for `hold`
// frames and lets go; two frames later its check runs. Held 16 frames, keys meet exactly one
// poll of a menu (menus read their keys every 16th frame): one choice.
struct Step {
    int32_t mode;
    std::vector<const char*> keys; // the key scripts' names, which SDL knows too
    int hold = 16;
    std::function<void()> check = {};
};
const Step START_GAME{MODE_MENU, {"up", "space"}}, HIGH_SCORES{MODE_MENU, {"space"}},
    EXIT_GAME{MODE_MENU, {"down", "space"}}, BACK_TO_MENU{MODE_HIGHSCORES, {"down", "space"}},
    ESCAPE{MODE_PLAY, {"escape"}, 2};
// Into play, walk, fly and fire, Escape, back from the high scores, "EXIT GAME".
std::vector<Step> ShortGame() {
    return {START_GAME,
            {MODE_PLAY, {"right"}, 60},
            {MODE_PLAY, {"up", "space"}, 30},
            {MODE_PLAY, {"left", "space"}, 40},
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
    int counter = 0; // frames in the current step's mode
    bool timedOut = false;
    uint32_t playFrames = 0;
    int exitCode = -1;

    // On SDL a pushed key-down latches one press: pushed every held frame in play and the
    // target round, which read keys every frame, and once in a menu.
    void Keys(const Step& s, bool down, bool first) {
        for (const char* key : s.keys)
            if (!sdl)
                ScriptSetKey(KeyCodeFromName(key), down);
            else if (down && (first || s.mode == MODE_PLAY || s.mode == MODE_LEVEL_END))
                PushKeyDown(key, false, false);
    }
    bool Advance(uint32_t frame) { // false ends the run
        if (onFrame) onFrame();
        playFrames += GameMode == MODE_PLAY;
        if (frame >= maxFrames) return !(timedOut = true);
        if (index == steps.size() || (counter == 0 && GameMode != steps[index].mode)) return true;
        const Step& s = steps[index];
        const int at = ++counter - 5; // frames since the keys went down
        if (at >= 0 && at < s.hold) Keys(s, true, at == 0);
        if (at == s.hold) Keys(s, false, false);
        if (at == s.hold + 2) {
            if (s.check) s.check();
            index++, counter = 0;
        }
        return true;
    }
    // Every step's keys went down ("EXIT GAME" ends the run while they are held) and the game
    // ended by itself with code 0.
    void ExpectCleanEnd() const {
        EXPECT_FALSE(timedOut) << "stuck at step " << index;
        EXPECT_EQ(index + (counter >= 5), steps.size());
        EXPECT_EQ(exitCode, 0);
    }
};

// From start-up to the end on the scripted backend, or on the SDL backend, its keys pushed
// as key events ("Fullscreen?" answered by --windowed in both).
Walk WalkGame(const std::vector<Step>& steps, std::function<void()> onFrame = {},
              uint32_t maxFrames = 20000, bool sdl = false) {
    Walk w{steps, sdl, maxFrames, std::move(onFrame)};
    ScriptReset();
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

// The game as a fresh process starts it: no score table yet, no score from an earlier game.
void ResetGame() {
    ListClear(HighScores);
    Player = PlayerState{};
}
bool SectorHasWalls() {
    return std::count(&LevelMap[0][0], &LevelMap[0][0] + MAP_SIZE * MAP_SIZE, 0) <
           MAP_SIZE * MAP_SIZE;
}
// In a child process: enters `folder`, and gives up root (which writes anywhere) for nobody.
void EnterAsNobody(const std::string& folder) {
    ASSERT_EQ(chdir(folder.c_str()), 0);
    ASSERT_TRUE(geteuid() != 0 ||
                (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0));
}
// A folder holding the shipped map, as a portable copy would be, entered.
struct GameFolder {
    TempDir dir{true};
    GameFolder() { WriteFileBytes("startmap.map", ShippedMap()), ResetGame(); }
};

// Runs `body` in a child process, which fails on any failure in it: for what happens once
// per process (SDL's audio, the capture buffer) or cannot be undone (giving up root).
void InChildProcess(const std::function<void()>& body) {
    const std::string ended = RunInChild([&] {
        try {
            body();
        } catch (...) {
            ADD_FAILURE() << "exception";
        }
        std::fflush(nullptr);
        return int(::testing::Test::HasFailure());
    });
    EXPECT_EQ(ended, "") << "the child process failed";
}

// What `body` writes to standard error (the game's own lines among them).
std::string StderrOf(const std::function<void()>& body) {
    testing::internal::CaptureStderr();
    body();
    return testing::internal::GetCapturedStderr();
}

// A process id that belonged to a process which has ended.
pid_t EndedProcess() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

} // namespace

// ================================================================ the map file
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
                                     {MODE_PLAY, {"right"}, 300, [&] { walkedTo = Player.x; }},
                                     {MODE_PLAY, {"space"}, 60},
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

// Each map in its folder, played as nobody when run as root, in a child process that a hang
// ends after two minutes: an empty sector, the reason on stderr, nothing made in its place.
TEST(BadInput, AMapThatIsNoRegularFileOrCannotBeReadPlaysAnEmptySectorAndSaysWhy) {
    const struct {
        const char* what;
        std::function<void(const std::string& map)> make;
        const char* why;
    } cases[] = {
        {"a pipe", [](const std::string& map) { ASSERT_EQ(mkfifo(map.c_str(), 0644), 0); },
         "startmap.map is not a regular file"},
        {"a link to a device, endless and never regular",
         [](const std::string& map) { ASSERT_EQ(symlink("/dev/zero", map.c_str()), 0); },
         "startmap.map is not a regular file"},
        {"nobody may read it",
         [](const std::string& map) {
             WriteFileBytes(map, ShippedMap());
             chmod(map.c_str(), 0);
         },
         "cannot read startmap.map: Permission denied"},
        {"a link to nothing",
         [](const std::string& map) { ASSERT_EQ(symlink("gone.map", map.c_str()), 0); },
         "cannot read startmap.map: No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir work;
        c.make(work.File("startmap.map"));
        chmod(work.Path().c_str(), 0777);
        const std::vector<std::string> before = Listing(work.Path());
        InChildProcess([&] {
            alarm(120);
            ASSERT_NO_FATAL_FAILURE(EnterAsNobody(work.Path()));
            ResetGame();
            bool walls = true;
            std::vector<Step> steps = ShortGame();
            steps[1].check = [&] { walls = SectorHasWalls(); };
            const std::string err = StderrOf([&] { WalkGame(steps).ExpectCleanEnd(); });
            EXPECT_FALSE(walls);
            EXPECT_NE(err.find(c.why), std::string::npos) << err;
        });
        EXPECT_EQ(Listing(work.Path()), before) << "nothing made in the map's place";
    }
}

// ================================================================ the score file
namespace {

// The high scores as a player meets them: shown and saved ("SAVE SCORES"), and what the game
// said on stderr. With `again` the table shown is noted and the scores are shown once more,
// which reads what the save wrote and adds the player's 0 ("KALDO") again if it beats the
// tenth entry; whatever the file held, it then holds exactly the table shown.
struct ScoreVisits {
    int32_t shown = 0, first = 0;
    bool sorted = true;                // highest first
    std::string firstName, table, err; // the table as the file's bytes
};
ScoreVisits ShowAndSave(bool again = false) {
    ScoreVisits v;
    int32_t tenth = 0, shownAgain = 0;
    std::vector<Step> steps = {HIGH_SCORES,
                               {MODE_HIGHSCORES,
                                {"space"},
                                16,
                                [&] {
                                    if (!again) return;
                                    v.shown = HighScores.count, tenth = HighScoreValue(10);
                                    v.first = HighScoreValue(1), v.firstName = HighScoreName(1);
                                    for (auto* n = HighScores.first; n && n->next; n = n->next)
                                        v.sorted &= n->record.score >= n->next->record.score;
                                    v.table = HighScoreFileBytes(HighScores);
                                }},
                               BACK_TO_MENU};
    if (again)
        steps.insert(steps.end(), {HIGH_SCORES,
                                   {MODE_HIGHSCORES, {}, 1, [&] { shownAgain = HighScores.count; }},
                                   BACK_TO_MENU});
    steps.push_back(EXIT_GAME);
    v.err = StderrOf([&] { WalkGame(steps, {}, 40000).ExpectCleanEnd(); });
    if (!again) return v;
    EXPECT_EQ(shownAgain, v.shown + (0 > tenth)) << "the second visit reads what was shown";
    EXPECT_TRUE(fs::is_directory("scores.dat") || ReadFileText("scores.dat") == v.table)
        << "the file holds the table";
    return v;
}

} // namespace

TEST(BadInput, AnEmptyScoreFileShowsTenEmptyRowsAndSavesThem) {
    GameFolder folder;
    WriteFileBytes("scores.dat", {});
    const ScoreVisits v = ShowAndSave(true);
    EXPECT_TRUE(v.shown == 10 && v.sorted && v.firstName.empty() && v.first == 0);
    EXPECT_EQ(v.table.size(), 60u) << "ten records of CR LF and four zeros";
}

TEST(BadInput, AScoreFileOfOneEightMegabyteNameShowsTheTableAndSavesTheNameWhole) {
    GameFolder folder;
    std::string name(8u << 20, 0);
    for (size_t i = 0; i < name.size(); i++) name[i] = char('A' + i % 26);
    WriteFileText("scores.dat", name); // one record of score 0
    const ScoreVisits v = ShowAndSave(true);
    EXPECT_TRUE(v.shown == 10 && v.sorted && v.firstName == name && v.first == 0);
    EXPECT_EQ(v.table.size(), name.size() + 60);
}

TEST(BadInput, AScoreFileOfTwoHundredThousandRecordsTakesTheNewScoreAndSavesEveryRecord) {
    GameFolder folder;
    List<HighScoreEntry> table; // negative scores falling, then rising: a quicksort's worst
    for (int32_t i = 0; i < 200000; i++)
        *ListAppend(table) = {"R" + std::to_string(i), -1 - std::abs(i - 100000)};
    const std::string bytes = HighScoreFileBytes(table);
    WriteFileText("scores.dat", bytes);
    const ScoreVisits v = ShowAndSave(true);
    EXPECT_EQ(v.shown, 200001) << "all kept, the player's 0 added";
    EXPECT_TRUE(v.sorted && v.firstName == "KALDO" && v.first == 0);
    EXPECT_EQ(v.table.size(), bytes.size() + 11);
}

TEST(BadInput, AGarbageScoreFileLoadsAsRecordsThatSaveAndLoadAgainUnchanged) {
    GameFolder folder;
    std::vector<uint8_t> garbage(64 * 1024);
    std::mt19937 random(20240607);
    for (uint8_t& b : garbage) b = uint8_t(random());
    WriteFileBytes("scores.dat", garbage);
    List<HighScoreEntry> read;
    const int32_t records = ReadHighScoreRecords(garbage.data(), garbage.size(), read);
    ASSERT_GE(records, 10);
    const ScoreVisits v = ShowAndSave(true);
    EXPECT_GE(v.shown, records);
}

TEST(BadInput, AScoreFileThatIsAFolderShowsTheDefaultsAndASaveLeavesTheFolderAlone) {
    GameFolder folder;
    fs::create_directory("scores.dat");
    WriteFileBytes("scores.dat/keep.txt", {'k'});
    const ScoreVisits v = ShowAndSave(true);
    EXPECT_TRUE(v.shown == 10 && v.sorted && v.firstName == "AMIGA RULEZ" && v.first == 140000);
    EXPECT_EQ(Listing("scores.dat"), std::vector<std::string>{"keep.txt"});
    EXPECT_EQ(Listing("."), (std::vector<std::string>{"scores.dat", "startmap.map"}))
        << "no half-written file is left beside it";
}

TEST(BadInput, ASaveRemovesTheTemporaryFilesOfKilledSavesAndNoOtherFile) {
    GameFolder folder;
    const std::string ended = std::to_string(EndedProcess());
    const std::vector<std::string> stale = {"scores.dat.new-" + ended + "-0",
                                            "scores.dat.new-" + ended + "-17"},
                                   kept = {"scores.dat.new-1-0", // a running process's
                                           "scores.dat.new-" + ended + "-x",
                                           "scores.dat.new-" + ended,
                                           "other.dat.new-" + ended + "-0"};
    for (const std::string& name : stale) WriteFileBytes(name, std::vector<uint8_t>(100000, 'A'));
    for (const std::string& name : kept) WriteFileBytes(name, {'k'});
    ShowAndSave(true);
    std::vector<std::string> expected = kept;
    expected.insert(expected.end(), {"scores.dat", "startmap.map"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing("."), expected);
}

TEST(BadInput, AScoreFileThatIsALinkIsSavedThroughItAndAReadOnlyOneIsNotReplaced) {
    {
        SCOPED_TRACE("a link into another folder");
        GameFolder folder;
        fs::create_directory("kept");
        WriteFileBytes("kept/table.dat", {'O', 'L', 'D', '\r', '\n', 1, 0, 0, 0});
        fs::create_symlink("kept/table.dat", "scores.dat");
        const ScoreVisits v = ShowAndSave(true); // saved through the link
        EXPECT_EQ(v.err, "");
        EXPECT_TRUE(fs::is_symlink("scores.dat"));
        EXPECT_NE(v.table.find("OLD"), std::string::npos);
        EXPECT_EQ(Listing("kept"), std::vector<std::string>{"table.dat"})
            << "nothing left beside it";
    }
    {
        SCOPED_TRACE("a read-only file");
        GameFolder folder;
        const std::vector<uint8_t> table = {'O', 'L', 'D', '\r', '\n', 1, 0, 0, 0};
        WriteFileBytes("scores.dat", table);
        ASSERT_EQ(chmod("scores.dat", 0444), 0);
        const std::string err = ShowAndSave().err;
        EXPECT_NE(err.find("cannot save the high scores to scores.dat: the file is read-only"),
                  std::string::npos)
            << err;
        EXPECT_EQ(ReadFileBytes("scores.dat"), table);
        EXPECT_EQ(fs::status("scores.dat").permissions(),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        EXPECT_EQ(Listing("."), (std::vector<std::string>{"scores.dat", "startmap.map"}));
    }
}

TEST(BadInput, WhenMemoryRunsShortAPartlyReadTableIsNotSavedAndASaveDoesNotEndTheGame) {
#if !MVX_ALLOCATION_CAP
    GTEST_SKIP() << "the allocator belongs to AddressSanitizer";
#else
    constexpr size_t CAP = 16u << 20; // no single block above 16 MiB
    std::vector<uint8_t> name(24u << 20, 'N');
    {
        SCOPED_TRACE("a name too large for memory after three records");
        GameFolder folder;
        const std::string head("A\r\n\3\0\0\0B\r\n\2\0\0\0C\r\n\1\0\0\0", 21);
        std::vector<uint8_t> file(head.begin(), head.end());
        file.resize(file.size() + name.size(), 'N');
        WriteFileBytes("scores.dat", file);
        InChildProcess([&] {
            LargestAllocation = CAP;
            const std::string err = ShowAndSave().err;
            LargestAllocation = SIZE_MAX;
            EXPECT_EQ(HighScores.count, 10) << "the three records that fitted, padded";
            EXPECT_NE(err.find("not saving the high scores: only part of scores.dat was read"),
                      std::string::npos)
                << err;
        });
        EXPECT_EQ(ReadFileBytes("scores.dat"), file) << "the file keeps every record";
    }
    {
        SCOPED_TRACE("a name that loads but does not fit twice");
        GameFolder folder;
        name.resize(10u << 20);
        WriteFileBytes("scores.dat", name);
        InChildProcess([&] {
            LargestAllocation = CAP;
            const std::string err = ShowAndSave().err;
            LargestAllocation = SIZE_MAX;
            EXPECT_EQ(err, "");
        });
        std::vector<uint8_t> saved = name;
        for (int i = 0; i < 10; i++) saved.insert(saved.end(), {'\r', '\n', 0, 0, 0, 0});
        EXPECT_EQ(ReadFileBytes("scores.dat"), saved) << "saved in pieces";
    }
#endif
}

// ================================================================ the working directory
TEST(BadWorkingDirectory, AReadOnlyFolderPlaysTheMapOrAnEmptySectorAndKeepsNoScores) {
    for (const bool withMap : {true, false}) {
        SCOPED_TRACE(withMap ? "map present" : "no map, and none can be made");
        TempDir work;
        if (withMap) WriteFileBytes(work.File("startmap.map"), ShippedMap());
        ASSERT_EQ(chmod(work.Path().c_str(), 0555), 0);
        const std::vector<std::string> before = Listing(work.Path());
        InChildProcess([&] {
            ASSERT_NO_FATAL_FAILURE(EnterAsNobody(work.Path()));
            ResetGame();
            bool walls = !withMap;
            std::vector<Step> steps = {HIGH_SCORES, {MODE_HIGHSCORES, {"space"}}, BACK_TO_MENU};
            for (const Step& s : ShortGame()) steps.push_back(s);
            steps[4].check = [&] { walls = SectorHasWalls(); };
            WalkGame(steps).ExpectCleanEnd();
            EXPECT_EQ(walls, withMap);
        });
        EXPECT_EQ(Listing(work.Path()), before) << "nothing written, nothing left behind";
        chmod(work.Path().c_str(), 0755);
    }
}

TEST(BadWorkingDirectory, WhereNoDataFolderCanBeMadeTheTemporaryOneIsRemovedAtTheEnd) {
    TempDir dir;
    for (const char* sub : {"start", "tmp"}) fs::create_directory(dir.File(sub));
    WriteFileBytes(dir.File("home"), {}); // HOME is a file: no folder can be made in it
    InChildProcess([&] {
        unsetenv("XDG_DATA_HOME");
        setenv("HOME", dir.File("home").c_str(), 1);
        setenv("TMPDIR", dir.File("tmp").c_str(), 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(chdir(dir.File("start").c_str()), 0);
        ResetGame();
        bool walls = false;
        std::string playedIn;
        std::vector<Step> steps = ShortGame();
        steps[1].check = [&] { walls = SectorHasWalls(), playedIn = fs::current_path().string(); };
        const std::string err = StderrOf([&] { WalkGame(steps, {}, 4000, true).ExpectCleanEnd(); });
        EXPECT_TRUE(walls) << "the map was copied into the temporary folder";
        EXPECT_EQ(playedIn.rfind(dir.File("tmp/morvexa-"), 0), 0u) << playedIn;
        EXPECT_NE(err.find(dir.File("home")), std::string::npos) << "names the folder:\n" << err;
        EXPECT_NE(err.find("scores will not be kept"), std::string::npos) << err;
    });
    EXPECT_EQ(Listing(dir.File("tmp")), std::vector<std::string>{});
    EXPECT_EQ(Listing(dir.File("start")), std::vector<std::string>{});
}

// ================================================================ the music module
TEST(BadModule, ACorruptModuleIsRefusedOrPlaysWhatIsThereAndTheNextOnePlays) {
    ScriptReset();
    const char* why = nullptr;
    ASSERT_TRUE(PlatformInit(PLATFORM_SCRIPTED, &why)) << (why ? why : "");
    auto listen = [](uint32_t ms) { // the mixing thread runs on the virtual clock
        for (uint32_t t = 0; t < ms; t += 20)
            ScriptAdvanceClock(20), std::this_thread::sleep_for(std::chrono::milliseconds(2));
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

// ================================================================ audio devices
namespace {

// The short game on the SDL backend after a wait in the menu, with SDL's audio driver
// `driver` (its disk driver plays into a file and captures from `input`). `sound`: an output
// opens and the music plays; `heard`: the capture moves the equalizer.
void PlayShortGameWithAudio(const char* driver, const char* input, bool sound, bool heard) {
    TempDir dir;
    std::vector<uint8_t> loud(44100 * 2 * 20); // a square wave at full swing
    for (size_t i = 0; i < loud.size(); i += 2) loud[i + 1] = (i / 100) % 2 ? 0x4E : 0xB1;
    WriteFileBytes(dir.File("loud.raw"), loud);
    const std::string output = dir.File("out.raw");
    InChildProcess([&] {
        setenv("SDL_AUDIODRIVER", driver, 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        setenv("SDL_DISKAUDIOFILEIN", dir.File(input).c_str(), 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        int captured = 0, peak = 0;
        std::vector<Step> steps = {{MODE_MENU, {}, 200, [&] {
                                        EXPECT_EQ(AudioOutIsOpen(), sound);
                                        EXPECT_EQ(ModulePlaying(), sound)
                                            << "no mixing thread without an output";
                                    }}};
        for (const Step& s : ShortGame()) steps.push_back(s);
        const Walk w = WalkGame(
            steps,
            [&] {
                if (GameMode != MODE_MENU) return;
                for (int i = 0; i < AUDIO_INPUT_SAMPLES; i++) captured += AudioInputSample(i) != 0;
                for (int c = 0; c < 4; c++) peak = std::max(peak, AudioInput.peak[c]);
            },
            4000, true);
        w.ExpectCleanEnd();
        EXPECT_GT(w.playFrames, 100u);
        EXPECT_EQ(captured > 0, heard);
        EXPECT_EQ(peak > 0, heard);
    });
    EXPECT_TRUE(!sound || fs::file_size(output) > 48000) << "the music went to the file";
}

} // namespace

TEST(BadAudio, WithoutAnAudioDeviceTheGamePlaysSilentlyToTheEnd) {
    PlayShortGameWithAudio("no-such-driver", "", false, false);
}

TEST(BadAudio, WithoutACaptureDeviceTheEqualizerStaysFlatAndTheMusicPlays) {
    PlayShortGameWithAudio("disk", "missing.raw", true, false);
    SCOPED_TRACE("a loud capture device, the control");
    PlayShortGameWithAudio("disk", "loud.raw", true, true);
}

// ================================================================ the display
TEST(BadDisplay, NoDisplayAMissingServerOrADriverWithoutGlEndsWithOneLineAndCodeOne) {
    TempDir dir, runtime; // a runtime folder without a Wayland socket in it
    WriteFileBytes(dir.File("startmap.map"), ShippedMap());
    WriteFileText(dir.File("end.script"), "at 5 end\n");
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
        {"DISPLAY names no server", game, {{"DISPLAY", UnusedDisplay()}}, "display"},
        {"X11 asked for, no server",
         game,
         {{"DISPLAY", UnusedDisplay()}, {"SDL_VIDEODRIVER", "x11"}},
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

TEST(BadDisplay, WithoutADisplayTheInstalledGameMakesNoDataFolder) {
    TempDir dir;
    for (const char* sub : {"start", "home", "tmp"}) fs::create_directory(dir.File(sub));
    const std::vector<std::string> game = {BinaryPath("app/morvexa"), "--windowed"};
    for (const char* driver : {"", "dummy"}) { // none at all; one without GL
        SCOPED_TRACE(driver);
        std::vector<std::pair<std::string, std::string>> env = {{"HOME", dir.File("home")},
                                                                {"TMPDIR", dir.File("tmp")}};
        if (*driver) // no audio device either: ALSA's and PulseAudio's own files are theirs
            env.insert(env.end(), {{"SDL_VIDEODRIVER", driver}, {"SDL_AUDIODRIVER", "dummy"}});
        const ProgramResult r = RunProgram(
            game, dir.File("start"),
            {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "XDG_DATA_HOME"},
            env, 60);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        for (const char* sub : {"start", "home", "tmp"})
            EXPECT_EQ(Listing(dir.File(sub)), std::vector<std::string>{}) << sub;
    }
}

// ================================================================ the command line
TEST(BadOutput, HelpAndVersionThatCannotBeWrittenEndWithCodeOne) {
    TempDir dir;
    for (const char* option : {"--help", "--version"}) {
        for (const char* output : {">/dev/full", ">&-"}) { // a full disk; a closed output
            SCOPED_TRACE(std::string(option) + " " + output);
            const ProgramResult r = RunProgram({"/bin/sh", "-c", std::string("\"$0\" $1 ") + output,
                                                BinaryPath("app/morvexa"), option},
                                               dir.Path());
            EXPECT_EQ(r.exitCode, 1);
            EXPECT_NE(r.err.find("morvexa: cannot write the answer: "), std::string::npos) << r.err;
        }
        const ProgramResult fine = RunProgram({BinaryPath("app/morvexa"), option}, dir.Path());
        EXPECT_EQ(fine.exitCode, 0) << "the control: written, code 0";
        EXPECT_NE(fine.out, "");
    }
}
