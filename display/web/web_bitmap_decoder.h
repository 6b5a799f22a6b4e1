#pragma once

// Bitmap files decoded by the browser's own image decoder (a soft::BitmapDecoder). The
// program's built-in sheets (PNG files here, see resources/CMakeLists.txt) are decoded once
// before the game starts, so the game's loads find them at once; other bytes (a loose
// bitmap file) are decoded when asked for.

#include <cstddef>

#include "display/platform.h"

namespace web {

// Hands every sheet the program carries to the browser's decoder without waiting; the page
// calls it (as kestrion_begin_sheet_decoding) while the saved games are still being read.
void BeginDecodingBuiltInSheets();

// Waits: decodes every sheet the program carries.
void DecodeBuiltInSheets();

platform::BitmapHandle DecodeBitmapInBrowser(const void* data, size_t size);

}  // namespace web
