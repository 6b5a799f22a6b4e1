#pragma once

// The header of a PNG file: the page carries its sheets as PNG, which the browser decodes,
// and the game still needs each sheet's size and bits per pixel before the pixels arrive.

#include <cstddef>

namespace web {

// True when the bytes start with the PNG signature.
bool IsPng(const void* data, size_t size);

// Size and bits per pixel (bit depth times samples per pixel: 24 for 8-bit RGB, the depth
// for a palette image) from the header chunk. False for anything but a well-formed header of
// a known colour type.
bool ReadPngHeader(const void* data, size_t size, int* width, int* height, int* bits);

}  // namespace web
