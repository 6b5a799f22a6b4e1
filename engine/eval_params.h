#pragma once

// The evaluation's weights, in centipawns, each a pair: one for the middle game and one for
// the endgame, blended by the material left on the board. The list is written once here so
// that the evaluation, the tuning tool and its output share the same names and order.
//
// EVAL_TERM(name, middle game, endgame)
#define KESTRION_EVAL_TERMS(EVAL_TERM) \
    EVAL_TERM(PawnValue, 82, 112)      \
    EVAL_TERM(KnightValue, 330, 300)   \
    EVAL_TERM(BishopValue, 345, 315)   \
    EVAL_TERM(RookValue, 470, 540)     \
    EVAL_TERM(QueenValue, 1000, 1000)  \
    EVAL_TERM(PawnRank3, 0, 4)         \
    EVAL_TERM(PawnRank4, 4, 10)        \
    EVAL_TERM(PawnRank5, 10, 22)       \
    EVAL_TERM(PawnRank6, 24, 44)       \
    EVAL_TERM(PawnRank7, 50, 80)       \
    EVAL_TERM(PawnCentre, 12, 0)       \
    EVAL_TERM(KnightCentre, 10, 8)     \
    EVAL_TERM(BishopCentre, 5, 5)      \
    EVAL_TERM(QueenCentre, 1, 5)       \
    EVAL_TERM(KingCentre, 0, 14)       \
    EVAL_TERM(KingHomeRank, 24, 0)     \
    EVAL_TERM(KingWing, 16, 0)         \
    EVAL_TERM(RookSeventh, 10, 24)     \
    EVAL_TERM(RookOpenFile, 24, 8)     \
    EVAL_TERM(RookHalfOpenFile, 12, 6) \
    EVAL_TERM(KnightMobility, 4, 4)    \
    EVAL_TERM(BishopMobility, 5, 5)    \
    EVAL_TERM(RookMobility, 2, 4)      \
    EVAL_TERM(QueenMobility, 1, 3)     \
    EVAL_TERM(DoubledPawn, -10, -20)   \
    EVAL_TERM(IsolatedPawn, -10, -12)  \
    EVAL_TERM(SupportedPawn, 6, 4)     \
    EVAL_TERM(PassedRank2, 4, 10)      \
    EVAL_TERM(PassedRank3, 4, 12)      \
    EVAL_TERM(PassedRank4, 8, 24)      \
    EVAL_TERM(PassedRank5, 16, 44)     \
    EVAL_TERM(PassedRank6, 32, 76)     \
    EVAL_TERM(PassedRank7, 56, 120)    \
    EVAL_TERM(PassedOwnKing, 0, -4)    \
    EVAL_TERM(PassedEnemyKing, 0, 8)   \
    EVAL_TERM(KingShieldPawn, 12, 0)   \
    EVAL_TERM(KingOpenFile, -24, 0)    \
    EVAL_TERM(KingZoneKnight, 3, 0)    \
    EVAL_TERM(KingZoneBishop, 3, 0)    \
    EVAL_TERM(KingZoneRook, 4, 0)      \
    EVAL_TERM(KingZoneQueen, 6, 0)     \
    EVAL_TERM(KingDanger, 20, 0)       \
    EVAL_TERM(BishopPair, 30, 50)      \
    EVAL_TERM(PawnThreat, 40, 30)      \
    EVAL_TERM(Tempo, 14, 6)

namespace engine {

enum class Term : int {
#define KESTRION_TERM_ENUM(name, mg, eg) name,
    KESTRION_EVAL_TERMS(KESTRION_TERM_ENUM)
#undef KESTRION_TERM_ENUM
        Count
};

inline constexpr int kTermCount = static_cast<int>(Term::Count);

struct EvalParams {
    // values[2 * term] is the middle-game weight, values[2 * term + 1] the endgame weight.
    int values[2 * kTermCount];

    int Mg(Term t) const { return values[2 * static_cast<int>(t)]; }
    int Eg(Term t) const { return values[2 * static_cast<int>(t) + 1]; }
};

// The weights the engine plays with.
const EvalParams& DefaultEvalParams();
// The name of term i, for the tuning tool.
const char* TermName(int i);

}  // namespace engine
