#include "rules/board.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/rules/board_setup.h"

namespace {

// Ranks '1' to '8', files a to h: Black on ranks 1-2, White on ranks 7-8.
constexpr char kInitialSquares[] =
    "rnbqkbnr"
    "pppppppp"
    "        "
    "        "
    "        "
    "        "
    "PPPPPPPP"
    "RNBQKBNR";

bool HoldsInitialPosition(const Board& board) {
    return std::memcmp(board.squares, kInitialSquares, 64) == 0;
}

TEST(BoardSquares, NewBoardIsInitialPositionWithNoStatus) {
    Board board;
    EXPECT_TRUE(HoldsInitialPosition(board));
    EXPECT_EQ(board.cachedStatus, kStatusNotComputed);
    EXPECT_EQ(board.GetSquare('e', '1'), 'k');
    EXPECT_EQ(board.GetSquare('E', '1'), 'k');
    EXPECT_EQ(board.GetSquare('d', '8'), 'Q');
    EXPECT_EQ(board.GetSquare('h', '1'), 'r');
    EXPECT_EQ(board.GetSquare('a', '2'), 'p');
}

TEST(BoardSquares, SquaresOffTheBoardReadAsNul) {
    Board board;
    for (auto [file, rank] : {std::pair{'i', '1'},
                              {'a', '0'},
                              {'a', '9'},
                              {'`', '1'},
                              {'I', '8'},
                              {'e', 'e'},
                              {'\0', '\0'},
                              {'\xe5', '1'}}) {
        EXPECT_EQ(board.GetSquare(file, rank), '\0') << file << rank;
    }
}

TEST(BoardSquares, SetSquareClearsStatusOnlyWhenItWritesOnTheBoard) {
    Board board;
    board.GetStatus();
    ASSERT_EQ(board.cachedStatus, InPlay);

    for (auto [file, rank] : {std::pair{'i', '1'}, {'a', '0'}, {'a', '9'}, {'h', ':'}}) {
        board.SetSquare(file, rank, 'Q');
    }
    EXPECT_TRUE(HoldsInitialPosition(board));
    EXPECT_EQ(board.cachedStatus, InPlay);

    board.SetSquare('E', '1', 'k');  // The very letter already there.
    EXPECT_TRUE(HoldsInitialPosition(board));
    EXPECT_EQ(board.cachedStatus, kStatusNotComputed);

    board.SetSquare('c', '4', 'x');
    EXPECT_EQ(board.squares[2 + 8 * 3], 'x');
}

TEST(BoardSquares, ResetRestoresTheInitialPositionFromAnyBoard) {
    Board board;
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) board.SetSquare(file, rank, '#');
    }
    board.cachedStatus = BlackStalemated;
    board.Reset();
    EXPECT_TRUE(HoldsInitialPosition(board));
    EXPECT_EQ(board.cachedStatus, kStatusNotComputed);
}

TEST(BoardMovePiece, MovesWhateverStandsOnTheSourceAndLowerCasesTheText) {
    Board board;
    char text[] = "E7E5";
    board.MovePiece(text);
    EXPECT_STREQ(text, "e7e5");
    EXPECT_EQ(board.GetSquare('e', '7'), ' ');
    EXPECT_EQ(board.GetSquare('e', '5'), 'P');

    // No legality at all: a knight onto its own colour overwrites it.
    char ownCapture[] = "b8d8";
    board.MovePiece(ownCapture);
    EXPECT_EQ(board.GetSquare('d', '8'), 'N');
    EXPECT_EQ(board.GetSquare('b', '8'), ' ');

    // From an empty square the target is emptied.
    char fromEmpty[] = "e4e2";
    board.MovePiece(fromEmpty);
    EXPECT_EQ(board.GetSquare('e', '2'), ' ');
}

TEST(BoardMovePiece, OnlyTheFirstFourCharactersMoveButTheWholeTextIsLowerCased) {
    Board board;
    char text[] = "G1F3XYZ";
    board.MovePiece(text);
    EXPECT_STREQ(text, "g1f3xyz");
    EXPECT_EQ(board.GetSquare('f', '3'), 'n');
}

TEST(BoardMovePiece, MoveOntoItsOwnSquareChangesNoSquareButClearsStatus) {
    Board board;
    board.GetStatus();
    char text[] = "d8d8";
    board.MovePiece(text);
    EXPECT_TRUE(HoldsInitialPosition(board));
    EXPECT_EQ(board.cachedStatus, kStatusNotComputed);
}

TEST(BoardMovePiece, TextOffTheBoardChangesNothing) {
    Board board;
    board.GetStatus();
    for (const char* move : {"e7e9", "e0e5", "i7e5", "e7i5", "e7", "", "e7e"}) {
        char text[8] = {};
        std::strcpy(text, move);
        board.MovePiece(text);
        EXPECT_TRUE(HoldsInitialPosition(board)) << move;
        EXPECT_EQ(board.cachedStatus, InPlay) << move;
    }
    // A text shorter than a move is not read past its end (the sanitizer build checks).
    char shortText[3] = {'e', '7', '\0'};
    board.MovePiece(shortText);
    EXPECT_TRUE(HoldsInitialPosition(board));
}

}  // namespace
