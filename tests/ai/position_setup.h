#pragma once

#include <cstring>

#include "rules/board.h"

// Empties the board and places pieces given as "Kh8 ka1 Rd4": letter, file, rank.
inline void SetUpPosition(Board& board, const char* placements) {
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) board.SetSquare(file, rank, ' ');
    }
    for (const char* p = placements; *p != '\0';) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        board.SetSquare(p[1], p[2], p[0]);
        p += 3;
    }
}

inline bool SameSquares(const Board& a, const Board& b) {
    return std::memcmp(a.squares, b.squares, sizeof a.squares) == 0;
}
