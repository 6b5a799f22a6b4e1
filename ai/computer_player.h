#pragma once

#include "rules/board.h"

// One entry of the table of best moves; score -1 marks an empty entry.
struct Candidate {
    char move[5];
    int score;
};

// Set once the generator of ai/random_draw.h has been seeded; the first BeginSearch seeds it
// from the calendar time. Tests and the self-play tool set it and call SeedRandom themselves.
extern int randomSeeded;

// One-ply search spread over calls: each SearchStep tries the moves of one piece of `side`
// on the live board and keeps the five best in `candidates`.
// Fields start zeroed, as for the static player of the game, so nothing is ever read
// uninitialised before the first BeginSearch.
class ComputerPlayer {
  public:
    Board* board = nullptr;
    Candidate candidates[5] = {};
    int side = 0;
    int rankCursor = 0;
    int fileCursor = 0;
    int finished = 0;

    void BeginSearch(int side);
    int SearchStep();
    void ScoreMove(char* move);
    void PickMove(char* out);

    int ScoreSide(int side, int penalizeAttacked);
    int ScorePosition();

  private:
    // Moves the cursor one square on in the order a1, b1, ..., h8; 0 once it passes h8.
    int AdvanceCursor();
    // Scores every legal move of the piece on square index from (file + 8 * rank).
    void ScoreMovesFrom(int from);
};
