#pragma once

// Writes small Windows bitmap files for tests, in every encoding the game's sheets use.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A picture as 0xRRGGBB values, top row first.
struct BmpPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

enum class BmpEncoding { Bits24, Bits8, Bits4, Rle8, Rle4 };

// The palette of the 8- and 4-bit encodings holds the picture's distinct colours in order
// of first appearance (at most 256, or 16 for 4 bits). Rows are stored bottom-up.
std::vector<uint8_t> EncodeBmp(const BmpPicture& picture, BmpEncoding encoding);

// A width x height picture filled with one colour.
BmpPicture SolidPicture(int width, int height, uint32_t rgb);

}  // namespace platform
