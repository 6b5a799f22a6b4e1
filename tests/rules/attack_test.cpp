#include <gtest/gtest.h>

#include "rules/board.h"
#include "tests/rules/board_setup.h"

namespace {

TEST(FindAttacker, SquaresWithoutAColouredPieceHaveNoAttacker) {
    Board board;
    SetUpBoard(board,
               "Ke8 ke1 Qd8 ra1 .d4 \xe9"
               "e4");
    for (auto [file, rank] :
         {std::pair{'d', '5'}, {'d', '4'}, {'e', '4'}, {'i', '1'}, {'d', '0'}}) {
        char out[3] = {'x', 'y', 'z'};
        EXPECT_EQ(board.FindAttacker(file, rank, out), 0) << file << rank;
        EXPECT_EQ(out[0], '\0');
    }
}

TEST(FindAttacker, ReportsTheFirstAttackerFileByFile) {
    Board board;
    SetUpBoard(board, "Ke8 ke1 pd4 Ra4 Qd8");
    char out[3] = {};
    EXPECT_EQ(board.FindAttacker('d', '4', out), 1);
    EXPECT_STREQ(out, "a4");
    EXPECT_EQ(board.FindAttacker('D', '4', nullptr), 1);

    board.SetSquare('a', '4', ' ');
    EXPECT_EQ(board.FindAttacker('d', '4', out), 1);
    EXPECT_STREQ(out, "d8");
    EXPECT_EQ(board.FindAttacker('d', '8', out), 0);
    EXPECT_STREQ(out, "");

    // The queen on a7 comes first although the rook's rank is lower.
    SetUpBoard(board, "Ke8 ke1 pd4 Qa7 Rd1");
    EXPECT_EQ(board.FindAttacker('d', '4', out), 1);
    EXPECT_STREQ(out, "a7");
}

TEST(FindAttacker, PawnsAttackOnlyDiagonallyForward) {
    Board board;
    SetUpBoard(board, "Ka8 kh1 Pd5 nc4 ne4 nd4 nc6");
    char out[3] = {};
    EXPECT_EQ(board.FindAttacker('c', '4', out), 1);
    EXPECT_STREQ(out, "d5");
    EXPECT_EQ(board.FindAttacker('e', '4', out), 1);
    EXPECT_EQ(board.FindAttacker('d', '4', out), 0);
    EXPECT_EQ(board.FindAttacker('c', '6', out), 0);
}

TEST(FindAttacker, APinnedPieceAttacksOnlyTheKing) {
    Board board;
    SetUpBoard(board, "Ke8 Re7 re1 ka1 nh7");
    char out[3] = {};
    EXPECT_EQ(board.FindAttacker('h', '7', out), 0);

    SetUpBoard(board, "Ke8 Re7 re1 kh7");
    EXPECT_EQ(board.IsInCheck(kBlack), 1);
    EXPECT_EQ(board.FindAttacker('h', '7', out), 1);
    EXPECT_STREQ(out, "e7");
}

TEST(IsInCheck, TellsAttackedSafeAndMissingKings) {
    Board board;
    EXPECT_EQ(board.IsInCheck(kWhite), 0);
    EXPECT_EQ(board.IsInCheck(kBlack), 0);

    SetUpBoard(board, "Ke8 ke1 Ra1");
    EXPECT_EQ(board.IsInCheck(kBlack), 1);
    EXPECT_EQ(board.IsInCheck(kWhite), 0);

    SetUpBoard(board, "ke1");
    EXPECT_EQ(board.IsInCheck(kWhite), -1);
    EXPECT_EQ(board.IsInCheck(kBlack), 0);
}

TEST(IsInCheck, WithTwoKingsTheLastInRankOrderCounts) {
    Board board;
    SetUpBoard(board, "Kh2 Ka7 rh1 ke5");  // Only the king on h2 is attacked.
    EXPECT_EQ(board.IsInCheck(kWhite), 0);
    board.SetSquare('a', '7', ' ');
    EXPECT_EQ(board.IsInCheck(kWhite), 1);
    board.SetSquare('a', '3', 'K');
    EXPECT_EQ(board.IsInCheck(kWhite), 0);
}

}  // namespace
