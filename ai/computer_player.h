#pragma once

#include "rules/board.h"

// One entry of the table of best moves; score -1 marks an empty entry.
struct Candidate {
    char move[5];
    int score;
};

// Set once the C library's generator has been seeded; the first BeginSearch seeds it from
// the calendar time. Tests and the self-play tool set it and call srand themselves.
extern int randomSeeded;

// One-ply search spread over calls: each SearchStep tries the moves of one piece of `side`
// on the live board and keeps the five best in `candidates`.
class ComputerPlayer {
public:
    Board* board;
    Candidate candidates[5];
    int side;
    int rankCursor;
    int fileCursor;
    int finished;

    void BeginSearch(int side);
    int SearchStep();
    void ScoreMove(char* move);
    void PickMove(char* out);

    int ScoreSide(int side, int penalizeAttacked);
    int ScorePosition();
};
