#pragma once

#include <cstdint>

#include "display/platform.h"

// The groups of checks the Windows platform check runs, in this order.
void RunSystemChecks();
// Needs the display opened by DisplayDevice::Open.
void RunDisplayChecks();
// resourceFolder: where the sheets' files are, to compare with the program's resources.
void RunBitmapChecks(const char* resourceFolder);
void RunRepairChecks();

// Helpers shared by the groups: a whole-surface or rectangle colour fill, and one pixel of
// a 16-bit surface read through a lock (0xFFFFFFFF when the lock is refused).
platform::Result Fill(platform::Surface* surface, const platform::Rect* rect, uint32_t colour);
uint32_t PixelAt(platform::Surface* surface, int x, int y);
platform::Surface* CreateOffscreen(uint32_t width, uint32_t height);
