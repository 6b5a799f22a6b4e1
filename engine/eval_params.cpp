#include "engine/eval_params.h"

namespace engine {

namespace {

constexpr EvalParams kDefault = {{
#define KESTRION_TERM_VALUES(name, mg, eg) mg, eg,
    KESTRION_EVAL_TERMS(KESTRION_TERM_VALUES)
#undef KESTRION_TERM_VALUES
}};

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
