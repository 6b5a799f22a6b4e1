#pragma once

#include <string>

#include "ai/computer_player.h"
#include "engine/position.h"
#include "game/game_options.h"
#include "game/move_history.h"
#include "rules/board.h"

struct PgnGame;

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

    // The rules and each computer side's level (GameRules, PlayLevel). A Standard game is
    // played on `position`, and `board` mirrors it for the screen after every change.
    int rules = RulesClassic;
    int whiteLevel = LevelClassic;
    int blackLevel = LevelClassic;
    engine::Position position;
    // Standard: a human's pawn move to the last rank waits here, as engine squares, until
    // the piece is chosen; -1 when none waits.
    int promotionFrom = -1;
    int promotionTo = -1;
    // Standard: the chosen move of the computer side whose turn it is, once found.
    engine::Move computerChoice = engine::kNoMove;
    // Standard: what the last move did besides moving one piece, for the screen: a castling
    // rook's move (screen squares, empty when none) and a pawn taken in passing (its square
    // and letter, empty when none).
    char rookMove[5] = {};
    char rookLetter = ' ';
    char passedSquare[3] = {};
    char passedPawn = ' ';

    ChessGame();
    ChessGame(const ChessGame& other);
    ChessGame& operator=(const ChessGame& other);

    void NewGame(int whiteKind, int blackKind);
    // A new game under these rules with these levels for the computer's sides.
    void StartGame(int whiteKind, int blackKind, int gameRules, int whiteLevelChosen,
                   int blackLevelChosen);
    int Step();
    // text is lower-cased in place; only its first four characters are recorded as a move.
    void SubmitMove(char* text);
    void GetLastMove(char* textOut, char* movedOut, char* capturedOut) const;

    // Standard: plays on from this position, with no moves to take back; false (and the
    // game unchanged) when the position is refused, error saying why.
    bool SetUpStandard(const char* fen, std::string* error);

    // Whether the side to move may play the move between these two screen squares (text of
    // four characters); under Classic the board's own legality test.
    int IsLegalTarget(char* text);
    // Standard: gives up a waiting promotion (the pawn stays where it was). 1 when one waited.
    int CancelPromotion();
    // Standard: the status of the position for the side to move (engine::GameStatus).
    engine::GameStatus StandardStatus() const { return position.Status(); }

    // Taking moves back: to the last turn of a human side, so against the computer its
    // reply and the human's move go back together, and between two humans one move. 1 when
    // some human side has a move to take back (a game of two computers has none).
    int CanTakeBack() const;
    // Puts the board, the turn and the move record back as they were before that human
    // move; a search under way is dropped. 1 when done, 0 when there was nothing to take.
    int TakeBack();

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
    // Standard games as portable game notation. SavePgn: 1 once the whole file is safely in
    // place. LoadPgn: 1 when the file's first game is on the board; otherwise 0, the game
    // as it was, and error (if given) saying why, with the line that is wrong.
    int SavePgn(const char* path) const;
    int LoadPgn(const char* path, std::string* error);
    std::string PgnText() const;
    // Puts a game read from a PGN text on the board, or leaves this one as it was (false).
    bool PlayPgn(const PgnGame& game);

  private:
    int StepStandard();
    void SubmitStandard(char* text);
    void MakeStandardMove(engine::Move move);
    void MirrorPosition();
    // Queens a computer side's pawns on their last rank; returns WhitePromotes or
    // BlackPromotes when a human side must choose, else Unsettled.
    int SettlePromotions();
    void MakeComputerMove();
    void RecordMove(const char* move);
    void RememberPosition();
    int IsHumanSide(int side) const { return (side == 1 ? whiteKind : blackKind) == Human; }
    int LevelOf(int side) const { return side == 1 ? whiteLevel : blackLevel; }
    // A computer turn at one of the engine's levels, under either rules: begins the search on
    // the first call, then advances it; returns ComputerThinking or, with the move made,
    // MoveMade.
    int StepEngineLevel();
    void MakeClassicMove(const char* move);
    void ChoosePromotion(char choice);
    void ApplySavedLine(const char* line);
};
