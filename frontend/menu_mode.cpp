// menu_mode.cpp - the main menu and its credits roll.
//
// Sections: 1. the credits roll  2. the visit  3. one drawn frame  4. the mode
#include "frontend/menu_mode.h"

#include "core/catalogue.h"
#include "core/frame.h"
#include "core/globals.h"
#include "core/mode_visit.h"
#include "core/music.h"
#include "frontend/audio_input.h"
#include "frontend/equalizer.h"
#include "render/backdrop.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/partial_frame.h"
#include "render/text.h"
#include "screen/screen_parts.h"
#include "sound/sound_effects.h"
#include "support/maths.h"

// ================================================================ 1. the credits roll
namespace {

// Colours of the roll: credits yellow pulsing towards pale green, group greetings white
// towards light blue, personal greetings white towards pink.
enum CreditColour { CREDITS, GROUP_GREETINGS, PERSONAL_GREETINGS };

struct CreditPage {
    const char* lines[CREDIT_LINES];
    CreditColour colour;
};

// Fifteen columns centred on x = 401; shorter lines are centred with leading blanks. The one
// 18-character line (page 4, line 2) starts 30 pixels further left.
const CreditPage CREDITS_ROLL[CREDIT_PAGES] = {
    {{"DESIGN AND CODE", " MORVEXA TEAM", " GFX: MORVEXA"}, CREDITS},
    {{"ADDITIONAL  GFX", "MORVEXA ARTISTS", " FONT: MORVEXA"}, CREDITS},
    {{"MSX  TAKEN FROM", "VARIOUS  INTROS", "OWN  XM  PLAYER"}, CREDITS},
    {{" OUR GREETINGS", "    FLY  TO", " SDL AND MESA"}, GROUP_GREETINGS},
    {{" SFX: MORVEXA", "DEBIAN  GAMES TEAM", "THE GNU PROJECT"}, GROUP_GREETINGS},
    {{"PERSONAL GREETZ", "WITHOUT   ORDER", "ALL DEMOSCENERS"}, PERSONAL_GREETINGS},
    {{" TRACKER MUSOS", "PIXEL  ARTISTS", " MOD ARCHIVERS"}, PERSONAL_GREETINGS},
    {{"  OPENGAMEART", " LINUX  KERNEL", "GCC, GDB, CMAKE"}, PERSONAL_GREETINGS},
    {{"OPENGL  CODERS", "FREE  SOFTWARE", "AND YOU, PLAYER"}, PERSONAL_GREETINGS},
};

constexpr int32_t CREDIT_TOP = 420;    // y of line 1; lines are 30 pixels apart
constexpr int32_t CREDIT_BASE_X = 220; // a 15-character line
constexpr int32_t CREDIT_WIDE_X = 190; // the 18-character line
constexpr int32_t PAGE_FRAMES = 500;   // a page turns when its timer passes this
constexpr int32_t SWING_ANGLE = 1800;  // degrees at the start of a page, -10 a frame
constexpr int32_t SWING_WIDTH = 800;   // pixels at the start of a page, -20 a frame

void PageColour(int32_t page, float amount, float* r, float* g, float* b) {
    switch (CREDITS_ROLL[page].colour) {
    case CREDITS: *r = 1 - amount, *g = 1, *b = amount; break;
    case GROUP_GREETINGS: *r = 1 - amount, *g = 1 - amount, *b = 1; break;
    case PERSONAL_GREETINGS: *r = 1, *g = 1 - amount, *b = 1; break;
    }
}

} // namespace

const char* CreditLine(int page, int line) {
    if (page < 0 || page >= CREDIT_PAGES || line < 0 || line >= CREDIT_LINES) return "";
    return CREDITS_ROLL[page].lines[line];
}

int32_t CreditBaseX(int page, int line) {
    return page == 4 && line == 1 ? CREDIT_WIDE_X : CREDIT_BASE_X;
}

