// catalogue.h - the texture tables, sound slots, music modules and start-up tables.
//
// Built once at start-up from the pictures, effects and modules embedded in the executable;
// nothing here changes afterwards. Slots that nothing fills hold texture 0.
#pragma once

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------- texture tables
extern uint32_t PanelImage;        // background panels
extern uint32_t TileImages[51];    // map tiles by cell code; 42 to 50 stay 0
extern uint32_t HighlightBarImage; // menu cursor bar, copper bars
extern uint32_t TorsoImages[2];    // [facing]: 0 as drawn, 1 mirrored
extern uint32_t LegImages[5][2];   // [pose][mirror]
extern uint32_t ShotImages[11][2]; // [type][mirror]; rows 0 to 4 filled
extern uint32_t EnemyImages[3][2]; // [row][0 normal, 1 white silhouette]
extern uint32_t HudFrameImages[4]; // pipe frame: 0 left bend, 1 straight, 2 right bend, 3 band
extern uint32_t FuelSegmentImage;
extern uint32_t EnergySegmentImage;
extern uint32_t ItemImages[4]; // 0 orb, 1 grey disc, 2 grid crosshair, 3 arrow
extern uint32_t RingImage;
extern uint32_t ScreenImages[20];  // robots, headings, logo thirds, weapon buttons
extern uint32_t ParticleImages[9]; // 0 to 7 from the sheet, 8 the glow block

// ---------------------------------------------------------------- start-up tables
extern float CopperColours[601][3]; // rainbow rows; row 600 is white
extern int32_t BarColourRow[11];    // entry i = 12 i at start-up
extern int32_t BarPhase[11];        // entry i = 10 i + 9 at start-up

// ---------------------------------------------------------------- sound slots 0 to 13
constexpr int SOUND_SLOTS = 14;
// The embedded WAV file of a slot ("sound03.wav" for slots 3 and 4); nullptr outside 0 to 13.
const char* SoundSlotFile(int slot);
// Slot 4 plays the file of slot 3 at this rate, lower and slower.
constexpr int SOUND_SLOT4_FREQUENCY = 8000;

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
// Start and length of an embedded module (1 menu, 2 play, 3 high scores, 4 shop, 5 level end).
const uint8_t* MusicModule(int module);
int32_t MusicModuleLength(int module);

// ---------------------------------------------------------------- building
// Start-up runs these two halves with its own steps between them: the first builds the
// fonts, the copper tables, the background panels, the tiles and the level tables; the
// second every other texture, the sound slots, the screen and particle pictures.
void BuildCatalogueFirstHalf();
void BuildCatalogueSecondHalf();
