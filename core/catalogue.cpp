// catalogue.cpp - turns the embedded pictures into texture tables, fills the sound slots and
// builds the start-up tables, in the order start-up depends on.
//
// Sections: tables | embedded files | cutting helpers | first half | second half | music
//
// Every texture is keyed on pure black (transparent) and filtered linearly. A sheet that is
// missing or too small leaves the slots it would fill at 0, so a half-drawn art set still
// starts. Called once from start-up on the main thread.
#include "core/catalogue.h"

#include <cstdio>
#include <cstring>

#include "assets/assets.h"
#include "render/image.h"
#include "render/text.h"
#include "sound/sound_effects.h"

// ================================================================ tables
uint32_t PanelImage;
uint32_t TileImages[CELL_TILE_SLOTS];
uint32_t HighlightBarImage;
uint32_t TorsoImages[2];
uint32_t LegImages[5][2];
uint32_t ShotImages[11][2];
uint32_t EnemyImages[3][2];
uint32_t HudFrameImages[4];
uint32_t FuelSegmentImage;
uint32_t EnergySegmentImage;
uint32_t ItemImages[4];
uint32_t RingImage;
uint32_t ScreenImages[20];
uint32_t ParticleImages[9];
float CopperColours[601][3];

const CataloguePicture CataloguePictures[] = {
    {"font1.bmp", 320, 48, 32},        {"font0.bmp", 320, 49, 8},
    {"panel.bmp", 128, 128, 8},        {"tiles.bmp", 384, 448, 24},
    {"highlight_bar.bmp", 64, 64, 24}, {"torso.bmp", 64, 64, 24},
    {"legs.bmp", 320, 64, 24},         {"shots.bmp", 80, 16, 24},
    {"enemies.bmp", 64, 96, 24},       {"hud_frame.bmp", 256, 64, 24},
    {"fuel_segment.bmp", 32, 32, 24},  {"energy_segment.bmp", 32, 32, 24},
    {"items.bmp", 128, 34, 24},        {"ring.bmp", 64, 64, 24},
    {"screens.bmp", 768, 512, 4},      {"logo.bmp", 768, 256, 8},
    {"buttons.bmp", 512, 64, 24},      {"particles.bmp", 320, 32, 24},
    {"rainbow.bmp", 1, 600, 24},
};
const int32_t CataloguePictureCount =
    int32_t(sizeof CataloguePictures / sizeof CataloguePictures[0]);

