#include <gtest/gtest.h>

#include <cstring>

#include "rules/board.h"

namespace {

// Counts the move paths of the given length from the present position, trying every
// source and target square with IsLegalMove and undoing each move with two SetSquare
// calls, the way the computer player walks its trial moves.
long long CountPaths(Board& board, int side, int plies) {
    long long paths = 0;
    for (int from = 0; from < 64; ++from) {
        for (int to = 0; to < 64; ++to) {
            const char fromFile = static_cast<char>('a' + from % 8);
            const char fromRank = static_cast<char>('1' + from / 8);
            const char toFile = static_cast<char>('a' + to % 8);
            const char toRank = static_cast<char>('1' + to / 8);
            char text[5] = {fromFile, fromRank, toFile, toRank, '\0'};
            if (board.IsLegalMove(text, side) != 1) continue;
            if (plies == 1) {
                ++paths;
                continue;
            }
            const char moved = board.GetSquare(fromFile, fromRank);
            const char captured = board.GetSquare(toFile, toRank);
            board.MovePiece(text);
            paths += CountPaths(board, 1 - side, plies - 1);
            board.SetSquare(fromFile, fromRank, moved);
            board.SetSquare(toFile, toRank, captured);
        }
    }
    return paths;
}

// The well-known counts of the game tree from the initial position. Castling, capture in
// passing and promotion cannot occur within four plies, so they hold for these rules too.
TEST(MovePaths, FromTheInitialPositionUpToFourPlies) {
    Board board;
    EXPECT_EQ(CountPaths(board, kWhite, 1), 20);
    EXPECT_EQ(CountPaths(board, kWhite, 2), 400);
    EXPECT_EQ(CountPaths(board, kWhite, 3), 8902);
    EXPECT_EQ(CountPaths(board, kWhite, 4), 197281);
    Board fresh;
    EXPECT_EQ(std::memcmp(board.squares, fresh.squares, 64), 0);
}

}  // namespace
