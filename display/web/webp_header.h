#pragma once

// The header of a lossless WebP file: the page carries its 24-bit sheets in that form (a
// fifth lighter than PNG), which the browser decodes, and the game still needs each sheet's
// size and bits per pixel before the pixels arrive.

#include <cstddef>

namespace web {

// True when the bytes start as a WebP file does ("RIFF", a size, "WEBP").
bool IsWebp(const void* data, size_t size);

// Size and bits per pixel (24, or 32 when the picture says it uses its alpha) of a simple
// lossless WebP file: one "VP8L" chunk right after the file header. False for anything else,
// including the lossy and extended forms, which the page's sheets never use.
bool ReadWebpHeader(const void* data, size_t size, int* width, int* height, int* bits);

}  // namespace web
