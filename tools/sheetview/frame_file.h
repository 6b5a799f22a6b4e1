#pragma once

#include <string>

#include "display/platform.h"

// Writes the whole of a locked-readable 16-bit surface (5-6-5 or 5-5-5) to an uncompressed
// 24-bit bitmap file. False when the surface cannot be read or the file not written.
bool WriteSurfaceBitmap(platform::Surface* surface, int width, int height, const std::string& path);
