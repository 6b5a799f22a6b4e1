#pragma once

#include "rules/move_text.h"

// Layout of the pieces sheet: one 40-pixel column per kind (king, queen, bishop, knight,
// rook, pawn), White's images in the top 80-pixel row and Black's in the row below.

// Column of the sheet for a piece letter; letters of no kind show the king's column.
inline int PiecesSheetColumn(char letter) {
    switch (rules::ToLowerLetter(letter)) {
        case 'q':
            return 40;
        case 'b':
            return 80;
        case 'n':
            return 120;
        case 'r':
            return 160;
        case 'p':
            return 200;
        default:
            return 0;
    }
}

// Row of the sheet for a piece letter: upper case is White.
inline int PiecesSheetRow(char letter) {
    return rules::IsUpperLetter(letter) ? 0 : 80;
}
