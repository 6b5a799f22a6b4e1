#pragma once

#include <cstdint>

#include "display/platform.h"

// Set while TintByCopy runs, so its own Tint of the temporary copy cannot fall back again.
extern int32_t tintFallbackDepth;

// The DirectDraw object TintByCopy creates its temporary surface with (the application's).
extern platform::DirectDraw* tintDirectDraw;

// Adds the signed deltas to the red, green and blue channels of every pixel of the
// rectangle (cut at the 640x480 screen's right and bottom edges), each channel clamped.
void Tint(platform::Surface* surface, uint32_t x, uint32_t y, uint32_t w, uint32_t h, int red,
          int green, int blue);
void TintByCopy(platform::Surface* surface, uint32_t x, uint32_t y, uint32_t w, uint32_t h, int red,
                int green, int blue);
