#pragma once

#include "ai/computer_player.h"
#include "game/move_history.h"
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
    MoveHistory history;

    ChessGame();
    ChessGame(const ChessGame& other);
    ChessGame& operator=(const ChessGame& other);

    void NewGame(int whiteKind, int blackKind);
    int Step();
    // text is lower-cased in place; only its first four characters are recorded as a move.
    void SubmitMove(char* text);
    void GetLastMove(char* textOut, char* movedOut, char* capturedOut) const;

    // Taking moves back: to the last turn of a human side, so against the computer its
    // reply and the human's move go back together, and between two humans one move. 1 when
    // some human side has a move to take back (a game of two computers has none).
    int CanTakeBack() const;
    // Puts the board, the turn and the move record back as they were before that human
    // move; a search under way is dropped. 1 when done, 0 when there was nothing to take.
    int TakeBack();

    // 1 once the whole file is safely in place, 0 on any failure; a failed save leaves an
    // existing file at path as it was.
    int SaveGame(const char* path) const;
    int LoadGame(const char* path);

  private:
    // Queens a computer side's pawns on their last rank; returns WhitePromotes or
    // BlackPromotes when a human side must choose, else Unsettled.
    int SettlePromotions();
    void MakeComputerMove();
    void RecordMove(const char* move);
    void RememberPosition();
    int IsHumanSide(int side) const { return (side == 1 ? whiteKind : blackKind) == Human; }
    void ChoosePromotion(char choice);
    void ApplySavedLine(const char* line);
};
