// draw_queue.cpp - the draw queue: 2D primitives gathered into a vertex buffer and drawn
// with one glDrawArrays per run of equal state, the depth buffer sorting out what lies on
// top where nothing is blended, and the record of GL state that lets the layer skip state
// calls that would change nothing.
//
// Software GL spends most of a small sprite's cost on the draw call and the state changes
// around it, and most of a large one's on shading pixels that something drawn later covers:
// a heavy play frame drawn one glBegin/glEnd per sprite took some 32,000 GL calls, and the
// background panels, the drone ring of a long game and the map's tiles paint each pixel
// many times over.
//
// The pictures stay the same (checked against every golden picture):
// - A queued vertex is the clip position the GL itself would have computed: the projection
//   and the sprite's translation and rotation combined in the order and float precision of
//   the fixed-function pipeline (projection times modelview, each element summed left to
//   right; the vertex then multiplied column by column), drawn through identity matrices.
// - Colours are per vertex where immediate mode gave them inside glBegin; the box keeps the
//   current colour, as a constant input is interpolated differently.
// - Per pixel, what the GL ends up with is what drawing in the order asked gives:
//   * a fragment that is not blended replaces the pixel's colour (the destination-alpha rule
//     AlphaBlendOff leaves writes the colour unchanged, since destination alpha stays 1), so
//     of those the last one asked for that passes the alpha test is the one that shows;
//   * each primitive of a frame gets a depth level of its own, nearer the later it was
//     asked for, and unblended ones are drawn nearest first with the depth test: the last
//     one asked for wins, and llvmpipe skips shading fragments that fail the test;
//   * blended ones are drawn after them in the order asked, tested against that depth but
//     not writing it: each blends over exactly the pixels it blended over before, and not
//     at all where something unblended asked for later covers it.
//   The levels count from the depth clear of ClearDisplay. Where the depth buffer is the
//   game's own (3D, or a 2D frame drawn with the depth test on) or its content is not known
//   (no clear since the last present), every run is drawn in the order asked, as before.
// Main thread only.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "render/render_internal.h"

DrawState Drawn;

