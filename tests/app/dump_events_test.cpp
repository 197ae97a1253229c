// dump_events_test.cpp - the state dump's sound and music logs since the last dump, the
// background panels and the menu's pulse.
#include <gtest/gtest.h>

#include <map>

#include "app/state_dump.h"
#include "core/catalogue.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "tests/json_reader.h"
#include "tests/testkit.h"

TEST(StateDump, ShowsEachSoundAndModuleOnceInTheDumpAfterItAndThePanelsAndThePulse) {
    TempDir here(true);
    WriteFileBytes(here.File("startmap.map"), ReadFileBytes(SourcePath("assets/startmap.map")));
    std::string sounds, music;
    std::map<std::string, std::string> first, visit;
    const ScriptedRun run = RunScriptedGame("", [&](uint32_t frame) {
        std::map<std::string, std::string> dump;
        EXPECT_TRUE(ReadJsonObject(DumpState(frame), &dump));
        if (frame == 2) { // the menu's first frame (frame 1 is the display opening)
            first = dump;
            EXPECT_TRUE(ReadJsonObject(dump["Visit"], &visit));
        }
        for (const char* list : {"Sounds", "Music"}) {
            std::string& all = list[0] == 'S' ? sounds : music;
            const std::string& entries = dump[list];
            if (entries.size() > 2)
                all += (all.empty() ? "" : ",") + entries.substr(1, entries.size() - 2);
        }
        // From "HIGHSCORES" the cursor goes up to "START GAME", which space then chooses.
        ScriptSetKey(VK_UP, frame >= 2 && frame < 4);
        ScriptSetKey(VK_SPACE, frame >= 30 && frame < 32);
        return frame < 60;
    });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(first["Music"], "[" + std::to_string(MUSIC_MENU) + "]");
    EXPECT_EQ(visit["pulse"], "5");
    EXPECT_GT(first["BackPanels"].size(), 40u * 30u) << "about half of 189 panels";
    EXPECT_EQ(first["BackPanels"].rfind("[{\"x\":", 0), 0u) << first["BackPanels"];
    EXPECT_EQ(music, std::to_string(MUSIC_MENU) + ",0," + std::to_string(MUSIC_PLAY));
    EXPECT_EQ(sounds, std::to_string(SOUND_CLICK)) << "one move of the menu's cursor";
}