// ================================================================ 2. the visit
namespace {

enum : int32_t { ITEM_START_GAME = 0, ITEM_HIGHSCORES = 1, ITEM_EXIT_GAME = 2 };

const ShadowedText MENU_ITEMS[] = {
    {"START GAME", 270, 320},
    {"HIGHSCORES", 270, 350},
    {"EXIT GAME", 280, 380},
};
constexpr int32_t LAST_ITEM = 2;
// What the logo, the robots and the frame bars cover.
const FrameArea MENU_STILL_AREAS[] = {{22, 42, 768, 256},
                                      {10, 320, 200, 200},
                                      {580, 320, 200, 200},
                                      {0, 0, 800, 30},
                                      {0, 570, 800, 30}};

constexpr int32_t HIGHLIGHT_TOP = 315;        // the bar of item 0; 30 pixels per item
constexpr float EQUALIZER_FIELD_OF_VIEW = 50; // degrees, and the far plane at 120
constexpr int32_t KEY_POLL_FRAMES = 15;       // keys are polled when the timer passes this

// Everything a visit keeps; set afresh on each entry. The swing values are whole numbers
// (they step by 10 and 20 from whole starts), so they are held as integers.
struct MenuVisit {
    int32_t cursor = ITEM_HIGHSCORES;
    int32_t leave = 0;
    float pulse = 0;
    int32_t page = 0;
    int32_t pageTimer = 0;
    int32_t swingAngle = SWING_ANGLE;
    int32_t swingWidth = SWING_WIDTH;
    int32_t keyTimer = 0;
    int32_t framesDrawn = 0;
};

// ================================================================ 3. one drawn frame
void ChooseItem(MenuVisit& v) {
    switch (v.cursor) {
    case ITEM_START_GAME: GameMode = MODE_PLAY, PlayEntry = PLAY_NEW_GAME; break;
    case ITEM_HIGHSCORES: GameMode = MODE_HIGHSCORES; break;
    case ITEM_EXIT_GAME: GameMode = MODE_QUIT; break;
    }
    v.leave = 1;
}

void TurnCreditsPage(MenuVisit& v) {
    v.pageTimer += 1;
    if (v.pageTimer > PAGE_FRAMES) {
        v.pageTimer = 0;
        v.page = (v.page + 1) % CREDIT_PAGES;
        v.swingAngle = SWING_ANGLE;
        v.swingWidth = SWING_WIDTH;
    }
    if (v.swingAngle > 0) v.swingAngle -= 10;
    if (v.swingWidth > 0) v.swingWidth -= 20;
}

// Lines 1 and 3 swing with the sine, line 2 with the cosine; at rest from the 40th frame of a
// page on (the width is then 0).
void DrawCreditsPage(const MenuVisit& v, float amount) {
    const float width = float(v.swingWidth), angle = float(v.swingAngle);
    int32_t x[CREDIT_LINES];
    for (int line = 0; line < CREDIT_LINES; line++) {
        const float shift = width * (line == 1 ? CosDeg(angle) : SinDeg(angle));
        x[line] = RoundToInt(double(float(CreditBaseX(v.page, line)) + shift));
    }
    for (int line = 0; line < CREDIT_LINES; line++)
        DrawTextEx(0, CreditLine(v.page, line), x[line] + 4, CREDIT_TOP + 30 * line + 4, 20, 20, 0,
                   0.1f, 0.1f, 0.1f, 1);
    float r = 1, g = 1, b = 1;
    PageColour(v.page, amount, &r, &g, &b);
    for (int line = 0; line < CREDIT_LINES; line++)
        DrawTextEx(0, CreditLine(v.page, line), x[line], CREDIT_TOP + 30 * line, 20, 20, 0, r, g, b,
                   1);
}

void PollMenuKeys(MenuVisit& v) {
    if (!KeyPollDue(&v.keyTimer, KEY_POLL_FRAMES)) return;
    const MenuPoll poll = PollMenuCursor(&v.cursor, LAST_ITEM);
    // Both arrows held: the cursor stays, and the click sounds twice.
    for (int moves = poll.moves; moves > 0; moves--) PlaySound(SOUND_CLICK);
    if (poll.choose) ChooseItem(v);
}

// What changes from one menu frame to the next: the highlight bar and the credits pulse,
// the credits swing in, the equalizer turns. The rest is drawn alike from the second frame
// on (the first one's still sprites take the colour the last mode left), so on a GL that
// keeps the back buffer only these parts are drawn again.
void NameChangingAreas(const MenuVisit& v) {
    if (v.framesDrawn == 0) return;
    const FrameArea areas[] = {{0, HIGHLIGHT_TOP + 30 * v.cursor, 800, 30},
                               {0, CREDIT_TOP, 800, 30 * (CREDIT_LINES - 1) + 4 + 20},
                               EqualizerArea(EQUALIZER_FIELD_OF_VIEW)};
    SetChangingAreas(areas, 3);
}

void DrawMenuFrame(MenuVisit& v) {
    v.pulse += 5;
    const float amount = PulseAmount(v.pulse);
    RequeueAudioInput();
    NameChangingAreas(v);
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    // The still part of the menu: the title logo in three squares, the two robots and the
    // frame bars, drawn on the first frame and put back as a copy on later ones. The bars are
    // drawn last in the design; nothing else of the menu reaches the top or bottom 30 rows
    // (the credits swing sideways at rows 420 to 510), so drawing them here gives the same
    // picture.
    if (!DrawBackdrop()) {
        DrawSpriteRotated(ScreenImages[SCREEN_LOGO_LEFT], 150, 170, 0, 256);
        DrawSpriteRotated(ScreenImages[SCREEN_LOGO_MIDDLE], 406, 170, 0, 256);
        DrawSpriteRotated(ScreenImages[SCREEN_LOGO_RIGHT], 662, 170, 0, 256);
        DrawSpriteRotated(ScreenImages[SCREEN_ROBOT_SIDE], 110, 420, 0, 200);
        DrawSpriteRotated(ScreenImages[SCREEN_ROBOT_TOP], 680, 420, 0, 200);
        DrawFrameBars();
        // Kept from the second frame on: DrawSpriteRotated keeps the current colour, which on
        // the first frame is whatever the previous mode left, and on later ones the white that
        // every menu frame ends with.
        if (v.framesDrawn > 0) KeepBackdrop(MENU_STILL_AREAS, 5);
    }
    v.framesDrawn += 1;
    Begin3D(800, 600, 120, EQUALIZER_FIELD_OF_VIEW);
    ResetTransform();
    DrawEqualizer();
    Begin2D(800, 600);
    ResetTransform();
    DrawMenuItems(MENU_ITEMS, 3, v.cursor, HIGHLIGHT_TOP, amount);
    TurnCreditsPage(v);
    DrawCreditsPage(v, amount);
    PollMenuKeys(v);
    SetColor(1, 1, 1, 1); // as the frame bars left it when they were drawn last
}

} // namespace

// ================================================================ 4. the mode
void MenuMode() {
    StartMusic(MUSIC_MENU); // from the start
    ForgetBackdrop();
    MenuVisit visit;
    const PublishedModeVisit published("menu", {{"cursor", &visit.cursor},
                                                {"page", &visit.page},
                                                {"pageTimer", &visit.pageTimer},
                                                {"keyTimer", &visit.keyTimer},
                                                {"swingAngle", &visit.swingAngle},
                                                {"swingWidth", &visit.swingWidth},
                                                {"pulse", &visit.pulse}});
    while (!visit.leave) {
        if (FrameDue()) {
            DrawMenuFrame(visit);
            FinishFrame(); // the frame that saw the space bar is shown before leaving
        }
        EndPass();
    }
    StopMusic();
}
