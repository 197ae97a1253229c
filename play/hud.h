// hud.h - the play mode's heads-up display.
//
// Drawn over everything at the end of each play frame: the pipe frame, the energy and fuel
// gauges, the orb compass, the score, the weapon icons and their ammunition. The level-end
// mode draws the same pipe frame. Main thread only, inside a 2D frame.
#pragma once

// The pipe frame along the top and bottom edges, drawn over everything: the play mode's HUD
// and both screens of the level-end mode. Pieces of HudFrameImages, 50 x 50 each.
void DrawPipeFrame();

// One orb per orb still lying in the sector, down the right edge, each with an arrow
// turned towards it from the player.
void DrawPickupCompass();
