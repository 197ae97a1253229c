// front_end_pictures_test.cpp - golden pictures of the main menu (a page at rest, a page
// swinging in, the page with the 18-character line) and of the high-score screen, taken from
// whole scripted runs of the game with its real pictures and fonts.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/platform.h"
#include "platform/scripted.h"
#include "render/display.h"
#include "tests/testkit.h"

namespace {

// The game keeps its files in the working directory when the map lies there.
void EnterGameFolder() {
    std::filesystem::copy_file(SourcePath("assets/startmap.map"), "startmap.map");
}

TEST(FrontEndPictures, MenuWithItsCreditsAtRestSwingingInAndOnTheWidePage) {
    TempDir here(true);
    EnterGameFolder();
    Picture atRest, swinging, widePage;
    // Frame 1 is the cleared frame that opening the display shows; the menu's frames follow.
    // Only the frames kept are drawn: the roll's first 2000 frames only need counting.
    const ScriptedRun run = RunScriptedGame("", [&](uint32_t frame) {
        if (frame == 60) atRest = ReadBackBuffer();
        if (frame == 510) swinging = ReadBackBuffer();  // page 1, eighth frame of its swing
        if (frame == 2100) widePage = ReadBackBuffer(); // page 4, at rest
        RenderEnabled = !(frame >= 60 && frame < 509) && !(frame >= 510 && frame < 2099);
        return frame < 2100;
    });
    RenderEnabled = true;
    ASSERT_EQ(run.frames, 2100u);
    EXPECT_TRUE(MatchesGolden(atRest, "menu_first_page"));
    EXPECT_TRUE(MatchesGolden(swinging, "menu_page_swinging_in"));
    EXPECT_TRUE(MatchesGolden(widePage, "menu_wide_credits_line"));
}

TEST(FrontEndPictures, HighScoreScreenShowsTenRowsOverTheCopperBars) {
    TempDir here(true);
    EnterGameFolder();
    // Eleven records: a negative score, an empty name, a name longer than the screen, and an
    // eleventh entry that is kept but not shown.
    std::vector<uint8_t> file;
    auto add = [&](const std::string& name, int32_t score) {
        file.insert(file.end(), name.begin(), name.end());
        file.push_back('\r'), file.push_back('\n');
        for (int i = 0; i < 4; i++) file.push_back(uint8_t(uint32_t(score) >> (8 * i)));
    };
    add("KALDO", 987654);
    add("AMIGA RULEZ", 140000);
    add("A NAME FAR TOO LONG FOR THE SCREEN, CUT AT 25", 120000);
    add("DEMO SCENE", 99999);
    add("", 0);
    add("TRACKER", 4500);
    add("[PIXEL]", 300);
    add("ZERO", 0);
    add("DEBT", -250);
    add("FLOOR", -2147483647 - 1);
    add("NOT SHOWN", -2147483647 - 1);
    WriteFileBytes("scores.dat", file);

    Picture table;
    // Space held from frame 2 picks "HIGHSCORES" at the menu's first poll (frame 16); it is
    // let go before the high-score mode's first poll, so nothing is saved.
    const ScriptedRun run = RunScriptedGame("", [&](uint32_t frame) {
        if (frame == 1) ScriptSetKey(VK_SPACE, true);
        if (frame == 20) ScriptSetKey(VK_SPACE, false);
        if (frame == 76) table = ReadBackBuffer(); // the mode's 59th frame
        return frame < 76;
    });
    ASSERT_EQ(run.frames, 76u);
    EXPECT_TRUE(MatchesGolden(table, "highscores_table"));
    EXPECT_EQ(ReadFileBytes("scores.dat"), file);
}

} // namespace
