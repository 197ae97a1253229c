// contact_sheet.cpp - contactsheet OUT_DIR [--zoom N]
//
// Opens the scripted display (offscreen GL, no window needed), builds the asset catalogue as
// start-up does and draws every texture at the size the game draws it, labelled, on a dark
// ground: one PNG per page (contact-1-tiles.png, ...) and all pages stacked in one picture
// (contact-sheet.png). The last page puts the pieces together as a play screen. With --zoom N it
// also writes every catalogue picture file magnified N times, its key colour shown as a violet
// checkerboard (zoom-<name>.png).
//
// Sections: drawing helpers | pages | magnified pictures | main
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "core/catalogue.h"
#include "core/cell_codes.h"
#include "objects/back_panels.h"
#include "platform/image_file.h"
#include "platform/platform.h"
#include "platform/scripted.h"
#include "render/display.h"
#include "render/draw.h"
#include "render/image.h"
#include "render/text.h"
#include "support/maths.h"

namespace {

// ================================================================ drawing helpers
constexpr int LABEL_SIZE = 10;

// A label whose first glyph starts at x (the text layout puts it one glyph and a pixel right).
void Label(const std::string& text, int x, int y) {
    DrawTextEx(1, text.c_str(), x - LABEL_SIZE - 1, y, LABEL_SIZE, LABEL_SIZE, 0, 0.8f, 0.85f,
               0.95f, 1);
}

void Title(const std::string& text) {
    DrawTextEx(0, text.c_str(), 8 - 21 + 4, 10 + 4, 20, 20, 0, 0.1f, 0.1f, 0.1f, 1);
    DrawText(0, text.c_str(), 8 - 21, 10, 20, 20);
}

void BeginPage(const char* title) {
    SetClearColor(0.07f, 0.07f, 0.1f, 1);
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    Title(title);
}

// Every page read back so far, stacked top to bottom.
std::vector<uint8_t> AllPages;
int AllPagesWidth = 0, AllPagesHeight = 0;

bool SavePage(const std::string& dir, int number, const char* name) {
    std::vector<uint8_t> rgb;
    int w = 0, h = 0;
    if (!ScriptReadFrame(&rgb, &w, &h)) return false;
    FlipDisplay();
    if (AllPagesWidth == 0 || AllPagesWidth == w) {
        AllPages.insert(AllPages.end(), rgb.begin(), rgb.end());
        AllPagesWidth = w;
        AllPagesHeight += h;
    }
    const std::string path = dir + "/contact-" + std::to_string(number) + "-" + name + ".png";
    if (!WriteImageFile(path, rgb, w, h)) return false;
    std::printf("%s\n", path.c_str());
    return true;
}

// A texture at (x, y) drawn w x h with its label below.
void Cell(uint32_t texture, float x, float y, float w, float h, const std::string& label) {
    DrawSprite(texture, x, y, w, h);
    Label(label, int(x), int(y + h + 3));
}

// ================================================================ pages
void PageTiles() {
    BeginPage("TILES 64");
    for (int t = 0; t < CELL_PAINTED_TILES; t++) {
        const float x = 12 + 78 * float(t % 10), y = 46 + 80 * float(t / 10);
        Cell(TileImages[t], x, y, 64, 64, std::to_string(t));
    }
    // the machines and the gate as they stand in the map
    const float y = 46 + 80 * 5;
    const int machines[3][2] = {{CELL_SHOP_LEFT, CELL_SHOP_RIGHT},
                                {CELL_TELEPORT_LEFT, CELL_TELEPORT_RIGHT},
                                {CELL_BASE_LEFT, CELL_BASE_RIGHT}};
    for (int k = 0; k < 3; k++) {
        DrawSprite(TileImages[machines[k][0]], 12 + 140 * float(k), y, 64, 64);
        DrawSprite(TileImages[machines[k][1]], 76 + 140 * float(k), y, 64, 64);
    }
    Label("SHOP          TELEPORTER    BASE", 12, int(y) + 68);
    const int gate[4] = {CELL_GATE_TOP_LEFT, CELL_GATE_TOP_RIGHT, CELL_GATE_BOTTOM_LEFT,
                         CELL_GATE_BOTTOM_RIGHT};
    for (int k = 0; k < 4; k++)
        DrawSprite(TileImages[gate[k]], 460 + 64 * float(k % 2), y - 20 + 64 * float(k / 2), 64,
                   64);
    Label("GATE", 600, int(y) + 20);
}

void PageSprites() {
    BeginPage("SPRITES");
    // player: torso then legs, both ways round, every pose
    for (int pose = 0; pose < 5; pose++)
        for (int facing = 0; facing < 2; facing++) {
            const float cx = 44 + 72 * float(pose), cy = 84 + 84 * float(facing);
            DrawSpriteRotated(TorsoImages[facing], cx, cy, 0, 64);
            DrawSpriteRotated(LegImages[pose][facing], cx, cy, 0, 64);
            Label(std::to_string(pose) + (facing ? "R" : "L"), int(cx) - 10, int(cy) + 34);
        }
    Cell(TorsoImages[0], 390, 52, 64, 64, "TORSO");
    Cell(LegImages[0][0], 470, 52, 64, 64, "LEGS");
    // shots at 20, both ways
    for (int i = 0; i < 5; i++) {
        DrawSpriteRotated(ShotImages[i][0], 570 + 40 * float(i), 70, 0, 20);
        DrawSpriteRotated(ShotImages[i][1], 570 + 40 * float(i), 100, 0, 20);
    }
    Label("SHOTS 20", 560, 118);
    // drones at 40, normal and flash, turned
    for (int r = 0; r < 3; r++)
        for (int j = 0; j < 2; j++)
            DrawSpriteRotated(EnemyImages[r][j], 590 + 50 * float(j), 170 + 50 * float(r),
                              float(r * 30), 40);
    Label("DRONES 40", 560, 300);
    for (int r = 0; r < 3; r++)
        DrawSpriteRotated(EnemyImages[r][0], 720, 170 + 50 * float(r), 0, 40);
    // items at 32, ring at 50 with an orb, the compass arrow at 20
    for (int i = 0; i < 4; i++)
        Cell(ItemImages[i], 16 + 44 * float(i), 270, 32, 32, std::to_string(i));
    DrawSpriteRotated(RingImage, 230, 286, -40, 50);
    DrawSpriteRotated(ItemImages[ITEM_ORB], 230, 286, 0, 32);
    Label("PICKUP", 206, 318);
    DrawSpriteRotated(ItemImages[ITEM_ORB], 300, 286, 0, 32);
    DrawSpriteRotated(ItemImages[ITEM_ARROW], 300, 286, 45 - 90, 20);
    Label("COMPASS", 274, 318);
    Cell(RingImage, 350, 261, 50, 50, "RING");
    // particles at 30, faded as they die
    AlphaBlendOn();
    for (int i = 0; i <= 8; i++) {
        DrawSpriteFaded(ParticleImages[i], 30 + 48 * float(i), 370, float(i * 20), 30, 30, 1.0f);
        DrawSpriteFaded(ParticleImages[i], 30 + 48 * float(i), 410, float(i * 20), 24, 24, 0.45f);
    }
    AlphaBlendOff();
    Label("PARTICLES 30 AND FADED", 12, 432);
    // gauges and frame
    for (int i = 0; i < 10; i++) {
        DrawSprite(EnergySegmentImage, 20 + 12 * float(i), 460, 12, 25);
        DrawSprite(FuelSegmentImage, 160 + 12 * float(i), 460, 12, 25);
    }
    Label("ENERGY  FUEL 12X25", 20, 490);
    for (int i = 0; i < 4; i++)
        Cell(HudFrameImages[i], 300 + 58 * float(i), 450, 50, 50, std::to_string(i));
    for (int i = 0; i < 3; i++)
        DrawSprite(HudFrameImages[HUD_PIPE], 540 + 64 * float(i), 450, 64, 30);
    Label("MENU BAR 64X30", 540, 484);
    // buttons at 25, 40, 60
    for (int j = 0; j < 6; j++) {
        DrawSpriteRotated(ScreenImages[SCREEN_WEAPON_BUTTONS + j], 30 + 34 * float(j), 540, 0, 25);
        DrawSpriteRotated(ScreenImages[SCREEN_WEAPON_BUTTONS + j], 250 + 48 * float(j), 540, 0, 40);
    }
    DrawSpriteRotated(ScreenImages[SCREEN_WEAPON_BUTTONS + 2], 580, 540, 0, 60);
    Label("BUTTONS 25 40 60", 20, 572);
    // panels in two of the three layer tints
    for (int k = 0; k < 2; k++) {
        const float b = float(k + 2) / 3;
        DrawSpriteEx(PanelImage, 620 + 90 * float(k), 498, 80, 80, 0, b, b, b, 1);
    }
}

void PageScreens() {
    SetClearColor(0.16078432f, 0.24705882f, 0.43529412f, 1); // the menus' blue
    ClearDisplay();
    Begin2D(800, 600);
    ResetTransform();
    for (int j = 0; j < 3; j++)
        DrawSpriteRotated(ScreenImages[SCREEN_LOGO_LEFT + j], 150 + 256 * float(j), 170, 0, 256);
    Label("LOGO 6 7 8", 20, 300);
    for (int j = 0; j < 3; j++)
        DrawSpriteRotated(ScreenImages[SCREEN_ROBOT_SIDE + j], 130 + 270 * float(j), 420, 0, 200);
    Label("ROBOTS 0 1 2 AT 200", 20, 524);
    for (int i = 0; i < 14; i++) {
        DrawSprite(HudFrameImages[HUD_PIPE], 64 * float(i), 0, 64, 30);
        DrawSprite(HudFrameImages[HUD_PIPE], 64 * float(i), 570, 64, 30);
    }
}

void PageText() {
    BeginPage("TEXT AND BARS");
    std::string all;
    for (int code = 32; code <= 91; code++) all += char(code);
    for (int font = 1; font >= 0; font--) {
        const int y = font == 1 ? 50 : 150;
        for (int half = 0; half < 2; half++) {
            const std::string line = all.substr(size_t(half) * 30, 30);
            DrawTextEx(font, line.c_str(), -9 + 4, y + 30 * half + 4, 20, 20, 0, 0.1f, 0.1f, 0.1f,
                       1);
            DrawText(font, line.c_str(), -9, y + 30 * half, 20, 20);
        }
        Label(font == 1 ? "FONT 1 AT 20" : "FONT 0 AT 20", 12, y + 62);
    }
    DrawText(0, "KALDO", 400, 240, 15, 20);
    DrawTextEx(0, "HIGHSCORES", 100, 240, 20, 20, 0, 1, 0.6f, 1, 1);
    DrawText(1, "12345", 560, 240, 15, 15);
    Label("15X20  TINTED  15X15", 12, 268);
    // headings at 256 over copper bars from the rainbow
    for (int j = 0; j < 3; j++)
        DrawSpriteRotated(ScreenImages[3 + j], 140 + 260 * float(j), 470, 0, 256);
    for (int r = 0; r < 600; r += 2) {
        const float* c = CopperColours[r];
        DrawLine(790, r, 798, r, c[0], c[1], c[2], 1, 2);
    }
    for (int j = 0; j < 4; j++) {
        const float* c = CopperColours[120 * j + 30];
        DrawSpriteEx(HighlightBarImage, 0, 296 + 24 * float(j), 780, 20, 0, c[0], c[1], c[2], 1);
    }
    DrawSpriteEx(HighlightBarImage, 0, 570, 780, 30, 0, 1, 0.3f, 1, 1);
}

void PagePlay() {
    BeginPage("PLAY");
    DrawGradientQuad(0, 30, 800, 580, 0.1f, 0.0f, 0.4f, 0.0f, 0.0f, 0.05f);
    ScrollBackPanels(0, 0);
    // a little sector: a floor, walls, a machine, pipes and the gate
    const int map[10][14] = {
        {2, 2, 2, 2, 2, 11, 11, 2, 2, 2, 3, 3, 2, 2},
        {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7},
        {2, 0, 0, 24, 24, 26, 0, 0, 0, 0, 0, 0, 0, 7},
        {6, 0, 0, 0, 0, 25, 0, 0, 16, 16, 0, 0, 0, 7},
        {6, 0, 0, 0, 0, 30, 24, 33, 16, 16, 0, 28, 29, 12},
        {6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 34, 35, 12},
        {10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1},
        {10, 0, 0, 0, 0, 0, 38, 39, 0, 0, 0, 0, 0, 13},
        {4, 4, 18, 19, 5, 5, 36, 36, 20, 21, 22, 23, 17, 13},
        {14, 14, 8, 8, 9, 9, 15, 15, 8, 8, 9, 9, 14, 14},
    };
    CullingOn();
    for (int r = 0; r < 10; r++)
        for (int c = 0; c < 14; c++)
            if (map[r][c] > 0)
                DrawSprite(TileImages[map[r][c]], 64 * float(c) - 40, 64 * float(r) - 30, 64, 64);
    CullingOff();
    // the robot standing on the shop, a shot, drones, an orb
    DrawSpriteRotated(TorsoImages[1], 120 + 2, 450 + 1, 0, 64);
    DrawSpriteRotated(LegImages[2][1], 120, 450, 0, 64);
    DrawSpriteRotated(ShotImages[1][0], 200, 446, 0, 20);
    DrawSpriteRotated(ShotImages[4][0], 260, 450, 0, 20);
    DrawSpriteRotated(EnemyImages[0][0], 420, 260, 33, 40);
    DrawSpriteRotated(EnemyImages[0][1], 520, 330, 123, 40);
    DrawSpriteRotated(RingImage, 330, 220, -120, 50);
    DrawSpriteRotated(ItemImages[0], 330, 220, 0, 32);
    AlphaBlendOn();
    DrawSpriteFaded(ParticleImages[1], 148, 470, 20, 20, 20, 0.7f);
    DrawSpriteFaded(ParticleImages[3], 480, 300, 40, 30, 30, 0.9f);
    DrawSpriteFaded(ParticleImages[8], 600, 200, 0, 48, 48, 1.0f);
    AlphaBlendOff();
    // the HUD as the play mode draws it
    for (int i = 0; i <= 15; i++) {
        DrawSprite(HudFrameImages[1], 50 * float(i), 0, 50, 50);
        DrawSprite(HudFrameImages[3], 50 * float(i), 560, 50, 50);
    }
    DrawSprite(HudFrameImages[2], 750, 0, 50, 50);
    DrawSprite(HudFrameImages[0], 0, 0, 50, 50);
    for (int i = 6; i <= 9; i++) DrawSprite(HudFrameImages[3], 50 * float(i), 0, 50, 50);
    for (int i = 0; i <= 15; i++) DrawSprite(EnergySegmentImage, 50 + 12 * float(i), 25, 12, 25);
    for (int i = 0; i <= 12; i++) DrawSprite(FuelSegmentImage, 500 + 12 * float(i), 25, 12, 25);
    for (int n = 0; n < 3; n++) {
        DrawSpriteRotated(ItemImages[0], 780, 80 + 30 * float(n), 0, 32);
        DrawSpriteRotated(ItemImages[3], 780, 80 + 30 * float(n), float(n * 70) - 90, 20);
    }
    DrawText(1, "12840", 320, 30, 20, 20);
    for (int k = 0; k < 5; k++) {
        DrawSpriteRotated(ScreenImages[10 + k], 30, 250 + 50 * float(k), 0, 25);
        DrawText(1, NumberToText(30 - 5 * k).c_str(), -10, 270 + 50 * k, 15, 15);
    }
}

// ================================================================ magnified pictures
bool WriteZoomed(const std::string& dir, const char* file, int zoom) {
    const EmbeddedAsset* asset = FindEmbeddedAsset(file);
    if (!asset || !CatchImage(WorkImage, asset->data, asset->size)) {
        std::fprintf(stderr, "contactsheet: %s is missing or does not decode\n", file);
        return false;
    }
    const int w = ImageWidth(WorkImage), h = ImageHeight(WorkImage);
    const int z = std::max(1, std::min(zoom, 4096 / std::max(w, h)));
    std::vector<uint8_t> rgb(size_t(w) * z * h * z * 3);
    for (int y = 0; y < h * z; y++)
        for (int x = 0; x < w * z; x++) {
            uint32_t c = ImagePixel(WorkImage, x / z, y / z);
            if (c == 0) c = ((x / 8 + y / 8) & 1) ? 0x462C3C : 0x301E2A; // key colour
            uint8_t* out = rgb.data() + (size_t(y) * w * z + x) * 3;
            out[0] = uint8_t(c), out[1] = uint8_t(c >> 8), out[2] = uint8_t(c >> 16);
        }
    std::string name = file;
    name = dir + "/zoom-" + name.substr(0, name.find('.')) + ".png";
    std::printf("%s\n", name.c_str());
    return WriteImageFile(name, rgb, w * z, h * z);
}

} // namespace

