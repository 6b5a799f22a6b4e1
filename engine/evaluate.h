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

// The pawns' own terms for recently seen pawn structures, so that the search need not work
// them out again at every node. It holds whole structures (not a digest of them), so an
// answer from it is always exact; it is kept for one set of weights, and must be cleared
// when the weights change.
class PawnCache {
  public:
    struct Entry {
        std::uint64_t pawns[2];
        bool whiteMovesUp;
        bool valid;
        int mg[2];
        int eg[2];
        std::uint64_t passed[2];
    };

    void Clear();
    Entry& Slot(std::uint64_t whitePawns, std::uint64_t blackPawns);

  private:
    static constexpr int kEntries = 4096;
    Entry entries_[kEntries] = {};
};

// The score of the position in centipawns for the side to move: positive is good for it.
// Integer arithmetic only, so every build gives the same number; the cache, if given, only
// saves time.
int EvaluateBoard(const EvalBoard& board, const EvalParams& params, PawnCache* cache = nullptr);
int Evaluate(const Position& position, const EvalParams& params, PawnCache* cache = nullptr);
int Evaluate(const Position& position);

// The game phase the evaluation blends with: 24 with all pieces on the board, 0 with only
// kings and pawns.
int GamePhase(const EvalBoard& board);

}  // namespace engine
