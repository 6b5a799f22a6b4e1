#pragma once

#include "display/platform.h"

// Draws a sample board frame from the program's sheets onto backBuffer: the background, the
// opening position, a selected square with its targets tinted, the status panel, the side
// menu with one button lit, a tooltip on a darkened strip, and the mouse pointer.
// Sheets that cannot be loaded are left out, as in the game.
void DrawSampleScene(platform::DirectDraw* directDraw, platform::Surface* backBuffer);
