#pragma once

#include <cstring>
#include <initializer_list>

#include "rules/board.h"

// Empties the board, then places pieces written as letter, file, rank and separated by
// spaces: "Ke8 ke1 pd4". Every write goes through SetSquare, as the game's own do.
inline void SetUpBoard(Board& board, const char* pieces) {
    for (char rank = '1'; rank <= '8'; ++rank) {
        for (char file = 'a'; file <= 'h'; ++file) board.SetSquare(file, rank, ' ');
    }
    for (const char* p = pieces; *p != '\0';) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        board.SetSquare(p[1], p[2], p[0]);
        p += 3;
    }
}

// Calls IsLegalMove on a copy of the text, so literals can be passed.
inline int Legal(Board& board, const char* move, int side) {
    char text[8] = {};
    std::strncpy(text, move, sizeof text - 1);
    return board.IsLegalMove(text, side);
}

// Plays the moves with TryMove, White first and the sides alternating. Returns how many
// were accepted before the first refusal.
inline int PlayMoves(Board& board, std::initializer_list<const char*> moves) {
    int side = kWhite;
    int played = 0;
    for (const char* move : moves) {
        char text[8] = {};
        std::strncpy(text, move, sizeof text - 1);
        if (board.TryMove(text, side) != 1) return played;
        ++played;
        side = 1 - side;
    }
    return played;
}

// Number of legal moves of side over all source and target squares.
inline int CountLegalMoves(Board& board, int side) {
    int count = 0;
    for (int from = 0; from < 64; ++from) {
        for (int to = 0; to < 64; ++to) {
            char text[5] = {static_cast<char>('a' + from % 8), static_cast<char>('1' + from / 8),
                            static_cast<char>('a' + to % 8), static_cast<char>('1' + to / 8), '\0'};
            count += board.IsLegalMove(text, side);
        }
    }
    return count;
}
