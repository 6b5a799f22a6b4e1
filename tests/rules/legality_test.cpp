#include <gtest/gtest.h>

#include <cstring>

#include "rules/board.h"
#include "tests/rules/board_setup.h"

namespace {

TEST(MoveLegality, InitialPositionGivesEachSideTwentyMoves) {
    Board board;
    EXPECT_EQ(CountLegalMoves(board, kWhite), 20);
    EXPECT_EQ(CountLegalMoves(board, kBlack), 20);
    EXPECT_EQ(Legal(board, "e7e5", kWhite), 1);
    EXPECT_EQ(Legal(board, "b8c6", kWhite), 1);
    EXPECT_EQ(Legal(board, "e7e4", kWhite), 0);
    EXPECT_EQ(Legal(board, "e2e4", kWhite), 0);  // A Black pawn.
    EXPECT_EQ(Legal(board, "e2e4", kBlack), 1);
}

// Each piece alone in the middle of an open board, kings out of its way.
TEST(MoveLegality, EachPieceReachesTheSquaresOfItsKind) {
    struct Case {
        char letter;
        int targets;
    };
    for (Case c : {Case{'K', 8}, {'Q', 27}, {'R', 14}, {'B', 13}, {'N', 8}}) {
        for (int side : {kWhite, kBlack}) {
            Board board;
            const char own = side == kWhite ? c.letter : static_cast<char>(c.letter + 32);
            SetUpBoard(board, side == kWhite ? "Kh2 kb8" : "kh2 Kb8");
            board.SetSquare('d', '4', own);
            EXPECT_EQ(CountLegalMoves(board, side), c.targets + 5) << own;  // + king on h2
        }
    }
}

TEST(MoveLegality, UnknownLettersSlideAlongAnyLineAndOtherBytesNeverMove) {
    Board board;
    SetUpBoard(board, "Ka8 kh1 Xd4 .c3 ?f6");
    EXPECT_EQ(Legal(board, "d4d8", kWhite), 1);
    EXPECT_EQ(Legal(board, "d4a1", kWhite), 0);  // Passes over c3.
    EXPECT_EQ(Legal(board, "d4c3", kWhite), 1);  // Captures a piece of neither colour.
    EXPECT_EQ(Legal(board, "d4e6", kWhite), 0);  // Not along a line.
    EXPECT_EQ(Legal(board, "d4f6", kWhite), 1);
    EXPECT_EQ(Legal(board, "c3c4", kWhite), 0);
    EXPECT_EQ(Legal(board, "c3c4", kBlack), 0);
    EXPECT_EQ(Legal(board, "h1g1", kBlack), 0);  // The X covers g1 along the diagonal.
    EXPECT_EQ(Legal(board, "h1h2", kBlack), 1);
}

TEST(MoveLegality, PawnsStepForwardAndCaptureDiagonally) {
    Board board;
    // White pawns move towards rank 1, Black pawns towards rank 8.
    SetUpBoard(board, "Ka8 kh1 Pc7 Pd6 Pf7 nf6 Pg7 pe2 pd3 Pc2");
    EXPECT_EQ(Legal(board, "c7c5", kWhite), 1);  // Double step from the home rank.
    EXPECT_EQ(Legal(board, "d6d4", kWhite), 0);  // Not from any other rank.
    EXPECT_EQ(Legal(board, "f7f5", kWhite), 0);  // Square passed over is occupied.
    EXPECT_EQ(Legal(board, "f7f6", kWhite), 0);  // Straight ahead onto a piece.
    EXPECT_EQ(Legal(board, "g7f6", kWhite), 1);  // Diagonal capture.
    EXPECT_EQ(Legal(board, "g7h6", kWhite), 0);  // Diagonal onto an empty square.
    EXPECT_EQ(Legal(board, "c7c8", kWhite), 0);  // Backwards.
    EXPECT_EQ(Legal(board, "e2d3", kBlack), 0);  // Own colour.
    EXPECT_EQ(Legal(board, "d3c2", kBlack), 0);  // Backwards capture.
    EXPECT_EQ(Legal(board, "e2e4", kBlack), 1);
    EXPECT_EQ(Legal(board, "c2c1", kWhite), 1);  // Onto the last rank: no promotion here.
    char move[] = "c2c1";
    ASSERT_EQ(board.TryMove(move, kWhite), 1);
    EXPECT_EQ(board.GetSquare('c', '1'), 'P');
}

TEST(MoveLegality, NoCaptureInPassingAndNoCaptureStraightAhead) {
    Board board;
    ASSERT_EQ(PlayMoves(board, {"e7e5", "e2e4"}), 2);
    EXPECT_EQ(Legal(board, "e5e4", kWhite), 0);

    board.Reset();
    ASSERT_EQ(PlayMoves(board, {"e7e5", "a2a3", "e5e4", "d2d4"}), 4);
    EXPECT_EQ(Legal(board, "e4d3", kWhite), 0);
}

TEST(MoveLegality, NoCastling) {
    Board board;
    SetUpBoard(board, "Ke8 Ra8 Rh8 ke1 ra1 rh1");
    for (const char* move : {"e8g8", "e8c8"}) EXPECT_EQ(Legal(board, move, kWhite), 0);
    for (const char* move : {"e1g1", "e1c1"}) EXPECT_EQ(Legal(board, move, kBlack), 0);
}

TEST(MoveLegality, WrongColourAndOwnCapturesAreRefused) {
    Board board;
    EXPECT_EQ(Legal(board, "e2e4", kWhite), 0);
    EXPECT_EQ(Legal(board, "e7e5", kBlack), 0);
    EXPECT_EQ(Legal(board, "d8e7", kWhite), 0);
    EXPECT_EQ(Legal(board, "d1e2", kBlack), 0);
    EXPECT_EQ(Legal(board, "e4e5", kWhite), 0);  // Empty source.
}

TEST(MoveLegality, MovesThatLeaveTheOwnKingAttackedAreRefused) {
    Board board;
    SetUpBoard(board, "Ke8 Re7 re1 ka1 bh3 nh7");
    EXPECT_EQ(Legal(board, "e7h7", kWhite), 0);  // Pinned rook leaves its file.
    EXPECT_EQ(Legal(board, "e7e1", kWhite), 1);  // ... but may take the pinning rook.
    EXPECT_EQ(Legal(board, "e8d7", kWhite), 0);  // Covered by the bishop.
    EXPECT_EQ(Legal(board, "e8f8", kWhite), 0);  // Covered by the knight.
    EXPECT_EQ(Legal(board, "e8d8", kWhite), 1);

    SetUpBoard(board, "Ke5 kc5");
    EXPECT_EQ(Legal(board, "e5d5", kWhite), 0);  // Next to the other king.
    EXPECT_EQ(Legal(board, "e5d4", kWhite), 0);
    EXPECT_EQ(Legal(board, "e5f5", kWhite), 1);
    EXPECT_EQ(Legal(board, "c5d6", kBlack), 0);
}

TEST(MoveLegality, TakingTheEnemyKingIsLegalWheneverTheGeometryAllowsIt) {
    Board board;
    SetUpBoard(board, "Ke8 re1 Bc2 kd1 Nh8");  // White is in check from the rook.
    EXPECT_EQ(Legal(board, "c2d1", kWhite), 1);
    EXPECT_EQ(Legal(board, "h8g6", kWhite), 0);
    SetUpBoard(board, "Ke8 Be7 re1 kb4");  // The bishop is pinned, yet takes the king.
    EXPECT_EQ(Legal(board, "e7b4", kWhite), 1);
    EXPECT_EQ(Legal(board, "e7d6", kWhite), 0);

    // A side without a king counts as in check: only the capture of the other king passes.
    SetUpBoard(board, "Qd8 Nb8 ke1");
    EXPECT_EQ(board.IsInCheck(kWhite), -1);
    EXPECT_EQ(CountLegalMoves(board, kWhite), 0);
    board.SetSquare('e', '7', 'k');
    EXPECT_EQ(CountLegalMoves(board, kWhite), 1);
    EXPECT_EQ(Legal(board, "d8e7", kWhite), 1);
}

TEST(MoveLegality, PathClearTellsLinesBlocksAndBadTexts) {
    Board board;
    struct Case {
        const char* move;
        int expected;
    };
    for (Case c : {Case{"a7a5", 1},
                   {"a8a6", 0},
                   {"b8c6", 0},
                   {"c7h2", 1},
                   {"c8h3", 0},
                   {"d3d3", -1},
                   {"d3d9", -1},
                   {"j3d4", -1},
                   {"d3", -1},
                   {"h2a2", 0},
                   {"h1a8", 0},
                   {"a3h3", 1}}) {
        char text[8] = {};
        std::strcpy(text, c.move);
        EXPECT_EQ(board.IsPathClear(text), c.expected) << c.move;
    }
    SetUpBoard(board, "");
    char offLine[] = "d4e6";  // The walk passes e6 by and leaves the board at h8.
    EXPECT_EQ(board.IsPathClear(offLine), 0);
    char diagonal[] = "h8a1";
    EXPECT_EQ(board.IsPathClear(diagonal), 1);
}

TEST(MoveLegality, EveryOperationTakesUpperCaseTextAndLeavesItLowerCase) {
    Board board;
    char path[] = "E7E5";
    EXPECT_EQ(board.IsPathClear(path), 1);
    EXPECT_STREQ(path, "e7e5");
    char legal[] = "B8C6";
    EXPECT_EQ(board.IsLegalMove(legal, kWhite), 1);
    EXPECT_STREQ(legal, "b8c6");
    char refused[] = "E7E4X";
    EXPECT_EQ(board.TryMove(refused, kWhite), 0);
    EXPECT_STREQ(refused, "e7e4x");
    char played[] = "G8F6";
    EXPECT_EQ(board.TryMove(played, kWhite), 1);
    EXPECT_STREQ(played, "g8f6");
    EXPECT_EQ(board.GetSquare('f', '6'), 'N');
}

TEST(MoveLegality, RefusedTextsAreNotReadPastTheirEnd) {
    Board board;
    char shortTexts[][3] = {"e7", "E7", "e"};
    for (char* text : shortTexts) {
        EXPECT_EQ(board.IsLegalMove(text, kWhite), 0);
        EXPECT_EQ(board.TryMove(text, kWhite), 0);
        EXPECT_EQ(board.IsPathClear(text), -1);
    }
}

// Over every source and target square of a few positions: the squares are the same after
// each test, a legal move that takes no king has cleared the status through its trial
// move, and a move refused before any trial (wrong colour, empty source) has left it.
TEST(MoveLegality, TestsPutTheBoardBackAndClearTheStatusOnlyAfterATrialMove) {
    const char* positions[] = {"Ke8 Re7 re1 ka1 bb5 nh7 Pc7 pc2", "Ke5 kc5 Qd8 qd1 Nb4",
                               "Kh8 qf7 ka1"};
    for (const char* position : positions) {
        Board board;
        SetUpBoard(board, position);
        signed char before[64];
        std::memcpy(before, board.squares, 64);
        for (int from = 0; from < 64; ++from) {
            for (int to = 0; to < 64; ++to) {
                const char source = static_cast<char>(before[from]);
                const char target = static_cast<char>(before[to]);
                const int side = source >= 'A' && source <= 'Z' ? kWhite : kBlack;
                char text[5] = {static_cast<char>('a' + from % 8),
                                static_cast<char>('1' + from / 8), static_cast<char>('a' + to % 8),
                                static_cast<char>('1' + to / 8), '\0'};
                board.cachedStatus = InPlay;
                const int legal = board.IsLegalMove(text, side);
                ASSERT_EQ(std::memcmp(before, board.squares, 64), 0) << text;
                if (legal == 1 && target != 'K' && target != 'k') {
                    EXPECT_EQ(board.cachedStatus, kStatusNotComputed) << text;
                }
                board.cachedStatus = InPlay;
                EXPECT_EQ(board.IsLegalMove(text, 1 - side), 0) << text;
                EXPECT_EQ(board.cachedStatus, InPlay) << text;
            }
        }
    }
}

}  // namespace
