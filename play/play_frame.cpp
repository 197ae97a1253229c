// play_frame.cpp - entering the play mode and the order of one drawn frame.
#include "play/play_frame.h"

#include "core/catalogue.h"
#include "core/frame.h"
#include "core/globals.h"
#include "core/level_map.h"
#include "core/music.h"
#include "core/player.h"
#include "objects/back_panels.h"
#include "objects/enemies.h"
#include "objects/particles.h"
#include "objects/pickups.h"
#include "objects/shots.h"
#include "platform/platform.h"
#include "play/player_motion.h"
#include "render/display.h"
#include "render/draw.h"
#include "support/maths.h"

const PlayVisit* ActivePlayVisit = nullptr;

namespace {

// A new game and a new sector load the map afresh and lay out its orbs.
void SetUpSector() {
    ClearLevelMap();
    ClearPickups();
    ClearEnemies();
    LoadLevelMap();
    PlacePickups();
}

} // namespace

void EnterPlay() {
    if (PlayEntry == PLAY_NEW_GAME) {
        SetNewGamePlayer();
        SetUpSector();
    } else if (PlayEntry == PLAY_NEXT_SECTOR) {
        SetNextSectorPlayer();
        SetUpSector();
    }
    // Resume, or any other value: the player stands where the shop or the level end left it.
    StartMusic(MUSIC_PLAY);
}

void RunPlayFrame(PlayVisit& v) {
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    // Dark violet at the top shading to near black at the bottom.
    DrawGradientQuad(0, 30, 800, 580, 0.1f, 0.0f, 0.4f, 0.0f, 0.0f, 0.05f);

    const NeighbourCells cells = ReadNeighbourCells(Player.x, Player.y);
    v.up = cells.up;
    v.down = cells.down;
    v.left = cells.left;
    v.right = cells.right;

    WalkAndFly(v);
    UseDeviceBelow(v);
    HandleWeaponKeys();
    if (GetAsyncKeyState(VK_ESCAPE)) {
        GameMode = MODE_HIGHSCORES;
        v.leave = 1;
    }
    StrikeHead(v);
    ApplyGravity(v);
    ClampPlayerPosition(&Player.x, &Player.y);
    MoveCamera(v);
    RefillFuel(v);
    // Energy 0 is still alive; the game ends in the frame that takes it below, drawn in full.
    if (Player.energy < 0) {
        v.leave = 1;
        GameMode = MODE_HIGHSCORES;
    }
    Player.useCooldown += 1;
    SendDroneWave(v);

    ScrollBackPanels(-v.scrollX, -v.scrollY);
    DrawLevelMap(RoundToInt(CameraX), RoundToInt(CameraY));
    UpdateShots();
    UpdateSpriteParticles();
    UpdateDotParticles();
    UpdateEnemies();
    UpdatePickups();
    DrawPlayer(v);
    DrawHud();
    FinishFrame();
}
