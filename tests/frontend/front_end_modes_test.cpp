// front_end_modes_test.cpp - the main menu and the high-score mode driven frame by frame on
// the scripted backend: when keys are polled, how the cursor wraps, how long each credits page
// stands, when a score enters the table, what is saved, and what a long name costs to show.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/catalogue.h"
#include "app/globals.h"
#include "app/state_dump.h"
#include "frontend/highscore_mode.h"
#include "frontend/highscores.h"
#include "frontend/menu_mode.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "play/player.h"
#include "render/display.h"
#include "sound/xm_player.h"
#include "tests/testkit.h"

namespace {

// ================================================================ running a mode
struct ModeRun {
    std::function<void(uint32_t)> eachFrame; // after the frame is drawn, before it is shown
    uint32_t lastFrame = 0;                  // the run is cut after this frame
};

void OnFrame(uint32_t frame, void* context) {
    ModeRun& run = *static_cast<ModeRun*>(context);
    if (run.eachFrame) run.eachFrame(frame);
    if (frame >= run.lastFrame) throw ProgramExit{0};
}

// Runs one mode procedure on a fresh scripted clock. Returns true when the mode returned by
// itself, false when it was cut after lastFrame.
bool RunMode(void (*mode)(), uint32_t lastFrame, std::function<void(uint32_t)> eachFrame = {}) {
    ModeRun run{std::move(eachFrame), lastFrame};
    ScriptSetFrameHook(OnFrame, &run);
    LastFrameTick = float(GetTickCount());
    try {
        mode();
    } catch (const ProgramExit&) {
        ScriptSetFrameHook(nullptr, nullptr);
        StopModule(); // as the game's shutdown does: the cut mode left its music playing
        return false;
    }
    ScriptSetFrameHook(nullptr, nullptr);
    return true;
}

// One number of the running mode's visit, as the state dump shows it.
int32_t Visit(const char* field) {
    const std::string dump = DumpState(0);
    const size_t visit = dump.find("\"Visit\":{");
    const size_t at = dump.find("\"" + std::string(field) + "\":", visit);
    if (visit == std::string::npos || at == std::string::npos) return INT32_MIN;
    return std::stoi(dump.substr(at + std::string(field).size() + 3));
}

std::string VisitMode() {
    const std::string dump = DumpState(0);
    const size_t at = dump.find("\"Visit\":{\"mode\":\"");
    if (at == std::string::npos) return "?";
    const size_t start = at + 17;
    return dump.substr(start, dump.find('"', start) - start);
}

// The title the player reports for one of the game's modules.
std::string ModuleTitle(int module) {
    PlayModule(MusicModule(module), MusicModuleLength(module), MODULE_FROM_MEMORY);
    const std::string title = GetModuleTitle();
    PlayModule(nullptr, 0, 0);
    return title;
}

class FrontEndModes : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { displayOpen = OpenTestDisplay(); }
    static void TearDownTestSuite() {
        if (displayOpen) CloseTestDisplay();
    }
    void SetUp() override {
        if (!displayOpen) GTEST_SKIP() << "no GL display";
        ScriptReset();
        FrameRate = 80.0f;
        FramePeriod = 12.5f;
        GameMode = MODE_MENU;
        PlayEntry = PLAY_RESUME;
        Player = PlayerState{};
        InitHighScores(10, "scores.dat");
        ListClear(HighScores); // as at start-up: nothing loaded yet
    }
    void TearDown() override { RenderEnabled = true; }
    static inline bool displayOpen = false;
    TempDir dir{true};
};

