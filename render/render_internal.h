// render_internal.h - what the render layer's own files share: the frame viewport, the GL call
// count, and the draw queue that turns thousands of sprites into a few glDrawArrays calls.
//
// Include order inside render/ runs one way: display.h <- render_internal.h <- the .cpp files
// of the layer; text builds on draw and image, and no file below includes one above it.
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1 // glMultiDrawArrays (OpenGL 1.4)
#endif
#include <GL/gl.h>

#include <cstdint>

#include "platform/platform.h"
#include "render/display.h"

// A box of drawable pixels within the letterbox rectangle, counted from its bottom-left
// corner as GL counts them; x2 and y2 are just past the box.
struct PixelBox {
    int x1, y1, x2, y2;
};
// The pixels a frame area may touch: rounded outwards by a pixel, so that every pixel a
// sprite over the area can reach is inside; clamped to the rectangle.
PixelBox PixelsOfArea(const FrameArea& area, const PlatformFrameRect& frame);
bool SameFrameRect(const PlatformFrameRect& a, const PlatformFrameRect& b);

// Places a viewport given in the game's frame coordinates (origin bottom left) inside the
// letterbox rectangle of the drawable.
void SetFrameViewport(int x, int y, int width, int height);

// Frame pixels to drawable pixels, for line widths and point sizes on a scaled frame.
float FrameScale();

// Adds to the count of GL calls of the current frame.
inline void CountGl(uint32_t calls) {
    RenderCallCount += calls;
}

// ---------------------------------------------------------------- the draw queue
// Sprites, gradients, lines and points of a 2D frame are queued with the state they need and
// drawn in one glDrawArrays per run of equal state; where nothing is blended, the depth
// buffer decides what lies on top, so the hidden parts of overlapping sprites are not shaded.
// Vertices are queued in clip coordinates, computed on the CPU exactly as the GL's
// fixed-function transform computes them from the projection and modelview the immediate-mode
// calls would have used, and drawn with identity matrices, so every vertex lands on the same
// sub-pixel and every picture stays the same. The queue is drawn before anything else
// touches GL: every other render operation calls SettleDrawState first.

enum QueuedPrimitive : uint8_t { QUEUE_QUADS, QUEUE_LINES, QUEUE_POINTS };

// One queued vertex: clip position (w is 1) or object coordinates, texture coordinates, colour.
struct QueuedVertex {
    float x, y, z;
    float s, t;
    float red, green, blue, alpha;
};

// How a fragment meets the pixel under it: blending off (GL's initial state), the alpha rule
// of AlphaBlendOn, or the (destination alpha, zero) rule AlphaBlendOff leaves behind.
enum BlendRule : uint8_t { BLEND_NONE, BLEND_ALPHA, BLEND_DESTINATION_ALPHA };

// What the layer believes the immediate-mode code would have left in GL: the current colour,
// whether the alpha test is on, the line width and point size, the blending rule, whether
// culling and the depth test are on. Operations that change these update this record;
// queued primitives carry what they need of it, and SettleDrawState makes GL match it.
struct DrawState {
    float colour[4] = {1, 1, 1, 1};
    bool alphaTest = false;
    float lineWidth = 1;
    float pointSize = 1;
    BlendRule blend = BLEND_NONE;
    bool cull = false;
    bool depthTest = false;
};
extern DrawState Drawn;

// True when 2D drawing may be queued: the projection is one set by Begin2D or Begin2DViewport
// and the modelview is the identity (anything else is drawn at once).
bool QueueReady();

// Queues a quad whose corners are (x1, y1), (x2, y1), (x2, y2), (x1, y2), with texture
// coordinates (0, 0), (1, 0), (1, 1), (0, 1) and one colour per corner; when `turned`, the
// corners are turned by `angle` degrees and then moved by (cx, cy), as glTranslatef and
// glRotatef do. `texture` 0 draws untextured. When the queue is not ready it draws at once.
void QueueQuad(uint32_t texture, bool alphaTest, bool turned, float cx, float cy, float angle,
               float x1, float y1, float x2, float y2, const float (*colours)[4]);
