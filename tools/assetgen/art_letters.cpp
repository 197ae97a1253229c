// art_letters.cpp - the small cell alphabet and the large vector alphabet.
#include "tools/assetgen/art_letters.h"

#include <cstring>
#include <vector>

#include "tools/assetgen/art_shapes.h"

namespace {

// ---------------------------------------------------------------- small alphabet
// Codes 32 to 91 in order. Square "techno" letters with cut corners.
const char* const SMALL_GLYPHS[60][SMALL_GLYPH_ROWS] = {
    {".....", ".....", ".....", ".....", ".....", ".....", "....."}, // space
    {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}, // !
    {".#.#.", ".#.#.", ".#.#.", ".....", ".....", ".....", "....."}, // "
    {".#.#.", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", ".#.#."}, // #
    {"..#..", "3####", "#.#..", "9###1", "..#.#", "####7", "..#.."}, // $
    {"##...", "##..#", "...#.", "..#..", ".#...", "#..##", "...##"}, // %
    {".##..", "#..#.", "#.#..", ".#...", "#.#.#", "#..#.", ".##.#"}, // &
    {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}, // '
    {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}, // (
    {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}, // )
    {".....", "#.#.#", ".###.", "#####", ".###.", "#.#.#", "....."}, // *
    {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}, // +
    {".....", ".....", ".....", ".....", ".....", "..#..", ".#..."}, // ,
    {".....", ".....", ".....", "#####", ".....", ".....", "....."}, // -
    {".....", ".....", ".....", ".....", ".....", ".....", "..#.."}, // .
    {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}, // /
    {"3###1", "#...#", "#..##", "#.#.#", "##..#", "#...#", "9###7"}, // 0
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}, // 1
    {"3###1", "....#", "....#", "3###7", "#....", "#....", "#####"}, // 2
    {"####1", "....#", "....#", ".###.", "....#", "....#", "####7"}, // 3
    {"#...#", "#...#", "#...#", "9####", "....#", "....#", "....#"}, // 4
    {"#####", "#....", "#....", "####1", "....#", "....#", "####7"}, // 5
    {"3####", "#....", "#....", "####1", "#...#", "#...#", "9###7"}, // 6
    {"#####", "....#", "....#", "...#.", "..#..", "..#..", "..#.."}, // 7
    {"3###1", "#...#", "#...#", "3###1", "#...#", "#...#", "9###7"}, // 8
    {"3###1", "#...#", "#...#", "9####", "....#", "....#", "####7"}, // 9
    {".....", ".....", "..#..", ".....", ".....", "..#..", "....."}, // :
    {".....", ".....", "..#..", ".....", ".....", "..#..", ".#..."}, // ;
    {"...#.", "..#..", ".#...", "#....", ".#...", "..#..", "...#."}, // <
    {".....", ".....", "#####", ".....", "#####", ".....", "....."}, // =
    {".#...", "..#..", "...#.", "....#", "...#.", "..#..", ".#..."}, // >
    {"3###1", "#...#", "....#", "..3#7", "..#..", ".....", "..#.."}, // ?
    {"3###1", "#...#", "#.3##", "#.#.#", "#.9##", "#....", "9###."}, // @
    {"3###1", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}, // A
    {"####1", "#...#", "#...#", "####.", "#...#", "#...#", "####7"}, // B
    {"3####", "#....", "#....", "#....", "#....", "#....", "9####"}, // C
    {"####1", "#...#", "#...#", "#...#", "#...#", "#...#", "####7"}, // D
    {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}, // E
    {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}, // F
    {"3####", "#....", "#....", "#..##", "#...#", "#...#", "9###7"}, // G
    {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}, // H
    {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}, // I
    {"....#", "....#", "....#", "....#", "....#", "#...#", "9###7"}, // J
    {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}, // K
    {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}, // L
    {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}, // M
    {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}, // N
    {"3###1", "#...#", "#...#", "#...#", "#...#", "#...#", "9###7"}, // O
    {"####1", "#...#", "#...#", "####7", "#....", "#....", "#...."}, // P
    {"3###1", "#...#", "#...#", "#...#", "#.#.#", "#..#.", "9##.#"}, // Q
    {"####1", "#...#", "#...#", "####7", "#.#..", "#..#.", "#...#"}, // R
    {"3####", "#....", "#....", "9###1", "....#", "....#", "####7"}, // S
    {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}, // T
    {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "9###7"}, // U
    {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}, // V
    {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}, // W
    {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}, // X
    {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}, // Y
    {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}, // Z
    {".###.", ".#...", ".#...", ".#...", ".#...", ".#...", ".###."}, // [
};

char CellAt(const char* const* rows, int column, int row) {
    if (column < 0 || row < 0 || column >= SMALL_GLYPH_COLUMNS || row >= SMALL_GLYPH_ROWS)
        return '.';
    return rows[row][column];
}

bool CellFull(const char* const* rows, int column, int row) {
    return CellAt(rows, column, row) == '#';
}

// Distance to the part of one cell that is filled (cell at (cx, cy), p in units).
float CellSdf(char cell, int cx, int cy, Vec2 p) {
    const float box = SdRect(p, float(cx), float(cy), float(cx + 1), float(cy + 1));
    // Half cells: the diagonal keeps the corner named by the number-pad digit.
    const Vec2 q{p.x - float(cx), p.y - float(cy)};
    switch (cell) {
    case '#': return box;
    case '1': return Intersect(box, (q.y - q.x) * -0.70710678f);    // bottom-left kept
    case '3': return Intersect(box, (1 - q.x - q.y) * 0.70710678f); // bottom-right kept
    case '7': return Intersect(box, (q.x + q.y - 1) * 0.70710678f); // top-left kept
    case '9': return Intersect(box, (q.y - q.x) * 0.70710678f);     // top-right kept
    default: return 1e9f;
    }
}

// ---------------------------------------------------------------- large alphabet
constexpr float STROKE = 2.6f;
constexpr float HEIGHT = 10.0f;
constexpr float CUT = 2.0f;

float Rect(Vec2 p, float x0, float y0, float x1, float y1) {
    return SdRect(p, x0, y0, x1, y1);
}
float Quad(Vec2 p, Vec2 a, Vec2 b, Vec2 c, Vec2 d) {
    return SdPolygon(p, {a, b, c, d});
}
// The letter's outline box with all four corners cut.
float Outline(Vec2 p, float w) {
    return SdChamferRect(p, 0, 0, w, HEIGHT, CUT);
}

struct LargeLetter {
    char letter;
    float width;
};
const LargeLetter LARGE_LETTERS[] = {
    {'A', 8.4f}, {'C', 7.6f}, {'E', 7.0f}, {'H', 8.2f}, {'M', 10.0f}, {'N', 8.4f}, {'O', 8.4f},
    {'P', 8.0f}, {'R', 8.4f}, {'S', 8.0f}, {'U', 8.2f}, {'V', 9.0f},  {'X', 9.0f}};

} // namespace

