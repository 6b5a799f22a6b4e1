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

// 0xRRGGBB to a 16-bit value: the low bits of each channel are dropped.
constexpr uint16_t PackRgb(uint32_t rgb, PixelLayout layout) {
    uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    if (layout == PixelLayout::Rgb565) {
        return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
    }
    return static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
}

// A 16-bit value to 0xRRGGBB. Each channel is scaled to 0..255 and rounded down, so full
// intensity reads back as 0xFF and black as 0.
constexpr uint32_t UnpackRgb(uint16_t value, PixelLayout layout) {
    auto five = [](uint32_t v) { return v * 255 / 31; };
    auto six = [](uint32_t v) { return v * 255 / 63; };
    uint32_t r, g, b;
    if (layout == PixelLayout::Rgb565) {
        r = five((value >> 11) & 0x1F);
        g = six((value >> 5) & 0x3F);
    } else {
        r = five((value >> 10) & 0x1F);
        g = five((value >> 5) & 0x1F);
    }
    b = five(value & 0x1F);
    return r << 16 | g << 8 | b;
}

}  // namespace soft
