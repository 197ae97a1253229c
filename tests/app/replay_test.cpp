// replay_test.cpp - random keys recorded through the whole game play back bit-exactly; bad
// replay files are refused before the window opens; the committed whole game plays back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

#include "app/state_dump.h"
#include "core/globals.h"
#include "frontend/audio_input.h"
#include "frontend/equalizer.h"
#include "frontend/highscores.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "objects/targets.h"
#include "objects/volley_shots.h"
#include "platform/platform.h"
#include "platform/replay_file.h"
#include "platform/scripted.h"
#include "render/display.h"
#include "tests/testkit.h"

namespace {

constexpr uint32_t RANDOM_RUN_FRAMES = 6000;

std::vector<std::string> DumpsOf(const std::string& replay, const std::vector<std::string>& how,
                                 const std::function<void(uint32_t)>& keys, ScriptedRun* run) {
    TempDir here(true);
    WriteFileBytes(here.File("startmap.map"), ReadFileBytes(SourcePath("assets/startmap.map")));
    // What a run leaves behind that start-up does not clear, as a new process finds it.
    ListClear(Enemies), ListClear(SpriteParticles), ListClear(DotParticles), ListClear(Pickups);
    ListClear(Shots), ListClear(Targets), ListClear(VolleyShots), ListClear(HighScores);
    PickupsLeft = PickupsCarried = PickupSpin = TargetSpin = 0;
    EqualizerSpin = 0.0f;
    for (int32_t& peak : AudioInput.peak) peak = 0;
    std::vector<std::string> dumps;
    std::vector<std::string> parameters = how;
    parameters.push_back(replay);
    *run = RunScriptedGame(
        "",
        [&](uint32_t frame) {
            RenderEnabled = false; // the logic alone, at full speed, once the window is open
            if (frame % 100 == 0) dumps.push_back(DumpState(frame));
            keys(frame);
            return frame < RANDOM_RUN_FRAMES;
        },
        parameters);
    RenderEnabled = true;
    return dumps;
}

} // namespace

TEST(Replay, ARunOfRandomKeysPlaysBackBitExactlyFromAnotherClockWhateverKeysAreHeld) {
    TempDir files;
    const std::string path = files.File("random.replay");
    const int keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE, VK_SPACE, VK_UP,
                        VK_F1,   VK_F2,    VK_F3, VK_F4,   VK_F5,    VK_ESCAPE};
    std::mt19937 random(1919);
    bool held[256] = {};
    uint32_t steered = 0;
    int32_t lastMode = -1;
    ScriptedRun recording, replay;
    const std::vector<std::string> recorded = DumpsOf(
        path, {"--record"},
        [&](uint32_t) {
            // The menu and the high scores are steered (up to "START GAME" or down to "BACK TO
            // MENU", then space); in the game keys go at random, Escape seldom.
            const bool menu = GameMode == MODE_MENU, scores = GameMode == MODE_HIGHSCORES;
            steered = (menu || scores) && GameMode == lastMode ? steered + 1 : 0;
            lastMode = GameMode;
            if (menu || scores) {
                for (int vk : keys) ScriptSetKey(vk, held[vk] = false);
                ScriptSetKey(menu ? VK_UP : VK_DOWN, steered < 3);
                ScriptSetKey(VK_SPACE, steered >= 30 && steered < 32);
                return;
            }
            const int vk = keys[random() % std::size(keys)];
            if (vk == VK_ESCAPE && random() % 40) return;
            switch (random() % 12) {
            case 0: ScriptSetKey(vk, held[vk] = !held[vk]); break;
            case 1: ScriptSetKey(vk, true), ScriptSetKey(vk, held[vk] = false); break; // a tap
            default: break;
            }
        },
        &recording);
    ASSERT_EQ(recording.exitCode, 0);
    ASSERT_EQ(recorded.size(), RANDOM_RUN_FRAMES / 100);
    const auto played = std::count_if(recorded.begin(), recorded.end(), [](const std::string& d) {
        return d.find("\"GameMode\":1,") != std::string::npos;
    });
    EXPECT_GT(played, 10) << "the random keys should have played for a while";

    // The replay starts on another clock (a different tick count at the seeding) and holds
    // Escape and fire all the time: the recording rules.
    const std::vector<std::string> replayed = DumpsOf(
        path, {"--replay"},
        [&](uint32_t frame) {
            if (frame == 1) ScriptAdvanceClock(777);
            ScriptSetKey(VK_ESCAPE, true), ScriptSetKey(VK_SPACE, frame % 2);
        },
        &replay);
    EXPECT_EQ(replay.exitCode, 0);
    EXPECT_EQ(replay.frames, RANDOM_RUN_FRAMES) << "the replay ends with its recording";
    ASSERT_EQ(replayed.size(), recorded.size());
    for (size_t i = 0; i < recorded.size(); i++)
        ASSERT_EQ(replayed[i], recorded[i]) << "the first difference is at frame " << 100 * (i + 1);
}