const char* const* SmallGlyphRows(int code) {
    if (code < 32 || code > 91) return nullptr;
    return SMALL_GLYPHS[code - 32];
}

float SmallGlyphSdf(int code, Vec2 p) {
    const char* const* rows = SmallGlyphRows(code);
    if (!rows) return 1e9f;
    float d = 1e9f;
    const int px = int(std::floor(p.x)), py = int(std::floor(p.y));
    // Only cells near the point matter (distances are wanted close to the outline).
    for (int cy = py - 2; cy <= py + 2; cy++)
        for (int cx = px - 2; cx <= px + 2; cx++) {
            const char cell = CellAt(rows, cx, cy);
            if (cell != '.') d = Union(d, CellSdf(cell, cx, cy, p));
            // Bridge a full cell to its full diagonal neighbour down right / down left when
            // the two cells between them are empty.
            const float fx = float(cx), fy = float(cy);
            if (CellFull(rows, cx, cy) && CellFull(rows, cx + 1, cy + 1) &&
                CellAt(rows, cx + 1, cy) == '.' && CellAt(rows, cx, cy + 1) == '.') {
                d = Union(d, SdPolygon(p, {{fx + 1, fy + 0.45f},
                                           {fx + 1.55f, fy + 1},
                                           {fx + 1, fy + 1.55f},
                                           {fx + 0.45f, fy + 1}}));
            }
            if (CellFull(rows, cx, cy) && CellFull(rows, cx - 1, cy + 1) &&
                CellAt(rows, cx - 1, cy) == '.' && CellAt(rows, cx, cy + 1) == '.') {
                d = Union(d, SdPolygon(p, {{fx, fy + 0.45f},
                                           {fx + 0.55f, fy + 1},
                                           {fx, fy + 1.55f},
                                           {fx - 0.55f, fy + 1}}));
            }
        }
    return d;
}

float LargeLetterWidth(char letter) {
    for (const LargeLetter& l : LARGE_LETTERS)
        if (l.letter == letter) return l.width;
    return 0;
}