namespace {

// ---------------------------------------------------------------- the queue
// The queue holds runs of primitives of equal state. A run drawn in the order asked (blended,
// or any run when depth does not decide) is opened after every earlier one, and a primitive
// may join an earlier such run of its state only when nothing queued after that run covers
// any pixel it may touch: per pixel the fragments then arrive in the order they were asked
// for. Which runs touched which part of the screen is kept in a coarse grid of cells, in clip
// coordinates. Runs whose order the depth test decides take any primitive of their state.
struct QueueKey {
    QueuedPrimitive primitive = QUEUE_QUADS;
    uint32_t texture = 0;
    bool alphaTest = false;
    float size = 1;       // line width or point size, drawable pixels
    bool clip = true;     // false: object coordinates, drawn at once under the game's matrices
    bool blended = false; // the alpha rule of AlphaBlendOn; otherwise the colour replaces
    bool cull = false;
};

bool SameKey(const QueueKey& a, const QueueKey& b) {
    return a.primitive == b.primitive && a.texture == b.texture && a.alphaTest == b.alphaTest &&
           a.size == b.size && a.clip == b.clip && a.blended == b.blended && a.cull == b.cull;
}

struct QueueRun {
    QueueKey key;
    bool byDepth = false; // drawn nearest first, the depth test deciding
    int nearest = 0;      // the depth level of its latest primitive
    std::vector<QueuedVertex> vertices;
};

constexpr int MAX_RUNS = 250;     // the grid holds run numbers in a byte
constexpr int MAX_QUEUED = 65536; // vertices, all runs together
constexpr int GRID_COLUMNS = 40, GRID_ROWS = 30;

QueueRun Runs[MAX_RUNS];
int RunCount = 0;
int QueuedCount = 0;
// The last run in asked order that touched each cell, plus one (0: no run yet).
uint8_t Grid[GRID_ROWS][GRID_COLUMNS];
std::vector<QueuedVertex> Joined; // the runs end to end, as glDrawArrays reads them
// A drawable pixel in clip units (set with the projection).
float PixelX = 0.01f, PixelY = 0.01f;

// ---------------------------------------------------------------- depth levels
// Level k lies at clip depth 1 - (k + 1) 4/65535, two steps of a 16-bit depth buffer apart,
// nearer than the cleared 1.0 and than every earlier level.
constexpr int DEPTH_LEVELS = 32000;
int DepthLevel = 0;        // the next primitive's level
bool DepthClean = false;   // since the last clear only the queue's levels went into depth
bool DepthWritten = false; // some level was drawn since that clear
bool QueueByDepth = false; // the queued primitives carry depth levels
int DepthBits = -1;        // of the drawable; -1 not asked yet in this context

float LevelDepth(int level) {
    return 1.0f - float(level + 1) * (4.0f / 65535.0f);
}

// ---------------------------------------------------------------- GL as it stands
struct GlState {
    bool texturing = false;
    uint32_t texture = 0;
    bool alphaTest = false;
    bool alphaFuncSet = false; // GL_GREATER 0.1, the only function the layer uses
    float lineWidth = 1;
    float pointSize = 1;
    float colour[4] = {1, 1, 1, 1};
    bool colourKnown = true;       // false after drawing with a colour array
    bool identityMatrices = false; // the game's matrices pushed, identities loaded
    bool arraysReady = false;      // the vertex buffer made, client arrays pointed into it
    BlendRule blend = BLEND_NONE;
    bool cull = false;
    bool depthTest = false;
    bool depthMask = true;
};
GlState Gl;

// The projection as the GL holds it, when it is an ortho set by the layer.
bool OrthoKnown = false;
float P00 = 0, P03 = 0, P11 = 0, P13 = 0, P23 = 0;

// Whether each level of the modelview stack is the identity (Mesa's stack is 32 deep).
constexpr int MODELVIEW_DEPTH = 32;
bool ModelviewIdentity[MODELVIEW_DEPTH] = {true};
int ModelviewLevel = 0;

void SetAlphaTest(bool on) {
    if (on && !Gl.alphaFuncSet) glAlphaFunc(GL_GREATER, 0.1f), Gl.alphaFuncSet = true, CountGl(1);
    if (on == Gl.alphaTest) return;
    on ? glEnable(GL_ALPHA_TEST) : glDisable(GL_ALPHA_TEST);
    Gl.alphaTest = on;
    CountGl(1);
}

void SetTexture(uint32_t texture) {
    const bool texturing = texture != 0;
    if (texturing != Gl.texturing) {
        texturing ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
        Gl.texturing = texturing;
        CountGl(1);
    }
    // Texture 0 draws untextured; the binding is only changed when a texture is used.
    if (texturing && texture != Gl.texture) {
        glBindTexture(GL_TEXTURE_2D, texture);
        Gl.texture = texture;
        CountGl(1);
    }
}

void SetLineWidthNow(float width) {
    if (width == Gl.lineWidth) return;
    glLineWidth(width);
    Gl.lineWidth = width;
    CountGl(1);
}

void SetPointSizeNow(float size) {
    if (size == Gl.pointSize) return;
    glPointSize(size);
    Gl.pointSize = size;
    CountGl(1);
}

void SetBlendNow(BlendRule rule) {
    if (rule == Gl.blend) return;
    if ((rule == BLEND_NONE) != (Gl.blend == BLEND_NONE))
        rule == BLEND_NONE ? glDisable(GL_BLEND) : glEnable(GL_BLEND), CountGl(1);
    if (rule == BLEND_ALPHA) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA), CountGl(1);
    if (rule == BLEND_DESTINATION_ALPHA) glBlendFunc(GL_DST_ALPHA, GL_ZERO), CountGl(1);
    Gl.blend = rule;
}

void SetCullNow(bool on) {
    if (on == Gl.cull) return;
    on ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
    Gl.cull = on;
    CountGl(1);
}

// The depth test (GL_LESS, as the game leaves it) and whether fragments write depth.
void SetDepthNow(bool test, bool write) {
    if (test != Gl.depthTest) {
        test ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
        Gl.depthTest = test;
        CountGl(1);
    }
    if (write != Gl.depthMask) {
        glDepthMask(write ? GL_TRUE : GL_FALSE);
        Gl.depthMask = write;
        CountGl(1);
    }
}

// The queued vertices are clip positions: both matrices become identities while they draw.
void UseIdentityMatrices() {
    if (Gl.identityMatrices) return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    Gl.identityMatrices = true;
    CountGl(6);
}