// ================================================================ main menu
TEST_F(FrontEndModes, MenuOpensOnHighscoresAndPollsItsKeysFirstAtTheSixteenthFrame) {
    ScriptSetKey(VK_SPACE, true);
    std::vector<int32_t> cursor, keyTimer;
    std::string music;
    EXPECT_TRUE(RunMode(MenuMode, 100, [&](uint32_t) {
        cursor.push_back(Visit("cursor"));
        keyTimer.push_back(Visit("keyTimer"));
        music = ModulePlaying() ? GetModuleTitle() : "(silence)";
    }));
    EXPECT_EQ(music, ModuleTitle(1));
    EXPECT_FALSE(ModulePlaying()) << "the menu stops its music when it leaves";
    EXPECT_EQ(PlatformFrameCount(), 16u)
        << "the frame that saw the key is shown, then the menu returns";
    EXPECT_EQ(GameMode, MODE_HIGHSCORES);
    ASSERT_EQ(cursor.size(), 16u);
    for (int32_t c : cursor) EXPECT_EQ(c, 1);
    EXPECT_EQ(keyTimer[14], 15);
    EXPECT_EQ(keyTimer[15], 0);
    EXPECT_EQ(VisitMode(), "") << "the menu's visit is withdrawn from the dump when it leaves";

    // Both arrows at one poll leave the cursor; an arrow with space chooses the item moved to.
    ScriptReset();
    ScriptSetKey(VK_UP, true);
    ScriptSetKey(VK_DOWN, true);
    int32_t afterFirstPoll = -1;
    EXPECT_TRUE(RunMode(MenuMode, 100, [&](uint32_t frame) {
        if (frame != 16) return;
        afterFirstPoll = Visit("cursor");
        ScriptSetKey(VK_UP, false);
        ScriptSetKey(VK_SPACE, true);
    }));
    EXPECT_EQ(afterFirstPoll, 1);
    EXPECT_EQ(PlatformFrameCount(), 32u);
    EXPECT_EQ(GameMode, MODE_QUIT) << "down from \"HIGHSCORES\" is \"EXIT GAME\"";
}

TEST_F(FrontEndModes, MenuCursorWrapsAtBothEndsAndStartGameAlwaysStartsANewGame) {
    std::vector<int32_t> cursor(1, -1);
    ScriptSetKey(VK_UP, true);
    EXPECT_TRUE(RunMode(MenuMode, 200, [&](uint32_t frame) {
        cursor.push_back(Visit("cursor"));
        if (frame == 32) ScriptSetKey(VK_UP, false), ScriptSetKey(VK_DOWN, true);
        if (frame == 48) ScriptSetKey(VK_DOWN, false);
        if (frame == 64) ScriptSetKey(VK_SPACE, true);
    }));
    EXPECT_EQ(cursor[15], 1);
    EXPECT_EQ(cursor[16], 0); // up from "HIGHSCORES"
    EXPECT_EQ(cursor[31], 0);
    EXPECT_EQ(cursor[32], 2); // up from "START GAME" wraps to "EXIT GAME"
    EXPECT_EQ(cursor[47], 2);
    EXPECT_EQ(cursor[48], 0); // down from "EXIT GAME" wraps to "START GAME"
    EXPECT_EQ(cursor[64], 0); // no key held at this poll
    EXPECT_EQ(PlatformFrameCount(), 80u);
    EXPECT_EQ(GameMode, MODE_PLAY);
    EXPECT_EQ(PlayEntry, PLAY_NEW_GAME);
}

TEST_F(FrontEndModes, CreditsPageZeroStandsFor500FramesAndEveryLaterPageFor501) {
    RenderEnabled = false; // thousands of frames: the roll's timing needs no pictures
    constexpr uint32_t FRAMES = 500 + 501 * 9 + 20;
    std::vector<int32_t> page(1, -1), timer(1, -1), angle(1, -1), width(1, -1);
    EXPECT_FALSE(RunMode(MenuMode, FRAMES, [&](uint32_t) {
        page.push_back(Visit("page"));
        timer.push_back(Visit("pageTimer"));
        angle.push_back(Visit("swingAngle"));
        width.push_back(Visit("swingWidth"));
    }));
    ASSERT_EQ(page.size(), FRAMES + 1);
    for (uint32_t f = 1; f <= FRAMES; f++) {
        const int32_t expected = f <= 500 ? 0 : int32_t(1 + (f - 501) / 501) % 9;
        ASSERT_EQ(page[f], expected) << "frame " << f;
    }
    // Each page begins with a fresh swing-in: 1790 degrees, 780 pixels in its first frame;
    // the lines are at rest from its 40th frame, the angle from its 180th.
    for (uint32_t first : {1u, 501u, 1002u, 4509u}) {
        EXPECT_EQ(angle[first], 1790) << first;
        EXPECT_EQ(width[first], 780) << first;
        EXPECT_EQ(width[first + 38], 20) << first;
        EXPECT_EQ(width[first + 39], 0) << first;
        EXPECT_EQ(angle[first + 178], 10) << first;
        EXPECT_EQ(angle[first + 179], 0) << first;
    }
    EXPECT_EQ(page[4509], 0) << "after page 8 the roll starts again";
    EXPECT_EQ(timer[500], 500);
    EXPECT_EQ(timer[501], 0);
}

