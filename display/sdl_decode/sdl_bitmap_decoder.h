#pragma once

// Windows bitmap files decoded by SDL (4, 8, 16, 24 and 32 bits per pixel, RLE4 and RLE8):
// the bitmap decoder of the Linux desktop and of the tests.

#include <cstddef>

#include "display/platform.h"

struct SDL_Surface;

namespace sdl {

// The file as an SDL surface in its own format; null when the bytes are not a readable
// Windows bitmap of at most 640x480 pixels.
SDL_Surface* DecodeSdlSurface(const void* data, size_t size);

// The same, as the software display's bitmap of plain colours (a soft::BitmapDecoder).
platform::BitmapHandle DecodeBitmapWithSdl(const void* data, size_t size);

}  // namespace sdl