void UseGameMatrices() {
    if (!Gl.identityMatrices) return;
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    Gl.identityMatrices = false;
    CountGl(4);
}

// The vertices reach GL through one buffer object (OpenGL 1.5), refilled for each draw of
// the queue: with plain client arrays the GL copies the vertices again for every draw call.
GLuint VertexBuffer = 0;

void Upload(const QueuedVertex* vertices, int count) {
    if (!Gl.arraysReady) {
        glGenBuffers(1, &VertexBuffer);
        glBindBuffer(GL_ARRAY_BUFFER, VertexBuffer);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        const GLsizei stride = sizeof(QueuedVertex);
        glVertexPointer(3, GL_FLOAT, stride,
                        reinterpret_cast<const void*>(offsetof(QueuedVertex, x)));
        glTexCoordPointer(2, GL_FLOAT, stride,
                          reinterpret_cast<const void*>(offsetof(QueuedVertex, s)));
        glColorPointer(4, GL_FLOAT, stride,
                       reinterpret_cast<const void*>(offsetof(QueuedVertex, red)));
        Gl.arraysReady = true;
        CountGl(8);
    }
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(count) * GLsizeiptr(sizeof(QueuedVertex)), vertices,
                 GL_STREAM_DRAW);
    CountGl(1);
}

int VerticesOf(QueuedPrimitive primitive) {
    return primitive == QUEUE_QUADS ? 4 : primitive == QUEUE_LINES ? 2 : 1;
}

GLenum ModeOf(QueuedPrimitive primitive) {
    return primitive == QUEUE_QUADS ? GL_QUADS : primitive == QUEUE_LINES ? GL_LINES : GL_POINTS;
}

void DrawRun(const QueueKey& key, int first, int count) {
    key.clip ? UseIdentityMatrices() : UseGameMatrices();
    SetTexture(key.texture);
    SetAlphaTest(key.alphaTest);
    SetCullNow(key.cull);
    // An unblended fragment replaces the pixel's colour: blending off writes it unchanged,
    // as the destination-alpha rule does over the cleared destination alpha of 1.
    SetBlendNow(key.blended ? BLEND_ALPHA : BLEND_NONE);
    if (key.primitive == QUEUE_LINES) SetLineWidthNow(key.size);
    if (key.primitive == QUEUE_POINTS) SetPointSizeNow(key.size);
    glDrawArrays(ModeOf(key.primitive), first, count);
    CountGl(1);
    Gl.colourKnown = false;
}

// Appends a run's vertices to Joined, its primitives latest first when it is drawn by depth
// (nearest first: what they cover fails the depth test before it is shaded).
void JoinRun(const QueueRun& run) {
    if (!run.byDepth) {
        Joined.insert(Joined.end(), run.vertices.begin(), run.vertices.end());
        return;
    }
    const size_t step = size_t(VerticesOf(run.key.primitive));
    for (size_t end = run.vertices.size(); end >= step; end -= step)
        Joined.insert(Joined.end(), run.vertices.begin() + std::ptrdiff_t(end - step),
                      run.vertices.begin() + std::ptrdiff_t(end));
}

// Draws every run and empties the queue: the runs the depth test orders first, nearest run
// first, writing depth; then the runs in asked order, testing depth where the primitives
// carry levels.
void DrawQueue() {
    if (RunCount == 0) return;
    static int order[MAX_RUNS];
    int n = 0;
    for (int r = 0; r < RunCount; r++)
        if (Runs[r].byDepth) order[n++] = r;
    std::sort(order, order + n, [](int a, int b) { return Runs[a].nearest > Runs[b].nearest; });
    const int byDepth = n;
    for (int r = 0; r < RunCount; r++)
        if (!Runs[r].byDepth) order[n++] = r;

    Joined.clear();
    for (int i = 0; i < RunCount; i++) JoinRun(Runs[order[i]]);
    Upload(Joined.data(), int(Joined.size()));
    int first = 0;
    for (int i = 0; i < RunCount; i++) {
        QueueRun& run = Runs[order[i]];
        QueueByDepth ? SetDepthNow(true, i < byDepth) : SetDepthNow(Drawn.depthTest, true);
        const int count = int(run.vertices.size());
        DrawRun(run.key, first, count);
        first += count;
        run.vertices.clear();
    }
    SetDepthNow(Drawn.depthTest, true);
    if (byDepth > 0) DepthWritten = true;
    RunCount = 0;
    QueuedCount = 0;
    std::memset(Grid, 0, sizeof Grid);
}

