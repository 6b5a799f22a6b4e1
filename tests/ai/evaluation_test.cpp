#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ai/computer_player.h"
#include "tests/ai/position_setup.h"

namespace {

ComputerPlayer PlayerFor(Board& board, int side) {
    ComputerPlayer player;
    player.board = &board;
    player.side = side;
    return player;
}

TEST(Evaluation, InitialPositionIsBalanced) {
    Board board;
    ComputerPlayer player = PlayerFor(board, 1);
    for (int side : {0, 1}) {
        for (int penalize : {0, 1}) {
            EXPECT_EQ(player.ScoreSide(side, penalize), 163) << side << " " << penalize;
        }
    }
    EXPECT_EQ(player.ScorePosition(), 1000);
    player.side = 0;
    EXPECT_EQ(player.ScorePosition(), 1000);
    Board initial;
    EXPECT_TRUE(SameSquares(board, initial));
}

TEST(Evaluation, WhiteFirstMovesScoreByDevelopment) {
    Board board;
    int moves = 0;
    for (char fromRank = '1'; fromRank <= '8'; ++fromRank) {
        for (char fromFile = 'a'; fromFile <= 'h'; ++fromFile) {
            for (char toRank = '1'; toRank <= '8'; ++toRank) {
                for (char toFile = 'a'; toFile <= 'h'; ++toFile) {
                    char move[5] = {fromFile, fromRank, toFile, toRank, '\0'};
                    if (!board.IsLegalMove(move, 1)) continue;
                    ++moves;
                    Board trial = board;
                    trial.MovePiece(move);
                    ComputerPlayer player = PlayerFor(trial, 1);
                    const std::string text = move;
                    int expected = 1001;
                    if (text == "b8c6" || text == "g8f6") {
                        expected = 1003;
                    } else if (fromRank == '7' && toRank == '5') {
                        expected = 1002;
                    }
                    EXPECT_EQ(player.ScorePosition(), expected) << text;
                }
            }
        }
    }
    EXPECT_EQ(moves, 20);
}

// White rook on d4 attacked by a black rook that the white rook could take back, and by a
// black knight that nothing could take back.
TEST(Evaluation, AttackedPiecesCostOrCountByRecapture) {
    Board board;
    SetUpBoard(board, "Kh8 ka1 Rd4 rd1");
    ComputerPlayer player = PlayerFor(board, 1);
    // Rook: 5 + 16 - distance 6 to a1; king on h8: 1 + 16 - 14.
    EXPECT_EQ(player.ScoreSide(1, 1), -20 + 3);
    EXPECT_EQ(player.ScoreSide(1, 0), 15 + 3);
    // Black: king 1 + 16 - 14, rook on d1 5 + 16 - 11, its attacker on d4 can be taken.
    EXPECT_EQ(player.ScoreSide(0, 0), 3 + 10);
    EXPECT_EQ(player.ScorePosition(), 1000 + (-17) - 13);

    SetUpBoard(board, "Kh8 ka1 Rd4 nc2");
    EXPECT_EQ(player.ScoreSide(1, 1), -20 + 3);
    EXPECT_EQ(player.ScoreSide(1, 0), 0 + 3);
}

TEST(Evaluation, PieceThatChecksGetsBonus) {
    Board board;
    SetUpBoard(board, "Kh8 ka1 Ra4");
    ComputerPlayer player = PlayerFor(board, 1);
    EXPECT_EQ(player.ScoreSide(1, 1), (5 + 16 - 3 + 4) + 3);
}

// The king-less side keeps one legal move, the capture of the other king, so the game is
// not over; the knight's term shows where distances are measured from.
TEST(Evaluation, MissingEnemyKingMeasuresFromItsHomeSquare) {
    Board board;
    SetUpBoard(board, "Ke8 Nb1 ra8");
    ComputerPlayer player = PlayerFor(board, 1);
    EXPECT_EQ(player.ScoreSide(1, 0), 0 + (4 + 16 - 3));
    EXPECT_EQ(player.ScoreSide(1, 1), -20 + (4 + 16 - 3));
    SetUpBoard(board, "ke1 nb8 Ra1");
    EXPECT_EQ(player.ScoreSide(0, 1), -20 + (4 + 16 - 3));
}

TEST(Evaluation, OpponentWithoutMovesScoresFixed) {
    Board board;
    ComputerPlayer player = PlayerFor(board, 1);
    SetUpBoard(board, "ka1 Qb3 Kh8");  // Black stalemated
    EXPECT_EQ(player.ScoreSide(1, 0), 500);
    EXPECT_EQ(player.ScoreSide(1, 1), 500);
    EXPECT_EQ(player.ScoreSide(0, 1), 1 + 16 - 14);
    SetUpBoard(board, "Kh8 qf7 ka1");  // White stalemated
    EXPECT_EQ(player.ScoreSide(0, 1), 500);
    SetUpBoard(board, "Kh8 qg7 kf6");  // White checkmated
    EXPECT_EQ(player.ScoreSide(0, 0), 500);
    // White's king is attacked by a queen that cannot be taken: nothing counts.
    EXPECT_EQ(player.ScoreSide(1, 0), 0);
    player.side = 0;
    EXPECT_EQ(player.ScorePosition(), 1000 + 500 - 0);
}

}  // namespace
