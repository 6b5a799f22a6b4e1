#pragma once

// The evaluation's weights, in centipawns, each a pair: one for the middle game and one for
// the endgame, blended by the material left on the board. The list is written once here so
// that the evaluation, the tuning tool and its output share the same names and order.
//
// The numbers were first set by hand, then fitted by bench/engine/tune.cpp to 82 000 quiet
// positions from 1 400 games of the engine against itself (3 000 nodes a move, random
// openings), with each weight held near its hand-set value unless the positions clearly
// moved it.
//
// EVAL_TERM(name, middle game, endgame)
#define KESTRION_EVAL_TERMS(EVAL_TERM)  \
    EVAL_TERM(PawnValue, 66, 92)        \
    EVAL_TERM(KnightValue, 330, 304)    \
    EVAL_TERM(BishopValue, 343, 313)    \
    EVAL_TERM(RookValue, 476, 544)      \
    EVAL_TERM(QueenValue, 1000, 1002)   \
    EVAL_TERM(RookSeventh, 12, 30)      \
    EVAL_TERM(RookOpenFile, 42, 12)     \
    EVAL_TERM(RookHalfOpenFile, 16, 10) \
    EVAL_TERM(KnightMobility, 8, 2)     \
    EVAL_TERM(BishopMobility, 5, 5)     \
    EVAL_TERM(RookMobility, 4, 4)       \
    EVAL_TERM(QueenMobility, 1, 11)     \
    EVAL_TERM(DoubledPawn, -10, -16)    \
    EVAL_TERM(IsolatedPawn, -12, -8)    \
    EVAL_TERM(SupportedPawn, -4, -2)    \
    EVAL_TERM(PassedRank2, -4, 4)       \
    EVAL_TERM(PassedRank3, -4, -4)      \
    EVAL_TERM(PassedRank4, 10, 20)      \
    EVAL_TERM(PassedRank5, 24, 46)      \
    EVAL_TERM(PassedRank6, 32, 72)      \
    EVAL_TERM(PassedRank7, 56, 118)     \
    EVAL_TERM(PassedBlocked, -8, -30)   \
    EVAL_TERM(PassedOwnKing, 0, -10)    \
    EVAL_TERM(PassedEnemyKing, -2, 20)  \
    EVAL_TERM(KingShieldPawn, 6, 0)     \
    EVAL_TERM(KingOpenFile, -24, -2)    \
    EVAL_TERM(KingZoneKnight, 3, 0)     \
    EVAL_TERM(KingZoneBishop, 9, 0)     \
    EVAL_TERM(KingZoneRook, 6, 0)       \
    EVAL_TERM(KingZoneQueen, 6, 0)      \
    EVAL_TERM(KingDanger, 20, 0)        \
    EVAL_TERM(KingSafeCheck, 8, 0)      \
    EVAL_TERM(BishopPair, 30, 52)       \
    EVAL_TERM(PawnThreat, 44, 30)       \
    EVAL_TERM(MinorThreat, 24, 22)      \
    EVAL_TERM(RookThreat, 20, 20)       \
    EVAL_TERM(KnightOutpost, 18, 6)     \
    EVAL_TERM(HangingPiece, 30, 20)     \
    EVAL_TERM(PassedFreePath, 4, 12)    \
    EVAL_TERM(Tempo, 6, 0)

namespace engine {

enum class Term : int {
#define KESTRION_TERM_ENUM(name, mg, eg) name,
    KESTRION_EVAL_TERMS(KESTRION_TERM_ENUM)
#undef KESTRION_TERM_ENUM
        Count
};

inline constexpr int kTermCount = static_cast<int>(Term::Count);

// Each kind of piece (pawn, knight, bishop, rook, queen, king) has a table of what its square
// adds, by its rank counted from its own side and its file folded onto a-d: the two wings
// share one half, so the table means the same whichever way round the armies stand.
inline constexpr int kTableKinds = 6;
inline constexpr int kTableSquares = 32;
inline constexpr int kSquareWeights = 2 * kTableKinds * kTableSquares;

// The table's index for a square, given the rank counted from the piece's own side.
inline constexpr int TableSquare(int relativeRank, int file) {
    return relativeRank * 4 + (file < 4 ? file : 7 - file);
}

struct EvalParams {
    // values[2 * term] is the middle-game weight, values[2 * term + 1] the endgame weight.
    int values[2 * kTermCount];
    // squares[2 * (kind * kTableSquares + square)] for the middle game, + 1 for the endgame.
    int squares[kSquareWeights];

    int Mg(Term t) const { return values[2 * static_cast<int>(t)]; }
    int Eg(Term t) const { return values[2 * static_cast<int>(t) + 1]; }
    const int* SquarePair(int kind, int square) const {
        return &squares[2 * (kind * kTableSquares + square)];
    }
};

// The weights the engine plays with.
const EvalParams& DefaultEvalParams();
// The name of term i, for the tuning tool.
const char* TermName(int i);

}  // namespace engine
