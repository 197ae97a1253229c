// art_pictures.h - the makers of the game's pictures, one per file of assets/, each
// returning the finished file's bytes (BMP, or raw RGBA for the glow block).
//
// Called by GenerateArt (art_main.cpp); each maker is deterministic: the same bytes on
// every run.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/art_canvas.h"

using PictureBytes = std::vector<uint8_t>;

PictureBytes MakeFontSheetBlue();   // font1.bmp  320 x 48, 32 bits
PictureBytes MakeFontSheetChrome(); // font0.bmp  320 x 49, 8 bits
PictureBytes MakePanel();           // panel.bmp  128 x 128, 8 bits
PictureBytes MakeTiles();           // tiles.bmp  384 x 448, 24 bits
PictureBytes MakeHighlightBar();    // highlight_bar.bmp 64 x 64, 24 bits
PictureBytes MakeTorso();           // torso.bmp  64 x 64, 24 bits
PictureBytes MakeLegs();            // legs.bmp   320 x 64, 24 bits
PictureBytes MakeShots();           // shots.bmp  80 x 16, 24 bits
PictureBytes MakeEnemies();         // enemies.bmp 64 x 96, 24 bits
PictureBytes MakeHudFrame();        // hud_frame.bmp 256 x 64, 24 bits
PictureBytes MakeFuelSegment();     // fuel_segment.bmp 32 x 32, 24 bits
PictureBytes MakeEnergySegment();   // energy_segment.bmp 32 x 32, 24 bits
PictureBytes MakeItems();           // items.bmp  128 x 34, 24 bits
PictureBytes MakeRing();            // ring.bmp   64 x 64, 24 bits
PictureBytes MakeScreens();         // screens.bmp 768 x 512, 4 bits
PictureBytes MakeLogo();            // logo.bmp   768 x 256, 8 bits
PictureBytes MakeButtons();         // buttons.bmp 512 x 64, 24 bits
PictureBytes MakeParticles();       // particles.bmp 320 x 32, 24 bits
PictureBytes MakeGlow();            // glow.rgba  64 x 64 x 4 bytes
PictureBytes MakeRainbow();         // rainbow.bmp 1 x 600, 24 bits

// Pieces shared between pictures.
Canvas PaintPlayerTorso();        // the torso sprite, 64 x 64
Canvas PaintPlayerLegs(int pose); // one leg pose, 64 x 64
// Shot `type` (0 to 4) laid out on 16 x 16 units round `centre`, `scale` pixels a unit.
void PaintShotShape(Canvas& canvas, int type, Vec2 centre, float scale);
