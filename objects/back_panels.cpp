// back_panels.cpp - laying out, wrapping, scrolling and drawing the background panels.
#include "objects/back_panels.h"

#include "core/catalogue.h"
#include "render/draw.h"
#include "support/random.h"

List<BackPanel> BackPanels;

namespace {

constexpr int BACK_PANEL_LAYERS = 3;
constexpr int BACK_PANEL_ROWS = 7;
constexpr int BACK_PANEL_COLUMNS = 9;
constexpr float BACK_PANEL_SIZE = 100;

// The field the panels wrap in: 900 x 700 screen pixels from (-100, -100).
constexpr float WRAP_LEFT = -100, WRAP_RIGHT = 800, WRAP_WIDTH = 900;
constexpr float WRAP_TOP = -100, WRAP_BOTTOM = 600, WRAP_HEIGHT = 700;

} // namespace

void FillBackPanels() {
    for (int layer = 1; layer <= BACK_PANEL_LAYERS; layer++) {
        const float share = float(layer) / 3.0f;
        for (int row = 0; row < BACK_PANEL_ROWS; row++) {
            for (int column = 0; column < BACK_PANEL_COLUMNS; column++) {
                if (RandomInt(9) <= 4) continue; // five chances in ten
                BackPanel* panel = ListAdd(BackPanels);
                panel->x = BACK_PANEL_SIZE * float(column) - BACK_PANEL_SIZE;
                panel->y = BACK_PANEL_SIZE * float(row) - BACK_PANEL_SIZE;
                panel->factorX = share;
                panel->factorY = share;
                panel->brightness = share;
            }
        }
    }
}

void ScrollBackPanels(float dx, float dy) {
    ListRewind(BackPanels);
    while (BackPanel* panel = ListNext(BackPanels)) {
        if (panel->y < WRAP_TOP) panel->y += WRAP_HEIGHT;
        if (panel->y > WRAP_BOTTOM) panel->y -= WRAP_HEIGHT;
        if (panel->x < WRAP_LEFT) panel->x += WRAP_WIDTH;
        if (panel->x > WRAP_RIGHT) panel->x -= WRAP_WIDTH;
        panel->x += dx * panel->factorX;
        panel->y += dy * panel->factorY;
        DrawSpriteEx(PanelImage, panel->x, panel->y, BACK_PANEL_SIZE, BACK_PANEL_SIZE, 0,
                     panel->brightness, panel->brightness, panel->brightness, 1.0f);
    }
}