// ================================================================ main
int main(int argc, char** argv) {
    std::string dir;
    int zoom = 0;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--zoom") == 0 && i + 1 < argc)
            zoom = std::atoi(argv[++i]);
        else
            dir = argv[i];
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: contactsheet OUT_DIR [--zoom N]\n");
        return 2;
    }
    const char* why = nullptr;
    ScriptReset();
    if (!PlatformInit(PLATFORM_SCRIPTED, &why)) {
        std::fprintf(stderr, "contactsheet: no display: %s\n", why ? why : "?");
        return 1;
    }
    InitRenderLayer(nullptr);
    if (!OpenDisplay(800, 600, 32, "contact sheet")) return 1;
    BuildCatalogueFirstHalf();
    BuildCatalogueSecondHalf();
    SetCullFront(); // as start-up leaves it: the map's quads face the viewer

    bool ok = true;
    PageTiles();
    ok = SavePage(dir, 1, "tiles") && ok;
    PageSprites();
    ok = SavePage(dir, 2, "sprites") && ok;
    PageScreens();
    ok = SavePage(dir, 3, "screens") && ok;
    PageText();
    ok = SavePage(dir, 4, "text") && ok;
    PagePlay();
    ok = SavePage(dir, 5, "play") && ok;
    if (AllPagesHeight > 0) {
        const std::string path = dir + "/contact-sheet.png";
        ok = WriteImageFile(path, AllPages, AllPagesWidth, AllPagesHeight) && ok;
        std::printf("%s\n", path.c_str());
    }
    if (zoom > 0)
        for (int i = 0; i < CataloguePictureCount; i++)
            ok = WriteZoomed(dir, CataloguePictures[i].file, zoom) && ok;
    CloseDisplay();
    PlatformShutdown();
    return ok ? 0 : 1;
}
