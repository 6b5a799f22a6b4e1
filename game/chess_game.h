#pragma once

#include "ai/computer_player.h"
#include "rules/board.h"

enum PlayerKind : int { Human = 0, Computer = 1 };

enum TurnState : int {
    Unsettled = -1,
    GameOver = 0,
    WhiteToMove = 1,
    BlackToMove = 2,
    ComputerThinking = 3,
    WhitePromotes = 4,
    BlackPromotes = 5,
    MoveMade = 6,
};

struct LastMove {
    char text[5];
    char moved;
    char captured;
};

// The turn controller: whose turn it is, who plays each side, promotions, and the record
// of the last move. Step is called once per frame and never blocks.
class ChessGame {
  public:
    Board board;
    ComputerPlayer computer;
    int whoseTurn;
    int state;
    int searchStarted;
    LastMove lastMove;
    int whiteKind;
    int blackKind;

    ChessGame();
    ChessGame(const ChessGame& other);
    ChessGame& operator=(const ChessGame& other);

    void NewGame(int whiteKind, int blackKind);
    int Step();
    // text is lower-cased in place; only its first four characters are recorded as a move.
    void SubmitMove(char* text);
    void GetLastMove(char* textOut, char* movedOut, char* capturedOut) const;

    // 1 once the whole file is safely in place, 0 on any failure; a failed save leaves an
    // existing file at path as it was.
    // On failure errno tells why.
    int SaveGame(const char* path) const;
    // 0, with errno telling why, when the file cannot be opened or read; the game is then as
    // it was.
    int LoadGame(const char* path);
    // 1 when path is a readable file that begins with the first line every saved game has.
    // The game loads any file it can read; tools that must not start from a wrong file
    // ask this first.
    static int IsSavedGameFile(const char* path);

  private:
    // Queens a computer side's pawns on their last rank; returns WhitePromotes or
    // BlackPromotes when a human side must choose, else Unsettled.
    int SettlePromotions();
    void MakeComputerMove();
    void RecordMove(const char* move);
    void ChoosePromotion(char choice);
    void ApplySavedLine(const char* line);
};
