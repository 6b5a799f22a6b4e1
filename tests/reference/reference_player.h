#pragma once

#include "tests/reference/reference_board.h"

// A plain transcription of the computer player (the one-move search and the evaluation)
// and of the turn controller's handling of a computer-played game, on the reference board:
// the yardstick against which the game's own are compared move for move. Test code only.
namespace reference {

struct Candidate {
    char move[5];
    int score;
};

class ComputerPlayer {
  public:
    Board* board = nullptr;
    Candidate candidates[5] = {};
    int side = 0;
    int rankCursor = 0;
    int fileCursor = 0;
    int finished = 0;

    // The random generator is seeded by whoever plays the game (tests and benchmarks call
    // SeedRandom with a fixed seed), never here.
    void BeginSearch(int side);
    int SearchStep();
    void ScoreMove(char* move);
    void PickMove(char* out);

    int ScoreSide(int side, int penalizeAttacked);
    int ScorePosition();
};

// Step of a game in which the computer plays both sides: promotions, the end of the game,
// and one search step per call. Returns the same codes as the game's controller.
class ChessGame {
  public:
    Board board;
    ComputerPlayer computer;
    int whoseTurn = 1;
    int state = -1;
    int searchStarted = 0;
    char lastMoveText[5] = {};
    char lastMoved = ' ';
    char lastCaptured = ' ';

    ChessGame() { computer.board = &board; }
    ChessGame(const ChessGame&) = delete;
    ChessGame& operator=(const ChessGame&) = delete;

    void NewGame();
    int Step();
};

}  // namespace reference
