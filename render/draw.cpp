// draw.cpp - sprites, primitives, the matrix stack and the distance test.
//
// Textures are stored in the usual row order, so every quad's texture coordinates are the
// design's with s and t exchanged: the top-left corner of a quad gets (0, 0), the top right
// (1, 0), the bottom right (1, 1) and the bottom left (0, 1). The picture is the same.
#include "render/draw.h"

#include <cmath>

#include "render/render_internal.h"

namespace {

// Alpha test (> 0.1) and texturing on, texture bound. Texture 0 is incomplete, which draws
// the quad solid in its colour; leaving texturing off gives exactly that.
void BeginSpriteState(uint32_t texture) {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    if (texture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
}

void EndSpriteState() {
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_ALPHA_TEST);
}

void EmitQuad(float x1, float y1, float x2, float y2) {
    glTexCoord2f(0, 0), glVertex2f(x1, y1);
    glTexCoord2f(1, 0), glVertex2f(x2, y1);
    glTexCoord2f(1, 1), glVertex2f(x2, y2);
    glTexCoord2f(0, 1), glVertex2f(x1, y2);
}

void DrawSpriteColoured(uint32_t texture, float x, float y, float width, float height, float red,
                        float green, float blue, float alpha) {
    if (!RenderEnabled) return;
    BeginSpriteState(texture);
    glBegin(GL_QUADS);
    glColor4f(red, green, blue, alpha);
    EmitQuad(x, y, x + width, y + height);
    glEnd();
    glColor4f(1, 1, 1, 1);
    EndSpriteState();
    CountGl(17);
}

// Centred quad turned about its centre; colour left as found unless faded.
void DrawSpriteTurned(uint32_t texture, float cx, float cy, float angle, float width, float height,
                      bool faded, float alpha) {
    if (!RenderEnabled) return;
    glPushMatrix();
    BeginSpriteState(texture);
    glTranslatef(cx, cy, 0);
    glRotatef(angle, 0, 0, 1);
    if (faded) glColor4f(1, 1, 1, alpha);
    const float a = width / 2, b = height / 2;
    glBegin(GL_QUADS);
    EmitQuad(-a, -b, a, b);
    glEnd();
    if (faded) glColor4f(1, 1, 1, 1);
    EndSpriteState();
    glPopMatrix();
    CountGl(faded ? 22 : 20);
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
    glBegin(GL_QUADS);
    glColor4f(red1, green1, blue1, 1), glVertex2i(x1, y1);
    glColor4f(red1, green1, blue1, 1), glVertex2i(x2, y1);
    glColor4f(red2, green2, blue2, 1), glVertex2i(x2, y2);
    glColor4f(red2, green2, blue2, 1), glVertex2i(x1, y2);
    glEnd();
    glColor4f(1, 1, 1, 1);
    CountGl(11);
}

void DrawLine(int x1, int y1, int x2, int y2, float red, float green, float blue, float alpha,
              float width) {
    if (!RenderEnabled) return;
    glLineWidth(width * FrameScale());
    glBegin(GL_LINES);
    glColor4f(red, green, blue, alpha);
    glVertex2i(x1, y1);
    glVertex2i(x2, y2);
    glEnd();
    glColor4f(1, 1, 1, 1);
    CountGl(7);
}

void DrawPoint(int x, int y, float red, float green, float blue, float alpha, float size) {
    if (!RenderEnabled) return;
    glPointSize(size * FrameScale());
    glBegin(GL_POINTS);
    glColor4f(red, green, blue, alpha);
    glVertex2i(x, y);
    glEnd();
    glColor4f(1, 1, 1, 1);
    CountGl(6);
}

void DrawBox(float x, float y, float z) {
    if (!RenderEnabled) return;
    struct Face {
        float normal[3];
        float corner[4][3];
    };
    const Face faces[6] = {
        {{0, 0, -1}, {{-x, y, -z}, {x, y, -z}, {x, -y, -z}, {-x, -y, -z}}},   // back
        {{0, 1, 0}, {{x, y, -z}, {-x, y, -z}, {-x, y, z}, {x, y, z}}},        // top
        {{-1, 0, 0}, {{-x, y, z}, {-x, y, -z}, {-x, -y, -z}, {-x, -y, z}}},   // left
        {{1, 0, 0}, {{x, y, -z}, {x, y, z}, {x, -y, z}, {x, -y, -z}}},        // right
        {{0, 0, 1}, {{x, y, z}, {-x, y, z}, {-x, -y, z}, {x, -y, z}}},        // front
        {{0, -1, 0}, {{x, -y, z}, {-x, -y, z}, {-x, -y, -z}, {x, -y, -z}}},   // bottom
    };
    // The design's (1,1), (0,1), (0,0), (1,0) with s and t exchanged.
    const float tex[4][2] = {{1, 1}, {1, 0}, {0, 0}, {0, 1}};
    glBegin(GL_QUADS);
    for (const Face& f : faces) {
        glNormal3fv(f.normal);
        for (int i = 0; i < 4; i++) glTexCoord2fv(tex[i]), glVertex3fv(f.corner[i]);
    }
    glEnd();
    CountGl(56);
}

void SetColor(float red, float green, float blue, float alpha) {
    if (RenderEnabled) glColor4f(red, green, blue, alpha), CountGl(1);
}
void SetLineWidth(float width) {
    if (RenderEnabled) glLineWidth(width * FrameScale()), CountGl(1);
}
void ResetTransform() {
    if (RenderEnabled) glLoadIdentity(), CountGl(1);
}
void PushTransform() {
    if (RenderEnabled) glPushMatrix(), CountGl(1);
}
void PopTransform() {
    if (RenderEnabled) glPopMatrix(), CountGl(1);
}
void Translate(float x, float y, float z) {
    if (RenderEnabled) glTranslatef(x, y, z), CountGl(1);
}
void RotateY(float angle) {
    if (RenderEnabled) glRotatef(angle, 0, 1, 0), CountGl(1);
}

int WithinRadius(float x1, float y1, float x2, float y2, int radius) {
    const double dx = double(x1) - double(x2), dy = double(y1) - double(y2);
    return std::sqrt(dx * dx + dy * dy) < double(radius) ? 1 : 0;
}
