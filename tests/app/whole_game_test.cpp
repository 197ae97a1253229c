// whole_game_test.cpp - one whole game played by morvexa-script from the key script in
// tests/app/whole_game/ on the small sector and score table beside it: every mode is passed
// through, and the dumps the script takes say where each phase left the game.
#include <gtest/gtest.h>

#include <map>

#include "frontend/highscores.h"
#include "tests/json_reader.h"
#include "tests/testkit.h"

namespace {

using Fields = std::map<std::string, std::string>;

// The dump's top-level fields, and its player's and visit's fields beside them as
// "Player.score", "Visit.mode".
Fields ReadDump(const std::string& path) {
    const std::vector<uint8_t> text = ReadFileBytes(path);
    Fields dump, inner;
    EXPECT_TRUE(ReadJsonObject(std::string(text.begin(), text.end()), &dump)) << path;
    for (const char* record : {"Player", "Visit"}) {
        inner.clear();
        ReadJsonObject(dump[record], &inner);
        for (const auto& [name, value] : inner) dump[std::string(record) + "." + name] = value;
    }
    return dump;
}

} // namespace

TEST(WholeGame, TheScriptedGameWinsARoundReachesTheNextSectorAndEntersItsScoreInTheTable) {
    TempDir dir;
    for (const char* file : {"game.txt", "startmap.map", "scores.dat"})
        WriteFileBytes(dir.File(file), ReadFileBytes(SourcePath("tests/app/whole_game/") + file));
    const ProgramResult run =
        RunProgram({BinaryPath("app/morvexa-script"), "game.txt"}, dir.Path(), {}, {}, 500);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // dump, then field by field what it must show (a list's text, a number, a quoted word;
    // "..." only the list's end: two jumps, the first landing on the teleporter it left)
    const std::vector<std::pair<const char*, Fields>> phases = {
        {"shop",
         {{"Visit.mode", "\"shop\""},
          {"Player.coins", "990"},
          {"Player.ammo", "[115,120,110,110,110]"},
          {"Sounds", "[9,11,8]"}}},
        {"drones",
         {{"Player.score", "360"},
          {"Player.weapon", "3"},
          {"PickupsCarried", "1"},
          {"PickupsLeft", "0"}}},
        {"teleported", {{"Player.x", "1404"}, {"Player.y", "388"}, {"Sounds", "...,7,11,7]"}}},
        {"round",
         {{"Visit.mode", "\"levelend\""},
          {"PickupsCarried", "0"},
          {"Player.level", "1"},
          {"GameMode", "1"},
          {"PlayEntry", "2"}}},
        {"sector", {{"Visit.mode", "\"play\""}, {"PickupsLeft", "3"}, {"Player.x", "300"}}},
        {"highscores", {{"Visit.mode", "\"highscores\""}, {"Music", "[0,3]"}}},
        {"end",
         {{"GameMode", "0"},
          {"Visit.mode", "\"menu\""},
          {"Player.score", "480"},
          {"Player.level", "1"},
          {"frame", "2776"}}},
    };
    for (const auto& [name, expected] : phases) {
        Fields dump = ReadDump(dir.File(std::string(name) + ".json"));
        for (const auto& [field, value] : expected) {
            const std::string& seen = dump[field];
            if (value.rfind("...", 0) == 0)
                EXPECT_TRUE(seen.ends_with(value.substr(3))) << name << " " << field << " " << seen;
            else
                EXPECT_EQ(seen, value) << name << " " << field;
        }
    }

    // "SAVE SCORES" wrote the table with the new entry among the ten loaded.
    const std::vector<uint8_t> saved = ReadFileBytes(dir.File("scores.dat"));
    List<HighScoreEntry> table;
    ASSERT_EQ(ReadHighScoreRecords(saved.data(), saved.size(), table), 11);
    std::string order;
    for (auto* n = table.first; n; n = n->next)
        order += n->record.name + " " + std::to_string(n->record.score) + ",";
    EXPECT_EQ(order, "NOVA 1000,ORBIT 900,PULSAR 800,QUASAR 700,RADAR 600,SIGMA 500,KALDO 480,"
                     "TESLA 400,ULTRA 300,VECTOR 200,WARP 100,");
}
