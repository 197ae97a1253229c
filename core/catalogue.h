// catalogue.h - the texture tables, sound slots, music modules and start-up tables.
//
// Built once at start-up from the pictures, effects and modules embedded in the executable;
// nothing here changes afterwards. Slots that nothing fills hold texture 0. Every slot, module
// and picture number the game uses is named here, once: code passes the names, never the
// numbers. (The map's cell codes have their own table in core/cell_codes.h.)
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/cell_codes.h"

// ---------------------------------------------------------------- texture tables
extern uint32_t PanelImage;                  // background panels
extern uint32_t TileImages[CELL_TILE_SLOTS]; // map tiles by cell code; 42 to 50 stay 0
extern uint32_t HighlightBarImage;           // menu cursor bar, copper bars
extern uint32_t TorsoImages[2];              // [facing]: 0 as drawn, 1 mirrored
extern uint32_t LegImages[5][2];             // [pose][mirror]
extern uint32_t ShotImages[11][2];           // [type][mirror]; rows 0 to 4 filled
extern uint32_t EnemyImages[3][2];           // [row][0 normal, 1 white silhouette]
extern uint32_t HudFrameImages[4]; // pipe frame: 0 left bend, 1 straight, 2 right bend, 3 band
extern uint32_t FuelSegmentImage;
extern uint32_t EnergySegmentImage;
extern uint32_t ItemImages[4]; // 0 orb, 1 grey disc, 2 grid crosshair, 3 arrow
extern uint32_t RingImage;
extern uint32_t ScreenImages[20];  // robots, headings, logo thirds, weapon buttons
extern uint32_t ParticleImages[9]; // 0 to 7 from the sheet, 8 the glow block

// Slots of ScreenImages; 9 and 16 to 19 stay empty.
enum ScreenImageSlot : int {
    SCREEN_ROBOT_SIDE = 0,   // wire-frame robot from the side (menu, left)
    SCREEN_ROBOT_SHADED = 1, // shaded three-quarter robot (shop)
    SCREEN_ROBOT_TOP = 2,    // wire-frame robot from above (menu, right)
    SCREEN_HEADING_MENU = 3,
    SCREEN_HEADING_SCORE = 4,
    SCREEN_HEADING_SHOP = 5,
    SCREEN_LOGO_LEFT = 6, // the logo's thirds, left to right
    SCREEN_LOGO_MIDDLE = 7,
    SCREEN_LOGO_RIGHT = 8,
    SCREEN_WEAPON_BUTTONS = 10, // the button of weapon w is slot 10 + w (w = 0 to 4)
    SCREEN_EMPTY_BUTTON = 15,
};

// Slots of ItemImages.
enum ItemImageSlot : int { ITEM_ORB = 0, ITEM_DISC = 1, ITEM_CROSSHAIR = 2, ITEM_ARROW = 3 };

// Slots of HudFrameImages.
enum HudFrameSlot : int {
    HUD_LEFT_BEND = 0,
    HUD_PIPE = 1,
    HUD_RIGHT_BEND = 2,
    HUD_BANDED_PIPE = 3
};

// Rows of ShotImages (the shot type draws its own row) and of EnemyImages.
enum ShotImageRow : int {
    SHOT_BULLET = 0,
    SHOT_BOLT = 1,
    SHOT_FIREBALL = 2,
    SHOT_PLASMA = 3,
    SHOT_CRESCENT = 4
};
enum EnemyImageRow : int { ENEMY_ROCKET_DRONE = 0, ENEMY_MINE = 1, ENEMY_SKULL = 2 };

// Slots of ParticleImages.
enum ParticleImageSlot : int {
    PARTICLE_DOT = 0,
    PARTICLE_RING = 1,
    PARTICLE_BALL = 2,
    PARTICLE_WRECKAGE = 3, // three pieces of wreckage, 3 to 5
    PARTICLE_SMOKE = 6,
    PARTICLE_DUST = 7,
    PARTICLE_GLOW = 8,
};

// ---------------------------------------------------------------- start-up tables
extern float CopperColours[601][3]; // rainbow rows; row 600 is white

// ---------------------------------------------------------------- sound slots 0 to 13
// The slot every PlaySound call passes, named after its sound; some sounds serve two events.
enum SoundSlot : int {
    SOUND_GUN = 0,        // weapon 0 or weapon 4 fires
    SOUND_WALL_ZAP = 1,   // a shot of type 1, 2 or 4 meets a wall
    SOUND_FIREBALL = 2,   // weapon 2 fires
    SOUND_BOLT = 3,       // weapon 1 fires
    SOUND_BOLT_LOW = 4,   // the bolt played at 8000 Hz; no mode plays it
    SOUND_HIT = 5,        // a shot hits a drone, or a shot of type 0 or 3 meets a wall
    SOUND_PLASMA = 6,     // weapon 3 fires; the level end fires a volley
    SOUND_TELEPORT = 7,   // the player teleports; a level-end target is destroyed
    SOUND_CHIME = 8,      // a purchase in the shop; a volley shot bursts
    SOUND_CLICK = 9,      // a menu or shop cursor moves; the shop refuses a purchase
    SOUND_EXPLOSION = 10, // a drone is destroyed
    SOUND_STEP = 11,      // the player lands, and every fifth step of the walk
    SOUND_HEAD = 12,      // the player's head strikes a hazardous ceiling
    SOUND_COLLECT = 13,   // an orb is collected
    SOUND_SLOTS = 14,
};
// The embedded WAV file of a slot ("sound03.wav" for slots 3 and 4); nullptr outside 0 to 13.
const char* SoundSlotFile(int slot);
// SOUND_BOLT_LOW plays the file of SOUND_BOLT at this rate, lower and slower.
constexpr int SOUND_BOLT_LOW_FREQUENCY = 8000;

// ---------------------------------------------------------------- embedded pictures
// Every picture the catalogue cuts, with the shape it must keep (a file replaced by hand
// keeps its width, height and bits per pixel, or its pieces stay empty).
struct CataloguePicture {
    const char* file;
    int32_t width, height, bitsPerPixel;
};
extern const CataloguePicture CataloguePictures[];
extern const int32_t CataloguePictureCount;
constexpr const char* GLOW_BLOCK_FILE = "glow.rgba"; // 64 x 64 RGBA texels
constexpr int32_t GLOW_BLOCK_BYTES = 16384;

// ---------------------------------------------------------------- music modules 1 to 5
// Each mode starts its own module.
enum Music : int {
    MUSIC_MENU = 1,
    MUSIC_PLAY = 2,
    MUSIC_HIGHSCORES = 3,
    MUSIC_SHOP = 4,
    MUSIC_LEVEL_END = 5,
};
// Start and length of an embedded module; nullptr and 0 outside 1 to 5.
const uint8_t* MusicModule(int module);
int32_t MusicModuleLength(int module);

// ---------------------------------------------------------------- building
// Start-up runs these two halves with its own steps between them: the first builds the
// fonts, the copper colours, the panel picture and the tiles; the second every other
// texture, the sound slots, the screen and particle pictures.
void BuildCatalogueFirstHalf();
void BuildCatalogueSecondHalf();
