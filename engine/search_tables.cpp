#include "engine/search_tables.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace engine {

int FixedLog2(int x) {
    if (x < 1) {
        return 0;
    }
    const int whole = 31 - std::countl_zero(static_cast<std::uint32_t>(x));
    // The mantissa in [1, 2) with 16 fractional bits; each squaring yields one more bit.
    std::uint64_t y = (static_cast<std::uint64_t>(x) << 16) >> whole;
    int fraction = 0;
    for (int i = 0; i < 8; ++i) {
        y = (y * y) >> 16;
        fraction <<= 1;
        if (y >= (std::uint64_t{2} << 16)) {
            y >>= 1;
            fraction |= 1;
        }
    }
    return whole * 256 + fraction;
}

int LateMoveReduction(int depth, int moveNumber) {
    depth = std::clamp(depth, 1, 63);
    moveNumber = std::clamp(moveNumber, 1, 63);
    // About 0.75 + ln(depth) * ln(moveNumber) / 2.25, in integers: ln a * ln b is
    // 0.4805 * log2 a * log2 b.
    const std::int64_t product =
        static_cast<std::int64_t>(FixedLog2(depth)) * FixedLog2(moveNumber);
    return static_cast<int>((product * 2135 / 10000 + 49152) >> 16);
}

int LateMoveLimit(int depth) {
    return 3 + depth * depth;
}

}  // namespace engine
