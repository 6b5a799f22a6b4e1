#pragma once

#include <array>
#include <cstdint>
#include <vector>

// Boards for the differential tests, as the 64 squares in the order a1, b1, ..., h8.
using Squares = std::array<signed char, 64>;

// Positions met in random legal play from the initial position: games with a fixed seed,
// every position after each ply. Pawns on their last rank usually become queens, as the
// computer's do, and are sometimes left standing there.
std::vector<Squares> PlayedPositions(std::uint32_t seed, int games, int maxPlies);

// Boards that play never reaches: missing, doubled and tripled kings, pawns on the last
// rank, letters that are no piece, bytes that are no letter (NUL and high bytes included),
// crowded and nearly empty boards.
std::vector<Squares> OddBoards(std::uint32_t seed, int count);

// A deterministic generator whose values do not depend on the standard library.
class TestRandom {
  public:
    explicit TestRandom(std::uint32_t seed) : state(seed * 2654435761u + 1u) {}
    std::uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint32_t>(bound)); }

  private:
    std::uint32_t state;
};
