// art_tiles.cpp - the tile sheet: 7 rows of 6 tiles, tile t at (64 (t mod 6), 64 (t div 6)).
#include "tools/assetgen/art_tiles.h"

#include "core/cell_codes.h"

#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/bmp_writer.h"

PictureBytes MakeTiles() {
    Canvas sheet = MakeCanvas(6 * TILE, 7 * TILE);
    auto place = [&](const Canvas& tile, int t) {
        DrawCanvas(sheet, tile, TILE * (t % 6), TILE * (t / 6));
    };
    // tile 0 is never drawn and stays black
    for (int code = CELL_STRIPED_WALL; code <= CELL_VALVE_WHEEL; code++)
        place(PaintWallTile(code), code);
    // The shop, the teleporter and the base: a left and a right half each.
    for (int machine = 0; machine < 3; machine++) {
        const Canvas pair = PaintMachineTiles(machine);
        Canvas left = MakeCanvas(TILE, TILE), right = MakeCanvas(TILE, TILE);
        DrawCanvas(left, pair, 0, 0);
        DrawCanvas(right, pair, -TILE, 0);
        place(left, CELL_SHOP_LEFT + 2 * machine);
        place(right, CELL_SHOP_RIGHT + 2 * machine);
    }
    for (int code = CELL_PIPE_ACROSS; code < CELL_PAINTED_TILES; code++)
        place(PaintBackgroundTile(code), code);
    return EncodeBmpDirect(sheet.width, sheet.height, CanvasToRgb(sheet), 24);
}
