// art_panel.cpp - the background panel: a dark riveted metal plate with a small grid window
// in its top right corner, through whose holes the layers behind show. The game tiles it at
// 100 x 100 in three layers tinted darker with depth.
#include "tools/assetgen/art_metal.h"
#include "tools/assetgen/art_palette.h"
#include "tools/assetgen/art_pictures.h"
#include "tools/assetgen/bmp_writer.h"

PictureBytes MakePanel() {
    Canvas c = MakeCanvas(128, 128);
    const Colour plate = DARK_STEEL * 0.6f;
    PaintPlate(c, 0, 0, 128, 128, 4,
               [=](Vec2 p) { return BrushedMetal(p, plate, 601) * (1.08f - 0.18f * (p.y / 128)); });
    // seams dividing the plate, riveted along the edges
    PaintGroove(
        c, [](Vec2 p) { return SdRect(p, 9, 9, 119, 119); }, 0.55f);
    PaintGroove(
        c, [](Vec2 p) { return p.y - 72; }, 0.45f);
    for (float t = 14; t < 120; t += 18) {
        PaintRivet(c, {t, 4.5f}, 1.7f, STEEL * 0.7f);
        PaintRivet(c, {t, 123.5f}, 1.7f, STEEL * 0.7f);
        PaintRivet(c, {4.5f, t}, 1.7f, STEEL * 0.7f);
        PaintRivet(c, {123.5f, t}, 1.7f, STEEL * 0.7f);
    }
    // the grid window: a bevelled frame round a lattice; its holes are left clear
    const float x0 = 82, y0 = 16, x1 = 112, y1 = 46;
    PaintPlate(
        c, x0 - 4, y0 - 4, x1 + 4, y1 + 4, 2.5f,
        [](Vec2 p) { return BrushedMetal(p, STEEL * 0.55f, 602); }, 3);
    for (int y = int(y0); y < int(y1); y++)
        for (int x = int(x0); x < int(x1); x++) {
            const bool bar = (x - int(x0)) % 6 < 2 || (y - int(y0)) % 6 < 2;
            if (!bar)
                c.At(x, y) = Pixel{};
            else
                c.At(x, y) = Pixel{
                    STEEL * (((x - int(x0)) % 6 == 0 || (y - int(y0)) % 6 == 0) ? 0.7f : 0.4f), 1};
        }
    // a dim status light
    PaintShape(
        c, 96, 92, 108, 104,
        [](Vec2 p) {
            return SdCircle(p, {102, 98}, 2.4f);
        },
        [](Vec2 p) {
            return Mix(Colour{0.5f, 0.75f, 0.8f}, CYAN_GLOW * 0.55f,
                       Length(p - Vec2{101.5f, 97.5f}) / 2.4f);
        });
    const IndexedPicture picture = ReduceToPalette(c, 256, 0);
    return EncodeBmpIndexed(128, 128, picture.indices, picture.palette, 8);
}
