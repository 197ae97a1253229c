// art_tiles.cpp - the tile sheet: 7 rows of 6 tiles, tile t at (64 (t mod 6), 64 (t div 6)).
#include "tools/assetgen/art_tiles.h"

#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/bmp_writer.h"

PictureBytes MakeTiles() {
    Canvas sheet = MakeCanvas(6 * TILE, 7 * TILE);
    auto place = [&](const Canvas& tile, int t) {
        DrawCanvas(sheet, tile, TILE * (t % 6), TILE * (t / 6));
    };
    // tile 0 is never drawn and stays black
    for (int code = 1; code <= 17; code++) place(PaintWallTile(code), code);
    for (int machine = 0; machine < 3; machine++) {
        const Canvas pair = PaintMachineTiles(machine);
        Canvas left = MakeCanvas(TILE, TILE), right = MakeCanvas(TILE, TILE);
        DrawCanvas(left, pair, 0, 0);
        DrawCanvas(right, pair, -TILE, 0);
        place(left, 18 + 2 * machine);
        place(right, 19 + 2 * machine);
    }
    for (int code = 24; code <= 41; code++) place(PaintBackgroundTile(code), code);
    return EncodeBmpDirect(sheet.width, sheet.height, CanvasToRgb(sheet), 24);
}