float LargeLetterSdf(char letter, Vec2 p) {
    const float w = LargeLetterWidth(letter), s = STROKE, h = HEIGHT;
    switch (letter) {
    case 'A': {
        const float outer = Intersect(SdChamferRect(p, 0, 0, w, h + 6, CUT + 0.6f), p.y - h);
        const float hole = Rect(p, s, s, w - s, 4.6f);
        const float mouth = Rect(p, s, 4.6f + s * 0.85f, w - s, h + 1);
        return Subtract(Subtract(outer, hole), mouth);
    }
    case 'C': {
        const float ring = Subtract(Outline(p, w), SdChamferRect(p, s, s, w + 4, h - s, 0.6f));
        return ring;
    }
    case 'E': {
        const float bars = Union(Union(Rect(p, 0, 0, w, s), Rect(p, 0, h - s, w, h)),
                                 Rect(p, 0, 5 - s / 2, w - 1.2f, 5 + s / 2));
        return Intersect(Union(Rect(p, 0, 0, s, h), bars), Outline(p, w));
    }
    case 'H':
        return Union(Union(Rect(p, 0, 0, s, h), Rect(p, w - s, 0, w, h)),
                     Rect(p, 0, 5 - s / 2, w, 5 + s / 2));
    case 'M': {
        const float stems = Union(Rect(p, 0, 0, s, h), Rect(p, w - s, 0, w, h));
        const float left =
            Quad(p, {0, 0}, {s * 1.15f, 0}, {w / 2 + s * 0.55f, 6.4f}, {w / 2 - s * 0.55f, 6.4f});
        const float right = Quad(p, {w, 0}, {w - s * 1.15f, 0}, {w / 2 - s * 0.55f, 6.4f},
                                 {w / 2 + s * 0.55f, 6.4f});
        return Intersect(Union(stems, Union(left, right)), SdChamferRect(p, 0, 0, w, h, 0.9f));
    }
    case 'N': {
        const float stems = Union(Rect(p, 0, 0, s, h), Rect(p, w - s, 0, w, h));
        const float slash = Quad(p, {0, 0}, {s * 1.2f, 0}, {w, h}, {w - s * 1.2f, h});
        return Intersect(Union(stems, slash), SdChamferRect(p, 0, 0, w, h, 0.9f));
    }
    case 'O': return Subtract(Outline(p, w), SdChamferRect(p, s, s, w - s, h - s, 0.6f));
    case 'P': {
        const float bowl = Subtract(SdChamferRect(p, 0, 0, w, 6.2f, CUT),
                                    SdChamferRect(p, s, s, w - s, 6.2f - s, 0.5f));
        return Union(bowl, Intersect(Rect(p, 0, 0, s, h), SdChamferRect(p, 0, 0, w, h, 0.9f)));
    }
    case 'R': {
        const float bowl = Subtract(SdChamferRect(p, 0, 0, w, 6.0f, CUT),
                                    SdChamferRect(p, s, s, w - s, 6.0f - s, 0.5f));
        const float stem = Intersect(Rect(p, 0, 0, s, h), SdChamferRect(p, 0, 0, w, h, 0.9f));
        const float leg =
            Quad(p, {w * 0.36f, 5.2f}, {w * 0.36f + s * 1.1f, 5.2f}, {w, h}, {w - s * 1.15f, h});
        return Union(Union(bowl, stem), Intersect(leg, Rect(p, 0, 0, w, h)));
    }
    case 'S': {
        const float top = Rect(p, 0, 0, w, s), middle = Rect(p, 0, 5 - s / 2, w, 5 + s / 2);
        const float bottom = Rect(p, 0, h - s, w, h);
        const float upper = Rect(p, 0, 0, s, 5), lower = Rect(p, w - s, 5, w, h);
        return Intersect(Union(Union(Union(top, middle), bottom), Union(upper, lower)),
                         Outline(p, w));
    }
    case 'U': {
        const float outer = Intersect(SdChamferRect(p, 0, -6, w, h, CUT + 0.4f), -p.y);
        return Subtract(outer, SdChamferRect(p, s, -4, w - s, h - s, 0.6f));
    }
    case 'V':
        return SdPolygon(p, {{0, 0},
                             {s * 1.1f, 0},
                             {w / 2, h - s * 1.55f},
                             {w - s * 1.1f, 0},
                             {w, 0},
                             {w / 2 + s * 0.75f, h},
                             {w / 2 - s * 0.75f, h}});
    case 'X': {
        const float a = Quad(p, {0, 0}, {s * 1.2f, 0}, {w, h}, {w - s * 1.2f, h});
        const float b = Quad(p, {w, 0}, {w - s * 1.2f, 0}, {0, h}, {s * 1.2f, h});
        return Union(a, b);
    }
    default: return 1e9f;
    }
}

float LargeWordWidth(const char* word, float gap) {
    float w = 0;
    const size_t n = std::strlen(word);
    for (size_t i = 0; i < n; i++) w += LargeLetterWidth(word[i]) + (i + 1 < n ? gap : 0);
    return w;
}

float LargeWordSdf(const char* word, float gap, Vec2 p) {
    float d = 1e9f, x = 0;
    for (const char* c = word; *c; c++) {
        const float w = LargeLetterWidth(*c);
        if (p.x > x - 3 && p.x < x + w + 3) d = Union(d, LargeLetterSdf(*c, Vec2{p.x - x, p.y}));
        x += w + gap;
    }
    return d;
}
