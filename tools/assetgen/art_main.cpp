// art_main.cpp - the picture part of the asset generator: writes every picture of the
// catalogue, the glow block and the rainbow strip into the assets folder.
#include <cstdio>

#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/assetgen.h"

namespace {

struct PictureFile {
    const char* name;
    PictureBytes (*make)();
};

const PictureFile PICTURE_FILES[] = {
    {"font1.bmp", MakeFontSheetBlue},
    {"font0.bmp", MakeFontSheetChrome},
    {"tiles.bmp", MakeTiles},
    {"torso.bmp", MakeTorso},
    {"legs.bmp", MakeLegs},
    {"shots.bmp", MakeShots},
    {"enemies.bmp", MakeEnemies},
    {"items.bmp", MakeItems},
    {"ring.bmp", MakeRing},
    {"particles.bmp", MakeParticles},
    {"hud_frame.bmp", MakeHudFrame},
    {"fuel_segment.bmp", MakeFuelSegment},
    {"energy_segment.bmp", MakeEnergySegment},
    {"screens.bmp", MakeScreens},
    {"logo.bmp", MakeLogo},
    {"buttons.bmp", MakeButtons},
    {"panel.bmp", MakePanel},
    {"highlight_bar.bmp", MakeHighlightBar},
    {"glow.rgba", MakeGlow},
    {"rainbow.bmp", MakeRainbow},
};

} // namespace

bool GenerateArt(const std::string& assetsDir) {
    bool ok = true;
    for (const PictureFile& file : PICTURE_FILES) {
        const PictureBytes bytes = file.make();
        if (bytes.empty()) {
            std::fprintf(stderr, "assetgen: %s could not be encoded\n", file.name);
            ok = false;
            continue;
        }
        ok = WriteAssetFile(assetsDir, file.name, bytes) && ok;
    }
    return ok;
}
