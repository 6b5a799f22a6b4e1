#pragma once

// The board is drawn alike under both rule sets, White at the bottom. The game's own names
// count ranks from the top row ('1') down; a Standard game's position counts them from
// White's side (rank 1 at the bottom), as chess notation does. These turn one into the other:
// an engine square is file + 8 * (rank - 1) in Standard terms.
inline int EngineSquareOf(char file, char screenRank) {
    return (file - 'a') + 8 * ('8' - screenRank);
}
inline char ScreenFileOf(int engineSquare) {
    return static_cast<char>('a' + engineSquare % 8);
}
inline char ScreenRankOf(int engineSquare) {
    return static_cast<char>('8' - engineSquare / 8);
}
// The index of an engine square in the game's board layout.
inline int BoardIndexOf(int engineSquare) {
    return engineSquare % 8 + 8 * (7 - engineSquare / 8);
}
