#include <gtest/gtest.h>

#include <cstring>

#include "rules/board.h"
#include "rules/legality_count.h"
#include "tests/rules/board_setup.h"

namespace {

int StatusOf(const char* pieces) {
    Board board;
    SetUpBoard(board, pieces);
    return board.GetStatus();
}

TEST(PositionStatus, CheckmatesOfEitherSideAfterShortGames) {
    Board board;
    EXPECT_EQ(board.GetStatus(), InPlay);
    ASSERT_EQ(PlayMoves(board, {"f7f6", "e2e4", "g7g5", "d1h5"}), 4);
    EXPECT_EQ(board.GetStatus(), WhiteCheckmated);

    board.Reset();
    ASSERT_EQ(PlayMoves(board, {"e7e5", "f2f3", "d7d5", "g2g4", "d8h4"}), 5);
    EXPECT_EQ(board.GetStatus(), BlackCheckmated);
}

TEST(PositionStatus, ChecksAndStalemates) {
    EXPECT_EQ(StatusOf("Ke8 ke1"), InPlay);
    EXPECT_EQ(StatusOf("Ke8 ke1 re4"), WhiteInCheck);
    EXPECT_EQ(StatusOf("Ke8 ke1 Re4"), BlackInCheck);
    EXPECT_EQ(StatusOf("Ke8 ke1 Ra1 re5"), WhiteInCheck);  // Both in check: White first.
    EXPECT_EQ(StatusOf("ka1 Qb3 Kh8"), BlackStalemated);
    EXPECT_EQ(StatusOf("Kh8 qf7 ka1"), WhiteStalemated);
}

// Kings boxed in by their own pawns have no move and are not attacked.
constexpr char kWhiteBoxedIn[] = "Ka1 Pa2 Pb1 Pb2 ";
constexpr char kBlackBoxedIn[] = "kh8 ph7 pg8 pg7 ";

TEST(PositionStatus, WhenASideCannotMoveStalemateComesBeforeCheckmateAndWhiteFirst) {
    EXPECT_EQ(StatusOf(""), WhiteCheckmated);  // No kings: both count as attacked.
    EXPECT_EQ(StatusOf("ke1 Ra8"), WhiteCheckmated);
    EXPECT_EQ(StatusOf(kBlackBoxedIn), BlackStalemated);
    EXPECT_EQ(StatusOf(kWhiteBoxedIn), WhiteStalemated);

    char both[64];
    std::strcpy(both, kWhiteBoxedIn);
    std::strcat(both, kBlackBoxedIn);
    EXPECT_EQ(StatusOf(both), WhiteStalemated);
}

TEST(PositionStatus, GetStatusLeavesTheSquaresAsTheyWere) {
    Board board;
    ASSERT_EQ(PlayMoves(board, {"f7f6", "e2e4", "g7g5", "d1h5"}), 4);
    signed char before[64];
    std::memcpy(before, board.squares, 64);
    EXPECT_EQ(board.GetStatus(), WhiteCheckmated);
    EXPECT_EQ(std::memcmp(before, board.squares, 64), 0);
    EXPECT_EQ(board.cachedStatus, WhiteCheckmated);
}

TEST(PositionStatus, StoredCodeIsReusedUntilASquareIsWritten) {
    Board board;
    SetUpBoard(board, "Ke8 ke1 re4");
    EXPECT_EQ(board.GetStatus(), WhiteInCheck);
    EXPECT_EQ(board.cachedStatus, WhiteInCheck);

    unsigned long long tests = rules::LegalityTestCount();
    EXPECT_EQ(board.GetStatus(), WhiteInCheck);
    EXPECT_EQ(rules::LegalityTestCount(), tests);

    board.SetSquare('z', '4', 'R');
    board.SetSquare('e', '9', 'R');
    EXPECT_EQ(board.GetStatus(), WhiteInCheck);
    EXPECT_EQ(rules::LegalityTestCount(), tests);

    board.SetSquare('e', '4', 'r');  // The same letter: still worked out again.
    EXPECT_EQ(board.GetStatus(), WhiteInCheck);
    EXPECT_GT(rules::LegalityTestCount(), tests);

    // A stale code is never served: the new position gets its own.
    board.SetSquare('e', '4', 'R');
    EXPECT_EQ(board.GetStatus(), BlackInCheck);
}

TEST(PositionStatus, ScanStopsOnceBothSidesHaveAMove) {
    Board board;
    unsigned long long before = rules::LegalityTestCount();
    EXPECT_EQ(board.GetStatus(), InPlay);
    // A full scan would test all 64 targets of each of the 32 pieces.
    EXPECT_LT(rules::LegalityTestCount() - before, 32u * 64u);
}

}  // namespace
