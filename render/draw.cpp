// draw.cpp - sprites, primitives, the matrix stack and the distance test.
//
// Everything but the box goes through the draw queue (draw_queue.cpp), which keeps the
// pictures of immediate mode; the state rules below are kept in the record Drawn and reach GL
// before anything else draws.
//
// Textures are stored in the usual row order, so every quad's texture coordinates are the
// design's with s and t exchanged: the top-left corner of a quad gets (0, 0), the top right
// (1, 0), the bottom right (1, 1) and the bottom left (0, 1). The picture is the same.
#include "render/draw.h"

#include <algorithm>
#include <cmath>

#include "render/render_internal.h"

namespace {

const float WHITE[4] = {1, 1, 1, 1};

void DrawSpriteColoured(uint32_t texture, float x, float y, float width, float height, float red,
                        float green, float blue, float alpha) {
    if (!RenderEnabled) return;
    const float c[4] = {red, green, blue, alpha};
    const float colours[4][4] = {{c[0], c[1], c[2], c[3]},
                                 {c[0], c[1], c[2], c[3]},
                                 {c[0], c[1], c[2], c[3]},
                                 {c[0], c[1], c[2], c[3]}};
    QueueQuad(texture, true, false, 0, 0, 0, x, y, x + width, y + height, colours);
    // A sprite leaves the colour white and the alpha test off.
    std::copy(WHITE, WHITE + 4, Drawn.colour);
    Drawn.alphaTest = false;
}

// Centred quad turned about its centre; colour left as found unless faded.
void DrawSpriteTurned(uint32_t texture, float cx, float cy, float angle, float width, float height,
                      bool faded, float alpha) {
    if (!RenderEnabled) return;
    if (faded) Drawn.colour[0] = Drawn.colour[1] = Drawn.colour[2] = 1, Drawn.colour[3] = alpha;
    const float* c = Drawn.colour;
    const float colours[4][4] = {{c[0], c[1], c[2], c[3]},
                                 {c[0], c[1], c[2], c[3]},
                                 {c[0], c[1], c[2], c[3]},
                                 {c[0], c[1], c[2], c[3]}};
    const float a = width / 2, b = height / 2;
    QueueQuad(texture, true, true, cx, cy, angle, -a, -b, a, b, colours);
    if (faded) std::copy(WHITE, WHITE + 4, Drawn.colour);
    Drawn.alphaTest = false;
}

} // namespace

void DrawSprite(uint32_t texture, float x, float y, float width, float height) {
    DrawSpriteColoured(texture, x, y, width, height, 1, 1, 1, 1);
}

void DrawSpriteEx(uint32_t texture, float x, float y, float width, float height, int mode,
                  float red, float green, float blue, float alpha) {
    (void)mode; // the game always passes 0, the plain quad
    DrawSpriteColoured(texture, x, y, width, height, red, green, blue, alpha);
}

void DrawSpriteRotated(uint32_t texture, float centreX, float centreY, float angle, float size) {
    DrawSpriteTurned(texture, centreX, centreY, angle, size, size, false, 1);
}

void DrawSpriteFaded(uint32_t texture, float centreX, float centreY, float angle, float width,
                     float height, float alpha) {
    DrawSpriteTurned(texture, centreX, centreY, angle, width, height, true, alpha);
}

void DrawGradientQuad(int x1, int y1, int x2, int y2, float red1, float green1, float blue1,
                      float red2, float green2, float blue2) {
    if (!RenderEnabled) return;
    const float colours[4][4] = {{red1, green1, blue1, 1},
                                 {red1, green1, blue1, 1},
                                 {red2, green2, blue2, 1},
                                 {red2, green2, blue2, 1}};
    QueueQuad(0, Drawn.alphaTest, false, 0, 0, 0, float(x1), float(y1), float(x2), float(y2),
              colours);
    std::copy(WHITE, WHITE + 4, Drawn.colour);
}

