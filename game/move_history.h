#pragma once

#include "rules/board.h"

// The record of the most recent move: its text, the letter that moved and the letter that
// stood on the target square (' ' when it was empty).
struct LastMove {
    char text[5];
    char moved;
    char captured;
};

// What a move changed, kept so that it can be taken back: the whole board before it (a
// promotion choice and the computer's queening change squares after the move itself), the
// side that made it and the move record it replaced.
struct PlayedMove {
    Board before;
    LastMove lastMoveBefore;
    int mover;  // side number, 1 White, 0 Black
};

// The moves of the game, oldest first, in a fixed ring. A game longer than the ring forgets
// its oldest moves, which can then no longer be taken back; nothing else depends on them.
class MoveHistory {
  public:
    static constexpr int kCapacity = 1024;

    void Clear();
    void Push(const PlayedMove& move);
    // False when empty.
    bool Pop(PlayedMove& out);
    int Count() const { return count; }
    // 0 is the newest move; index < Count().
    const PlayedMove& Recent(int index) const;

  private:
    PlayedMove moves[kCapacity];
    int next = 0;  // where the next move goes
    int count = 0;
};
