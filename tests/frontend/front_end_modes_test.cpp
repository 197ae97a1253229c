// front_end_modes_test.cpp - the menu and the high-score mode frame by frame (polls, cursor,
// credits timing, entering and saving scores), and golden pictures of both screens.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "frontend/equalizer.h"
#include "frontend/highscore_mode.h"
#include "frontend/highscores.h"
#include "frontend/menu_mode.h"
#include "tests/scenario.h"

namespace {

// The state the game enters the menu with at start-up: no score table loaded yet.
class FrontEndModes : public Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        GameMode = MODE_MENU, PlayEntry = PLAY_RESUME;
        InitHighScores(10, "scores.dat");
        ListClear(HighScores);
    }
    // Runs a mode; true when it returned by itself, false when cut after `frames`.
    static bool RunMode(void (*mode)(), uint32_t frames,
                        const std::function<void(uint32_t)>& onFrame = {}) {
        LastFrameTick = float(GetTickCount()); // the clock may have been reset
        return Run(mode, frames, onFrame) < frames;
    }
};

// ================================================================ main menu
TEST_F(FrontEndModes, MenuPollsEverySixteenthFrameItsCursorWrapsAndStartGameStartsANewGame) {
    // Up from "HIGHSCORES", both arrows, up again (wraps), then down (wraps) with space.
    const std::vector<std::vector<int>> held = {
        {VK_UP}, {VK_UP, VK_DOWN}, {VK_UP}, {VK_DOWN, VK_SPACE}};
    std::map<uint32_t, std::string> cursor, keyTimer;
    for (int vk : held[0]) ScriptSetKey(vk, true);
    EXPECT_TRUE(RunMode(MenuMode, 100, [&](uint32_t frame) {
        cursor[frame] = VisitText("cursor"), keyTimer[frame] = VisitText("keyTimer");
        if (frame % 16 || frame > 48) return;
        for (int vk : held[frame / 16 - 1]) ScriptSetKey(vk, false);
        for (int vk : held[frame / 16]) ScriptSetKey(vk, true);
    }));
    EXPECT_EQ(cursor[1] + cursor[15] + cursor[16] + cursor[32] + cursor[48] + cursor[64], "110020");
    EXPECT_EQ(keyTimer[15] + "," + keyTimer[16], "15,0");
    EXPECT_EQ(PlatformFrameCount(), 64u) << "the frame that saw the key is shown";
    EXPECT_EQ(VisitText("mode"), "\"\"") << "the menu's visit is withdrawn from the dump";
    EXPECT_EQ(std::tuple(GameMode, PlayEntry), std::tuple(MODE_PLAY, PLAY_NEW_GAME));
}

TEST_F(FrontEndModes, CreditsPageZeroStandsFor500FramesAndEveryLaterPageFor501) {
    RenderEnabled = false; // thousands of frames: the roll's timing needs no pictures
    constexpr uint32_t FRAMES = 500 + 501 * 9 + 20;
    std::vector<std::string> page(1), angle(1), width(1);
    EXPECT_FALSE(RunMode(MenuMode, FRAMES, [&](uint32_t) {
        page.push_back(VisitText("page")), angle.push_back(VisitText("swingAngle"));
        width.push_back(VisitText("swingWidth"));
    }));
    for (uint32_t f = 1; f <= FRAMES; f++)
        ASSERT_EQ(page[f], std::to_string(f <= 500 ? 0 : (1 + (f - 501) / 501) % 9)) << f;
    // Each page swings in afresh: 1790 degrees, 780 px; lines at rest from frame 40, angle 180.
    for (uint32_t first : {1u, 501u, 1002u, 4509u}) {
        EXPECT_EQ(angle[first] + "," + width[first], "1790,780") << first;
        EXPECT_EQ(width[first + 38] + "," + width[first + 39], "20,0") << first;
        EXPECT_EQ(angle[first + 178] + "," + angle[first + 179], "10,0") << first;
    }
}

TEST_F(FrontEndModes, CreditLinesFitTheirColumnsCentredAndUseOnlyCharactersTheFontHas) {
    for (int page = 0; page < CREDIT_PAGES; page++)
        for (int line = 0; line < CREDIT_LINES; line++) {
            const std::string text = CreditLine(page, line);
            const int columns = page == 4 && line == 1 ? 18 : 15;
            const int lead = int(text.find_first_not_of(' ')); // blanks balance the space after
            EXPECT_TRUE(text.size() <= size_t(columns) && (columns == 15 || text.size() == 18));
            EXPECT_EQ(text.find_first_not_of(
                          " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ["),
                      std::string::npos)
                << text;
            EXPECT_LE(std::abs(lead - (columns - int(text.size()))), 1) << '"' << text << '"';
        }
}

