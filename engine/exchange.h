#pragma once

#include "engine/position.h"

namespace engine {

// The usual value of a piece, for move ordering and the exchange estimate (not the
// evaluation's tuned values): pawn 100 up to queen 950; a king is worth more than anything.
int OrderingValue(PieceType type);

// The material the side to move gains by the capture `move` when both sides then keep taking
// on its square with their least valuable piece and either may stop: negative when the capture
// loses material. A quiet move scores what the moved piece loses on its new square (0 where
// it is safe); a promotion counts its gain.
int StaticExchange(const Position& position, Move move);

}  // namespace engine