TEST_F(FrontEndModes, CreditLinesFitTheirColumnsAndUseOnlyCharactersTheFontHas) {
    for (int page = 0; page < CREDIT_PAGES; page++) {
        for (int line = 0; line < CREDIT_LINES; line++) {
            const std::string text = CreditLine(page, line);
            const bool wide = page == 4 && line == 1;
            EXPECT_EQ(CreditBaseX(page, line), wide ? 190 : 220);
            if (wide)
                EXPECT_EQ(text.size(), 18u) << text;
            else
                EXPECT_LE(text.size(), 15u) << text;
            for (unsigned char c : text) EXPECT_TRUE(c >= 32 && c <= 91) << text;
            // Centred by leading blanks: the blanks before the text balance the space after it.
            const size_t lead = text.find_first_not_of(' ');
            ASSERT_NE(lead, std::string::npos) << "page " << page << " line " << line;
            const int after = int(wide ? 18 : 15) - int(text.size());
            EXPECT_LE(std::abs(int(lead) - after), 1) << '"' << text << '"';
        }
    }
    EXPECT_STREQ(CreditLine(0, 0), "DESIGN AND CODE");
    EXPECT_STREQ(CreditLine(3, 1), "    FLY  TO");
    EXPECT_STREQ(CreditLine(9, 0), "");
}

// ================================================================ high-score mode
TEST_F(FrontEndModes, FirstVisitWithoutAFileShowsTheDefaultsAndAScoreEqualToTheTenthStaysOut) {
    Player.score = 50000;
    ScriptSetKey(VK_DOWN, true);
    ScriptSetKey(VK_SPACE, true); // "BACK TO MENU" at the first poll
    std::string music;
    EXPECT_TRUE(RunMode(HighScoreMode, 100, [&](uint32_t) {
        music = ModulePlaying() ? GetModuleTitle() : "(silence)";
    }));
    EXPECT_EQ(music, ModuleTitle(3));
    EXPECT_FALSE(ModulePlaying());
    EXPECT_EQ(PlatformFrameCount(), 16u);
    EXPECT_EQ(GameMode, MODE_MENU);
    EXPECT_EQ(PlayEntry, PLAY_NEW_GAME);
    ASSERT_EQ(HighScores.count, 10);
    EXPECT_EQ(HighScoreName(1), "AMIGA RULEZ");
    EXPECT_EQ(HighScoreValue(10), 50000);
    EXPECT_TRUE(ReadFileBytes("scores.dat").empty()) << "nothing is saved unasked";

    Player.score = 50001; // one point more enters, under the fixed name, at place 10
    ScriptReset();
    ScriptSetKey(VK_DOWN, true);
    ScriptSetKey(VK_SPACE, true);
    EXPECT_TRUE(RunMode(HighScoreMode, 100));
    ASSERT_EQ(HighScores.count, 11);
    EXPECT_EQ(HighScoreName(10), "KALDO");
    EXPECT_EQ(HighScoreValue(10), 50001);
    EXPECT_EQ(HighScoreValue(11), 50000);
}

