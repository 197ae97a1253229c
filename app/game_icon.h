// game_icon.h - the game's icon: the shaded three-quarter view of the robot from the menu
// pictures (the middle of the top row of the embedded "screens.bmp"), its black ground
// made transparent as the game keys every picture, trimmed and centred on a square.
//
// Used by the game for its window icon (main thread, before the display opens) and by the
// icon tool (tools/icons) for the desktop icons of every size. Uses the image store's
// staging numbers WorkImage and GrabImageNumber and frees them again.
#pragma once

#include <cstdint>
#include <vector>

// A size x size picture of RGBA bytes, top row first. False when the picture is missing,
// does not decode, or is all ground.
bool MakeGameIcon(int size, std::vector<uint8_t>* rgba);

// The square around the opaque pixels of a width x height RGBA picture, grown by a margin of
// one sixteenth on every side and centred; it may reach outside the picture. False when no
// pixel is opaque.
struct IconSquare {
    int x, y, side;
};
bool FindIconSquare(const std::vector<uint8_t>& rgba, int width, int height, IconSquare* square);

// Scales the square out of the picture to size x size by area averaging with alpha
// weighting (transparent pixels give no colour to their neighbours); outside the picture
// is transparent.
std::vector<uint8_t> ScaleIconSquare(const std::vector<uint8_t>& rgba, int width, int height,
                                     const IconSquare& square, int size);
