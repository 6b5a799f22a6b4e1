#pragma once

#include <cstring>

#include "rules/board.h"
#include "tests/rules/board_setup.h"

// Whether two boards hold the same letters on every square.
inline bool SameSquares(const Board& a, const Board& b) {
    return std::memcmp(a.squares, b.squares, sizeof a.squares) == 0;
}
