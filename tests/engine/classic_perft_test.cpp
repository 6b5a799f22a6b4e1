#include <gtest/gtest.h>

#include <cstring>

#include "engine/perft.h"
#include "engine/position.h"
#include "rules/board.h"
#include "tests/engine/classic_perft_reference.h"

// The engine's count of move paths under the game's rules against one made with the game's
// own Board: every move of it found by Board::IsLegalMove and made with MovePiece. Depth 5
// runs in the engine benchmark, where the Board's count takes long enough to matter.
namespace {

TEST(ClassicPerft, EqualsTheGameRulesCountFromTheStartToDepthFour) {
    engine::Position position = engine::Position::Start(engine::Rules::Classic);
    Board board;
    for (int depth = 1; depth <= 4; ++depth) {
        EXPECT_EQ(engine::Perft(position, depth), CountBoardPaths(board, kWhite, depth))
            << "depth " << depth;
    }
    Board fresh;
    EXPECT_EQ(std::memcmp(board.squares, fresh.squares, 64), 0);
}

// A middle game with promotions near, kings in the open and a piece of neither side: the
// moves that the start position does not reach within four plies.
TEST(ClassicPerft, EqualsTheGameRulesCountInAnOpenPosition) {
    Board board;
    const char* rows[8] = {"   K    ", " P   P  ", "  x  n  ", "   Q   p",
                           "  b     ", "     R  ", "p   q   ", "   k   r"};
    for (int row = 0; row < 8; ++row) {
        for (int file = 0; file < 8; ++file) board.squares[file + 8 * (7 - row)] = rows[row][file];
    }
    board.cachedStatus = kStatusNotComputed;
    engine::Position position =
        engine::Position::FromClassicBoard(board.squares, engine::Side::White);
    for (int depth = 1; depth <= 3; ++depth) {
        EXPECT_EQ(engine::Perft(position, depth), CountBoardPaths(board, kWhite, depth))
            << "depth " << depth;
    }
}

}  // namespace
