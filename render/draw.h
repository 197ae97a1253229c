// draw.h - sprites, primitives, the matrix stack and the distance test.
//
// OpenGL 1.x. Sprites, gradients, lines and points are queued and drawn in batches, in the
// order asked and with the pixels immediate mode gives (see render_internal.h); the queue is
// drawn before anything else touches GL. After every sprite operation (except
// DrawSpriteRotated, which leaves the colour alone) and after DrawGradientQuad, DrawLine and
// DrawPoint the current colour is white; sprites leave texturing off, texture 0 bound and
// the alpha test off. Called by every mode inside a frame, main thread only.
#pragma once

#include <cstdint>

void DrawSprite(uint32_t texture, float x, float y, float width, float height);
void DrawSpriteRotated(uint32_t texture, float centreX, float centreY, float angle, float size);
void DrawSpriteFaded(uint32_t texture, float centreX, float centreY, float angle, float width,
                     float height, float alpha);
void DrawSpriteEx(uint32_t texture, float x, float y, float width, float height, int mode,
                  float red, float green, float blue, float alpha);
void DrawGradientQuad(int x1, int y1, int x2, int y2, float red1, float green1, float blue1,
                      float red2, float green2, float blue2);
void DrawLine(int x1, int y1, int x2, int y2, float red, float green, float blue, float alpha,
              float width);
void DrawPoint(int x, int y, float red, float green, float blue, float alpha, float size);
void DrawBox(float halfWidth, float halfHeight, float halfDepth);

void SetColor(float red, float green, float blue, float alpha);
void SetLineWidth(float width);
void ResetTransform();
void PushTransform();
void PopTransform();
void Translate(float x, float y, float z);
void RotateY(float angle);

// 1 when the distance between the points is strictly less than radius, else 0.
int WithinRadius(float x1, float y1, float x2, float y2, int radius);
