// hud.h - the play mode's heads-up display.
//
// Drawn over everything at the end of each play frame: the pipe frame, the energy and fuel
// gauges, the orb compass, the score, the weapon icons and their ammunition.
// Main thread only, inside a 2D frame.
#pragma once

// One orb per orb still lying in the sector, down the right edge, each with an arrow
// turned towards it from the player.
void DrawPickupCompass();
