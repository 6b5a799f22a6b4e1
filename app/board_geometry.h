#pragma once

// Screen geometry of the board: 50-pixel squares, column c and row r at
// (120 + 50c, 40 + 50r). Column c is file 'a' + c, row r is rank '1' + r.
inline constexpr int kBoardLeft = 120;
inline constexpr int kBoardTop = 40;
inline constexpr int kSquareSize = 50;
inline constexpr int kBoardSquares = 8;

// Piece images are 40x80, drawn 5 pixels in from the square's left edge and standing half
// over the square above.
inline constexpr int kPieceWidth = 40;
inline constexpr int kPieceHeight = 80;
inline constexpr int kPieceInset = 5;

// The area the mouse works the board in: strict on all four sides.
inline bool InBoardArea(int x, int y) {
    return x > kBoardLeft && x < kBoardLeft + kBoardSquares * kSquareSize && y > kBoardTop &&
           y < kBoardTop + kBoardSquares * kSquareSize;
}
inline int ColumnAt(int x) {
    return (x - kBoardLeft) / kSquareSize;
}
inline int RowAt(int y) {
    return (y - kBoardTop) / kSquareSize;
}
inline char FileLetter(int column) {
    return static_cast<char>('a' + column);
}
inline char RankDigit(int row) {
    return static_cast<char>('1' + row);
}