// Queues a line (width) or a point (size, as the first vertex), sizes in drawable pixels.
void QueueLine(bool alphaTest, float size, float x1, float y1, float x2, float y2,
               const float colour[4]);
void QueuePoint(bool alphaTest, float size, float x, float y, const float colour[4]);

// Draws quads in object coordinates at once, under the game's matrices, untextured, in the
// vertices' colours (after drawing the queue).
void DrawQuadsNow(const QueuedVertex* vertices, int count);

// Draws the queue and puts GL back into the state the immediate-mode code expects (texturing
// off, texture 0, the alpha test, colour, line width and point size of Drawn, the game's own
// matrices). Called before every render operation that touches GL outside the queue.
void SettleDrawState();

// A new GL context: its state is GL's initial state, the queue is empty.
void ResetDrawQueue();

// The depth buffer's story within a frame (see draw_queue.cpp): ClearDisplay has just cleared
// it; the frame was presented (its content is no longer known); Begin3D hands it to the
// game's own depth test, cleared of anything the queue wrote into it.
void NoteDepthCleared();
void NoteFramePresented();
void HandDepthToGame();

// Once a frame (ClearDisplay): a window opened without OpenDisplay has a new context, whose
// state is GL's initial state again; the record of GL state starts afresh then.
void CheckDrawContext();

// Matrix bookkeeping for QueueReady: a new projection (ortho with its bounds, or one the queue
// does not follow), and the modelview stack's identity flags.
void NoteOrthoProjection(float left, float right, float bottom, float top, float nearVal,
                         float farVal);
void NoteOtherProjection();
void NoteModelviewIdentity();
void NoteModelviewChanged();
void NoteModelviewPush();
void NoteModelviewPop();
// A texture was bound outside the queue (texture making).
void NoteTextureBound(uint32_t texture);

// ---------------------------------------------------------------- texture shapes
// Where a texture shows (texture_shape.cpp): outside its ink box, in texture space (s and t
// from 0 to 1), every texel the GL may sample is fully transparent, so a quad drawn where
// transparent fragments change nothing (the alpha test on, or blending) may be cut down to
// it and the rasteriser never shades them. Noted by the texture makers.
struct TextureBox {
    float s1 = 0, t1 = 0, s2 = 1, t2 = 1;
};
// Texels in rows of `width`, four bytes each, alpha last; `wraps` when the texture repeats
// (a fragment at one edge then samples the other); a mipmapped texture is left whole.
void NoteTextureShape(uint32_t texture, const uint8_t* texels, int width, int height, bool wraps,
                      bool mipmapped);
const TextureBox& InkBoxOf(uint32_t texture); // the whole texture when not noted
// The ink box of texels (as NoteTextureShape reads them), the whole when nothing shows.
TextureBox FindInkBox(const uint8_t* texels, int width, int height, bool wraps);

// A texture handle that stands for a part of another texture (TexturesFromBoxes): `part` in
// that texture's space, `ink` its ink box within the part. Handles of parts have a bit of
// their own, which GL's texture names never reach.
uint32_t NoteTexturePart(uint32_t texture, const TextureBox& part, const TextureBox& ink);
// The GL texture a handle draws from, the part of it the handle shows and that part's ink box
// (a plain texture: itself, the whole of it, its ink box).
void ResolveTexture(uint32_t handle, uint32_t* texture, TextureBox* part, TextureBox* ink);

// A new GL context: the kept backdrop went with the old one (backdrop.cpp), and whether the
// back buffer is kept between frames is asked again (partial_frame.cpp).
void DropBackdrop();
void DropPartialFrame();

// ---------------------------------------------------------------- partial frames
// ClearDisplay: the box of the frame this frame is drawn in, when it is drawn only there
// (see partial_frame.h); false when the whole frame is drawn.
bool PartialFrameBox(const PlatformFrameRect& frame, PixelBox* box);
// FlipDisplay, around presenting the frame: checks whether the GL keeps the back buffer, and
// notes what the frame on screen changed.
void NotePartialFrameBeforeSwap();
void NotePartialFrameAfterSwap();
