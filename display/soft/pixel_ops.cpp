#include "display/soft/pixel_ops.h"

#include <cstring>

namespace soft {

void Fill16(const Pixels16& to, int x, int y, int width, int height, uint16_t value) {
    for (int row = y; row < y + height; ++row) {
        uint16_t* out = to.Row(row) + x;
        for (int column = 0; column < width; ++column) out[column] = value;
    }
}

void Copy16(const Pixels16& from, int fromX, int fromY, int width, int height, const Pixels16& to,
            int x, int y, bool keyed, uint16_t key) {
    // Within one buffer a copy downward must start at the bottom row, or it would read rows
    // it has already written; memmove and the column order below do the same within a row.
    bool upward = from.base == to.base && y > fromY;
    for (int i = 0; i < height; ++i) {
        int row = upward ? height - 1 - i : i;
        const uint16_t* in = from.Row(fromY + row) + fromX;
        uint16_t* out = to.Row(y + row) + x;
        if (!keyed) {
            std::memmove(out, in, static_cast<size_t>(width) * 2);
        } else if (from.base == to.base && out > in) {
            for (int column = width - 1; column >= 0; --column) {
                if (in[column] != key) out[column] = in[column];
            }
        } else {
            // A select rather than a conditional store, so the compiler makes vector code of
            // it: the screens draw keyed sprites dozens of times a frame.
            for (int column = 0; column < width; ++column) {
                out[column] = in[column] != key ? in[column] : out[column];
            }
        }
    }
}

}  // namespace soft
