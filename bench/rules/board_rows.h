#pragma once

// Writes a position given as eight rows separated by '/', rank '1' first, digits counting
// empty squares, through SetSquare: on the game's board or any board of the same shape.
template <typename BoardType>
void LoadRows(BoardType& board, const char* rows) {
    char file = 'a';
    char rank = '1';
    for (const char* c = rows; *c != '\0'; ++c) {
        if (*c == '/') {
            file = 'a';
            ++rank;
        } else if (*c >= '1' && *c <= '8') {
            for (int i = 0; i < *c - '0'; ++i) board.SetSquare(file++, rank, ' ');
        } else {
            board.SetSquare(file++, rank, *c);
        }
    }
}
