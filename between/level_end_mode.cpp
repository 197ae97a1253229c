// level_end_mode.cpp - the level-end mode: the clean-up round in which every carried orb is a
// target to shoot, its three outcomes, and the congratulations screen of a cleaned sector.
//
// Sections: 1. the visit  2. the round's frame  3. the congratulations frame  4. the mode
#include "between/level_end_mode.h"

#include <algorithm>
#include <string>

#include "core/catalogue.h"
#include "core/frame.h"
#include "core/globals.h"
#include "core/mode_visit.h"
#include "core/music.h"
#include "core/player.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/targets.h"
#include "objects/volley_shots.h"
#include "platform/platform.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/text.h"
#include "screen/screen_parts.h"
#include "support/maths.h"

// ================================================================ 1. the visit
namespace {

constexpr int32_t CURSOR_STEP = 6;    // crosshair pixels per frame and arrow
constexpr int32_t VOLLEY_PERIOD = 10; // a volley when fireCount passes this: every 11th frame
constexpr int32_t ANSWER_PERIOD = 50; // the congratulations screen looks at space every 51st

struct LevelEndVisit {
    int32_t time = LEVEL_END_TIME;
    int32_t cursorX = 400;
    int32_t cursorY = 300;
    int32_t fireCount = 0;
    int32_t leave = 0;
    int32_t savedCameraX = 0; // the play camera, rounded to whole pixels on entry
    int32_t savedCameraY = 0;
};

void BeginBetweenFrame() {
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    // Violet at the top shading to a dull purple at the bottom pipe.
    DrawGradientQuad(0, 30, 800, 560, 0.3f, 0.1f, 0.4f, 0.3f, 0.2f, 0.3f);
}

// ================================================================ 2. the round's frame
void SteerCrosshair(LevelEndVisit& v) {
    if (GetAsyncKeyState(VK_LEFT)) v.cursorX -= CURSOR_STEP;
    if (GetAsyncKeyState(VK_RIGHT)) v.cursorX += CURSOR_STEP;
    if (GetAsyncKeyState(VK_UP)) v.cursorY -= CURSOR_STEP;
    if (GetAsyncKeyState(VK_DOWN)) v.cursorY += CURSOR_STEP;
    // Chosen: Escape ends the game here as it does in play; the round stops after this frame.
    if (GetAsyncKeyState(VK_ESCAPE)) {
        GameMode = MODE_HIGHSCORES;
        v.leave = 1;
    }
}

void RunRoundFrame(LevelEndVisit& v) {
    v.time -= 1;
    SteerCrosshair(v);
    v.fireCount += 1;
    if (v.fireCount > VOLLEY_PERIOD) {
        v.fireCount = 0;
        if (GetAsyncKeyState(VK_SPACE)) FireVolley(float(v.cursorX), float(v.cursorY));
    }
    BeginBetweenFrame();
    // The volley above was aimed before the clamp, so it may fly a few pixels past the edge.
    v.cursorX = std::clamp(v.cursorX, 20, 780);
    v.cursorY = std::clamp(v.cursorY, 20, 580);
    DrawLine(v.cursorX, 0, v.cursorX, 600, 1, 1, 1, 1, 2);
    DrawLine(0, v.cursorY, 800, v.cursorY, 1, 1, 1, 1, 2);
    UpdateTargets();
    UpdateVolleyShots();
    UpdateDotParticles();
    DrawSpriteRotated(ItemImages[ITEM_CROSSHAIR], float(v.cursorX), float(v.cursorY), 0, 32);
    DrawPipeFrame();
    const std::string text = "TIME " + NumberToText(v.time);
    DrawText(1, text.c_str(), 310, 30, 20, 20);
    FinishFrame();
}

// ================================================================ 3. the congratulations frame
const ShadowedText CONGRATULATIONS[] = {
    {"   CONGRATULATIONS", 200, 320},
    {"THE SECTOR IS CLEANED", 200, 350},
    {"   ENTER NEXT LEVEL", 200, 380},
};

void RunCongratulationsFrame(LevelEndVisit& v) {
    BeginBetweenFrame();
    // The space bar counts only at the moment the counter passes: it has to be held.
    v.fireCount += 1;
    if (v.fireCount > ANSWER_PERIOD) {
        v.fireCount = 0;
        if (GetAsyncKeyState(VK_SPACE)) v.leave = 1;
    }
    DrawItemTexts(CONGRATULATIONS, 3);
    DrawPipeFrame();
    FinishFrame();
}

// ================================================================ 4. the mode
// After the round: a time-out puts the survivors back into the sector; with every target
// down the play resumes while orbs lie about, and a sector with none left is cleaned.
// Returns true when the sector is cleaned.
bool SettleRound() {
    if (PickupsCarried > 0) {
        ScatterPickups(PickupsCarried);
        PickupsCarried = 0;
        GameMode = MODE_PLAY;
        PlayEntry = PLAY_RESUME;
    } else if (PickupsLeft > 0) {
        GameMode = MODE_PLAY;
        PlayEntry = PLAY_RESUME;
    }
    if (PickupsLeft != 0) return false;
    GameMode = MODE_PLAY;
    PlayEntry = PLAY_NEXT_SECTOR;
    Player.level += 1;
    return true;
}

} // namespace

void LevelEndMode() {
    LevelEndVisit v;
    const PublishedModeVisit published("levelend", {{"time", &v.time},
                                                    {"cursorX", &v.cursorX},
                                                    {"cursorY", &v.cursorY},
                                                    {"fireCount", &v.fireCount},
                                                    {"leave", &v.leave}});
    StartMusic(MUSIC_LEVEL_END);
    // The round is drawn in screen pixels; with the camera at 0, 0 the dot particles' world
    // pixels are screen pixels too.
    v.savedCameraX = RoundToInt(CameraX);
    v.savedCameraY = RoundToInt(CameraY);
    CameraX = 0;
    CameraY = 0;
    SpawnTargets();

    do {
        if (FrameDue()) RunRoundFrame(v);
        EndPass();
    } while (v.time >= 0 && PickupsCarried != 0 && !v.leave);

    // Escape has ended the game: no outcome, straight to the high scores.
    if (!v.leave && SettleRound()) {
        do {
            if (FrameDue()) RunCongratulationsFrame(v);
            EndPass();
        } while (!v.leave);
    }

    ClearVolleyShots();
    ClearTargets();
    CameraX = float(v.savedCameraX);
    CameraY = float(v.savedCameraY);
    StopMusic();
}
