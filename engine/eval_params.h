#pragma once

// The evaluation's weights, in centipawns, each a pair: one for the middle game and one for
// the endgame, blended by the material left on the board. The list is written once here so
// that the evaluation, the tuning tool and its output share the same names and order.
//
// The numbers were first set by hand, then fitted by bench/engine/tune.cpp to quiet
// positions of the engine's games against itself (8 000 nodes a move, random openings),
// each position's target half its game's result and half the search's score, with each
// weight held near where it started unless the positions clearly moved it.
//
// EVAL_TERM(name, middle game, endgame)
#define KESTRION_EVAL_TERMS(EVAL_TERM)  \
    EVAL_TERM(PawnValue, 78, 84)        \
    EVAL_TERM(KnightValue, 332, 303)    \
    EVAL_TERM(BishopValue, 347, 314)    \
    EVAL_TERM(RookValue, 484, 549)      \
    EVAL_TERM(QueenValue, 1000, 1005)   \
    EVAL_TERM(RookSeventh, 16, 31)      \
    EVAL_TERM(RookOpenFile, 42, 5)      \
    EVAL_TERM(RookHalfOpenFile, 23, 13) \
    EVAL_TERM(DoubledPawn, -9, -9)      \
    EVAL_TERM(IsolatedPawn, -11, -13)   \
    EVAL_TERM(SupportedPawn, 1, 1)      \
    EVAL_TERM(PassedRank2, 1, -2)       \
    EVAL_TERM(PassedRank3, -3, -2)      \
    EVAL_TERM(PassedRank4, 6, 25)       \
    EVAL_TERM(PassedRank5, 23, 46)      \
    EVAL_TERM(PassedRank6, 33, 66)      \
    EVAL_TERM(PassedRank7, 56, 103)     \
    EVAL_TERM(PassedBlocked, -6, -26)   \
    EVAL_TERM(PassedOwnKing, 3, -13)    \
    EVAL_TERM(PassedEnemyKing, -5, 21)  \
    EVAL_TERM(KingShieldPawn, 9, -3)    \
    EVAL_TERM(KingOpenFile, -21, -5)    \
    EVAL_TERM(KingZoneKnight, 5, 0)     \
    EVAL_TERM(KingZoneBishop, 8, 0)     \
    EVAL_TERM(KingZoneRook, 6, 0)       \
    EVAL_TERM(KingZoneQueen, 7, 0)      \
    EVAL_TERM(KingDanger, 13, 0)        \
    EVAL_TERM(KingSafeCheck, 10, 0)     \
    EVAL_TERM(BishopPair, 33, 54)       \
    EVAL_TERM(PawnThreat, 42, 28)       \
    EVAL_TERM(MinorThreat, 30, 21)      \
    EVAL_TERM(RookThreat, 24, 21)       \
    EVAL_TERM(KnightOutpost, 21, 5)     \
    EVAL_TERM(HangingPiece, 23, 16)     \
    EVAL_TERM(PassedFreePath, -2, 15)   \
    EVAL_TERM(Tempo, 9, 1)

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

// Each of the pieces that move freely (knight, bishop, rook, queen) has a table of what the
// number of squares it reaches safely is worth: 0 to 8 for a knight, 13 for a bishop, 14 for
// a rook and 27 for a queen.
inline constexpr int kMobilityKinds = 4;
inline constexpr int kMobilityFirst[kMobilityKinds + 1] = {0, 9, 23, 38, 66};
inline constexpr int kMobilityWeights = 2 * kMobilityFirst[kMobilityKinds];

struct EvalParams {
    // values[2 * term] is the middle-game weight, values[2 * term + 1] the endgame weight.
    int values[2 * kTermCount];
    // squares[2 * (kind * kTableSquares + square)] for the middle game, + 1 for the endgame.
    int squares[kSquareWeights];
    // mobility[2 * (kMobilityFirst[kind] + count)] for the middle game, + 1 for the endgame,
    // with kind 0 for a knight up to 3 for a queen.
    int mobility[kMobilityWeights];

    int Mg(Term t) const { return values[2 * static_cast<int>(t)]; }
    int Eg(Term t) const { return values[2 * static_cast<int>(t) + 1]; }
    const int* SquarePair(int kind, int square) const {
        return &squares[2 * (kind * kTableSquares + square)];
    }
    const int* MobilityPair(int kind, int count) const {
        return &mobility[2 * (kMobilityFirst[kind] + count)];
    }
};

// The weights the engine plays with.
const EvalParams& DefaultEvalParams();
// The name of term i, for the tuning tool.
const char* TermName(int i);

}  // namespace engine
