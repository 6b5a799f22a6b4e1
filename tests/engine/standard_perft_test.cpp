#include <gtest/gtest.h>

#include <string>

#include "engine/perft.h"
#include "engine/position.h"

// Move generation under the rules of chess against the published numbers of move paths.
// Each position stresses its own corner of the rules: castling through and out of check,
// capture in passing that uncovers the king, promotions with and without capture, pins.
namespace {

using engine::Perft;
using engine::Position;

Position FromFen(const std::string& fen) {
    Position position;
    std::string error;
    EXPECT_TRUE(position.SetFen(fen, &error)) << fen << ": " << error;
    return position;
}

struct PublishedCount {
    const char* fen;
    int depth;
    std::uint64_t leaves;
};

// Smaller depths of the well-known test positions; the full depths run in the benchmark.
constexpr PublishedCount kCounts[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 4, 197281},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 97862},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 5, 674624},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 4, 422333},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 3, 89890},
};

TEST(StandardPerft, PublishedCountsOfTheTestPositions) {
    for (const PublishedCount& count : kCounts) {
        Position position = FromFen(count.fen);
        const std::string before = position.Fen();
        const std::uint64_t key = position.Key();
        EXPECT_EQ(Perft(position, count.depth), count.leaves) << count.fen;
        // Every move made on the way was taken back exactly.
        EXPECT_EQ(position.Fen(), before);
        EXPECT_EQ(position.Key(), key);
    }
}

}  // namespace
