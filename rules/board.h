#pragma once

// Sides: 1 is White (upper-case letters), 0 is Black (lower-case letters).
inline constexpr int kWhite = 1;
inline constexpr int kBlack = 0;

// Status of a position, for both sides at once. The numbers are compared by callers.
enum PositionStatus : int {
    InPlay = 0,
    WhiteCheckmated = 1,
    WhiteInCheck = 2,
    WhiteStalemated = 3,
    BlackCheckmated = 4,
    BlackInCheck = 5,
    BlackStalemated = 6,
};

inline constexpr unsigned char kStatusNotComputed = 255;

// The position: 64 squares of piece letters indexed (file - 'a') + 8 * (rank - '1').
// Squares and moves are text: a square is "e1", a move "e7e5". Every operation taking a
// move text lower-cases the whole NUL-terminated string in place first.
class Board {
  public:
    signed char squares[64];
    unsigned char cachedStatus;

    Board();
    ~Board();

    void Reset();
    char GetSquare(char file, char rank) const;
    void SetSquare(char file, char rank, char piece);
    void MovePiece(char* text);

    int IsPathClear(char* text);
    int IsLegalMove(char* text, int side);
    int TryMove(char* text, int side);
    int IsInCheck(int side);
    int FindAttacker(char file, char rank, char* attackerOut);

    int GetStatus();
};
