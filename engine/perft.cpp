#include "engine/perft.h"

namespace engine {

std::uint64_t Perft(Position& position, int depth) {
    if (depth <= 0) return 1;
    MoveList moves;
    position.GenerateLegal(moves);
    if (depth == 1) return static_cast<std::uint64_t>(moves.size);
    std::uint64_t leaves = 0;
    for (const Move move : moves) {
        position.DoMove(move);
        leaves += Perft(position, depth - 1);
        position.UndoMove();
    }
    return leaves;
}

}  // namespace engine
