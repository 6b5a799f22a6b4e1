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
    EVAL_TERM(PawnValue, 83, 78)        \
    EVAL_TERM(KnightValue, 341, 303)    \
    EVAL_TERM(BishopValue, 348, 316)    \
    EVAL_TERM(RookValue, 484, 548)      \
    EVAL_TERM(QueenValue, 1000, 1001)   \
    EVAL_TERM(RookSeventh, 16, 30)      \
    EVAL_TERM(RookOpenFile, 38, -1)     \
    EVAL_TERM(RookHalfOpenFile, 19, 11) \
    EVAL_TERM(DoubledPawn, -6, -5)      \
    EVAL_TERM(IsolatedPawn, -12, -14)   \
    EVAL_TERM(SupportedPawn, 3, 5)      \
    EVAL_TERM(PassedRank2, 5, -4)       \
    EVAL_TERM(PassedRank3, -4, -3)      \
    EVAL_TERM(PassedRank4, 7, 28)       \
    EVAL_TERM(PassedRank5, 20, 46)      \
    EVAL_TERM(PassedRank6, 38, 61)      \
    EVAL_TERM(PassedRank7, 55, 94)      \
    EVAL_TERM(PassedBlocked, -4, -26)   \
    EVAL_TERM(PassedOwnKing, 4, -14)    \
    EVAL_TERM(PassedEnemyKing, -6, 24)  \
    EVAL_TERM(KingShieldPawn, 11, -8)   \
    EVAL_TERM(KingOpenFile, -16, -6)    \
    EVAL_TERM(KingZoneKnight, 6, 0)     \
    EVAL_TERM(KingZoneBishop, 8, 0)     \
    EVAL_TERM(KingZoneRook, 8, 0)       \
    EVAL_TERM(KingZoneQueen, 7, 0)      \
    EVAL_TERM(KingDanger, 9, 0)         \
    EVAL_TERM(KingSafeCheck, 13, 0)     \
    EVAL_TERM(BishopPair, 41, 55)       \
    EVAL_TERM(PawnThreat, 39, 26)       \
    EVAL_TERM(MinorThreat, 31, 19)      \
    EVAL_TERM(RookThreat, 27, 22)       \
    EVAL_TERM(KnightOutpost, 22, 9)     \
    EVAL_TERM(HangingPiece, 19, 16)     \
    EVAL_TERM(PassedFreePath, -9, 17)   \
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