namespace {

// ================================================================ embedded files
constexpr int KEY_BLACK = 0;
constexpr int FILTER_LINEAR = 1;
constexpr int AS_DRAWN = 0, MIRRORED = 1;
constexpr int REPEAT = 0, CLAMP = 1;
constexpr int RAINBOW_IMAGE = 0; // read pixel by pixel, never a texture
constexpr int RAINBOW_ROWS = 600;

const char* const SOUND_FILES[SOUND_SLOTS] = {
    "sound00.wav", "sound01.wav", "sound02.wav", "sound03.wav", "sound03.wav",
    "sound05.wav", "sound06.wav", "sound07.wav", "sound08.wav", "sound09.wav",
    "sound10.wav", "sound11.wav", "sound12.wav", "sound13.wav",
};

// Decodes an embedded picture into an image number; false when the file is missing or does
// not decode.
bool DecodePicture(const char* file, int number) {
    const EmbeddedAsset* asset = FindEmbeddedAsset(file);
    return asset && CatchImage(number, asset->data, asset->size);
}

// ================================================================ cutting helpers
// The texture of image 1000, keyed on black.
uint32_t MakeTexture(int orientation, int clamp) {
    return TextureFromImage(KEY_BLACK, orientation, FILTER_LINEAR, clamp);
}

// A picture used whole: decoded straight into image 1000.
uint32_t WholeTexture(const char* file, int orientation, int clamp) {
    return DecodePicture(file, GrabImageNumber) ? MakeTexture(orientation, clamp) : 0;
}

// One box of the sheet in WorkImage; 0 when the box does not lie inside the sheet.
bool GrabBox(int x, int y, int width, int height) {
    return GrabImage(WorkImage, GrabImageNumber, x, y, width, height) != 0;
}

uint32_t CutTexture(int x, int y, int width, int height, int orientation, int clamp) {
    return GrabBox(x, y, width, height) ? MakeTexture(orientation, clamp) : 0;
}

// An image and its mirror image, both from the same grab: as drawn first, then mirrored.
void CutMirrorPair(uint32_t pair[2], int x, int y, int size, int clamp) {
    if (!GrabBox(x, y, size, size)) return;
    pair[0] = MakeTexture(AS_DRAWN, clamp);
    pair[1] = MakeTexture(MIRRORED, clamp);
}

// Square boxes of WorkImage as textures, keyed on black, in the slots (one shared texture:
// sprites of any of them draw in one run); boxes[k] is box k's (x, y).
void CutBoxes(const int (*boxes)[2], int count, int size, int orientation, int clamp,
              uint32_t* slots) {
    TexturesFromBoxes(WorkImage, boxes, count, size, KEY_BLACK, orientation, clamp, slots);
}

// A row of square cells cut left to right into slots first .. first + count - 1.
void CutRow(const char* file, uint32_t* slots, int count, int size, int y) {
    if (!DecodePicture(file, WorkImage)) return;
    int boxes[MAX_BOXES][2];
    for (int i = 0; i < count; i++) boxes[i][0] = size * i, boxes[i][1] = y;
    CutBoxes(boxes, count, size, AS_DRAWN, CLAMP, slots);
}

void LoadFontSheet(int slot, const char* file) {
    const EmbeddedAsset* asset = FindEmbeddedAsset(file);
    if (asset) LoadFont(slot, asset->data, asset->size, AS_DRAWN, FILTER_LINEAR);
}

void BuildCopperColours() {
    std::memset(CopperColours, 0, sizeof CopperColours);
    if (DecodePicture("rainbow.bmp", RAINBOW_IMAGE)) {
        for (int r = 0; r < RAINBOW_ROWS; r++) {
            const uint32_t colour = ImagePixel(RAINBOW_IMAGE, 0, r);
            CopperColours[r][0] = float(colour & 0xFF) / 255.0f;
            CopperColours[r][1] = float((colour >> 8) & 0xFF) / 255.0f;
            CopperColours[r][2] = float((colour >> 16) & 0xFF) / 255.0f;
        }
    }
    // The row below the picture is white.
    CopperColours[RAINBOW_ROWS][0] = 1.0f;
    CopperColours[RAINBOW_ROWS][1] = 1.0f;
    CopperColours[RAINBOW_ROWS][2] = 1.0f;
}

void BuildTileImages() {
    std::memset(TileImages, 0, sizeof TileImages); // slots 42 to 50 stay empty
    if (!DecodePicture("tiles.bmp", WorkImage)) return;
    int boxes[CELL_PAINTED_TILES][2];
    for (int t = 0; t < CELL_PAINTED_TILES; t++)
        boxes[t][0] = 64 * (t % 6), boxes[t][1] = 64 * (t / 6);
    CutBoxes(boxes, CELL_PAINTED_TILES, 64, AS_DRAWN, CLAMP, TileImages);
}

void LoadSoundSlots() {
    for (int slot = 0; slot < SOUND_SLOTS; slot++) {
        const EmbeddedAsset* asset = FindEmbeddedAsset(SOUND_FILES[slot]);
        if (asset) CatchSound(slot, asset->data, asset->size);
        if (slot == SOUND_BOLT_LOW) SetSoundFrequency(SOUND_BOLT_LOW, SOUND_BOLT_LOW_FREQUENCY);
    }
}

void BuildScreenImages() {
    // Robots in three views over the headings menu, score and shop.
    if (DecodePicture("screens.bmp", WorkImage)) {
        for (int r = 0; r <= 1; r++) {
            for (int j = 0; j <= 2; j++)
                ScreenImages[SCREEN_ROBOT_SIDE + 3 * r + j] =
                    CutTexture(256 * j, 256 * r, 256, 256, AS_DRAWN, CLAMP);
        }
    }
    // The title logo in three thirds, drawn side by side.
    if (DecodePicture("logo.bmp", WorkImage)) {
        for (int j = 0; j <= 2; j++)
            ScreenImages[SCREEN_LOGO_LEFT + j] = CutTexture(256 * j, 0, 256, 256, AS_DRAWN, CLAMP);
    }
    // Weapon buttons 0 to 4 and an empty one; slots 9 and 16 to 19 stay empty.
    if (DecodePicture("buttons.bmp", WorkImage)) {
        for (int j = 0; j <= 5; j++)
            ScreenImages[SCREEN_WEAPON_BUTTONS + j] =
                CutTexture(64 * j, 0, 64, 64, AS_DRAWN, CLAMP);
    }
}

void BuildParticleImages() {
    CutRow("particles.bmp", ParticleImages, PARTICLE_GLOW, 32, 0);
    const EmbeddedAsset* glow = FindEmbeddedAsset(GLOW_BLOCK_FILE);
    if (glow && glow->size >= size_t(GLOW_BLOCK_BYTES))
        ParticleImages[PARTICLE_GLOW] = TextureFromPixels(glow->data, GLOW_BLOCK_BYTES, 64);
}

} // namespace