// The cells a clip-space box touches, clamped to the grid.
struct CellBox {
    int column1, row1, column2, row2;
};

CellBox CellsOf(float x1, float y1, float x2, float y2, float marginX, float marginY) {
    auto cell = [](float v, int cells) {
        const float c = (v + 1.0f) * 0.5f * float(cells);
        if (!(c > 0)) return 0; // also NaN
        return c >= float(cells) ? cells - 1 : int(c);
    };
    return {cell(x1 - marginX, GRID_COLUMNS), cell(y1 - marginY, GRID_ROWS),
            cell(x2 + marginX, GRID_COLUMNS), cell(y2 + marginY, GRID_ROWS)};
}

// Room for `count` vertices of this state. A primitive the depth test orders goes to any run
// of its state; one drawn in asked order to the latest run of its state when nothing queued
// after it in asked order touches the box, else to a new last run.
std::vector<QueuedVertex>& Place(const QueueKey& key, const CellBox& box, int count, bool byDepth) {
    QueuedCount += count;
    if (byDepth) {
        int run = RunCount - 1;
        while (run >= 0 && !(Runs[run].byDepth && SameKey(Runs[run].key, key))) run--;
        if (run < 0) {
            run = RunCount++;
            Runs[run].key = key;
            Runs[run].byDepth = true;
        }
        Runs[run].nearest = DepthLevel;
        return Runs[run].vertices;
    }
    int latest = 0; // the highest run in asked order touching the box, plus one
    for (int row = box.row1; row <= box.row2; row++)
        for (int column = box.column1; column <= box.column2; column++)
            latest = std::max<int>(latest, Grid[row][column]);
    int run = RunCount - 1;
    while (run >= 0 && run + 1 >= latest && (Runs[run].byDepth || !SameKey(Runs[run].key, key)))
        run--;
    if (run < 0 || run + 1 < latest) {
        run = RunCount++;
        Runs[run].key = key;
        Runs[run].byDepth = false;
    }
    for (int row = box.row1; row <= box.row2; row++)
        for (int column = box.column1; column <= box.column2; column++)
            Grid[row][column] = uint8_t(std::max<int>(Grid[row][column], run + 1));
    return Runs[run].vertices;
}

// Whether the next primitive may carry a depth level: the depth buffer holds only the clear
// and earlier levels of this frame, the game's own depth test is off, levels are left.
bool DepthDecides() {
    if (!DepthClean || Drawn.depthTest || DepthLevel >= DEPTH_LEVELS) return false;
    if (DepthBits < 0) {
        GLint bits = 0;
        glGetIntegerv(GL_DEPTH_BITS, &bits);
        DepthBits = bits;
        CountGl(1);
    }
    return DepthBits >= 16;
}

// The clip position of (x, y, 0, 1) under projection P times modelview T(cx, cy) R(angle),
// with the product's elements and the vertex transform rounded as the GL rounds them.
struct ClipTransform {
    float m00, m01, m03, m10, m11, m13;
};

ClipTransform MakeClipTransform(float cx, float cy, float angle) {
    // The rotation's sine and cosine as glRotatef takes them.
    const float radians = float(double(angle) * M_PI / 180.0);
    const float s = std::sin(radians), c = std::cos(radians);
    ClipTransform t;
    t.m00 = P00 * c;
    t.m01 = P00 * -s;
    t.m03 = P00 * cx + P03;
    t.m10 = P11 * s;
    t.m11 = P11 * c;
    t.m13 = P11 * cy + P13;
    return t;
}

void PlaceVertex(QueuedVertex* v, const ClipTransform& t, float x, float y) {
    const float px = x * t.m00, py = x * t.m10;
    v->x = (px + y * t.m01) + t.m03;
    v->y = (py + y * t.m11) + t.m13;
    v->z = P23;
}

void PaintVertex(QueuedVertex* v, float s, float t, const float colour[4]) {
    v->s = s, v->t = t;
    v->red = colour[0], v->green = colour[1], v->blue = colour[2], v->alpha = colour[3];
}