void DrawLine(int x1, int y1, int x2, int y2, float red, float green, float blue, float alpha,
              float width) {
    if (!RenderEnabled) return;
    const float colour[4] = {red, green, blue, alpha};
    Drawn.lineWidth = width * FrameScale();
    QueueLine(Drawn.alphaTest, Drawn.lineWidth, float(x1), float(y1), float(x2), float(y2), colour);
    std::copy(WHITE, WHITE + 4, Drawn.colour);
}

void DrawPoint(int x, int y, float red, float green, float blue, float alpha, float size) {
    if (!RenderEnabled) return;
    const float colour[4] = {red, green, blue, alpha};
    Drawn.pointSize = size * FrameScale();
    QueuePoint(Drawn.alphaTest, Drawn.pointSize, float(x), float(y), colour);
    std::copy(WHITE, WHITE + 4, Drawn.colour);
}

void DrawBox(float x, float y, float z) {
    if (!RenderEnabled) return;
    // Back, top, left, right, front, bottom; the lighting is never on, so no normals.
    const float corners[6][4][3] = {
        {{-x, y, -z}, {x, y, -z}, {x, -y, -z}, {-x, -y, -z}},
        {{x, y, -z}, {-x, y, -z}, {-x, y, z}, {x, y, z}},
        {{-x, y, z}, {-x, y, -z}, {-x, -y, -z}, {-x, -y, z}},
        {{x, y, -z}, {x, y, z}, {x, -y, z}, {x, -y, -z}},
        {{x, y, z}, {-x, y, z}, {-x, -y, z}, {x, -y, z}},
        {{x, -y, z}, {-x, -y, z}, {-x, -y, -z}, {x, -y, -z}},
    };
    // The design's (1,1), (0,1), (0,0), (1,0) with s and t exchanged.
    const float tex[4][2] = {{1, 1}, {1, 0}, {0, 0}, {0, 1}};
    QueuedVertex v[24];
    for (int f = 0; f < 6; f++)
        for (int i = 0; i < 4; i++) {
            QueuedVertex& q = v[4 * f + i];
            q.x = corners[f][i][0], q.y = corners[f][i][1], q.z = corners[f][i][2];
            q.s = tex[i][0], q.t = tex[i][1];
            q.red = Drawn.colour[0], q.green = Drawn.colour[1], q.blue = Drawn.colour[2];
            q.alpha = Drawn.colour[3];
        }
    DrawQuadsNow(v, 24);
}

void SetColor(float red, float green, float blue, float alpha) {
    if (!RenderEnabled) return;
    Drawn.colour[0] = red, Drawn.colour[1] = green, Drawn.colour[2] = blue, Drawn.colour[3] = alpha;
}
void SetLineWidth(float width) {
    if (RenderEnabled) Drawn.lineWidth = width * FrameScale();
}
void ResetTransform() {
    if (!RenderEnabled) return;
    SettleDrawState();
    glLoadIdentity(), CountGl(1);
    NoteModelviewIdentity();
}
void PushTransform() {
    if (!RenderEnabled) return;
    SettleDrawState();
    glPushMatrix(), CountGl(1);
    NoteModelviewPush();
}
void PopTransform() {
    if (!RenderEnabled) return;
    SettleDrawState();
    glPopMatrix(), CountGl(1);
    NoteModelviewPop();
}
void Translate(float x, float y, float z) {
    if (!RenderEnabled) return;
    SettleDrawState();
    glTranslatef(x, y, z), CountGl(1);
    NoteModelviewChanged();
}
void RotateY(float angle) {
    if (!RenderEnabled) return;
    SettleDrawState();
    glRotatef(angle, 0, 1, 0), CountGl(1);
    NoteModelviewChanged();
}

int WithinRadius(float x1, float y1, float x2, float y2, int radius) {
    const double dx = double(x1) - double(x2), dy = double(y1) - double(y2);
    return std::sqrt(dx * dx + dy * dy) < double(radius) ? 1 : 0;
}
