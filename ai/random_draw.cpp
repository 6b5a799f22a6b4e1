#include "ai/random_draw.h"

namespace {

// Unseeded, the generator starts as if seeded with 1, like the C runtime's.
std::uint32_t state = 1;

}  // namespace

void SeedRandom(std::uint32_t seed) {
    state = seed;
}

int DrawRandom() {
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's own modulus.
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}
