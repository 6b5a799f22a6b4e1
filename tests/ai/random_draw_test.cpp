#include "ai/random_draw.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<int> Draws(std::uint32_t seed, int count) {
    SeedRandom(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) draws.push_back(DrawRandom());
    return draws;
}

// The sequences of the Windows C runtime's generator, worked out apart from this code:
// state = state * 214013 + 2531011 (mod 2^32), each draw (state >> 16) & 0x7FFF.
TEST(RandomDraw, FollowsTheWindowsRuntimeSequence) {
    EXPECT_EQ(Draws(1, 10),
              (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}));
    EXPECT_EQ(Draws(0, 5), (std::vector<int>{38, 7719, 21238, 2437, 8855}));
    // The whole 32-bit state is kept: the largest seed is not cut down to a smaller one.
    EXPECT_EQ(Draws(4294967295u, 5), (std::vector<int>{35, 29739, 3374, 11141, 31308}));
}

TEST(RandomDraw, SeedingAgainRestartsTheSequence) {
    const std::vector<int> first = Draws(2024, 20);
    EXPECT_EQ(Draws(2024, 20), first);
    EXPECT_NE(Draws(2025, 20), first);
}

TEST(RandomDraw, StaysWithinFifteenBits) {
    SeedRandom(7);
    int lowest = 32767;
    int highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const int draw = DrawRandom();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, 32767);
        lowest = draw < lowest ? draw : lowest;
        highest = draw > highest ? draw : highest;
    }
    // Over this many draws the whole range is reached, both ends nearly.
    EXPECT_LT(lowest, 16);
    EXPECT_GT(highest, 32751);
}

}  // namespace
