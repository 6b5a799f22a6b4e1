#pragma once

// Layout of the pieces sheet (pieces.bmp), shared by the board screen and the sheet viewer:
// one 40-pixel column per kind (king, queen, bishop, knight, rook, pawn), White's images in
// the top 80-pixel row and Black's in the row below.

// Column of the sheet for a piece letter; letters of no kind show the king's column.
inline int PiecesSheetColumn(char letter) {
    switch (letter) {
        case 'Q':
        case 'q':
            return 40;
        case 'B':
        case 'b':
            return 80;
        case 'N':
        case 'n':
            return 120;
        case 'R':
        case 'r':
            return 160;
        case 'P':
        case 'p':
            return 200;
        default:
            return 0;
    }
}

// Row of the sheet for a piece letter: upper case is White.
inline int PiecesSheetRow(char letter) {
    return letter >= 'A' && letter <= 'Z' ? 0 : 80;
}