// Draws vertices in object coordinates at once under the game's matrices, moved and turned
// first when `turned` (glTranslatef, glRotatef about z), as the layer drew before queueing.
void DrawNow(const QueueKey& key, const QueuedVertex* vertices, int count, bool turned, float cx,
             float cy, float angle) {
    SettleDrawState();
    if (turned) {
        glPushMatrix();
        glTranslatef(cx, cy, 0);
        glRotatef(angle, 0, 0, 1);
        CountGl(3);
    }
    Upload(vertices, count);
    DrawRun(key, 0, count);
    if (turned) glPopMatrix(), CountGl(1);
    SettleDrawState(); // the run's blending and culling are the game's again
}

// The cells of clip positions, widened by `halfSize` drawable pixels and a margin of two.
CellBox CellsOfVertices(const QueuedVertex* v, int count, float halfSize) {
    float x1 = v[0].x, x2 = v[0].x, y1 = v[0].y, y2 = v[0].y;
    for (int i = 1; i < count; i++) {
        x1 = std::min(x1, v[i].x), x2 = std::max(x2, v[i].x);
        y1 = std::min(y1, v[i].y), y2 = std::max(y2, v[i].y);
    }
    const float mx = (halfSize + 2) * PixelX, my = (halfSize + 2) * PixelY;
    return CellsOf(x1, y1, x2, y2, mx, my);
}

// The state of a primitive asked for now.
QueueKey KeyNow(QueuedPrimitive primitive, uint32_t texture, bool alphaTest, float size,
                bool clip) {
    QueueKey key;
    key.primitive = primitive, key.texture = texture, key.alphaTest = alphaTest;
    key.size = size, key.clip = clip;
    key.blended = Drawn.blend == BLEND_ALPHA;
    key.cull = Drawn.cull;
    return key;
}

// Queues vertices with clip positions, or draws those in object coordinates at once.
void Enqueue(const QueueKey& key, QueuedVertex* made, int count, float halfSize, bool turned,
             float cx, float cy, float angle) {
    if (!key.clip) return DrawNow(key, made, count, turned, cx, cy, angle);
    if (RunCount == MAX_RUNS || QueuedCount + count > MAX_QUEUED) DrawQueue();
    const bool byDepth = DepthDecides();
    if (RunCount > 0 && byDepth != QueueByDepth) DrawQueue();
    QueueByDepth = byDepth;
    if (byDepth) {
        const float z = LevelDepth(DepthLevel);
        for (int i = 0; i < count; i++) made[i].z = z;
    }
    const bool ordered = byDepth && !key.blended;
    std::vector<QueuedVertex>& run =
        Place(key, ordered ? CellBox{} : CellsOfVertices(made, count, halfSize), count, ordered);
    run.insert(run.end(), made, made + count);
    if (byDepth) DepthLevel++;
}

// Positions of the corners: clip positions, or object coordinates left to the GL.
void PlaceVertices(QueuedVertex* v, const float (*corners)[2], int count, bool clip, float cx,
                   float cy, float angle) {
    const ClipTransform t = MakeClipTransform(cx, cy, angle);
    for (int i = 0; i < count; i++) {
        if (clip)
            PlaceVertex(v + i, t, corners[i][0], corners[i][1]);
        else
            v[i].x = corners[i][0], v[i].y = corners[i][1], v[i].z = 0;
    }
}

} // namespace

// ---------------------------------------------------------------- ink boxes
namespace {

// The corners of a quad showing `part` of a texture cut down to `ink` (a box within the
// part), and their texture coordinates. A side the box leaves whole keeps its corner and its
// texture coordinate as given, to the bit.
void CutToInk(const TextureBox& part, const TextureBox& ink, float* x1, float* y1, float* x2,
              float* y2, float (*tex)[2]) {
    const auto cut = [](float from, float to, float f) {
        return f == 0 ? from : f == 1 ? to : from + (to - from) * f;
    };
    const float left = cut(*x1, *x2, ink.s1), right = cut(*x1, *x2, ink.s2);
    const float top = cut(*y1, *y2, ink.t1), bottom = cut(*y1, *y2, ink.t2);
    *x1 = left, *x2 = right, *y1 = top, *y2 = bottom;
    const float s1 = cut(part.s1, part.s2, ink.s1), s2 = cut(part.s1, part.s2, ink.s2);
    const float t1 = cut(part.t1, part.t2, ink.t1), t2 = cut(part.t1, part.t2, ink.t2);
    const float s[4] = {s1, s2, s2, s1}, t[4] = {t1, t1, t2, t2};
    for (int i = 0; i < 4; i++) tex[i][0] = s[i], tex[i][1] = t[i];
}

bool SameColours(const float (*colours)[4]) {
    for (int i = 1; i < 4; i++)
        if (!std::equal(colours[0], colours[0] + 4, colours[i])) return false;
    return true;
}

} // namespace