TEST_F(FrontEndModes, ResetShowsTheDefaultsFromTheNextFrameAndLeavesTheFileAlone) {
    const std::vector<uint8_t> one = {'O', 'N', 'E', '\r', '\n', 5, 0, 0, 0};
    WriteFileBytes("scores.dat", one);
    ScriptSetKey(VK_UP, true);         // "SAVE SCORES" up to "RESET SCORES"
    std::vector<uint32_t> calls(1, 0); // drawing calls of each frame tell which rows it showed
    std::string firstName;
    EXPECT_FALSE(RunMode(HighScoreMode, 40, [&](uint32_t frame) {
        calls.push_back(RenderCallCount);
        RenderCallCount = 0;
        if (frame == 16) ScriptSetKey(VK_UP, false), ScriptSetKey(VK_SPACE, true);
        if (frame == 17) {
            EXPECT_EQ(Visit("cursor"), 0);
        }
        if (frame == 31) firstName = HighScoreName(1);
        if (frame == 32) ScriptSetKey(VK_SPACE, false);
    }));
    EXPECT_EQ(firstName, "ONE");
    EXPECT_EQ(calls[32], calls[31])
        << "the reset frame still shows the rows it drew before the poll";
    EXPECT_GT(calls[33], calls[32]) << "ten longer names from the next frame on";
    EXPECT_EQ(calls[34], calls[33]);
    EXPECT_EQ(HighScoreName(1), "AMIGA RULEZ");
    EXPECT_EQ(HighScores.count, 10);
    EXPECT_EQ(ReadFileBytes("scores.dat"), one);
}

TEST_F(FrontEndModes, SaveWritesTheTableWithTheNewScoreAndEveryLaterVisitAddsItAgain) {
    Player.score = 123456;
    ScriptSetKey(VK_SPACE, true); // on "SAVE SCORES", held: saves at every poll
    std::vector<uint8_t> at16, at32;
    EXPECT_FALSE(RunMode(HighScoreMode, 40, [&](uint32_t frame) {
        if (frame == 15) {
            EXPECT_TRUE(ReadFileBytes("scores.dat").empty());
        }
        if (frame == 16) at16 = ReadFileBytes("scores.dat");
        if (frame == 32) at32 = ReadFileBytes("scores.dat");
    }));
    ASSERT_EQ(at16.size(), 170u + 5 + 6);
    EXPECT_EQ(at32, at16);
    const std::string bytes(at16.begin(), at16.end());
    EXPECT_EQ(bytes.substr(34, 11), std::string("KALDO\r\n\x40\xE2\x01\x00", 11)); // place 3

    // The next visit loads the saved table, and the unchanged score still beats the tenth.
    ScriptReset();
    EXPECT_FALSE(RunMode(HighScoreMode, 2));
    EXPECT_EQ(HighScores.count, 12);
    EXPECT_EQ(HighScoreName(3), "KALDO");
    EXPECT_EQ(HighScoreName(4), "KALDO");
}

TEST_F(FrontEndModes, AMegabyteNameCostsNoMoreToShowThanAName25CharactersLong) {
    auto callsOfSecondFrame = [&](const std::string& name) {
        std::vector<uint8_t> file(name.begin(), name.end());
        for (int b : {13, 10, 1, 0, 0, 0}) file.push_back(uint8_t(b));
        WriteFileBytes("scores.dat", file);
        ScriptReset();
        uint32_t calls = 0;
        RunMode(HighScoreMode, 2, [&](uint32_t frame) {
            if (frame == 2) calls = RenderCallCount;
            RenderCallCount = 0;
        });
        return calls;
    };
    const uint32_t shortName = callsOfSecondFrame(std::string(25, 'A'));
    const uint32_t hugeName = callsOfSecondFrame(std::string(1 << 20, 'A'));
    EXPECT_GT(shortName, 0u);
    EXPECT_EQ(hugeName, shortName);
    EXPECT_EQ(HighScoreName(1).size(), size_t(1) << 20) << "the table keeps the whole name";
}

} // namespace
