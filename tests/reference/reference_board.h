#pragma once

// A plain, square-by-square transcription of the board, move legality and position status
// rules, kept as the yardstick for the optimised rules in rules/: the differential tests
// and the benchmarks run both on the same positions and compare every observable result.
// Test code only; nothing in the game links it.
namespace reference {

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

}  // namespace reference