// ---------------------------------------------------------------- queueing
bool QueueReady() {
    return OrthoKnown && ModelviewIdentity[ModelviewLevel];
}

namespace {

void QueueTextured(uint32_t texture, const TextureBox& part, const TextureBox& ink, bool alphaTest,
                   bool turned, float cx, float cy, float angle, float x1, float y1, float x2,
                   float y2, const float (*colours)[4]) {
    RenderPrimitiveCount++;
    const bool clip = QueueReady();
    float tex[4][2] = {
        {part.s1, part.t1}, {part.s2, part.t1}, {part.s2, part.t2}, {part.s1, part.t2}};
    // Transparent fragments are dropped by the alpha test or blend to nothing: the quad may
    // lose the part of it that shows no texel.
    if (texture != 0 && (alphaTest || Drawn.blend == BLEND_ALPHA) && SameColours(colours))
        CutToInk(part, ink, &x1, &y1, &x2, &y2, tex);
    const float corners[4][2] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    QueuedVertex v[4];
    if (turned)
        PlaceVertices(v, corners, 4, clip, cx, cy, angle);
    else
        PlaceVertices(v, corners, 4, clip, 0, 0, 0);
    for (int i = 0; i < 4; i++) PaintVertex(v + i, tex[i][0], tex[i][1], colours[i]);
    Enqueue(KeyNow(QUEUE_QUADS, texture, alphaTest, 1, clip), v, 4, 0, turned, cx, cy, angle);
}

} // namespace

void QueueQuad(uint32_t texture, bool alphaTest, bool turned, float cx, float cy, float angle,
               float x1, float y1, float x2, float y2, const float (*colours)[4]) {
    uint32_t drawn = 0;
    TextureBox part, ink;
    ResolveTexture(texture, &drawn, &part, &ink);
    QueueTextured(drawn, part, ink, alphaTest, turned, cx, cy, angle, x1, y1, x2, y2, colours);
}

void QueueLine(bool alphaTest, float size, float x1, float y1, float x2, float y2,
               const float colour[4]) {
    RenderPrimitiveCount++;
    const bool clip = QueueReady();
    const float corners[2][2] = {{x1, y1}, {x2, y2}};
    QueuedVertex v[2];
    PlaceVertices(v, corners, 2, clip, 0, 0, 0);
    PaintVertex(v + 0, 0, 0, colour), PaintVertex(v + 1, 0, 0, colour);
    Enqueue(KeyNow(QUEUE_LINES, 0, alphaTest, size, clip), v, 2, size / 2, false, 0, 0, 0);
}

void QueuePoint(bool alphaTest, float size, float x, float y, const float colour[4]) {
    RenderPrimitiveCount++;
    const bool clip = QueueReady();
    const float corners[1][2] = {{x, y}};
    QueuedVertex v[1];
    PlaceVertices(v, corners, 1, clip, 0, 0, 0);
    PaintVertex(v, 0, 0, colour);
    Enqueue(KeyNow(QUEUE_POINTS, 0, alphaTest, size, clip), v, 1, size / 2, false, 0, 0, 0);
}

void DrawQuadsNow(const QueuedVertex* vertices, int count) {
    RenderPrimitiveCount++;
    // The colour is the current one, not an array: the rasteriser interpolates a constant
    // input differently from equal per-vertex values, and the box was drawn in the current
    // colour. Blending and culling are the game's, as SettleDrawState leaves them.
    SettleDrawState();
    glDisableClientState(GL_COLOR_ARRAY);
    Upload(vertices, count);
    glDrawArrays(GL_QUADS, 0, count);
    glEnableClientState(GL_COLOR_ARRAY);
    Gl.colourKnown = true;
    CountGl(3);
}