TEST(Replay, DamagedCutForeignMapAndOtherVersionFilesAreRefusedWithOneLineBeforeTheWindow) {
    TempDir dir;
    const std::vector<uint8_t> map = ReadFileBytes(SourcePath("assets/startmap.map"));
    WriteFileBytes(dir.File("startmap.map"), map);
    WriteFileText(dir.File("run.txt"), "at 90 end\n");
    const std::string script = BinaryPath("app/morvexa-script");
    ASSERT_EQ(RunProgram({script, "run.txt", "--record", "good.replay"}, dir.Path()).exitCode, 0);
    const std::vector<uint8_t> good = ReadFileBytes(dir.File("good.replay"));
    ReplayRecording recording;
    std::string error;
    ASSERT_TRUE(ParseReplay(good, &recording, &error)) << error;
    EXPECT_EQ(recording.lastFrame, 90u);
    const std::string text = ReadFileText(dir.File("good.replay"));
    EXPECT_EQ(text.substr(0, 16), "morvexa-replay 1");
    EXPECT_EQ(recording.mapHash, ReplayHash(map.data(), map.size()));

    // Each case: the file's bytes, what the refusal line must say, whether the map changes.
    const size_t seedDigit = text.find("seed ") + 5, endLine = text.find("end ");
    std::vector<uint8_t> damaged = good, cut(good.begin(), good.begin() + long(endLine) + 5);
    damaged[seedDigit] = damaged[seedDigit] == '9' ? '8' : '9';
    ReplayRecording older = recording;
    older.gameVersion = "0.0.1";
    const std::string other = FormatReplay(older);
    const std::tuple<std::vector<uint8_t>, std::string, bool> cases[] = {
        {damaged, "line 3 (byte " + std::to_string(text.find("seed ") + 1) + "): the line does",
         false},
        {cut, "the file is cut short inside this line", false},
        {std::vector<uint8_t>(good.begin(), good.begin() + long(endLine)), "before its 'end' line",
         false},
        {good, "was recorded on another startmap.map", true},
        {std::vector<uint8_t>(other.begin(), other.end()), "recorded by morvexa 0.0.1, this is",
         false},
    };
    for (const auto& [bytes, says, otherMap] : cases) {
        SCOPED_TRACE(says);
        WriteFileBytes(dir.File("try.replay"), bytes);
        std::vector<uint8_t> changedMap = map;
        changedMap[4000] ^= 1;
        WriteFileBytes(dir.File("startmap.map"), otherMap ? changedMap : map);
        std::filesystem::remove_all(dir.File("dumps"));
        std::filesystem::create_directory(dir.File("dumps"));
        const ProgramResult r = RunProgram(
            {script, "--replay", "try.replay", "--dump-every", "1", "dumps"}, dir.Path());
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(std::filesystem::is_empty(dir.File("dumps"))) << "a frame was drawn";
    }
    WriteFileBytes(dir.File("startmap.map"), map);
    // The real game refuses the same way (a good file plays to its end: the whole game below).
    const ProgramResult game =
        RunProgram({BinaryPath("app/morvexa"), "--replay", "try.replay"}, dir.Path());
    EXPECT_TRUE(game.exitCode == 1 && game.err.find("0.0.1") != std::string::npos) << game.err;
}

// The recording of tests/app/whole_game/game.txt (menu, shop, drones, teleports, a won base
// round, the next sector, Escape, the high-score entry): any change to how the game plays
// breaks it. Made again, after a deliberate change, by running the script in a copy of that
// folder with `morvexa-script game.txt --record game.replay`. The replay takes the script's
// dumps, and each phase must have left the game as the script found it.
TEST(Replay, TheCommittedWholeGamePlaysBackThroughEachPhaseToItsScore) {
    TempDir dir;
    const std::string folder = SourcePath("tests/app/whole_game/");
    for (const char* file : {"game.replay", "startmap.map", "scores.dat"})
        WriteFileBytes(dir.File(file), ReadFileBytes(folder + file));
    std::istringstream script(ReadFileText(folder + "game.txt"));
    std::string dumps;
    for (std::string line; std::getline(script, line);)
        if (line.find(" dump ") != std::string::npos) dumps += line + "\n";
    WriteFileText(dir.File("dumps.txt"), dumps);
    const ProgramResult run = RunProgram(
        {BinaryPath("app/morvexa-script"), "--replay", "game.replay", "dumps.txt"}, dir.Path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "game 1: score 480\n");

    // dump, then what it must hold ("..." only the list's end: two jumps, the first landing on
    // the teleporter it left)
    const std::vector<std::pair<const char*, std::vector<std::string>>> phases = {
        {"shop",
         {"{\"mode\":\"shop\"", "\"coins\":990", "[115,120,110,110,110]", "\"Sounds\":[9,11,8]",
          "\"Music\":[1,0,2,0,4]"}},
        {"drones", {"\"score\":360", "\"weapon\":3", "\"PickupsCarried\":1", "\"PickupsLeft\":0"}},
        {"teleported", {"\"x\":1404", "\"y\":388", "7,11,7]"}},
        {"round",
         {"{\"mode\":\"levelend\"", "\"PickupsCarried\":0", "\"level\":1", "\"GameMode\":1",
          "\"PlayEntry\":2"}},
        {"sector", {"{\"mode\":\"play\"", "\"PickupsLeft\":3", "\"x\":300", "\"Sounds\":[3]"}},
        {"highscores", {"{\"mode\":\"highscores\"", "\"Music\":[0,3]"}},
        {"end",
         {"\"frame\":2776,", "\"GameMode\":0,", "{\"mode\":\"menu\",", "\"score\":480,\"level\":1}",
          "{\"name\":\"KALDO\",\"score\":480}", "\"BackPanels\":[{\"x\":"}},
    };
    for (const auto& [name, fields] : phases) {
        const std::string dump = ReadFileText(dir.File(std::string(name) + ".json"));
        for (const std::string& field : fields)
            EXPECT_NE(dump.find(field), std::string::npos) << name << ": " << field;
    }
    EXPECT_EQ(ReadFileBytes(dir.File("scores.dat")), ReadFileBytes(folder + "scores.dat"))
        << "a replay never writes the score table";
}
