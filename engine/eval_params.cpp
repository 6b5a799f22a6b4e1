#include "engine/eval_params.h"

namespace engine {

namespace {

constexpr int kTermValues[2 * kTermCount] = {
#define KESTRION_TERM_VALUES(name, mg, eg) mg, eg,
    KESTRION_EVAL_TERMS(KESTRION_TERM_VALUES)
#undef KESTRION_TERM_VALUES
};

// The square tables, one block per kind of piece: eight ranks from the piece's own side, four
// files from the edge inwards, each a middle-game and an endgame weight.
// clang-format off
constexpr int kSquareValues[kSquareWeights] = {
#include "engine/square_tables.inc"
};
// What each count of safely reachable squares is worth, per kind of piece.
constexpr int kMobilityValues[kMobilityWeights] = {
#include "engine/mobility_tables.inc"
};
// clang-format on

constexpr EvalParams MakeDefault() {
    EvalParams params{};
    for (int i = 0; i < 2 * kTermCount; ++i) params.values[i] = kTermValues[i];
    for (int i = 0; i < kSquareWeights; ++i) params.squares[i] = kSquareValues[i];
    for (int i = 0; i < kMobilityWeights; ++i) params.mobility[i] = kMobilityValues[i];
    return params;
}

constexpr EvalParams kDefault = MakeDefault();

constexpr const char* kNames[] = {
#define KESTRION_TERM_NAME(name, mg, eg) #name,
    KESTRION_EVAL_TERMS(KESTRION_TERM_NAME)
#undef KESTRION_TERM_NAME
};

}  // namespace

const EvalParams& DefaultEvalParams() {
    return kDefault;
}

const char* TermName(int i) {
    return i >= 0 && i < kTermCount ? kNames[i] : "";
}

}  // namespace engine
