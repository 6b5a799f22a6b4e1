#pragma once

#include <cstdint>

#include "engine/position.h"

namespace engine {

// The number of move paths of exactly depth plies from the position (the leaves of the game
// tree); the position is as before afterwards. The last ply is counted from the move list
// without being played.
std::uint64_t Perft(Position& position, int depth);

}  // namespace engine
