#pragma once

// What the files of SdlSystem share among themselves.

#include "display/platform.h"

namespace sdl {

// The game's picture, which the window shows scaled to fit.
inline constexpr int kPictureWidth = 640;
inline constexpr int kPictureHeight = 480;

}  // namespace sdl
