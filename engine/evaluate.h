#pragma once

#include <cstdint>

#include "engine/eval_params.h"

namespace engine {

class Position;

// The pieces as the evaluation sees them: one set of squares per side and kind.
struct EvalBoard {
    enum Kind { kPawn, kKnight, kBishop, kRook, kQueen, kKing, kKinds };
    // [0] White, [1] Black; bit i is square i (a1 = 0, h8 = 63).
    std::uint64_t pieces[2][kKinds] = {};
    // Whether White's pawns move towards rank 8 (standard chess) or towards rank 1 (the
    // game's own rules, where White starts on ranks 8 and 7).
    bool whiteMovesUp = true;
    // 0 when White is to move, 1 when Black is.
    int sideToMove = 0;
};

EvalBoard ReadEvalBoard(const Position& position);

// The score of the position in centipawns for the side to move: positive is good for it.
// Integer arithmetic only, so every build gives the same number.
int EvaluateBoard(const EvalBoard& board, const EvalParams& params);
int Evaluate(const Position& position, const EvalParams& params);
int Evaluate(const Position& position);

// The game phase the evaluation blends with: 24 with all pieces on the board, 0 with only
// kings and pawns.
int GamePhase(const EvalBoard& board);

}  // namespace engine
