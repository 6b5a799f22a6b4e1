#pragma once

// The pixel work of the software display as plain loops over 16-bit rows: fills and copies
// with an optional colour key. Callers have checked every rectangle against both buffers.

#include <cstdint>

namespace soft {

// Rows of 16-bit pixels, pitch bytes apart.
struct Pixels16 {
    uint8_t* base = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;

    uint16_t* Row(int y) const { return reinterpret_cast<uint16_t*>(base + y * pitch); }
};

void Fill16(const Pixels16& to, int x, int y, int width, int height, uint16_t value);

// Copies the width x height block at (fromX, fromY) of `from` to (x, y) of `to`. With keyed,
// source pixels equal to key are left out. The two blocks may lie in the same buffer and
// overlap: every source pixel is read before it can be overwritten.
void Copy16(const Pixels16& from, int fromX, int fromY, int width, int height, const Pixels16& to,
            int x, int y, bool keyed, uint16_t key);

}  // namespace soft