void CheckDrawContext() {
    if (!RenderEnabled || !Gl.arraysReady) return;
    CountGl(1);
    if (glIsBuffer(VertexBuffer)) return;
    // A new window brought a new context: GL's initial state, and no buffer yet.
    for (int r = 0; r < RunCount; r++) Runs[r].vertices.clear();
    RunCount = 0;
    QueuedCount = 0;
    std::memset(Grid, 0, sizeof Grid);
    Gl = GlState{}; // the record of the game's state stays: the next settle puts it in
    DepthClean = false;
    DepthBits = -1;
    DropBackdrop();
    DropPartialFrame();
}

void SettleDrawState() {
    if (!RenderEnabled) return;
    DrawQueue();
    UseGameMatrices();
    SetTexture(0);
    if (Gl.texture != 0) glBindTexture(GL_TEXTURE_2D, 0), Gl.texture = 0, CountGl(1);
    SetAlphaTest(Drawn.alphaTest);
    SetLineWidthNow(Drawn.lineWidth);
    SetPointSizeNow(Drawn.pointSize);
    SetBlendNow(Drawn.blend);
    SetCullNow(Drawn.cull);
    SetDepthNow(Drawn.depthTest, true);
    if (!Gl.colourKnown || !std::equal(Drawn.colour, Drawn.colour + 4, Gl.colour)) {
        glColor4fv(Drawn.colour);
        std::copy(Drawn.colour, Drawn.colour + 4, Gl.colour);
        Gl.colourKnown = true;
        CountGl(1);
    }
}

void FinishDrawing() {
    if (!RenderEnabled) return;
    SettleDrawState();
    glFinish();
    CountGl(1);
}

// ---------------------------------------------------------------- depth
void NoteDepthCleared() {
    DepthClean = true;
    DepthWritten = false;
    DepthLevel = 0;
}

void NoteFramePresented() {
    DepthClean = false;
}

void HandDepthToGame() {
    // The game's 3D drawing expects the depth buffer as ClearDisplay left it.
    if (DepthWritten) glClear(GL_DEPTH_BUFFER_BIT), CountGl(1);
    DepthClean = false;
    DepthWritten = false;
}

// ---------------------------------------------------------------- bookkeeping
void ResetDrawQueue() {
    for (int r = 0; r < RunCount; r++) Runs[r].vertices.clear();
    RunCount = 0;
    QueuedCount = 0;
    std::memset(Grid, 0, sizeof Grid);
    Drawn = DrawState{};
    Gl = GlState{};
    OrthoKnown = false;
    ModelviewLevel = 0;
    ModelviewIdentity[0] = true;
    DepthClean = false;
    DepthWritten = false;
    DepthBits = -1;
    DropBackdrop();
    DropPartialFrame();
}

void NoteOrthoProjection(float left, float right, float bottom, float top, float nearVal,
                         float farVal) {
    // As glOrtho builds it, in float.
    P00 = 2.0f / (right - left);
    P03 = -(right + left) / (right - left);
    P11 = 2.0f / (top - bottom);
    P13 = -(top + bottom) / (top - bottom);
    P23 = -(farVal + nearVal) / (farVal - nearVal);
    OrthoKnown = true;
    // A drawable pixel in clip units, for the margins of the overlap test.
    const float scale = FrameScale() > 0 ? FrameScale() : 1.0f;
    PixelX = std::fabs(2.0f / ((right - left) * scale));
    PixelY = std::fabs(2.0f / ((top - bottom) * scale));
}

void NoteOtherProjection() {
    OrthoKnown = false;
}
void NoteModelviewIdentity() {
    ModelviewIdentity[ModelviewLevel] = true;
}
void NoteModelviewChanged() {
    ModelviewIdentity[ModelviewLevel] = false;
}

void NoteModelviewPush() {
    if (ModelviewLevel + 1 >= MODELVIEW_DEPTH) return; // the GL refuses it too
    ModelviewIdentity[ModelviewLevel + 1] = ModelviewIdentity[ModelviewLevel];
    ModelviewLevel++;
}

void NoteModelviewPop() {
    if (ModelviewLevel > 0) ModelviewLevel--;
}

void NoteTextureBound(uint32_t texture) {
    Gl.texture = texture;
}
