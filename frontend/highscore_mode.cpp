// highscore_mode.cpp - the ten best scores over the copper bars; reset, save, back to menu.
//
// Sections: 1. the visit  2. one drawn frame  3. the mode
#include "frontend/highscore_mode.h"

#include <algorithm>
#include <string>

#include "core/catalogue.h"
#include "core/frame.h"
#include "core/globals.h"
#include "core/mode_visit.h"
#include "core/music.h"
#include "core/player.h"
#include "frontend/copper_bars.h"
#include "frontend/highscores.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/text.h"
#include "screen/screen_parts.h"
#include "support/maths.h"

// ================================================================ 1. the visit
namespace {

enum : int32_t { ITEM_RESET_SCORES = 0, ITEM_SAVE_SCORES = 1, ITEM_BACK_TO_MENU = 2 };

const ShadowedText HIGHSCORE_ITEMS[] = {
    {"RESET SCORES", 270, 450},
    {"SAVE SCORES", 280, 480},
    {"BACK TO MENU", 270, 510},
};
constexpr int32_t LAST_ITEM = 2;
constexpr int32_t HIGHLIGHT_TOP = 445;  // the bar of item 0; 30 pixels per item
constexpr int32_t KEY_POLL_FRAMES = 15; // keys are polled when the timer passes this
constexpr int32_t SHOWN_ROWS = 10;      // rows on screen, and the place a new score must beat
const char* const NEW_SCORE_NAME = "KALDO";

// mended: a name is cut to what fits between its column and the right edge (15-pixel glyphs
// from x = 436), so a name line of megabytes from the file costs no more than a short one.
constexpr size_t SHOWN_NAME_CHARACTERS = 25;

struct HighScoreVisit {
    int32_t cursor = ITEM_SAVE_SCORES;
    int32_t leave = 0;
    float pulse = 0;
    int32_t keyTimer = 0;
};

// ================================================================ 2. one drawn frame
void ChooseItem(HighScoreVisit& v) {
    switch (v.cursor) {
    case ITEM_RESET_SCORES: ResetHighScores(); break;
    case ITEM_SAVE_SCORES: SaveHighScores(); break; // a failed save shows nothing
    case ITEM_BACK_TO_MENU: GameMode = MODE_MENU, v.leave = 1; break;
    }
}

void DrawTableRows(float amount) {
    const int32_t rows = std::min(SHOWN_ROWS, HighScores.count);
    for (int32_t k = 1; k <= rows; k++) {
        const std::string name = HighScoreName(k).substr(0, SHOWN_NAME_CHARACTERS);
        const std::string score = NumberToText(HighScoreValue(k));
        const int32_t y = 110 + 30 * k;
        DrawTextEx(0, name.c_str(), 424, y + 4, 15, 20, 0, 0.1f, 0.1f, 0.1f, 1);
        DrawTextEx(0, name.c_str(), 420, y, 15, 20, 0, 1 - amount, 1, amount, 1);
        DrawTextEx(0, score.c_str(), 124, y + 4, 20, 20, 0, 0.1f, 0.1f, 0.1f, 1);
        DrawTextEx(0, score.c_str(), 120, y, 20, 20, 0, amount, 1, 1 - amount, 1);
    }
}

void PollHighScoreKeys(HighScoreVisit& v) {
    if (!KeyPollDue(&v.keyTimer, KEY_POLL_FRAMES)) return;
    if (PollMenuCursor(&v.cursor, LAST_ITEM).choose) ChooseItem(v); // moves make no click here
}

void DrawHighScoreFrame(HighScoreVisit& v) {
    v.pulse += 5;
    const float amount = PulseAmount(v.pulse);
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    DrawSpriteRotated(ScreenImages[SCREEN_HEADING_SCORE], 400, 140, 0,
                      256); // the chrome "score" heading
    DrawCopperBars();
    DrawTableRows(amount);
    PollHighScoreKeys(v); // before the bar, so a move shows in the same frame
    DrawMenuItems(HIGHSCORE_ITEMS, 3, v.cursor, HIGHLIGHT_TOP, amount);
    DrawFrameBars();
}

} // namespace

// ================================================================ 3. the mode
void HighScoreMode() {
    PlayEntry = PLAY_NEW_GAME; // the next game started from the menu is a new one
    HighScoreVisit visit;
    CopperBarStep = 0;
    StartMusic(MUSIC_HIGHSCORES);
    LoadHighScores();
    // Chosen: with no file ever loaded and no reset yet the table is empty; the defaults give
    // the player a table to beat instead of ten empty rows.
    if (HighScores.count == 0) ResetHighScores();
    if (Player.score > HighScoreValue(SHOWN_ROWS)) AddHighScore(NEW_SCORE_NAME, Player.score);
    // The visit, and the bars' step counter.
    const PublishedModeVisit published("highscores", {{"cursor", &visit.cursor},
                                                      {"keyTimer", &visit.keyTimer},
                                                      {"barStep", &CopperBarStep},
                                                      {"pulse", &visit.pulse}});
    while (!visit.leave) {
        if (FrameDue()) {
            DrawHighScoreFrame(visit);
            FinishFrame();
        }
        EndPass();
    }
    StopMusic();
}