// ================================================================ high-score mode
TEST_F(FrontEndModes, WithoutAFileTheDefaultsShowAScoreAboveTheTenthEntersAndIsSavedThenReset) {
    Player.score = 50000;                                      // equals the tenth: stays out
    for (int vk : {VK_DOWN, VK_SPACE}) ScriptSetKey(vk, true); // "BACK TO MENU" at the first poll
    EXPECT_TRUE(RunMode(HighScoreMode, 100));
    EXPECT_EQ(std::tuple(PlatformFrameCount(), GameMode, PlayEntry, HighScores.count),
              std::tuple(16u, MODE_MENU, PLAY_NEW_GAME, 10));
    EXPECT_TRUE(ReadFileBytes("scores.dat").empty()) << "nothing is saved unasked";
    // One more enters; "SAVE SCORES" writes it, then "RESET SCORES" shows defaults, file kept.
    Player.score = 50001;
    ScriptReset();
    ScriptSetKey(VK_SPACE, true);
    std::vector<uint8_t> at15, saved;
    std::vector<uint32_t> calls(1, 0); // primitives of each frame tell which rows it showed
    EXPECT_FALSE(RunMode(HighScoreMode, 49, [&](uint32_t frame) {
        calls.push_back(std::exchange(RenderPrimitiveCount, 0u));
        if (frame == 15) at15 = ReadFileBytes("scores.dat");
        if (frame == 16) saved = ReadFileBytes("scores.dat");
        if (frame % 16 == 0) ScriptSetKey(VK_UP, frame == 16), ScriptSetKey(VK_SPACE, frame == 32);
    }));
    EXPECT_TRUE(at15.empty());
    ASSERT_EQ(saved.size(), 170u + 5 + 6);
    EXPECT_EQ(std::string(saved.begin() + 153, saved.begin() + 181),
              std::string("KALDO\r\n\x51\xC3\0\0AMIGA RULEZ\r\n\x50\xC3\0\0", 28));
    EXPECT_EQ(calls[48], calls[47]) << "the reset frame still shows the rows it drew before";
    EXPECT_GT(calls[49], calls[48]) << "the defaults' longer tenth name from the next frame on";
    EXPECT_EQ(HighScores.count, 10);
    EXPECT_EQ(ReadFileBytes("scores.dat"), saved);
}

TEST_F(FrontEndModes, AMegabyteNameCostsNoMoreToShowThanAName25CharactersLong) {
    auto callsOfSecondFrame = [&](size_t nameLength) {
        std::vector<uint8_t> file(nameLength, 'A');
        for (int b : {13, 10, 1, 0, 0, 0}) file.push_back(uint8_t(b));
        WriteFileBytes("scores.dat", file);
        ScriptReset();
        uint32_t calls = 0;
        RunMode(HighScoreMode, 2, [&](uint32_t frame) {
            if (frame == 2) calls = RenderPrimitiveCount;
            RenderPrimitiveCount = 0;
        });
        return calls;
    };
    const uint32_t shortName = callsOfSecondFrame(25);
    EXPECT_GT(shortName, 0u);
    EXPECT_EQ(callsOfSecondFrame(1 << 20), shortName);
    EXPECT_EQ(HighScoreName(1).size(), size_t(1) << 20) << "the table keeps the whole name";
}

// ================================================================ golden pictures
// The map in the working directory keeps the game's files there; the equalizer starts at 0.
void EnterGameFolder() {
    std::filesystem::copy_file(SourcePath("assets/startmap.map"), "startmap.map");
    EqualizerSpin = 0.0f;
}

TEST(FrontEndPictures, MenuWithItsCreditsAtRestSwingingInAndOnTheWidePage) {
    TempDir here(true);
    EnterGameFolder();
    Picture atRest, swinging, widePage;
    // Frame 1 is the cleared display; only the frames kept are drawn.
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
    // Eleven records: a negative score, an empty name, one too long, an eleventh not shown.
    std::istringstream names("KALDO|AMIGA RULEZ|A NAME FAR TOO LONG FOR THE SCREEN, CUT AT 25|"
                             "DEMO SCENE||TRACKER|[PIXEL]|ZERO|DEBT|FLOOR|NOT SHOWN");
    List<HighScoreEntry> records;
    for (int32_t score :
         {987654, 140000, 120000, 99999, 0, 4500, 300, 0, -250, INT32_MIN, INT32_MIN}) {
        HighScoreEntry* e = ListAppend(records);
        std::getline(names, e->name, '|');
        e->score = score;
    }
    const std::string bytes = HighScoreFileBytes(records);
    const std::vector<uint8_t> file(bytes.begin(), bytes.end());
    WriteFileBytes("scores.dat", file);

    Picture table;
    // Space picks "HIGHSCORES" at the menu's first poll, let go before the table's first.
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
