#pragma once

#include <cstdint>

#include "rules/board.h"

// Counts the move paths of the given length with the game's own rules: every source square
// holding a letter of side and every target square tried with Board::IsLegalMove, each legal
// move made with MovePiece (a pawn on its last rank becoming a queen) and undone square by
// square. side is the game's number, 1 for White and 0 for Black.
inline std::uint64_t CountBoardPaths(Board& board, int side, int plies) {
    std::uint64_t paths = 0;
    for (int from = 0; from < 64; ++from) {
        const signed char letter = board.squares[from];
        const bool own =
            side == kWhite ? letter >= 'A' && letter <= 'Z' : letter >= 'a' && letter <= 'z';
        if (!own) continue;
        for (int to = 0; to < 64; ++to) {
            char text[5] = {static_cast<char>('a' + from % 8), static_cast<char>('1' + from / 8),
                            static_cast<char>('a' + to % 8), static_cast<char>('1' + to / 8), '\0'};
            if (board.IsLegalMove(text, side) != 1) continue;
            if (plies == 1) {
                ++paths;
                continue;
            }
            const signed char captured = board.squares[to];
            board.MovePiece(text);
            const bool promotes = (letter == 'P' && to < 8) || (letter == 'p' && to >= 56);
            if (promotes) board.squares[to] = letter == 'P' ? 'Q' : 'q';
            paths += CountBoardPaths(board, 1 - side, plies - 1);
            board.squares[from] = letter;
            board.squares[to] = captured;
            board.cachedStatus = kStatusNotComputed;
        }
    }
    return paths;
}
