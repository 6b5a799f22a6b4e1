#include <cstdint>

#include "engine/piece_codes.h"

namespace engine {

ZobristKeys gZobrist;

namespace {

// SplitMix64: a well-mixed sequence from a counter, plain 64-bit arithmetic on every build.
class KeyRandom {
  public:
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

  private:
    std::uint64_t state = 0x6B65737472696F6EULL;
};

void FillKeys() {
    KeyRandom random;
    for (int code = 0; code < 16; ++code) {
        for (int square = 0; square < 64; ++square) {
            gZobrist.piece[code][square] = code == kEmptyCode ? 0 : random.Next();
        }
    }
    gZobrist.castling[0] = 0;
    std::uint64_t single[4];
    for (std::uint64_t& key : single) key = random.Next();
    for (int rights = 1; rights < 16; ++rights) {
        std::uint64_t key = 0;
        for (int bit = 0; bit < 4; ++bit) {
            if (rights & (1 << bit)) key ^= single[bit];
        }
        gZobrist.castling[rights] = key;
    }
    for (std::uint64_t& key : gZobrist.enPassantFile) key = random.Next();
    gZobrist.blackToMove = random.Next();
    gZobrist.classicRules = random.Next();
}

}  // namespace

void InitZobrist() {
    static const bool filled = (FillKeys(), true);
    (void)filled;
}

}  // namespace engine
