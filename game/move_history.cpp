#include "game/move_history.h"

void MoveHistory::Clear() {
    next = 0;
    count = 0;
}

void MoveHistory::Push(const PlayedMove& move) {
    moves[next] = move;
    next = (next + 1) % kCapacity;
    if (count < kCapacity) ++count;
}

bool MoveHistory::Pop(PlayedMove& out) {
    if (count == 0) return false;
    next = (next + kCapacity - 1) % kCapacity;
    --count;
    out = moves[next];
    return true;
}

const PlayedMove& MoveHistory::Recent(int index) const {
    return moves[(next + kCapacity - 1 - index) % kCapacity];
}
