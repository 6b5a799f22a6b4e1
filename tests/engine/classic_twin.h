#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "engine/position.h"
#include "rules/board.h"
#include "tests/differential/generated_positions.h"

// The engine's Classic position beside the game's own Board: the legal moves of each side,
// check and the status, compared on one set of squares.
namespace classic_twin {

// Target squares of each source square's legal moves.
using MoveSets = std::array<std::uint64_t, 64>;

// The game's rules through the legality machinery that Board::IsLegalMove itself runs: fast
// enough for a million positions.
MoveSets BoardMovesByProbe(const signed char* squares, engine::Side side);
// The same by calling Board::IsLegalMove on every pair of squares, as the status scan does.
MoveSets BoardMovesBySweep(Board& board, engine::Side side);
// twice (if given) becomes true when a move is listed twice, which the sets would hide.
MoveSets EngineMoves(const engine::Position& position, engine::Side side, bool* twice);

// Compares everything for both sides; sweep also compares with the full square sweep.
::testing::AssertionResult SameAsBoard(const Squares& squares, const engine::Position& position,
                                       bool sweep);

// The board for failure messages.
std::string Show(const Squares& squares);

}  // namespace classic_twin
