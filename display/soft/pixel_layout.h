#pragma once

#include <cstdint>

#include "display/platform.h"

namespace soft {

// The two 16-bit layouts a display may have. 5-5-5 leaves bit 15 without colour.
enum class PixelLayout { Rgb565, Rgb555 };

inline platform::PixelFormat FormatOf(PixelLayout layout) {
    platform::PixelFormat format;
    format.flags = platform::DDPF_RGB;
    format.rgbBitCount = 16;
    if (layout == PixelLayout::Rgb565) {
        format.rBitMask = 0xF800;
        format.gBitMask = 0x07E0;
    } else {
        format.rBitMask = 0x7C00;
        format.gBitMask = 0x03E0;
    }
    format.bBitMask = 0x001F;
    return format;
}

}  // namespace soft