const char* SoundSlotFile(int slot) {
    return slot >= 0 && slot < SOUND_SLOTS ? SOUND_FILES[slot] : nullptr;
}

// ================================================================ first half
void BuildCatalogueFirstHalf() {
    LoadFontSheet(1, "font1.bmp");
    LoadFontSheet(0, "font0.bmp");
    BuildCopperColours();
    PanelImage = WholeTexture("panel.bmp", AS_DRAWN, CLAMP);
    BuildTileImages();
    std::memset(ParticleImages, 0, sizeof ParticleImages); // filled in the second half
}

void BuildCatalogueSecondHalf() {
    HighlightBarImage = WholeTexture("highlight_bar.bmp", AS_DRAWN, CLAMP);

    uint32_t torso = WholeTexture("torso.bmp", AS_DRAWN, REPEAT);
    if (torso) {
        TorsoImages[0] = torso;
        TorsoImages[1] = MakeTexture(MIRRORED, REPEAT); // image 1000 still holds the torso
    }

    if (DecodePicture("legs.bmp", WorkImage)) {
        for (int i = 0; i <= 4; i++) CutMirrorPair(LegImages[i], 64 * i, 0, 64, CLAMP);
    }
    // Each shot as drawn and mirrored.
    if (DecodePicture("shots.bmp", WorkImage)) {
        int boxes[5][2];
        uint32_t drawn[5], mirrored[5];
        for (int i = 0; i <= 4; i++) boxes[i][0] = 16 * i, boxes[i][1] = 0;
        CutBoxes(boxes, 5, 16, AS_DRAWN, CLAMP, drawn);
        CutBoxes(boxes, 5, 16, MIRRORED, CLAMP, mirrored);
        for (int i = 0; i <= 4; i++) ShotImages[i][0] = drawn[i], ShotImages[i][1] = mirrored[i];
    }
    // Each drone beside its plain white silhouette (the hit flash); neither is mirrored.
    if (DecodePicture("enemies.bmp", WorkImage)) {
        int boxes[6][2];
        uint32_t slots[6];
        for (int k = 0; k < 6; k++) boxes[k][0] = 32 * (k % 2), boxes[k][1] = 32 * (k / 2);
        CutBoxes(boxes, 6, 32, AS_DRAWN, REPEAT, slots);
        for (int k = 0; k < 6; k++) EnemyImages[k / 2][k % 2] = slots[k];
    }
    CutRow("hud_frame.bmp", HudFrameImages, 4, 64, 0);
    FuelSegmentImage = WholeTexture("fuel_segment.bmp", AS_DRAWN, REPEAT);
    EnergySegmentImage = WholeTexture("energy_segment.bmp", AS_DRAWN, REPEAT);
    CutRow("items.bmp", ItemImages, 4, 32, 0);
    RingImage = WholeTexture("ring.bmp", AS_DRAWN, CLAMP);

    LoadSoundSlots();
    BuildScreenImages();
    BuildParticleImages();
}

// ================================================================ music
namespace {
const EmbeddedAsset* MusicAsset(int module) {
    if (module < 1 || module > 5) return nullptr;
    char name[16];
    std::snprintf(name, sizeof name, "music%d.xm", module);
    return FindEmbeddedAsset(name);
}
} // namespace

const uint8_t* MusicModule(int module) {
    const EmbeddedAsset* asset = MusicAsset(module);
    return asset ? asset->data : nullptr;
}

int32_t MusicModuleLength(int module) {
    const EmbeddedAsset* asset = MusicAsset(module);
    return asset ? int32_t(asset->size) : 0;
}
